#include "mainwindow/frmOptions.h"

#include "SkinPictures.h"
#include "platform/AppPaths.h"
#include "platform/NumberText.h"
#include "platform/UserMessages.h"
#include "settings/SettingsStore.h"
#include "ui/ScaleToDisplay.h"
#include "ui/SkinFont.h"
#include "ui/SkinLabel.h"
#include "ui/SkinSurface.h"
#include "ui/Twips.h"
#include "ui/WindowStyling.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace vantorel {
namespace {

template <typename Widget>
Widget* Create(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twips::Rect(left, top, width, height));
    return widget;
}

QLabel* CreateLabel(QWidget* parent, const char* name, const char* text, int left, int top,
                    int width, int height = 210) {
    auto* label = Create<SkinLabel>(parent, name, left, top, width, height);
    label->setText(QLatin1String(text));
    return label;
}

QLineEdit* CreateTimeBox(QWidget* parent, const char* name, int left, int top, int width) {
    auto* box = Create<QLineEdit>(parent, name, left, top, width, 270);
    box->setText(QStringLiteral("0"));
    box->setFont(SkinFont(7.5));
    box->setEnabled(false);
    return box;
}

QString WholeNumber(double value) {
    return QString::number(static_cast<long long>(std::floor(value)));
}

} // namespace

void FillTimeBoxes(std::int32_t seconds, QLineEdit* hours, QLineEdit* minutes,
                   QLineEdit* secondsBox) {
    const double total = seconds;
    hours->setText(WholeNumber(total / 3600));
    const double h = LeadingNumber(hours->text());
    minutes->setText(WholeNumber((total - h * 3600) / 60));
    const double m = LeadingNumber(minutes->text());
    secondsBox->setText(WholeNumber(total - h * 3600 - m * 60));
}

std::optional<std::int32_t> SecondsFromBoxes(const QString& hours, const QString& minutes,
                                             const QString& seconds) {
    return RoundToInt32(LeadingNumber(hours) * 3600 + LeadingNumber(minutes) * 60 +
                        LeadingNumber(seconds));
}

frmOptions::frmOptions(OptionValues& values, QWidget* parent) : QDialog(parent), m_values(values) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    resize(DialogWidth, DialogHeight);
    CreateControls();
    connect(Command1, &QPushButton::clicked, this, &frmOptions::Ok);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(chkMC, &QCheckBox::stateChanged, this, &frmOptions::EnableTimeBoxes);
    connect(surface, &SkinSurface::backgroundMouseMoved, this,
            [this](Qt::MouseButtons buttons) { StartDrag(this, buttons); });
    Load();
}

void frmOptions::ShowModal(OptionValues& values, QWidget* parent) {
    frmOptions dialog(values, parent);
    dialog.exec();
}

void frmOptions::CreateControls() {
    surface = new SkinSurface(this);
    surface->setGeometry(0, 0, DialogWidth, DialogHeight);
    surface->setFont(SkinFont(9));
    surface->setSkin(QPixmap(skin::optionsFacePath()));
    QWidget* s = surface;

    Label1 = CreateLabel(s, "Label1", "Sound Reminder:", 480, 210, 1410);
    cmbSR = Create<QComboBox>(s, "cmbSR", 480, 540, 2445, 300);
    cmbSR->addItems({QStringLiteral("ON"), QStringLiteral("OFF")});
    cmbSR->setToolTip(QStringLiteral("MP3 Audio Bitrate"));
    cmbSR->setFont(SkinFont(7.5));
    Command1 = Create<QPushButton>(s, "Command1", 480, 1050, 1065, 405);
    Command1->setText(QStringLiteral("OK"));
    Command2 = Create<QPushButton>(s, "Command2", 1830, 1050, 1095, 405);
    Command2->setText(QStringLiteral("Back"));

    Label2 = CreateLabel(s, "Label2", "Cutter Setting:", 4575, 810, 1245);
    chkMC = Create<QCheckBox>(s, "chkMC", 5970, 840, 225, 190);
    chkMC->setText(QStringLiteral("Music Cutter"));
    chkMC->setFont(SkinFont(7.5));

    Label3 = CreateLabel(s, "Label3", "From:", 4710, 1260, 465);
    txtFromH = CreateTimeBox(s, "txtFromH", 5310, 1215, 285);
    txtFromM = CreateTimeBox(s, "txtFromM", 6300, 1215, 465);
    txtFromS = CreateTimeBox(s, "txtFromS", 7350, 1215, 645);
    Label4 = CreateLabel(s, "Label4", "Hour", 5700, 1230, 525);
    Label5 = CreateLabel(s, "Label5", "Min", 6840, 1230, 465);
    Label6 = CreateLabel(s, "Label6", "Sec", 8070, 1230, 450);

    Label7 = CreateLabel(s, "Label7", "Duration:", 4470, 1620, 750);
    txtToH = CreateTimeBox(s, "txtToH", 5310, 1575, 285);
    txtToM = CreateTimeBox(s, "txtToM", 6300, 1575, 465);
    txtToS = CreateTimeBox(s, "txtToS", 7350, 1575, 645);
    Label8 = CreateLabel(s, "Label8", "Hour", 5700, 1620, 525);
    Label9 = CreateLabel(s, "Label9", "Min", 6840, 1620, 465);
    Label10 = CreateLabel(s, "Label10", "Sec", 8070, 1620, 450);
}

