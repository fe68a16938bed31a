#include "engine/CommandBuilder.h"
#include "platform/AppPaths.h"

#include <QTest>

using namespace vantorel;

class TestCommandBuilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { paths::setWorkFolderForTesting(QStringLiteral("/tmp/vantorel-1000")); }
    void cleanupTestCase() { paths::setWorkFolderForTesting(QString()); }
    void convert_data();
    void convert();
    void refused_data();
    void refused();
    void splitSeconds_data();
    void splitSeconds();
    void outputFolder_data();
    void outputFolder();
    void flacSource_data();
    void flacSource();
    void preDecodeAndProbe();
};

namespace {
const QString kApp = QStringLiteral("/App");
const QString kSource = QStringLiteral("/Music/Live Set.mp3");
const QString kHead =
    QStringLiteral("/App/data/conv.exe -i \"/Music/Live Set.mp3\" -f segment -segment_time 1800");
} // namespace

void TestCommandBuilder::convert_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("bitrate");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("expected");

    const QString out = QStringLiteral("/Output/");
    const QString base = QStringLiteral("Live Set");
    auto row = [&](const char* name, int format, const QString& tail) {
        QTest::newRow(name) << kSource << out << base << format << "128"
                            << "44100" << 2 << kHead + tail;
    };
    row("worked example, MP3", FormatMp3,
        " -y -map_metadata 0 -id3v2_version 3 -vn -ab 128k -ar 44100 -ac 2 "
        "\"/Output/Live Set%05d.mp3\"");
    row("WMA", FormatWma, " -y -vn -acodec wmav1 \"/Output/Live Set%05d.wma\"");
    row("OGG always stereo", FormatOgg, " -y -vn -ac 2 \"/Output/Live Set%05d.ogg\"");
    row("WAV", FormatWav, " -y -vn -acodec pcm_s16le \"/Output/Live Set%05d.wav\"");
    row("FLAC", FormatFlac, " -y -vn \"/Output/Live Set%05d.flac\"");
    row("AC3", FormatAc3, " -y -vn \"/Output/Live Set%05d.ac3\"");
    row("AAC bitrate only", FormatAac, " -y -vn -ab 128k \"/Output/Live Set%05d.aac\"");
    row("AMR fixed", FormatAmr, " -y -vn -ar 8000 -ab 7.4k -ac 1 \"/Output/Live Set%05d.amr\"");
    row("MPG", FormatMpg, " -y -vn -ab 128k -ar 44100 -ac 2 \"/Output/Live Set%05d.mpg\"");

    QTest::newRow("MP3 mono, 12050 passed as written")
        << kSource << out << base << int{FormatMp3} << "320"
        << "12050" << 1
        << kHead + " -y -map_metadata 0 -id3v2_version 3 -vn -ab 320k -ar 12050 -ac 1 "
                   "\"/Output/Live Set%05d.mp3\"";
    QTest::newRow("AC3 ignores the lists")
        << kSource << out << base << int{FormatAc3} << "320"
        << "8000" << 1 << kHead + " -y -vn \"/Output/Live Set%05d.ac3\"";
    QTest::newRow("empty base name")
        << "/a.b/noext" << out << "" << int{FormatWav} << "128"
        << "44100" << 2
        << "/App/data/conv.exe -i \"/a.b/noext\" -f segment -segment_time 1800 -y -vn -acodec "
           "pcm_s16le \"/Output/%05d.wav\"";
    QTest::newRow("empty box gives the root")
        << kSource << "/" << base << int{FormatFlac} << "128"
        << "44100" << 2 << kHead + " -y -vn \"/Live Set%05d.flac\"";
    // The encoder takes the last piece number of the name as the pattern and every other "%" as
    // a plain character, so names pass as they are.
    QTest::newRow("percent in names passes as it is")
        << "/m/50% off.mp3"
        << "/out%d/"
        << "50% off" << int{FormatFlac} << ""
        << "" << 0
        << "/App/data/conv.exe -i \"/m/50% off.mp3\" -f segment -segment_time 1800 -y -vn "
           "\"/out%d/50% off%05d.flac\"";
    QTest::newRow("relative paths cannot read as options")
        << "-i.mp3"
        << "-y/"
        << "-i" << int{FormatFlac} << ""
        << "" << 0
        << "/App/data/conv.exe -i \"./-i.mp3\" -f segment -segment_time 1800 -y -vn "
           "\"./-y/-i%05d.flac\"";
    QTest::newRow("relative path cannot read as a protocol")
        << "pipe:0"
        << "http:/"
        << "x" << int{FormatFlac} << ""
        << "" << 0
        << "/App/data/conv.exe -i \"./pipe:0\" -f segment -segment_time 1800 -y -vn "
           "\"./http:/x%05d.flac\"";
}

