#include "mainwindow/frmMain.h"

#include "engine/RunDriver.h"
#include "mainwindow/DropTargets.h"
#include "mainwindow/StartupShutdown.h"
#include "platform/AppPaths.h"
#include "platform/UserMessages.h"
#include "platform/WorkFolder.h"
#include "process/FolderTree.h"
#include "settings/OutputChoices.h"
#include "settings/SettingsStore.h"
#include "ui/ImageButton.h"
#include "ui/LinkLabel.h"
#include "ui/RemoveMenu.h"
#include "ui/ScaleToDisplay.h"
#include "ui/SkinFont.h"
#include "ui/SkinSurface.h"
#include "ui/SkinnedButtons.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

namespace vantorel {
namespace {

const QColor WebLinkColour(48, 70, 84);

void LetEventsRun() {
    QCoreApplication::processEvents();
}

} // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowFlag(Qt::FramelessWindowHint, true);
    setWindowIcon(QIcon(QStringLiteral(":/skin/icon.png")));
    m_c = CreateMainWindowControls(this);
    m_c.LV->setModel(&m_list);
    ApplyListColumnWidths(m_c.LV);
    QPalette rows = m_c.LV->palette();
    rows.setColor(QPalette::Text, QColor(FileListModel::RowTextRed, FileListModel::RowTextGreen,
                                         FileListModel::RowTextBlue));
    m_c.LV->setPalette(rows);
    Load();
    ConnectControls();
}

frmMain::~frmMain() {
    // The view outlives the list it shows by a moment; it must not look at it any more.
    m_c.LV->setModel(nullptr);
}

void frmMain::Load() {
    const double tppX = TwipsPerPixelX(this);
    const double tppY = TwipsPerPixelY(this);
    move(ParkedPosition(size(), tppX, tppY));
    m_dialogs = std::make_unique<CommonDlgsW>();
    LetEventsRun();
    m_runView.SetProgressWidth(0);
    m_driver = std::make_unique<RunDriver>(m_list, m_runView, m_runView, m_c.Timer1, m_c.Timer2);
    ApplyDefaults();
    QPalette link = m_c.lblWeb->palette();
    link.setColor(QPalette::WindowText, WebLinkColour);
    m_c.lblWeb->setPalette(link);
    ApplySettings();
    setWindowTitle(VersionCaption());
    m_c.lblWeb->setText(WebLinkCaption());
    LetEventsRun();
    LoadOptionValues(m_options);
    ScaleWidgetsToDisplay(this, m_c.scalableControls(), m_c.txtPath, tppX, tppY);
    update();
    m_c.Timer3->start();
    m_c.picDrop->setGeometry(m_c.LV->geometry());
    // What an earlier run left behind goes, but never through a folder someone else placed.
    if (workfolder::isSafe())
        RemoveFolderTree(paths::workFolder());
}

void frmMain::ApplyDefaults() {
    const OutputDefaults defaults = outputDefaults();
    m_c.cmbBR->setCurrentIndex(defaults.BitrateIndex);
    m_c.cmbR->setCurrentIndex(defaults.SampleRateIndex);
    m_c.cmbChannel->setCurrentIndex(defaults.ChannelIndex);
    m_c.cmbOF->setCurrentIndex(defaults.FormatIndex);
    m_c.txtPath->setText(defaults.OutputPath);
    m_c.cmbUnit->setCurrentIndex(defaults.SplitUnitIndex);
}

MainWindowSettings frmMain::ShownSettings() const {
    MainWindowSettings settings;
    settings.BitrateIndex = m_c.cmbBR->currentIndex();
    settings.SampleRateIndex = m_c.cmbR->currentIndex();
    settings.ChannelIndex = m_c.cmbChannel->currentIndex();
    settings.OutputPath = m_c.txtPath->text();
    settings.FormatIndex = m_c.cmbOF->currentIndex();
    return settings;
}

void frmMain::ApplySettings() {
    MainWindowSettings settings = ShownSettings();
    LoadMainWindowSettings(settings);
    m_c.cmbBR->setCurrentIndex(settings.BitrateIndex);
    m_c.cmbR->setCurrentIndex(settings.SampleRateIndex);
    m_c.cmbChannel->setCurrentIndex(settings.ChannelIndex);
    m_c.txtPath->setText(settings.OutputPath);
    m_c.cmbOF->setCurrentIndex(settings.FormatIndex);
}