QList<QWidget*> frmOptions::Controls() const {
    return {surface, Label1,   Label2,   Label3,   Label4, Label5,   Label6,
            Label7,  Label8,   Label9,   Label10,  cmbSR,  Command1, Command2,
            chkMC,   txtFromH, txtFromM, txtFromS, txtToH, txtToM,   txtToS};
}

QList<QLineEdit*> frmOptions::TimeBoxes() const {
    return {txtFromH, txtFromM, txtFromS, txtToH, txtToM, txtToS};
}

void frmOptions::Load() {
    ApplyKeyColourStyling(this, surface->skin().toImage());
    ScaleWidgetsToDisplay(this, Controls(), nullptr, TwipsPerPixelX(this), TwipsPerPixelY(this));

    const int reminder = m_values.SoundReminder;
    cmbSR->setCurrentIndex(reminder >= 0 && reminder < cmbSR->count() ? reminder : -1);

    chkMC->setChecked(m_values.CutterEnabled == 1);
    EnableTimeBoxes();
    if (chkMC->isChecked()) {
        FillTimeBoxes(m_values.CutterStart, txtFromH, txtFromM, txtFromS);
        FillTimeBoxes(m_values.CutterLength, txtToH, txtToM, txtToS);
    }
}

void frmOptions::EnableTimeBoxes() {
    const bool ticked = chkMC->isChecked();
    for (QLineEdit* box : TimeBoxes())
        box->setEnabled(ticked);
}

void frmOptions::Ok() {
    const QString minutes = QStringLiteral("Minutes must less than 60");
    const QString seconds = QStringLiteral("Seconds must less than 60");
    const std::array<std::pair<QLineEdit*, QString>, 4> checks{{
        {txtFromM, minutes},
        {txtToM, minutes},
        {txtFromS, seconds},
        {txtToS, seconds},
    }};
    for (const auto& [box, message] : checks) {
        if (LeadingNumber(box->text()) > 59) {
            showMessage(MessageIcon::Exclamation, message, QStringLiteral("Min"));
            box->setFocus();
            return;
        }
    }

    const QList<QLineEdit*> boxes = TimeBoxes();
    if (std::all_of(boxes.begin(), boxes.end(),
                    [](QLineEdit* box) { return LeadingNumber(box->text()) == 0; }))
        chkMC->setChecked(false);

    m_values.SoundReminder = static_cast<std::int16_t>(cmbSR->currentIndex());
    m_values.CutterEnabled = chkMC->isChecked() ? 1 : 0;
    // A time beyond what the file can hold keeps the value it had.
    if (const auto start = SecondsFromBoxes(txtFromH->text(), txtFromM->text(), txtFromS->text()))
        m_values.CutterStart = *start;
    if (const auto length = SecondsFromBoxes(txtToH->text(), txtToM->text(), txtToS->text()))
        m_values.CutterLength = *length;

    if (!SaveOptionValues(m_values))
        showMessage(MessageIcon::Exclamation,
                    QStringLiteral("The options could not be saved to %1.\r\n"
                                   "They apply until the program ends.")
                        .arg(paths::optionsIniPath()));
    accept();
}

} // namespace vantorel
