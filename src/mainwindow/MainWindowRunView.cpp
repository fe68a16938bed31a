#include "mainwindow/MainWindowRunView.h"

#include "mainwindow/MainWindowLayout.h"
#include "ui/DesktopOpener.h"
#include "ui/ImageButton.h"
#include "ui/SoundPlayer.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtMath>

namespace vantorel {

MainWindowRunView::MainWindowRunView(const MainWindowControls& controls,
                                     const OptionValues& options)
    : m_c(controls), m_options(options) {}

OutputSettings MainWindowRunView::CurrentOutputSettings() const {
    OutputSettings settings;
    settings.FormatIndex = m_c.cmbOF->currentIndex();
    settings.Bitrate = m_c.cmbBR->currentText();
    settings.Rate = m_c.cmbR->currentText();
    settings.ChannelIndex = m_c.cmbChannel->currentIndex();
    settings.SplitText = m_c.txtSplit->text();
    settings.SplitUnitIndex = m_c.cmbUnit->currentIndex();
    settings.OutputBox = m_c.txtPath->text();
    return settings;
}

OptionValues MainWindowRunView::Options() const {
    return m_options;
}

void MainWindowRunView::SetStatus(const QString& text) {
    m_c.lblPB->setText(text);
}

void MainWindowRunView::SetProgressWidth(double twips) {
    m_progressTwips = twips;
    const int pixels = qMax(0, qRound(twips / twips::PerPixel));
    m_c.imgPB->resize(pixels, m_c.imgPB->height());
}

void MainWindowRunView::SetRunControlsEnabled(bool enabled) {
    for (ImageButton* member : m_c.imgToolbar)
        if (member)
            member->setEnabled(enabled);
    m_c.imgConvert->setEnabled(enabled);
}

void MainWindowRunView::PlayReminderSound(const QString& path) {
    soundPlayer().PlayAndWait(path);
}

void MainWindowRunView::OpenFolder(const QString& path) {
    vantorel::OpenFolder(path);
}

} // namespace vantorel