void frmMain::ConnectControls() {
    connect(m_c.Timer3, &QTimer::timeout, this, &frmMain::Timer3Tick);

    m_buttons = new SkinnedButtons(this);
    for (int index : toolbar::Members) {
        const auto i = static_cast<std::size_t>(index);
        m_buttons->addToolbarMember(index, m_c.imgToolbar[i], m_c.imgButtonData[i]);
    }
    m_buttons->setConvertButton(m_c.imgConvert, m_c.imgConvertData);
    connect(m_buttons, &SkinnedButtons::toolbarActivated, this, &frmMain::RunToolbarAction);
    connect(m_buttons, &SkinnedButtons::convertActivated, this, [this] { m_driver->Start(); });
    connect(m_c.surface, &SkinSurface::backgroundMouseMoved, this,
            [this](Qt::MouseButtons buttons, QPoint) { OnBackgroundMove(buttons); });

    m_menu = new frmMenu(
        m_c.txtAction, [this] { m_list.RemoveAllEntries(); }, this);
    m_channel = new CommandChannel(m_c.txtAction, this);
    m_channel->addCommand(RemoveSelectedCommand(),
                          [this] { m_list.RemoveSelectedEntry(m_c.LV->currentIndex().row()); });

    m_drops = new DropTargets(
        m_c.LV->viewport(), m_c.picDrop, [this](const QList<QUrl>& urls) { DropOnOverlay(urls); },
        [this](const QList<QUrl>& urls) { DropOnList(urls); }, this);

    connect(m_c.cmdBrowse, &QPushButton::clicked, this, &frmMain::Browse);
    connect(m_c.lblWeb, &LinkLabel::clicked, this, &frmMain::OpenHelpPage);
    connect(&m_list.Hint(), &DropHint::Changed, this, &frmMain::ShowHint);
    connect(m_driver.get(), &RunDriver::RunFinished, this, &frmMain::OnRunFinished);
    ShowHint();
}

void frmMain::Timer3Tick() {
    m_c.Timer3->stop();
    ApplyKeyColourStyling(this, m_c.surface->skin().toImage());
    if (const QScreen* display = screen()) {
        const QRect area = display->geometry();
        move(area.topLeft() +
             CentredPosition(area.size(), size(), TwipsPerPixelX(this), TwipsPerPixelY(this)));
    }
    LetEventsRun();
}

void frmMain::SaveAndExit() {
    if (!SaveMainWindowSettings(ShownSettings()))
        showMessage(MessageIcon::Exclamation,
                    QStringLiteral("The settings could not be saved to %1.\r\n"
                                   "The next start uses the settings it finds there.")
                        .arg(paths::setupIniPath()),
                    QStringLiteral("Exit"));
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (m_driver->IsRunning()) {
        // The run's loop is still on the stack below this event: the window goes at once, but
        // the program ends only once the run has unwound, with its encoder ended.
        m_closeAfterRun = true;
        m_driver->Stop();
        hide();
        event->ignore();
        return;
    }
    // A run that was about to start never starts.
    m_driver->Stop();
    Unload();
    event->accept();
    Q_EMIT Unloaded();
}

void frmMain::OnRunFinished() {
    if (m_closeAfterRun)
        QTimer::singleShot(0, this, [this] { close(); });
}

void frmMain::Unload() {
    // Never delete through a work folder that someone else could have put in our way.
    if (!workfolder::isSafe())
        return;
    DeleteFileWithinBound(paths::tempWavPath(), UnloadDeletionBound);
    DeleteFileWithinBound(paths::tempMp3Path(), UnloadDeletionBound);
}

void frmMain::OnBackgroundMove(Qt::MouseButtons buttons) {
    StartDrag(this, buttons, m_systemMove);
    m_buttons->backgroundMouseMove();
    m_c.picDrop->hide();
}

void frmMain::ShowHint() {
    const DropHint& hint = m_list.Hint();
    m_c.lblText->setText(ShownCaption(hint.Caption()));
    m_c.picText->setVisible(hint.Visible());
}

} // namespace vantorel