void TestCommandBuilder::convert() {
    QFETCH(QString, source);
    QFETCH(QString, folder);
    QFETCH(QString, baseName);
    QFETCH(int, format);
    QFETCH(QString, bitrate);
    QFETCH(QString, rate);
    QFETCH(int, channels);
    QFETCH(QString, expected);
    QCOMPARE(ConvertProblem(source, folder, baseName, 1800, format, bitrate, rate, channels),
             QString());
    QCOMPARE(ConvertCommand(kApp, source, folder, baseName, 1800, format, bitrate, rate, channels),
             expected);
}

void TestCommandBuilder::refused_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<int>("split");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("bitrate");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("named"); // the message must name this

    const QString out = QStringLiteral("/Output/");
    QTest::newRow("quote in source") << "/m/a\" -f null \"b.mp3" << out << "b" << 30 << 0 << "128"
                                     << "44100" << 2 << "/m/a\" -f null \"b.mp3";
    QTest::newRow("quote in output folder") << kSource << "/o\" -y \"/"
                                            << "Live Set" << 30 << 0 << "128"
                                            << "44100" << 2 << "/o\" -y \"/";
    QTest::newRow("quote in base name") << kSource << out << "a\"b" << 30 << 0 << "128"
                                        << "44100" << 2 << "a\"b";
    QTest::newRow("no source") << "" << out << "" << 30 << 0 << "128"
                               << "44100" << 2 << "";
    QTest::newRow("split 0") << kSource << out << "Live Set" << 0 << 0 << "128"
                             << "44100" << 2 << "split";
    QTest::newRow("split negative") << kSource << out << "Live Set" << -30 << 3 << ""
                                    << "" << 0 << "split";
    QTest::newRow("no format") << kSource << out << "Live Set" << 30 << -1 << "128"
                               << "44100" << 2 << "format";
    QTest::newRow("format past the list") << kSource << out << "Live Set" << 30 << 9 << "128"
                                          << "44100" << 2 << "format";
    QTest::newRow("MP3 without bitrate") << kSource << out << "Live Set" << 30 << 0 << ""
                                         << "44100" << 2 << "bitrate";
    QTest::newRow("AAC bitrate with option") << kSource << out << "Live Set" << 30 << 6 << "1 -f"
                                             << "" << 0 << "bitrate";
    QTest::newRow("MPG without rate") << kSource << out << "Live Set" << 30 << 8 << "128"
                                      << "" << 2 << "sample rate";
    QTest::newRow("MP3 without channels") << kSource << out << "Live Set" << 30 << 0 << "128"
                                          << "44100" << 0 << "Mono";
}

void TestCommandBuilder::refused() {
    QFETCH(QString, source);
    QFETCH(QString, folder);
    QFETCH(QString, baseName);
    QFETCH(int, split);
    QFETCH(int, format);
    QFETCH(QString, bitrate);
    QFETCH(QString, rate);
    QFETCH(int, channels);
    QFETCH(QString, named);
    const QString problem =
        ConvertProblem(source, folder, baseName, split, format, bitrate, rate, channels);
    QVERIFY(!problem.isEmpty());
    QVERIFY2(problem.contains(named), qPrintable(problem));
    QCOMPARE(ConvertCommand(kApp, source, folder, baseName, split, format, bitrate, rate, channels),
             QString());
}

