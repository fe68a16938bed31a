#include "mainwindow/frmOptions.h"
#include "platform/AppPaths.h"
#include "platform/UserMessages.h"
#include "ui/SkinSurface.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vantorel;

namespace {

const QStringList BoxNames{"txtFromH", "txtFromM", "txtFromS", "txtToH", "txtToM", "txtToS"};

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

QLineEdit* Box(frmOptions& dialog, const QString& name) {
    return dialog.findChild<QLineEdit*>(name);
}

QStringList BoxTexts(frmOptions& dialog) {
    QStringList texts;
    for (const QString& name : BoxNames)
        texts.append(Box(dialog, name)->text());
    return texts;
}

} // namespace

class TestFrmOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void look();
    void places_data();
    void places();
    void load_data();
    void load();
    void ok_data();
    void ok();
    void backChangesNothing();
    void tickingEnablesTheBoxes();
    void unsavedOptionsAreReported();
    void conversions_data();
    void conversions();

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    std::unique_ptr<RecordedMessages> m_messages;
};

void TestFrmOptions::init() {
    m_settings = std::make_unique<QTemporaryDir>();
    QVERIFY(m_settings->isValid());
    paths::setSettingsFolderForTesting(m_settings->path());
    m_messages = std::make_unique<RecordedMessages>();
}

void TestFrmOptions::cleanup() {
    m_messages.reset();
    paths::setSettingsFolderForTesting(QString());
    m_settings.reset();
}

void TestFrmOptions::look() {
    OptionValues values;
    frmOptions dialog(values);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(dialog.size(), QSize(600, 140));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.surface->geometry(), QRect(0, 0, 600, 140));
    QCOMPARE(dialog.cmbSR->count(), 2);
    QCOMPARE(dialog.cmbSR->itemText(0), QStringLiteral("ON"));
    QCOMPARE(dialog.cmbSR->itemText(1), QStringLiteral("OFF"));
    QCOMPARE(dialog.cmbSR->toolTip(), QStringLiteral("MP3 Audio Bitrate"));
    QCOMPARE(dialog.cmbSR->font().pointSizeF(), 7.5);
    QCOMPARE(dialog.chkMC->text(), QStringLiteral("Music Cutter"));
    QCOMPARE(dialog.txtToS->font().pointSizeF(), 7.5);
    QCOMPARE(dialog.Label1->font().pointSizeF(), 9.0);
    // Everything lies inside the dialog.
    for (QWidget* child :
         dialog.surface->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        QVERIFY2(dialog.surface->rect().contains(child->geometry()),
                 qPrintable(child->objectName()));
}

void TestFrmOptions::places_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1" << QRect(32, 14, 94, 14) << "Sound Reminder:";
    QTest::newRow("cmbSR") << "cmbSR" << QRect(32, 36, 163, 20) << "";
    QTest::newRow("Command1") << "Command1" << QRect(32, 70, 71, 27) << "OK";
    QTest::newRow("Command2") << "Command2" << QRect(122, 70, 73, 27) << "Back";
    QTest::newRow("Label2") << "Label2" << QRect(305, 54, 83, 14) << "Cutter Setting:";
    QTest::newRow("chkMC") << "chkMC" << QRect(398, 56, 15, 13) << "Music Cutter";
    QTest::newRow("Label3") << "Label3" << QRect(314, 84, 31, 14) << "From:";
    QTest::newRow("txtFromH") << "txtFromH" << QRect(354, 81, 19, 18) << "0";
    QTest::newRow("txtFromM") << "txtFromM" << QRect(420, 81, 31, 18) << "0";
    QTest::newRow("txtFromS") << "txtFromS" << QRect(490, 81, 43, 18) << "0";
    QTest::newRow("Label4") << "Label4" << QRect(380, 82, 35, 14) << "Hour";
    QTest::newRow("Label5") << "Label5" << QRect(456, 82, 31, 14) << "Min";
    QTest::newRow("Label6") << "Label6" << QRect(538, 82, 30, 14) << "Sec";
    QTest::newRow("Label7") << "Label7" << QRect(298, 108, 50, 14) << "Duration:";
    QTest::newRow("txtToH") << "txtToH" << QRect(354, 105, 19, 18) << "0";
    QTest::newRow("txtToM") << "txtToM" << QRect(420, 105, 31, 18) << "0";
    QTest::newRow("txtToS") << "txtToS" << QRect(490, 105, 43, 18) << "0";
    QTest::newRow("Label8") << "Label8" << QRect(380, 108, 35, 14) << "Hour";
    QTest::newRow("Label9") << "Label9" << QRect(456, 108, 31, 14) << "Min";
    QTest::newRow("Label10") << "Label10" << QRect(538, 108, 30, 14) << "Sec";
}

