#include "MainWindowFixture.h"
#include "mainwindow/StartupShutdown.h"
#include "ui/ImageButton.h"
#include "ui/LinkLabel.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QTreeView>

using namespace vantorel;
using namespace vantorel::testsupport;

namespace {

// The five stored choices as the controls show them: bitrate, rate, channels, format, path.
QStringList Choices(const MainWindowControls& c) {
    return {c.cmbBR->currentText(), c.cmbR->currentText(), c.cmbChannel->currentText(),
            c.cmbOF->currentText(), c.txtPath->text()};
}

} // namespace

class TestFrmMainStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void settingsAtStart_data();
    void settingsAtStart();
    void optionsAtStart_data();
    void optionsAtStart();
    void captionLinkAndBar();
    void styledAndCentredByTheTick();
    void workFolderOfAnEarlierStartIsRemoved();
    void workFolderThatIsALinkIsLeftAlone();
    void exitWritesSetupIniByteExact_data();
    void exitWritesSetupIniByteExact();
    void exitThatCannotSaveSaysSo();
    void otherCloseDoesNotWriteSetupIni();
    void unloadDeletesTheTemporaryFiles();
    void unloadRetriesAreBounded();
    void splitLengthIsNotKept();

    void centredCoordinate_data();
    void centredCoordinate();
    void parkedPosition();
    void versionCaption();
    void deleteWithinBound_data();
    void deleteWithinBound();
};

void TestFrmMainStartup::settingsAtStart_data() {
    QTest::addColumn<QByteArray>("setupIni"); // empty: no file
    QTest::addColumn<QStringList>("choices"); // bitrate, rate, channels, format, path ("~" home)

    const QStringList defaults{"128", "44100", "Stereo", "MP3", "~/output"};
    QTest::newRow("no settings file") << QByteArray() << defaults;
    QTest::newRow("stored choices")
        << QByteArray("\"3\"\r\n\"0\"\r\n\"0\"\r\n\"/music/pieces\"\r\n\"4\"\r\n")
        << QStringList{"64", "48000", "Mono", "FLAC", "/music/pieces"};
    QTest::newRow("no selection stays none")
        << QByteArray("\"-1\"\r\n\"-1\"\r\n\"1\"\r\n\"/a\"\r\n\"-1\"\r\n")
        << QStringList{"", "", "Stereo", "", "/a"};
    QTest::newRow("damaged values keep their defaults")
        << QByteArray("\"abc\"\r\n\"99\"\r\n\"0\"\r\n\"/b\"\r\n\"2.5x\"\r\n")
        << QStringList{"128", "44100", "Mono", "MP3", "/b"};
    QTest::newRow("empty path falls back to the default folder")
        << QByteArray("\"2\"\r\n\"1\"\r\n\"1\"\r\n\"\"\r\n\"8\"\r\n")
        << QStringList{"56", "44100", "Stereo", "MPG", "~/output"};
    QTest::newRow("cut short") << QByteArray("\"11\"\r\n")
                               << QStringList{"320", "44100", "Stereo", "MP3", "~/output"};
    QTest::newRow("binary rubbish") << QByteArray("\x00\xff\xfe\"\x01", 5) << defaults;
}

void TestFrmMainStartup::settingsAtStart() {
    QFETCH(QByteArray, setupIni);
    QFETCH(QStringList, choices);
    MainWindowFixture f;
    if (!setupIni.isEmpty())
        QVERIFY(f.write(f.setupIni(), setupIni));
    choices.replaceInStrings(QStringLiteral("~"), f.home());
    const MainWindowControls& c = f.open().controls();
    QCOMPARE(Choices(c), choices);
    // The split length is not stored: it starts at its design value.
    QCOMPARE(c.txtSplit->text(), QStringLiteral("30"));
    QCOMPARE(c.cmbUnit->currentText(), QStringLiteral("Seconds"));
    QVERIFY(f.messages.entries.isEmpty());
}

