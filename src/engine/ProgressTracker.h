#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QtGlobal>
#include <optional>

// Turns the encoder's text into the length of the current source and into what the progress bar
// and its label show. Holds no widgets: the window applies the ProgressDisplay it is given.
namespace vantorel {

struct ProgressDisplay {
    double width = 0.0; // bar width in twips, 0 .. ProgressTrackWidth
    QString label;      // "45.6%", "100%", ...

    friend bool operator==(const ProgressDisplay&, const ProgressDisplay&) = default;
};

// The display for `elapsed` seconds of a source `duration` seconds long. An unknown length (0)
// shows the full bar and "100%"; so does any position at or past the end. A position before the
// start shows an empty bar.
ProgressDisplay ProgressFor(qint32 elapsed, qint32 duration);

class ProgressTracker : public QObject {
    Q_OBJECT

public:
    explicit ProgressTracker(QObject* parent = nullptr);

    // Length of the source being converted in whole seconds; 0 while unknown.
    qint32 CurrentDuration() const { return m_currentDuration; }
    // Forgets the length; called when a conversion has ended.
    void ResetDuration() { m_currentDuration = 0; }

    // A chunk of the probe's text. Reads the length from "Duration: " unless one is already
    // known (the first reading wins). The scan lets pending events run after every step, so the
    // window stays responsive during long chunks.
    void ProbeChunk(const QString& chunk);

    // A chunk of the conversion's text. Without a known length it takes the cutter length when
    // the cutter is on, else the chunk's own "Duration: ". Returns, and emits, the new display
    // only when the chunk holds "time="; otherwise the display stays as it is.
    std::optional<ProgressDisplay> ConversionChunk(const QString& chunk, bool cutterEnabled,
                                                   qint32 cutterLength);

    // The bar width after one tick of the busy animation.
    static double BusyTick(double currentWidth);

Q_SIGNALS:
    void displayChanged(const vantorel::ProgressDisplay& display);

private:
    void takeDuration(std::optional<qint32> seconds);

    qint32 m_currentDuration = 0;
};

} // namespace vantorel

Q_DECLARE_METATYPE(vantorel::ProgressDisplay)