void TestFrmOptions::places() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    OptionValues values;
    frmOptions dialog(values);
    QWidget* widget = dialog.findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), rect);
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(widget))
        shown = label->text();
    else if (auto* box = qobject_cast<QLineEdit*>(widget))
        shown = box->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        shown = button->text();
    QCOMPARE(shown, text);
}

void TestFrmOptions::load_data() {
    QTest::addColumn<int>("reminder");
    QTest::addColumn<int>("cutter");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("shownReminder");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("3725 s shows 1, 2, 5")
        << 0 << 1 << 3725 << 90 << 0 << true << QStringList{"1", "2", "5", "0", "1", "30"};
    QTest::newRow("unticked shows the design zeros")
        << 1 << 0 << 3725 << 90 << 1 << false << QStringList{"0", "0", "0", "0", "0", "0"};
    QTest::newRow("negative start")
        << 0 << 1 << -10 << 0 << 0 << true << QStringList{"-1", "59", "50", "0", "0", "0"};
    QTest::newRow("largest start") << 0 << 1 << 2147483647 << 3599 << 0 << true
                                   << QStringList{"596523", "14", "7", "0", "59", "59"};
    QTest::newRow("reminder outside the list selects nothing")
        << 5 << 0 << 0 << 0 << -1 << false << QStringList{"0", "0", "0", "0", "0", "0"};
    QTest::newRow("cutter value other than 1 is not ticked")
        << 0 << 2 << 60 << 60 << 0 << false << QStringList{"0", "0", "0", "0", "0", "0"};
}

void TestFrmOptions::load() {
    QFETCH(int, reminder);
    QFETCH(int, cutter);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, shownReminder);
    QFETCH(bool, ticked);
    QFETCH(QStringList, boxes);
    OptionValues values;
    values.SoundReminder = static_cast<std::int16_t>(reminder);
    values.CutterEnabled = static_cast<std::int16_t>(cutter);
    values.CutterStart = start;
    values.CutterLength = length;
    frmOptions dialog(values);
    QCOMPARE(dialog.cmbSR->currentIndex(), shownReminder);
    QCOMPARE(dialog.chkMC->isChecked(), ticked);
    QCOMPARE(BoxTexts(dialog), boxes);
    for (const QString& name : BoxNames)
        QCOMPARE(Box(dialog, name)->isEnabled(), ticked);
}