void TestFrmMainStartup::optionsAtStart_data() {
    QTest::addColumn<QByteArray>("optionsIni");
    QTest::addColumn<int>("reminder");
    QTest::addColumn<int>("cutter");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::newRow("no options file: reminder on, cutter off") << QByteArray() << 0 << 0 << 0 << 0;
    QTest::newRow("stored") << QByteArray("1\r\n1\r\n90\r\n30\r\n") << 1 << 1 << 90 << 30;
    QTest::newRow("damaged fields read as 0") << QByteArray("x\r\n") << 0 << 0 << 0 << 0;
}

void TestFrmMainStartup::optionsAtStart() {
    QFETCH(QByteArray, optionsIni);
    QFETCH(int, reminder);
    QFETCH(int, cutter);
    QFETCH(int, start);
    QFETCH(int, length);
    MainWindowFixture f;
    if (!optionsIni.isEmpty())
        QVERIFY(f.write(f.optionsIni(), optionsIni));
    const OptionValues& options = f.open().optionValues();
    QCOMPARE(int(options.SoundReminder), reminder);
    QCOMPARE(int(options.CutterEnabled), cutter);
    QCOMPARE(int(options.CutterStart), start);
    QCOMPARE(int(options.CutterLength), length);
}

void TestFrmMainStartup::captionLinkAndBar() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    QCOMPARE(w.windowTitle(), QStringLiteral("Vantorel - Ver 1.0.0"));
    QVERIFY(c.lblWeb->text().startsWith(QStringLiteral("Vantorel - ")));
    QCOMPARE(c.lblWeb->palette().color(QPalette::WindowText), QColor(48, 70, 84));
    QCOMPARE(c.imgPB->width(), 0);
    QCOMPARE(c.picDrop->geometry(), c.LV->geometry());
    QVERIFY(!c.picDrop->isVisible());
    QVERIFY(c.picText->isVisible());
    QCOMPARE(w.size(), QSize(MainWindowClientWidth, MainWindowClientHeight));
    QCOMPARE(c.LV->model(), &w.list());
}

void TestFrmMainStartup::styledAndCentredByTheTick() {
    MainWindowFixture f;
    frmMain& w = f.open();
    QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    // The skin's rounded corners are key colour: see-through; the middle is drawn.
    const QRegion mask = w.mask();
    QVERIFY(!mask.isEmpty());
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(w.width() - 1, w.height() - 1)));
    QVERIFY(mask.contains(QPoint(w.width() / 2, w.height() / 2)));
    const QRect screen = w.screen()->geometry();
    QCOMPARE(w.pos(), screen.topLeft() + CentredPosition(screen.size(), w.size(), 15, 15));
}

void TestFrmMainStartup::workFolderOfAnEarlierStartIsRemoved() {
    MainWindowFixture f;
    QVERIFY(f.touch(f.work() + QStringLiteral("/tmp.wav")));
    QVERIFY(f.touch(f.work() + QStringLiteral("/deep/er/copy.tmp")));
    f.open();
    QVERIFY(!QFileInfo::exists(f.work()));
}

void TestFrmMainStartup::workFolderThatIsALinkIsLeftAlone() {
    MainWindowFixture f;
    const QString elsewhere = f.path(QStringLiteral("someone else's"));
    QVERIFY(f.touch(elsewhere + QStringLiteral("/keep.wav")));
    QVERIFY(QFile::link(elsewhere, f.work()));
    f.open();
    QVERIFY(QFileInfo(f.work()).isSymLink());
    QVERIFY(QFileInfo::exists(elsewhere + QStringLiteral("/keep.wav")));
}

void TestFrmMainStartup::exitWritesSetupIniByteExact_data() {
    QTest::addColumn<int>("bitrate");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("path"); // "~": the default folder
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("defaults") << 7 << 1 << 1 << "~" << 0
                              << QByteArray("\"7\"\r\n\"1\"\r\n\"1\"\r\n\"~\"\r\n\"0\"\r\n");
    QTest::newRow("changed") << 11 << 7 << 0 << "/srv/Hörbuch pieces" << 7
                             << QByteArray("\"11\"\r\n\"7\"\r\n\"0\"\r\n\"/srv/H\xc3\xb6rbuch "
                                           "pieces\"\r\n\"7\"\r\n");
    QTest::newRow("no selections")
        << -1 << -1 << -1 << "" << -1
        << QByteArray("\"-1\"\r\n\"-1\"\r\n\"-1\"\r\n\"\"\r\n\"-1\"\r\n");
}

