// The probe, the FLAC pre-decode and the refusals of conv.exe, through the built program.

#include "ConvExeRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

using namespace convtest;

class TestConvExeUses : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void probePrintsTheDurationAndEnds_data();
    void probePrintsTheDurationAndEnds();
    void preDecodeWritesTheWav();
    void existingPiecesAreOverwritten();
    void percentSignsInNamesAreKept();
    void badInputIsRefusedClearly_data();
    void badInputIsRefusedClearly();
    void sourceIsNeverWrittenOver();
    void unreadableSourceIsRefused();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestConvExeUses::initTestCase() {
    QVERIFY(QFile::exists(convExe()));
    QVERIFY(m_dir.isValid());
    QVERIFY(ffmpeg(
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=95", "-ac", "2", path("song.mp3")}));
    QVERIFY(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=95", path("song.flac")}));
    QVERIFY(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=65", path("50% off.wav")}));
    QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc=duration=5:size=160x120:rate=10", "-c:v", "mpeg4",
                    path("silent.mp4")}));
    QFile garbage(path("garbage.mp3"));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    QVERIFY(QDir().mkpath(path("out")));
    QFile notAFolder(path("plain-file"));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
}

void TestConvExeUses::probePrintsTheDurationAndEnds_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("duration");
    QTest::newRow("mp3") << "song.mp3"
                         << "Duration: 00:01:35.0";
    QTest::newRow("flac") << "song.flac"
                          << "Duration: 00:01:35.0";
    QTest::newRow("name with percent and space") << "50% off.wav"
                                                 << "Duration: 00:01:05.0";
}

