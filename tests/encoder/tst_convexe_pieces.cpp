// The nine conversions, run through the built conv.exe on generated sources: the right number
// of pieces, each of the right length, with headers that tell that length.

#include "ConvExeRunner.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace convtest;

namespace {

struct Format {
    const char* ext;
    const char* options; // as the application writes them after the piece length
};

// In the order of the application's format list, with bitrate 128, rate 44100 and stereo.
const Format formats[] = {
    {"mp3", " -y -map_metadata 0 -id3v2_version 3 -vn -ab 128k -ar 44100 -ac 2 "},
    {"wma", " -y -vn -acodec wmav1 "},
    {"ogg", " -y -vn -ac 2 "},
    {"wav", " -y -vn -acodec pcm_s16le "},
    {"flac", " -y -vn "},
    {"ac3", " -y -vn "},
    {"aac", " -y -vn -ab 128k "},
    {"amr", " -y -vn -ar 8000 -ab 7.4k -ac 1 "},
    {"mpg", " -y -vn -ab 128k -ar 44100 -ac 2 "},
};

QByteArray digestOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

} // namespace

class TestConvExePieces : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cutsIntoPieces_data();
    void cutsIntoPieces();

private:
    QTemporaryDir m_dir;
    QString m_sources;
    int m_run = 0;
};

void TestConvExePieces::initTestCase() {
    QVERIFY(QFile::exists(convExe()));
    QVERIFY(m_dir.isValid());
    m_sources = m_dir.filePath("sources");
    QVERIFY(QDir().mkpath(m_sources));
    // Two tones, one per channel, so a stereo source is really stereo.
    QVERIFY(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=95", "-f", "lavfi", "-i",
                    "sine=frequency=660:duration=95", "-filter_complex", "amerge=inputs=2", "-ac",
                    "2", "-b:a", "128k", m_sources + "/Live Set.mp3"}));
    QVERIFY(ffmpeg({"-f", "lavfi", "-i", "sine=frequency=523:duration=95", "-ac", "2",
                    m_sources + "/album.flac"}));
    QVERIFY(ffmpeg({"-f", "lavfi", "-i", "testsrc=duration=40:size=160x120:rate=10", "-f", "lavfi",
                    "-i", "sine=frequency=300:duration=40", "-c:v", "mpeg4", "-c:a", "aac",
                    "-shortest", m_sources + "/clip.mp4"}));
}

void TestConvExePieces::cutsIntoPieces_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<double>("length");
    QTest::addColumn<int>("format");
    const auto add = [](const char* source, double length, int format) {
        QTest::addRow("%s to %s", source, formats[format].ext) << source << length << format;
    };
    for (int format = 0; format < 9; ++format)
        add("Live Set.mp3", 95, format);
    for (int format : {4, 7, 2})
        add("album.flac", 95, format);
    for (int format : {0, 4, 7, 8})
        add("clip.mp4", 40, format);
}

void TestConvExePieces::cutsIntoPieces() {
    QFETCH(QString, source);
    QFETCH(double, length);
    QFETCH(int, format);
    const QString ext = formats[format].ext;
    const QString sourcePath = m_sources + "/" + source;
    const QString base = source.left(source.lastIndexOf('.'));
    const QString out = m_dir.filePath(QString("out%1").arg(++m_run));
    QVERIFY(QDir().mkpath(out));
    const QByteArray before = digestOf(sourcePath);

    const Result result =
        runConv(QStringList{"-i", sourcePath, "-f", "segment", "-segment_time", "30"} +
                words(formats[format].options) + QStringList{out + "/" + base + "%05d." + ext});
    QVERIFY2(result.finished && !result.crashed && result.exitCode == 0,
             qPrintable(result.summary()));
    // The application's progress reads these two markers.
    QVERIFY(result.output.contains("Duration: "));
    QVERIFY(result.output.contains("time="));
    QCOMPARE(digestOf(sourcePath), before);

    const int expected = static_cast<int>(std::ceil(length / 30));
    const QStringList pieces = piecesIn(out, base, ext);
    QCOMPARE(pieces.size(), expected);
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), expected);
    for (int i = 0; i < expected; ++i) {
        const QString piece = out + "/" + pieces[i];
        QCOMPARE(pieces[i], base + QString("%1.").arg(i, 5, 10, QChar('0')) + ext);
        const double want = i + 1 < expected ? 30 : length - 30 * (expected - 1);
        const double decoded = decodedSeconds(piece);
        QVERIFY2(std::fabs(decoded - want) <= 0.6,
                 qPrintable(QString("%1 decodes to %2 s").arg(pieces[i]).arg(decoded)));
        // An ADTS stream (.aac) has no length in it: any figure is a guess from its bit rate.
        if (ext != "aac") {
            const double header = headerSeconds(piece);
            QVERIFY2(std::fabs(header - decoded) <= 1,
                     qPrintable(QString("%1 says %2 s, decodes to %3 s")
                                    .arg(pieces[i])
                                    .arg(header)
                                    .arg(decoded)));
        }
        if (ext == "amr")
            QCOMPARE(audioStream(piece), QStringLiteral("amr_nb,8000,1"));
    }
}

QTEST_GUILESS_MAIN(TestConvExePieces)
#include "tst_convexe_pieces.moc"
