// How conv.exe reads its command lines and what it asks of FFmpeg, without running anything.

#include "encoder/Arguments.h"
#include "encoder/EncoderError.h"
#include "encoder/FfmpegArguments.h"
#include "encoder/OptionValues.h"
#include "encoder/PieceList.h"
#include "encoder/PiecePattern.h"
#include "encoder/Preflight.h"

#include <QStringList>
#include <QTest>

using namespace vantorel::encoder;

namespace {

std::vector<std::string> words(const QString& text) {
    std::vector<std::string> result;
    for (const QString& word : text.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        result.push_back(word.toStdString());
    return result;
}

QStringList toList(const std::vector<std::string>& args) {
    QStringList list;
    for (const std::string& arg : args)
        list << QString::fromStdString(arg);
    return list;
}

// "a|b" appears as neighbours somewhere in the list.
bool containsRun(const QStringList& list, const QString& run) {
    const QStringList parts = run.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + parts.size() <= list.size(); ++i) {
        if (list.mid(i, parts.size()) == parts)
            return true;
    }
    return false;
}

const QString mp3Line = QStringLiteral(
    "-i|/m/Live Set.mp3|-f|segment|-segment_time|30|-y|-map_metadata|0|-id3v2_version|3|-vn|"
    "-ab|128k|-ar|44100|-ac|2|/out/Live Set%05d.mp3");

} // namespace

Q_DECLARE_METATYPE(Plan::Kind)
Q_DECLARE_METATYPE(Plan::Codec)

class TestEncoderArguments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLinesAreRead_data();
    void commandLinesAreRead();
    void malformedCommandLinesAreRefused_data();
    void malformedCommandLinesAreRefused();
    void plans_data();
    void plans();
    void durations_data();
    void durations();
    void pieceNames_data();
    void pieceNames();
    void possiblePieces_data();
    void possiblePieces();
    void ffmpegIsToldEnough_data();
    void ffmpegIsToldEnough();
    void amrModes_data();
    void amrModes();
    void pieceLists_data();
    void pieceLists();
    void errorLines_data();
    void errorLines();
};

void TestEncoderArguments::commandLinesAreRead_data() {
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("inputOptions");
    QTest::addColumn<int>("outputOptions");
    QTest::newRow("pre-decode") << "-threads|1|-i|/m/a.flac|/tmp/w/tmp.wav"
                                << "/m/a.flac"
                                << "/tmp/w/tmp.wav" << 1 << 0;
    QTest::newRow("probe") << "-i|/m/a b.mp3"
                           << "/m/a b.mp3"
                           << "" << 0 << 0;
    QTest::newRow("conversion") << mp3Line << "/m/Live Set.mp3"
                                << "/out/Live Set%05d.mp3" << 0 << 9;
    QTest::newRow("input named like an option") << "-i|-y.mp3|out.wav"
                                                << "-y.mp3"
                                                << "out.wav" << 0 << 0;
}

void TestEncoderArguments::commandLinesAreRead() {
    QFETCH(QString, args);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(int, inputOptions);
    QFETCH(int, outputOptions);
    const Invocation invocation = parseArguments(words(args));
    QCOMPARE(QString::fromStdString(invocation.input), input);
    QCOMPARE(QString::fromStdString(invocation.output.value_or("")), output);
    QCOMPARE(static_cast<int>(invocation.inputOptions.size()), inputOptions);
    QCOMPARE(static_cast<int>(invocation.outputOptions.size()), outputOptions);
}

void TestEncoderArguments::malformedCommandLinesAreRefused_data() {
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << ""
                             << "no input";
    QTest::newRow("no input") << "-y|out.mp3"
                              << "before the input";
    QTest::newRow("missing value") << "-i|a.mp3|-ab"
                                   << "-ab needs a value";
    QTest::newRow("two inputs") << "-i|a.mp3|-i|b.mp3|out.mp3"
                                << "more than one input";
    QTest::newRow("two outputs") << "-i|a.mp3|x.mp3|y.mp3"
                                 << "more than one output";
    QTest::newRow("option after output") << "-i|a.mp3|x.mp3|-y"
                                         << "after the output";
    QTest::newRow("empty input") << "-i||x.mp3"
                                 << "input name is empty";
}