void TestFrmMainStartup::exitWritesSetupIniByteExact() {
    QFETCH(int, bitrate);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(QString, path);
    QFETCH(int, format);
    QFETCH(QByteArray, expected);
    MainWindowFixture f;
    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    c.cmbBR->setCurrentIndex(bitrate);
    c.cmbR->setCurrentIndex(rate);
    c.cmbChannel->setCurrentIndex(channels);
    c.txtPath->setText(path == QLatin1String("~") ? f.defaultOutput() : path);
    c.cmbOF->setCurrentIndex(format);
    c.txtSplit->setText(QStringLiteral("45"));
    QSignalSpy unloaded(&w, &frmMain::Unloaded);

    w.RunToolbarAction(4);

    QCOMPARE(unloaded.size(), 1);
    QVERIFY(!w.isVisible());
    expected.replace("~", f.defaultOutput().toUtf8());
    QCOMPARE(f.read(f.setupIni()), expected);
    QVERIFY(!QFileInfo::exists(f.optionsIni()));
    QVERIFY(f.messages.entries.isEmpty());
}

void TestFrmMainStartup::exitThatCannotSaveSaysSo() {
    MainWindowFixture f;
    frmMain& w = f.open();
    // A folder where the file should be cannot be replaced by it, whoever we are.
    QVERIFY(QDir().mkpath(f.setupIni() + QStringLiteral("/in the way")));
    QSignalSpy unloaded(&w, &frmMain::Unloaded);
    w.SaveAndExit();
    QCOMPARE(unloaded.size(), 1);
    QCOMPARE(f.messages.entries.size(), 1);
    QVERIFY(f.messages.entries[0].text.contains(f.setupIni()));
}

void TestFrmMainStartup::otherCloseDoesNotWriteSetupIni() {
    MainWindowFixture f;
    const QByteArray before("\"3\"\r\n\"0\"\r\n\"0\"\r\n\"/kept\"\r\n\"4\"\r\n");
    QVERIFY(f.write(f.setupIni(), before));
    frmMain& w = f.open();
    w.controls().cmbBR->setCurrentIndex(0);
    w.controls().txtPath->setText(QStringLiteral("/changed"));
    QSignalSpy unloaded(&w, &frmMain::Unloaded);
    QVERIFY(w.close());
    QCOMPARE(unloaded.size(), 1);
    QCOMPARE(f.read(f.setupIni()), before);
}

void TestFrmMainStartup::unloadDeletesTheTemporaryFiles() {
    MainWindowFixture f;
    frmMain& w = f.open();
    const QString wav = f.work() + QStringLiteral("/tmp.wav");
    const QString mp3 = f.work() + QStringLiteral("/tmpfile1.mp3");
    const QString copy = f.work() + QStringLiteral("/song.tmp");
    QVERIFY(f.touch(wav));
    QVERIFY(f.touch(mp3));
    QVERIFY(f.touch(copy));
    QVERIFY(w.close());
    QVERIFY(!QFileInfo::exists(wav));
    QVERIFY(!QFileInfo::exists(mp3));
    // Working copies stay until the next start.
    QVERIFY(QFileInfo::exists(copy));
}

void TestFrmMainStartup::unloadRetriesAreBounded() {
    MainWindowFixture f;
    frmMain& w = f.open();
    // A folder named like the temporary WAV can never be deleted as a file, not even by root.
    const QString wav = f.work() + QStringLiteral("/tmp.wav");
    QVERIFY(f.touch(wav + QStringLiteral("/held")));
    const QString mp3 = f.work() + QStringLiteral("/tmpfile1.mp3");
    QVERIFY(f.touch(mp3));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(w.close());
    const qint64 took = clock.elapsed();
    QVERIFY2(took < 6000, qPrintable(QString::number(took)));
    QVERIFY2(took >= 900, qPrintable(QString::number(took))); // it did keep trying for a while
    QVERIFY(QFileInfo(wav).isDir());
    QVERIFY(!QFileInfo::exists(mp3));
}

