#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <optional>

namespace vantorel {

// Plays a WAV file and returns when it has finished.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void PlayAndWait(const QString& wavPath) = 0;
};

// The player in force: QtSoundPlayer unless another one is installed.
SoundPlayer& soundPlayer();
// Installs a player (not owned); nullptr restores the default one.
void setSoundPlayer(SoundPlayer* player);

// Plays through the system's audio output. A missing or unreadable file sounds the system beep
// instead. The wait is bounded by the sound's own length plus a margin, so a machine without a
// working audio device never hangs here; with no audio output listed at all it returns at once
// unless tryWithoutOutput asks to try all the same.
class QtSoundPlayer final : public SoundPlayer {
public:
    explicit QtSoundPlayer(std::function<void()> beep = {},
                           std::chrono::milliseconds margin = std::chrono::seconds(3),
                           bool tryWithoutOutput = false);
    void PlayAndWait(const QString& wavPath) override;

private:
    std::function<void()> m_beep;
    std::chrono::milliseconds m_margin;
    bool m_tryWithoutOutput;
};

// Keeps the path of every sound played while it is installed; for tests.
class RecordedSounds final : public SoundPlayer {
public:
    RecordedSounds();
    ~RecordedSounds() override;
    RecordedSounds(const RecordedSounds&) = delete;
    RecordedSounds& operator=(const RecordedSounds&) = delete;

    void PlayAndWait(const QString& wavPath) override;
    QStringList played;
};

// The playing time of a RIFF WAVE file from its header and the sound data actually present;
// no value when the file is not a readable WAV.
std::optional<double> WavDurationSeconds(const QString& path);

} // namespace vantorel