void TestEncoderArguments::malformedCommandLinesAreRefused() {
    QFETCH(QString, args);
    QFETCH(QString, message);
    // An empty word between bars stands for an empty argument.
    std::vector<std::string> list;
    for (const QString& word : args.split(QLatin1Char('|')))
        list.push_back(word.toStdString());
    if (args.isEmpty())
        list.clear();
    try {
        parseArguments(list);
        QFAIL("accepted");
    } catch (const EncoderError& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
    }
}

void TestEncoderArguments::plans_data() {
    QTest::addColumn<QString>("args");
    QTest::addColumn<Plan::Kind>("kind");
    QTest::addColumn<Plan::Codec>("codec");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("error");
    using K = Plan::Kind;
    using C = Plan::Codec;
    QTest::newRow("probe") << "-i|/a.mp3" << K::Probe << C::Other << 0.0 << "";
    QTest::newRow("single wav") << "-i|/a.flac|/w/tmp.wav" << K::SingleFile << C::Other << 0.0
                                << "";
    QTest::newRow("mp3 pieces") << mp3Line << K::Pieces << C::Other << 30.0 << "";
    QTest::newRow("flac pieces") << "-i|/a.mp3|-f|segment|-segment_time|1800|-y|-vn|/o/a%05d.flac"
                                 << K::Pieces << C::Flac << 1800.0 << "";
    QTest::newRow("upper-case FLAC") << "-i|/a.mp3|-f|segment|-segment_time|30|/o/a%05d.FLAC"
                                     << K::Pieces << C::Flac << 30.0 << "";
    QTest::newRow("amr pieces")
        << "-i|/a.mp3|-f|segment|-segment_time|30|-y|-vn|-ar|8000|-ab|7.4k|-ac|1|/o/a%05d.amr"
        << K::Pieces << C::Amr << 30.0 << "";
    QTest::newRow("amr codec in other name")
        << "-i|/a.mp3|-acodec|libopencore_amrnb|/o/a.3gp" << K::SingleFile << C::Amr << 0.0 << "";
    QTest::newRow("clock length") << "-i|/a.mp3|-f|segment|-segment_time|01:30|/o/a%05d.ogg"
                                  << K::Pieces << C::Other << 90.0 << "";
    QTest::newRow("no length: FFmpeg's two seconds")
        << "-i|/a.mp3|-f|segment|/o/a%05d.ogg" << K::Pieces << C::Other << 2.0 << "";
    QTest::newRow("zero length") << "-i|/a.mp3|-f|segment|-segment_time|0|/o/a%05d.mp3" << K::Pieces
                                 << C::Other << 0.0 << "too short";
    QTest::newRow("negative length") << "-i|/a.mp3|-f|segment|-segment_time|-30|/o/a%05d.mp3"
                                     << K::Pieces << C::Other << 0.0 << "too short";
    QTest::newRow("half a second") << "-i|/a.mp3|-f|segment|-segment_time|0.5|/o/a%05d.mp3"
                                   << K::Pieces << C::Other << 0.0 << "too short";
    QTest::newRow("not a length") << "-i|/a.mp3|-f|segment|-segment_time|abc|/o/a%05d.mp3"
                                  << K::Pieces << C::Other << 0.0 << "not a duration";
    QTest::newRow("no piece number") << "-i|/a.mp3|-f|segment|-segment_time|30|/o/a.mp3"
                                     << K::Pieces << C::Other << 0.0 << "piece number";
}

void TestEncoderArguments::plans() {
    QFETCH(QString, args);
    QFETCH(Plan::Kind, kind);
    QFETCH(Plan::Codec, codec);
    QFETCH(double, seconds);
    QFETCH(QString, error);
    try {
        const Plan plan = planFor(parseArguments(words(args)));
        QVERIFY2(error.isEmpty(), "accepted");
        QCOMPARE(plan.kind, kind);
        QCOMPARE(plan.codec, codec);
        QCOMPARE(plan.segmentSeconds, seconds);
    } catch (const EncoderError& refused) {
        QVERIFY2(!error.isEmpty() && QString::fromUtf8(refused.what()).contains(error),
                 refused.what());
    }
}