void TestCommandBuilder::splitSeconds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("expected");
    QTest::newRow("30 seconds") << "30" << 0 << 0 << 30;
    QTest::newRow("30 minutes") << "30" << 1 << 0 << 1800;
    QTest::newRow("30 hours") << "30" << 2 << 0 << 108000;
    QTest::newRow("unknown unit counts as hours") << "1" << 7 << 0 << 3600;
    QTest::newRow("no unit counts as hours") << "1" << -1 << 0 << 3600;
    QTest::newRow("letters, first source") << "abc" << 0 << 0 << 0;
    QTest::newRow("empty, first source") << "" << 1 << 0 << 0;
    QTest::newRow("letters keep previous") << "1O" << 0 << 1800 << 1800;
    QTest::newRow("2.5 to even") << "2.5" << 0 << 0 << 2;
    QTest::newRow("3.5 to even") << "3.5" << 0 << 0 << 4;
    QTest::newRow("rounded before the unit") << "0.5" << 2 << 9 << 0;
    QTest::newRow("negative kept as is") << "-5" << 1 << 0 << -300;
    QTest::newRow("1000000 hours overflows") << "1000000" << 2 << 1800 << 1800;
    QTest::newRow("largest hours") << "596523" << 2 << 0 << 2147482800;
    QTest::newRow("one hour past the top") << "596524" << 2 << 7 << 7;
    QTest::newRow("one minute past the bottom") << "-35791395" << 1 << 7 << 7;
    QTest::newRow("past 32 bits before the unit") << "3000000000" << 0 << 7 << 7;
}

void TestCommandBuilder::splitSeconds() {
    QFETCH(QString, text);
    QFETCH(int, unit);
    QFETCH(int, previous);
    QFETCH(int, expected);
    QCOMPARE(SplitSeconds(text, unit, previous), expected);
}

void TestCommandBuilder::outputFolder_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("expected");
    QTest::newRow("gains a slash") << "/home/u/output"
                                   << "/home/u/output/";
    QTest::newRow("already ends in one") << "/home/u/output/"
                                         << "/home/u/output/";
    QTest::newRow("empty box") << ""
                               << "/";
    QTest::newRow("backslash is a name char") << "/o\\"
                                              << "/o\\/";
}

void TestCommandBuilder::outputFolder() {
    QFETCH(QString, box);
    QFETCH(QString, expected);
    QCOMPARE(OutputFolderFor(box), expected);
}

void TestCommandBuilder::flacSource_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("flac");
    QTest::newRow("lower") << "/m/a.flac" << true;
    QTest::newRow("upper") << "/m/a.FLAC" << true;
    QTest::newRow("mixed") << "/m/a.FlaC" << true;
    QTest::newRow("ending only, no dot") << "/m/aflac" << true;
    QTest::newRow("backup") << "/m/a.flac.bak" << false;
    QTest::newRow("working copy") << "/tmp/vantorel-1000/a.tmp" << false;
    QTest::newRow("short") << "lac" << false;
    QTest::newRow("empty") << "" << false;
}

void TestCommandBuilder::flacSource() {
    QFETCH(QString, source);
    QFETCH(bool, flac);
    QCOMPARE(IsFlacSource(source), flac);
}

void TestCommandBuilder::preDecodeAndProbe() {
    const QString flac = QStringLiteral("/Music/Live Set.flac");
    QCOMPARE(
        PreDecodeCommand(kApp, flac),
        "/App/data/conv.exe -threads 1 -i \"/Music/Live Set.flac\" /tmp/vantorel-1000/tmp.wav");
    QCOMPARE(ProbeCommand(kApp, flac, true), "/App/data/conv.exe -i /tmp/vantorel-1000/tmp.wav");
    QCOMPARE(ProbeCommand(kApp, kSource, false), "/App/data/conv.exe -i \"/Music/Live Set.mp3\"");
    // The executable is never quoted, even with a space in the application folder.
    QCOMPARE(ProbeCommand(QStringLiteral("/My App"), kSource, false),
             "/My App/data/conv.exe -i \"/Music/Live Set.mp3\"");

    const QString unsafe = QStringLiteral("/m/x\" -i \"/etc/passwd.flac");
    QVERIFY(SourceProblem(unsafe).contains(unsafe));
    QCOMPARE(PreDecodeCommand(kApp, unsafe), QString());
    QCOMPARE(ProbeCommand(kApp, unsafe, false), QString());
    // The FLAC probe reads only the temporary WAV, so the source's name does not matter.
    QCOMPARE(ProbeCommand(kApp, unsafe, true), "/App/data/conv.exe -i /tmp/vantorel-1000/tmp.wav");
}

QTEST_GUILESS_MAIN(TestCommandBuilder)
#include "tst_commandbuilder.moc"