void TestFrmMainStartup::splitLengthIsNotKept() {
    MainWindowFixture f;
    {
        frmMain& w = f.open();
        w.controls().txtSplit->setText(QStringLiteral("12"));
        w.controls().txtPath->setText(QStringLiteral("/chosen/before/exit"));
        w.SaveAndExit();
    }
    const MainWindowControls& c = f.open().controls();
    QCOMPARE(c.txtSplit->text(), QStringLiteral("30"));
    QCOMPARE(c.txtPath->text(), QStringLiteral("/chosen/before/exit"));
}

void TestFrmMainStartup::centredCoordinate_data() {
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("window");
    QTest::addColumn<double>("tpp");
    QTest::addColumn<int>("expected");
    QTest::newRow("even room") << 1000 << 600 << 15.0 << 200;
    // 325 px = 4875 twips; half is 2437.5, to the even 2438, which is 162.53 px.
    QTest::newRow("odd room, half twip to even") << 1024 << 699 << 15.0 << 163;
    // 1 px = 15 twips; 7.5 goes to 8 twips, about half a pixel: one pixel.
    QTest::newRow("one pixel of room") << 700 << 699 << 15.0 << 1;
    // 3 px = 45 twips; 22.5 goes to 22 twips, 1.47 px.
    QTest::newRow("half twip down to even") << 702 << 699 << 15.0 << 1;
    QTest::newRow("window larger than screen") << 600 << 700 << 15.0 << -50;
    // 325 px at 12 twips = 3900; half 1950 twips is 162.5 px.
    QTest::newRow("120 dpi") << 1024 << 699 << 12.0 << 163;
    QTest::newRow("same size") << 699 << 699 << 15.0 << 0;
}

void TestFrmMainStartup::centredCoordinate() {
    QFETCH(int, screen);
    QFETCH(int, window);
    QFETCH(double, tpp);
    QFETCH(int, expected);
    QCOMPARE(CentredCoordinate(screen, window, tpp), expected);
}

void TestFrmMainStartup::parkedPosition() {
    // 100 twips of the window stay on the screen: 7 pixels at 96 dpi, 8 at 120 dpi.
    QCOMPARE(ParkedPosition(QSize(699, 454), 15, 15), QPoint(7 - 699, 7 - 454));
    QCOMPARE(ParkedPosition(QSize(699, 454), 12, 12), QPoint(8 - 699, 8 - 454));
}

void TestFrmMainStartup::versionCaption() {
    QCOMPARE(VersionCaption(1, 0, 0), QStringLiteral("Vantorel - Ver 1.0.0"));
    QCOMPARE(VersionCaption(2, 10, 307), QStringLiteral("Vantorel - Ver 2.10.307"));
}

void TestFrmMainStartup::deleteWithinBound_data() {
    QTest::addColumn<int>("failures"); // refusals before a removal works; -1: never works
    QTest::addColumn<bool>("gone");
    QTest::newRow("first try") << 0 << true;
    QTest::newRow("after three refusals") << 3 << true;
    QTest::newRow("never") << -1 << false;
}

void TestFrmMainStartup::deleteWithinBound() {
    QFETCH(int, failures);
    QFETCH(bool, gone);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tmp.wav"));
    QVERIFY(MainWindowFixture::touch(file));
    int attempts = 0;
    bool eventsRan = false;
    QTimer::singleShot(0, this, [&eventsRan] { eventsRan = true; });
    const FileRemoval removal = [&](const QString& p) {
        ++attempts;
        if (failures < 0 || attempts <= failures)
            return false;
        return QFile::remove(p);
    };
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(DeleteFileWithinBound(file, std::chrono::milliseconds(500), removal), gone);
    QCOMPARE(QFileInfo::exists(file), !gone);
    if (failures >= 0) {
        QCOMPARE(attempts, failures + 1);
    } else {
        QVERIFY(attempts > 1);
        QVERIFY(clock.elapsed() >= 500);
        QVERIFY(clock.elapsed() < 3000);
    }
    if (failures != 0)
        QVERIFY(eventsRan); // the window stays alive between attempts
}

QTEST_MAIN(TestFrmMainStartup)
#include "tst_frmmain_startup.moc"