void TestEncoderArguments::durations_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("seconds");
    QTest::newRow("whole") << "30" << true << 30.0;
    QTest::newRow("fraction") << "1.5" << true << 1.5;
    QTest::newRow("negative") << "-30" << true << -30.0;
    QTest::newRow("unit s") << "45s" << true << 45.0;
    QTest::newRow("unit ms") << "2500ms" << true << 2.5;
    QTest::newRow("minutes and seconds") << "02:05" << true << 125.0;
    QTest::newRow("hours") << "1:00:00.5" << true << 3600.5;
    QTest::newRow("seconds field of 60") << "00:60" << false << 0.0;
    QTest::newRow("four fields") << "1:2:3:4" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("exponent") << "1e3" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
}

void TestEncoderArguments::durations() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, seconds);
    const std::optional<double> parsed = parseDuration(text.toStdString());
    QCOMPARE(parsed.has_value(), valid);
    if (valid)
        QCOMPARE(*parsed, seconds);
}

void TestEncoderArguments::pieceNames_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("forFfmpeg");
    QTest::newRow("five digits") << "/o/Live Set%05d.mp3" << 3 << "/o/Live Set00003.mp3"
                                 << "/o/Live Set%05d.mp3";
    QTest::newRow("beyond five digits") << "/o/a%05d.mp3" << 123456 << "/o/a123456.mp3"
                                        << "/o/a%05d.mp3";
    QTest::newRow("plain %d") << "/o/a%d.wav" << 7 << "/o/a7.wav"
                              << "/o/a%d.wav";
    QTest::newRow("percent in the name") << "/o/50% off%05d.mp3" << 0 << "/o/50% off00000.mp3"
                                         << "/o/50%% off%05d.mp3";
    QTest::newRow("a number-like name before the number")
        << "/o/track%d%05d.ogg" << 1 << "/o/track%d00001.ogg"
        << "/o/track%%d%05d.ogg";
    QTest::newRow("percent in the folder") << "/o/100%d/a%05d.ac3" << 2 << "/o/100%d/a00002.ac3"
                                           << "/o/100%%d/a%05d.ac3";
    QTest::newRow("number only in the folder") << "/o/x%05d/a.mp3" << 2 << "/o/x%05d/a.mp3"
                                               << "/o/x%%05d/a.mp3";
    QTest::newRow("empty base name") << "/o/%05d.amr" << 10 << "/o/00010.amr"
                                     << "/o/%05d.amr";
}

void TestEncoderArguments::pieceNames() {
    QFETCH(QString, pattern);
    QFETCH(int, number);
    QFETCH(QString, path);
    QFETCH(QString, forFfmpeg);
    const PiecePattern piece(pattern.toStdString());
    QCOMPARE(QString::fromStdString(piece.pathFor(number)), path);
    QCOMPARE(QString::fromStdString(piece.ffmpegTemplate()), forFfmpeg);
}

void TestEncoderArguments::possiblePieces_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("possible");
    QTest::newRow("a piece") << "/o/a%05d.mp3"
                             << "a00012.mp3" << true;
    QTest::newRow("a late piece") << "/o/a%05d.mp3"
                                  << "a100000.mp3" << true;
    QTest::newRow("too few digits") << "/o/a%05d.mp3"
                                    << "a0001.mp3" << false;
    QTest::newRow("the source beside its pieces") << "/o/a%05d.mp3"
                                                  << "a.mp3" << false;
    QTest::newRow("other extension") << "/o/a%05d.mp3"
                                     << "a00000.wav" << false;
    QTest::newRow("letters for digits") << "/o/a%05d.mp3"
                                        << "a0000x.mp3" << false;
    QTest::newRow("single file") << "/o/tmp.wav"
                                 << "tmp.wav" << true;
}

void TestEncoderArguments::possiblePieces() {
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, possible);
    QCOMPARE(PiecePattern(pattern.toStdString()).couldName(name.toStdString()), possible);
}

void TestEncoderArguments::ffmpegIsToldEnough_data() {
    QTest::addColumn<QString>("args");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<QString>("last");
    QTest::newRow("pieces") << mp3Line << QStringList{"-nostdin",
                                                      "-y",
                                                      "-reset_timestamps|1",
                                                      "-protocol_whitelist|file|-i|/m/Live Set.mp3",
                                                      "-sn",
                                                      "-dn",
                                                      "-ab|128k|-ar|44100|-ac|2"}
                            << QStringList{"-n"} << "/out/Live Set%05d.mp3";
    QTest::newRow("no overwrite question even when asked")
        << "-i|/a.flac|-n|/w/tmp.wav" << QStringList{"-y", "-vn"} << QStringList{"-n"}
        << "/w/tmp.wav";
    QTest::newRow("names that look like protocols stay files")
        << "-i|http:x.mp3|pipe:1" << QStringList{"-i|file:http:x.mp3"} << QStringList{}
        << "file:pipe:1";
    QTest::newRow("literal percent signs")
        << "-i|/a.mp3|-f|segment|-segment_time|30|/o/50% off%05d.mp3" << QStringList{}
        << QStringList{} << "/o/50%% off%05d.mp3";
}

