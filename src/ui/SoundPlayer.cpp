#include "ui/SoundPlayer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <QtEndian>
#include <cmath>

namespace vantorel {
namespace {

QtSoundPlayer defaultPlayer;
SoundPlayer* current = &defaultPlayer;

std::optional<quint32> ReadLittle32(QFile& file) {
    char bytes[4];
    if (file.read(bytes, 4) != 4)
        return std::nullopt;
    return qFromLittleEndian<quint32>(bytes);
}

} // namespace

SoundPlayer& soundPlayer() {
    return *current;
}

void setSoundPlayer(SoundPlayer* player) {
    current = player ? player : &defaultPlayer;
}

std::optional<double> WavDurationSeconds(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.read(4) != "RIFF" || !ReadLittle32(file) || file.read(4) != "WAVE")
        return std::nullopt;
    std::optional<quint32> byteRate;
    while (!file.atEnd()) {
        const QByteArray id = file.read(4);
        const auto size = ReadLittle32(file);
        if (id.size() != 4 || !size)
            return std::nullopt;
        const qint64 start = file.pos();
        if (id == "fmt ") {
            const QByteArray format = file.read(16);
            if (format.size() != 16)
                return std::nullopt;
            byteRate = qFromLittleEndian<quint32>(format.constData() + 8);
        } else if (id == "data") {
            if (!byteRate || *byteRate == 0)
                return std::nullopt;
            // A header may promise more sound than the file holds.
            const qint64 present = std::min<qint64>(*size, file.size() - start);
            return static_cast<double>(present) / *byteRate;
        }
        // Chunks are padded to an even length.
        if (!file.seek(start + static_cast<qint64>(*size) + (*size & 1)))
            return std::nullopt;
    }
    return std::nullopt;
}

QtSoundPlayer::QtSoundPlayer(std::function<void()> beep, std::chrono::milliseconds margin,
                             bool tryWithoutOutput)
    : m_beep(std::move(beep)), m_margin(margin), m_tryWithoutOutput(tryWithoutOutput) {
    if (!m_beep)
        m_beep = [] { QApplication::beep(); };
}

void QtSoundPlayer::PlayAndWait(const QString& wavPath) {
    const auto length = WavDurationSeconds(wavPath);
    if (!length) {
        m_beep();
        return;
    }
    if (!m_tryWithoutOutput && QMediaDevices::audioOutputs().isEmpty())
        return;

    QSoundEffect effect;
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    bool started = false;
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Ready && !started)
            effect.play();
        else if (effect.status() == QSoundEffect::Error)
            loop.quit();
    });
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (effect.isPlaying())
            started = true;
        else if (started)
            loop.quit();
    });
    effect.setSource(QUrl::fromLocalFile(wavPath));
    const auto lengthMs =
        std::chrono::milliseconds(static_cast<long long>(std::ceil(*length * 1000)));
    bound.start(lengthMs + m_margin);
    if (effect.status() == QSoundEffect::Ready)
        effect.play();
    // The user's clicks wait until the sound is over, as the end of a run is one step.
    const bool over = (started && !effect.isPlaying()) || effect.status() == QSoundEffect::Error;
    if (!over)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    const bool failed = effect.status() == QSoundEffect::Error;
    effect.stop();
    if (failed)
        m_beep();
}

RecordedSounds::RecordedSounds() {
    setSoundPlayer(this);
}

RecordedSounds::~RecordedSounds() {
    if (current == this)
        setSoundPlayer(nullptr);
}

void RecordedSounds::PlayAndWait(const QString& wavPath) {
    played.append(wavPath);
}

} // namespace vantorel