void TestFrmOptions::ok_data() {
    QTest::addColumn<bool>("tick");
    QTest::addColumn<QStringList>("edits"); // "box=text", or "untick", in order
    QTest::addColumn<int>("reminderIndex");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QByteArray>("file"); // empty: options.ini as it was

    const QStringList none;
    QTest::newRow("75 minutes refused")
        << true << QStringList{"txtFromM=75"} << 0 << "Minutes must less than 60"
        << "txtFromM" << QByteArray();
    QTest::newRow("duration seconds 60 refused")
        << true << QStringList{"txtToS=60"} << 0 << "Seconds must less than 60"
        << "txtToS" << QByteArray();
    QTest::newRow("minutes are checked before seconds")
        << true << QStringList{"txtFromS=61", "txtToM=70"} << 0 << "Minutes must less than 60"
        << "txtToM" << QByteArray();
    QTest::newRow("59.5 minutes refused")
        << true << QStringList{"txtFromM=59.5"} << 0 << "Minutes must less than 60"
        << "txtFromM" << QByteArray();
    QTest::newRow("checked even when unticked")
        << true << QStringList{"txtFromS=90", "untick"} << 0 << "Seconds must less than 60"
        << "" << QByteArray();
    QTest::newRow("58.5 minutes add 3510 s") << true << QStringList{"txtFromM=58.5"} << 0 << ""
                                             << "" << QByteArray("0\r\n1\r\n3510\r\n0\r\n");
    QTest::newRow("1 min 30 s for 30 s")
        << true << QStringList{"txtFromM=1", "txtFromS=30", "txtToS=30"} << 0 << ""
        << "" << QByteArray("0\r\n1\r\n90\r\n30\r\n");
    QTest::newRow("reminder off") << true << QStringList{"txtToH=2"} << 1 << ""
                                  << "" << QByteArray("1\r\n1\r\n0\r\n7200\r\n");
    QTest::newRow("all six zero unticks") << true << none << 0 << ""
                                          << "" << QByteArray("0\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("unticked stores zeros") << false << none << 0 << ""
                                           << "" << QByteArray("0\r\n0\r\n0\r\n0\r\n");
    QTest::newRow("abc counts 0") << true << QStringList{"txtFromM=abc", "txtFromS=12"} << 0 << ""
                                  << "" << QByteArray("0\r\n1\r\n12\r\n0\r\n");
    QTest::newRow("hours have no limit") << true << QStringList{"txtFromH=100"} << 0 << ""
                                         << "" << QByteArray("0\r\n1\r\n360000\r\n0\r\n");
    QTest::newRow("negative minutes pass")
        << true << QStringList{"txtFromH=1", "txtFromM=-5"} << 0 << ""
        << "" << QByteArray("0\r\n1\r\n3300\r\n0\r\n");
    QTest::newRow("halves go to even")
        << true << QStringList{"txtFromS=2.5", "txtToS=3.5"} << 0 << ""
        << "" << QByteArray("0\r\n1\r\n2\r\n4\r\n");
    QTest::newRow("beyond 32 bits keeps the old length")
        << true << QStringList{"txtToH=999999", "txtFromS=1"} << 0 << ""
        << "" << QByteArray("0\r\n1\r\n1\r\n42\r\n");
}

void TestFrmOptions::ok() {
    QFETCH(bool, tick);
    QFETCH(QStringList, edits);
    QFETCH(int, reminderIndex);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QByteArray, file);

    const QString ini = paths::optionsIniPath();
    const QByteArray before("1\r\n0\r\n7\r\n42\r\n");
    {
        QFile existing(ini);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write(before);
    }
    OptionValues values;
    values.CutterLength = 42;
    const OptionValues original = values;

    frmOptions dialog(values);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy closed(&dialog, &QDialog::finished);
    dialog.chkMC->setChecked(tick);
    for (const QString& edit : edits) {
        if (edit == QLatin1String("untick")) {
            dialog.chkMC->setChecked(false);
            continue;
        }
        const QStringList parts = edit.split(QLatin1Char('='));
        Box(dialog, parts[0])->setText(parts[1]);
    }
    dialog.cmbSR->setCurrentIndex(reminderIndex);
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);

    if (!message.isEmpty()) {
        QCOMPARE(m_messages->entries.size(), 1);
        QCOMPARE(m_messages->entries[0].text, message);
        QCOMPARE(m_messages->entries[0].title, QStringLiteral("Min"));
        QCOMPARE(m_messages->entries[0].icon, MessageIcon::Exclamation);
        if (!focus.isEmpty())
            QCOMPARE(dialog.focusWidget(), Box(dialog, focus));
        QVERIFY(dialog.isVisible());
        QCOMPARE(closed.size(), 0);
        QCOMPARE(ReadFile(ini), before);
        QCOMPARE(values.CutterStart, original.CutterStart);
        QCOMPARE(values.CutterLength, original.CutterLength);
        QCOMPARE(values.SoundReminder, original.SoundReminder);
        return;
    }
    QVERIFY(m_messages->entries.isEmpty());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ReadFile(ini), file);
    const QList<QByteArray> lines = file.split('\n');
    QCOMPARE(values.SoundReminder, lines[0].trimmed().toInt());
    QCOMPARE(values.CutterEnabled, lines[1].trimmed().toInt());
    QCOMPARE(values.CutterStart, lines[2].trimmed().toInt());
    QCOMPARE(values.CutterLength, lines[3].trimmed().toInt());
}