void TestEncoderArguments::ffmpegIsToldEnough() {
    QFETCH(QString, args);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(QString, last);
    const Invocation invocation = parseArguments(words(args));
    const QStringList list = toList(passThroughArguments(invocation, planFor(invocation), ""));
    for (const QString& run : present)
        QVERIFY2(containsRun(list, run), qPrintable(run + " missing in " + list.join(' ')));
    for (const QString& run : absent)
        QVERIFY2(!containsRun(list, run), qPrintable(run + " present in " + list.join(' ')));
    QCOMPARE(list.count("-y"), 1);
    QCOMPARE(list.last(), last);
}

void TestEncoderArguments::amrModes_data() {
    QTest::addColumn<QString>("bitRate");
    QTest::addColumn<int>("mode");
    QTest::newRow("7.4k") << "7.4k" << 4;
    QTest::newRow("none asked") << "" << 4;
    QTest::newRow("12.2k") << "12.2k" << 7;
    QTest::newRow("far above") << "128k" << 7;
    QTest::newRow("far below") << "1k" << 0;
    QTest::newRow("plain bits") << "10200" << 6;
    QTest::newRow("nonsense") << "fast" << 4;
}

void TestEncoderArguments::amrModes() {
    QFETCH(QString, bitRate);
    QFETCH(int, mode);
    QString args = "-i|/a.mp3|-f|segment|-segment_time|30|-y|-vn|-ar|8000|-ac|1|/o/a%05d.amr";
    if (!bitRate.isEmpty())
        args.replace("-ar|", "-ab|" + bitRate + "|-ar|");
    const Invocation invocation = parseArguments(words(args));
    QCOMPARE(amrModeFor(invocation), mode);
    // Whatever the asked rate, FFmpeg only decodes: the pieces, the codec and the rate are
    // conv.exe's own.
    const QStringList decode = toList(amrDecodeArguments(invocation));
    QVERIFY(containsRun(decode, "-ar|8000|-ac|1"));
    QCOMPARE(decode.last(), QStringLiteral("pipe:1"));
    QVERIFY(!decode.contains("segment") && !decode.contains("-ab"));
}

void TestEncoderArguments::pieceLists_data() {
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("plain") << "a00000.flac,0.000,30.0\na00001.flac,30.0,35.0\n"
                           << QStringList{"a00000.flac", "a00001.flac"};
    QTest::newRow("quoted") << "\"x,\"\"y\"\"00000.flac\",0.0,30.0\n"
                            << QStringList{"x,\"y\"00000.flac"};
    QTest::newRow("line break in a name") << "\"a\nb00000.flac\",0,30\n"
                                          << QStringList{"a\nb00000.flac"};
    QTest::newRow("carriage returns") << "a00000.flac,0,30\r\n" << QStringList{"a00000.flac"};
    QTest::newRow("empty") << "" << QStringList{};
}

void TestEncoderArguments::pieceLists() {
    QFETCH(QString, csv);
    QFETCH(QStringList, names);
    QCOMPARE(toList(pieceNamesFromList(csv.toStdString())), names);
}

void TestEncoderArguments::errorLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("name repeated") << "[mp3 @ 0x1] noise\n/m/a.mp3: Invalid data found\n"
                                   << "Invalid data found";
    QTest::newRow("name with file prefix") << "file:x.mp3: Invalid argument\n"
                                           << "Invalid argument";
    QTest::newRow("other line") << "Something broke\r\n"
                                << "Something broke";
    QTest::newRow("nothing said") << "\n"
                                  << "unknown error";
}

void TestEncoderArguments::errorLines() {
    QFETCH(QString, text);
    QFETCH(QString, line);
    const std::string name = text.contains("file:") ? "x.mp3" : "/m/a.mp3";
    QCOMPARE(QString::fromStdString(lastErrorLine(text.toStdString(), name)), line);
}

QTEST_APPLESS_MAIN(TestEncoderArguments)
#include "tst_encoderarguments.moc"