void TestConvExeUses::probePrintsTheDurationAndEnds() {
    QFETCH(QString, source);
    QFETCH(QString, duration);
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const Result result = runConv({"-i", path(source)}, 60 * 1000);
    QVERIFY2(result.finished, "the probe did not end by itself");
    QVERIFY2(!result.crashed && result.exitCode == 0, qPrintable(result.output));
    QVERIFY2(result.output.contains(duration), qPrintable(result.output));
    QVERIFY(!result.output.contains("At least one output file"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void TestConvExeUses::preDecodeWritesTheWav() {
    const QString wav = path("work/tmp.wav");
    QVERIFY(QDir().mkpath(path("work")));
    // The second run meets the first one's file and must replace it without asking.
    for (int run = 0; run < 2; ++run) {
        const Result result = runConv({"-threads", "1", "-i", path("song.flac"), wav});
        QVERIFY2(result.finished && result.exitCode == 0, qPrintable(result.output));
        QCOMPARE(audioStream(wav), QStringLiteral("pcm_s16le,44100,1"));
        QVERIFY(std::fabs(decodedSeconds(wav) - 95) < 0.05);
    }
    const Result probe = runConv({"-i", wav});
    QVERIFY(probe.output.contains("Duration: 00:01:35.00"));
}

void TestConvExeUses::existingPiecesAreOverwritten() {
    const QString out = path("again");
    QVERIFY(QDir().mkpath(out));
    QFile stale(out + "/song00000.ogg");
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("not a piece");
    stale.close();
    const Result result = runConv({"-i", path("song.mp3"), "-f", "segment", "-segment_time", "60",
                                   "-y", "-vn", "-ac", "2", out + "/song%05d.ogg"});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QVERIFY(std::fabs(decodedSeconds(out + "/song00000.ogg") - 60) < 0.6);
    QVERIFY(std::fabs(decodedSeconds(out + "/song00001.ogg") - 35) < 0.6);
}

void TestConvExeUses::percentSignsInNamesAreKept() {
    const QString out = path("100% out");
    QVERIFY(QDir().mkpath(out));
    const Result result =
        runConv({"-i", path("50% off.wav"), "-f", "segment", "-segment_time", "30", "-y", "-vn",
                 "-acodec", "pcm_s16le", out + "/50% off%05d.wav"});
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    QCOMPARE(piecesIn(out, "50% off", "wav"),
             QStringList({"50% off00000.wav", "50% off00001.wav", "50% off00002.wav"}));
}

void TestConvExeUses::badInputIsRefusedClearly_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const QString out = path("out") + "/x%05d.mp3";
    const QStringList mp3{"-f", "segment", "-segment_time", "30", "-y", "-vn", "-ab", "128k"};
    QTest::newRow("missing source")
        << QStringList{"-i", path("nothing.mp3")} + mp3 + QStringList{out} << "does not exist";
    QTest::newRow("probe of a missing source")
        << QStringList{"-i", path("nothing.mp3")} << "does not exist";
    QTest::newRow("source is a folder")
        << QStringList{"-i", path("out")} + mp3 + QStringList{out} << "is a folder";
    QTest::newRow("source is not media")
        << QStringList{"-i", path("garbage.mp3")} + mp3 + QStringList{out} << "not a media file";
    QTest::newRow("source without audio")
        << QStringList{"-i", path("silent.mp4")} + mp3 + QStringList{out} << "has no audio stream";
    QTest::newRow("AMR of a source without audio") << QStringList{"-i",
                                                                  path("silent.mp4"),
                                                                  "-f",
                                                                  "segment",
                                                                  "-segment_time",
                                                                  "30",
                                                                  "-y",
                                                                  "-vn",
                                                                  "-ar",
                                                                  "8000",
                                                                  "-ab",
                                                                  "7.4k",
                                                                  "-ac",
                                                                  "1",
                                                                  path("out") + "/x%05d.amr"}
                                                   << "has no audio stream";
    QTest::newRow("output folder missing")
        << QStringList{"-i", path("song.mp3")} + mp3 + QStringList{path("gone") + "/x%05d.mp3"}
        << "does not exist";
    QTest::newRow("output folder is a file") << QStringList{"-i", path("song.mp3")} + mp3 +
                                                    QStringList{path("plain-file") + "/x%05d.mp3"}
                                             << "is not a folder";
    // Nothing can be created in /proc, not even by root.
    QTest::newRow("output folder not writable")
        << QStringList{"-i", path("song.mp3")} + mp3 + QStringList{"/proc/x%05d.mp3"}
        << "cannot be written";
    QTest::newRow("pre-decode into a missing folder")
        << QStringList{"-threads", "1", "-i", path("song.flac"), path("gone/tmp.wav")}
        << "does not exist";
    for (const char* seconds : {"0", "-30", "abc"}) {
        QTest::addRow("piece length %s", seconds) << QStringList{"-i",
                                                                 path("song.mp3"),
                                                                 "-f",
                                                                 "segment",
                                                                 "-segment_time",
                                                                 seconds,
                                                                 "-y",
                                                                 "-vn",
                                                                 out}
                                                  << "piece length";
    }
    QTest::newRow("no input") << QStringList{"-y", out} << "before the input";
}

void TestConvExeUses::badInputIsRefusedClearly() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QElapsedTimer clock;
    clock.start();
    const Result result = runConv(args, 60 * 1000);
    QVERIFY2(result.finished, "conv.exe hung");
    QVERIFY2(!result.crashed && result.exitCode != 0, qPrintable(result.output));
    const QStringList lines = result.output.trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith("conv.exe: ") && lines[0].contains(message), qPrintable(lines[0]));
    QCOMPARE(QDir(path("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

void TestConvExeUses::sourceIsNeverWrittenOver() {
    // A piece name that is a link to the piece it would become: writing would destroy it.
    const QString out = path("linked");
    QVERIFY(QDir().mkpath(out));
    QVERIFY(QFile::link(path("song.mp3"), out + "/song00001.mp3"));
    const Result result = runConv({"-i", path("song.mp3"), "-f", "segment", "-segment_time", "30",
                                   "-y", "-vn", out + "/song%05d.mp3"});
    QVERIFY(result.exitCode != 0);
    QVERIFY2(result.output.contains("would overwrite the source"), qPrintable(result.output));
    QVERIFY(std::fabs(decodedSeconds(path("song.mp3")) - 95) < 0.1);
}

void TestConvExeUses::unreadableSourceIsRefused() {
    if (geteuid() == 0)
        QSKIP("root reads every file: no unreadable source can be made");
    QFile::copy(path("song.mp3"), path("locked.mp3"));
    QVERIFY(chmod(QFile::encodeName(path("locked.mp3")).constData(), 0) == 0);
    const Result result = runConv({"-i", path("locked.mp3")});
    QVERIFY(result.exitCode != 0);
    QVERIFY2(result.output.contains("cannot be read"), qPrintable(result.output));
}

QTEST_GUILESS_MAIN(TestConvExeUses)
#include "tst_convexe_uses.moc"