void TestFrmOptions::backChangesNothing() {
    const QString ini = paths::optionsIniPath();
    OptionValues values;
    values.SoundReminder = 1;
    values.CutterEnabled = 1;
    values.CutterStart = 90;
    values.CutterLength = 30;
    frmOptions dialog(values);
    QSignalSpy closed(&dialog, &QDialog::finished);
    dialog.cmbSR->setCurrentIndex(0);
    dialog.txtFromM->setText(QStringLiteral("5"));
    dialog.chkMC->setChecked(false);
    QTest::mouseClick(dialog.Command2, Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(values.SoundReminder, 1);
    QCOMPARE(values.CutterEnabled, 1);
    QCOMPARE(values.CutterStart, 90);
    QCOMPARE(values.CutterLength, 30);
    QVERIFY(!QFile::exists(ini));
    QVERIFY(m_messages->entries.isEmpty());
}

void TestFrmOptions::tickingEnablesTheBoxes() {
    OptionValues values;
    frmOptions dialog(values);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QString& name : BoxNames)
        QVERIFY(!Box(dialog, name)->isEnabled());
    QTest::mouseClick(dialog.chkMC, Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(dialog.chkMC->isChecked());
    for (const QString& name : BoxNames)
        QVERIFY(Box(dialog, name)->isEnabled());
    dialog.txtToM->setText(QStringLiteral("7"));
    dialog.chkMC->setChecked(false);
    for (const QString& name : BoxNames)
        QVERIFY(!Box(dialog, name)->isEnabled());
    QCOMPARE(dialog.txtToM->text(), QStringLiteral("7")); // texts stay
}

void TestFrmOptions::unsavedOptionsAreReported() {
    // A settings folder that is a file cannot take options.ini, not even for root.
    const QString blocker = m_settings->filePath(QStringLiteral("blocker"));
    {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    paths::setSettingsFolderForTesting(blocker + QStringLiteral("/settings"));
    OptionValues values;
    frmOptions dialog(values);
    QSignalSpy closed(&dialog, &QDialog::finished);
    dialog.chkMC->setChecked(true);
    dialog.txtFromS->setText(QStringLiteral("9"));
    dialog.Command1->click();
    QCOMPARE(m_messages->entries.size(), 1);
    QCOMPARE(m_messages->entries[0].icon, MessageIcon::Exclamation);
    QVERIFY(m_messages->entries[0].text.contains(QStringLiteral("options.ini")));
    // The choice still holds for this run.
    QCOMPARE(values.CutterStart, 9);
    QCOMPARE(closed.size(), 1);
}

void TestFrmOptions::conversions_data() {
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("m");
    QTest::addColumn<QString>("s");
    QTest::addColumn<qint64>("seconds"); // -1: no value
    QTest::newRow("plain") << "1"
                           << "2"
                           << "5" << qint64(3725);
    QTest::newRow("fractions sum first") << "0.5"
                                         << "0.5"
                                         << "0.25" << qint64(1830);
    QTest::newRow("half to even down") << "0"
                                       << "0"
                                       << "0.5" << qint64(0);
    QTest::newRow("half to even up") << "0"
                                     << "0"
                                     << "1.5" << qint64(2);
    QTest::newRow("leading number") << "1h"
                                    << "x"
                                    << "3 s" << qint64(3603);
    QTest::newRow("largest") << "596523"
                             << "14"
                             << "7" << qint64(2147483647);
    QTest::newRow("one past the largest") << "596523"
                                          << "14"
                                          << "8" << qint64(-1);
    QTest::newRow("smallest") << "-596523"
                              << "-14"
                              << "-8" << qint64(-2147483648LL);
}

void TestFrmOptions::conversions() {
    QFETCH(QString, h);
    QFETCH(QString, m);
    QFETCH(QString, s);
    QFETCH(qint64, seconds);
    const auto got = SecondsFromBoxes(h, m, s);
    QCOMPARE(got.has_value(), seconds != -1);
    if (got)
        QCOMPARE(qint64(*got), seconds);
}

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
