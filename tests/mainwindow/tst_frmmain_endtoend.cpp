#include "MainWindowFixture.h"
#include "engine/RunDriver.h"
#include "ui/ImageButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>

using namespace vantorel;
using namespace vantorel::testsupport;

// The program as a person uses it, with the real encoder: two files and a folder added through
// the dialogs, Convert pressed, and the pieces written.
class TestFrmMainEndToEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addConvertAndFindThePieces();

private:
    static bool generate(const QString& path, int seconds, const QString& codec);
};

bool TestFrmMainEndToEnd::generate(const QString& path, int seconds, const QString& codec) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return QProcess::execute(
               QStringLiteral("ffmpeg"),
               {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                QStringLiteral("error"), QStringLiteral("-f"), QStringLiteral("lavfi"),
                QStringLiteral("-i"),
                QStringLiteral("sine=frequency=330:sample_rate=44100:duration=%1").arg(seconds),
                QStringLiteral("-c:a"), codec, QStringLiteral("-y"), path}) == 0;
}

void TestFrmMainEndToEnd::addConvertAndFindThePieces() {
    QVERIFY(QFileInfo(QStringLiteral(VANTOREL_APP_DIR "/data/conv.exe")).isExecutable());
    MainWindowFixture f;
    const QString first = f.path(QStringLiteral("music/First Take.wav"));
    const QString second = f.path(QStringLiteral("music/Zweite Aufnahme.mp3"));
    const QString inFolder = f.path(QStringLiteral("album/disc 1/track.flac"));
    QVERIFY(generate(first, 12, QStringLiteral("pcm_s16le")));
    QVERIFY(generate(second, 12, QStringLiteral("libmp3lame")));
    QVERIFY(generate(inFolder, 12, QStringLiteral("flac")));

    frmMain& w = f.open();
    const MainWindowControls& c = w.controls();
    f.dialogs.fileAnswers = {QStringList{first}, QStringList{second}};
    f.dialogs.folderAnswers = {f.path(QStringLiteral("album"))};
    w.RunToolbarAction(0);
    w.RunToolbarAction(0);
    w.RunToolbarAction(6);
    QCOMPARE(w.list().Count(), 3);

    const QString output = f.path(QStringLiteral("pieces"));
    c.txtPath->setText(output);
    c.txtSplit->setText(QStringLiteral("5"));
    QSignalSpy finished(&w.driver(), &RunDriver::RunFinished);
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, c.imgConvert->geometry().center());
    QVERIFY(finished.wait(600000) || !finished.isEmpty());

    QVERIFY2(f.messages.entries.isEmpty(),
             qPrintable(f.messages.entries.isEmpty() ? QString() : f.messages.entries[0].text));
    QCOMPARE(c.lblPB->text(), QStringLiteral("Done."));
    QCOMPARE(w.list().Count(), 0);
    for (const char* base : {"First Take", "Zweite Aufnahme", "track"}) {
        for (int piece = 0; piece < 3; ++piece) {
            const QString name = output + QStringLiteral("/%1%2.mp3")
                                              .arg(QLatin1String(base))
                                              .arg(piece, 5, 10, QLatin1Char('0'));
            QVERIFY2(QFileInfo(name).size() > 0, qPrintable(name));
        }
        const QString fourth =
            output + QStringLiteral("/%1%2.mp3").arg(QLatin1String(base), QStringLiteral("00003"));
        QVERIFY2(!QFileInfo::exists(fourth), qPrintable(fourth));
    }
    QCOMPARE(f.opener.opened, QList<QUrl>{QUrl::fromLocalFile(output)});
    // The sources are still there, as they were.
    QVERIFY(QFileInfo(first).size() > 0);
    QVERIFY(QFileInfo(inFolder).size() > 0);
}

QTEST_MAIN(TestFrmMainEndToEnd)
#include "tst_frmmain_endtoend.moc"
