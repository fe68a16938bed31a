#include "ui/SoundPlayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace vantorel;
using namespace std::chrono_literals;

namespace {

QByteArray Little32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Little16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Chunk(const QByteArray& id, const QByteArray& body, qsizetype declared = -1) {
    QByteArray chunk = id + Little32(static_cast<quint32>(declared < 0 ? body.size() : declared));
    chunk += body;
    if (body.size() % 2)
        chunk += '\0';
    return chunk;
}

QByteArray Format(quint16 channels, quint32 rate) {
    const quint16 bits = 16;
    const quint32 byteRate = rate * channels * bits / 8;
    return Chunk("fmt ", Little16(1) + Little16(channels) + Little32(rate) + Little32(byteRate) +
                             Little16(static_cast<quint16>(channels * bits / 8)) + Little16(bits));
}

QByteArray Riff(const QByteArray& chunks) {
    return "RIFF" + Little32(static_cast<quint32>(4 + chunks.size())) + "WAVE" + chunks;
}

// Silence of the given length, 16-bit.
QByteArray Wav(double seconds, quint16 channels = 1, quint32 rate = 44100) {
    const auto bytes = static_cast<qsizetype>(seconds * rate) * channels * 2;
    return Riff(Format(channels, rate) + Chunk("data", QByteArray(bytes, '\0')));
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace

class TestSoundPlayer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wavDuration_data();
    void wavDuration();
    void unplayableFileBeeps_data();
    void unplayableFileBeeps();
    void playingNeverHangs_data();
    void playingNeverHangs();
    void recordedSounds();
};

void TestSoundPlayer::wavDuration_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("seconds"); // negative: not a readable WAV
    QTest::newRow("one second mono") << Wav(1.0) << 1.0;
    QTest::newRow("half a second stereo") << Wav(0.5, 2) << 0.5;
    QTest::newRow("8 kHz") << Wav(2.0, 1, 8000) << 2.0;
    QTest::newRow("odd chunk before the sound")
        << Riff(Format(1, 8000) + Chunk("LIST", "abc") + Chunk("data", QByteArray(16000, '\0')))
        << 1.0;
    QTest::newRow("header promises more than there is")
        << Riff(Format(1, 8000) + Chunk("data", QByteArray(8000, '\0'), 80000)) << 0.5;
    QTest::newRow("sound before its format")
        << Riff(Chunk("data", QByteArray(100, '\0')) + Format(1, 8000)) << -1.0;
    QTest::newRow("no sound chunk") << Riff(Format(1, 8000)) << -1.0;
    QTest::newRow("not RIFF") << QByteArray("MThd\0\0\0\6", 8) << -1.0;
    QTest::newRow("empty") << QByteArray() << -1.0;
    QTest::newRow("cut inside the format") << Riff(Format(1, 8000)).left(30) << -1.0;
}

void TestSoundPlayer::wavDuration() {
    QFETCH(QByteArray, bytes);
    QFETCH(double, seconds);
    QTemporaryDir dir;
    const QString path = Write(dir, QStringLiteral("sound.wav"), bytes);
    QVERIFY(!path.isEmpty());
    const auto length = WavDurationSeconds(path);
    QCOMPARE(length.has_value(), seconds >= 0);
    if (length)
        QVERIFY(qFuzzyCompare(*length, seconds));
}

void TestSoundPlayer::unplayableFileBeeps_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("not a sound") << QByteArray("just some text\n");
}

void TestSoundPlayer::unplayableFileBeeps() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = bytes.isEmpty() ? dir.filePath(QStringLiteral("sound.wav"))
                                         : Write(dir, QStringLiteral("sound.wav"), bytes);
    int beeps = 0;
    QtSoundPlayer player([&beeps] { ++beeps; }, 500ms);
    QElapsedTimer clock;
    clock.start();
    player.PlayAndWait(path);
    QCOMPARE(beeps, 1);
    QVERIFY(clock.elapsed() < 5000);
}

void TestSoundPlayer::playingNeverHangs_data() {
    QTest::addColumn<bool>("tryWithoutOutput");
    QTest::newRow("as installed") << false;
    QTest::newRow("playing even without a listed device") << true;
}

void TestSoundPlayer::playingNeverHangs() {
    // With or without a working audio device, the wait ends by the sound's length plus the
    // margin.
    QFETCH(bool, tryWithoutOutput);
    QTemporaryDir dir;
    const QString path = Write(dir, QStringLiteral("sound.wav"), Wav(0.3));
    QtSoundPlayer player([] {}, 1000ms, tryWithoutOutput);
    QElapsedTimer clock;
    clock.start();
    player.PlayAndWait(path);
    QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
}

void TestSoundPlayer::recordedSounds() {
    SoundPlayer* before = &soundPlayer();
    {
        RecordedSounds sounds;
        QCOMPARE(&soundPlayer(), &sounds);
        soundPlayer().PlayAndWait(QStringLiteral("/app/sound.wav"));
        QCOMPARE(sounds.played, QStringList{"/app/sound.wav"});
    }
    QCOMPARE(&soundPlayer(), before);
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
