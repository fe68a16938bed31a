#include "engine/ProgressTracker.h"

#include "engine/EncoderOutputParser.h"

#include <QCoreApplication>
#include <QPointer>

namespace vantorel {
namespace {

// Ratio and percentage are carried with 15 significant digits, so the label's digits do not
// depend on the last bits of a binary fraction.
double significant15(double value) {
    return QString::number(value, 'g', 15).toDouble();
}

ProgressDisplay fullBar() {
    return {ProgressTrackWidth, QStringLiteral("100%")};
}

} // namespace

ProgressDisplay ProgressFor(qint32 elapsed, qint32 duration) {
    if (duration <= 0)
        return fullBar();
    // The encoder can report a position slightly before zero while it starts.
    if (elapsed < 0)
        elapsed = 0;
    const double ratio = significant15(static_cast<double>(elapsed) / duration);
    const double percent = significant15(ratio * 100.0);
    if (percent >= 100.0)
        return fullBar();
    return {ratio * ProgressTrackWidth, PercentText(percent)};
}

ProgressTracker::ProgressTracker(QObject* parent) : QObject(parent) {}

void ProgressTracker::takeDuration(std::optional<qint32> seconds) {
    // A negative reading is no length; keeping 0 lets a later chunk try again.
    if (seconds && *seconds > 0)
        m_currentDuration = *seconds;
}

void ProgressTracker::ProbeChunk(const QString& chunk) {
    if (m_currentDuration != 0)
        return;
    // Events run during the scan may close the window and delete this tracker.
    const QPointer<ProgressTracker> alive(this);
    const MarkerToken token =
        CollectToken(chunk, DurationMarker(), [] { QCoreApplication::processEvents(); });
    if (alive && token.found)
        takeDuration(TimeValue(token.text));
}

std::optional<ProgressDisplay>
ProgressTracker::ConversionChunk(const QString& chunk, bool cutterEnabled, qint32 cutterLength) {
    if (m_currentDuration == 0) {
        if (cutterEnabled) {
            takeDuration(cutterLength);
        } else {
            const MarkerToken duration = CollectToken(chunk, DurationMarker());
            if (duration.found)
                takeDuration(TimeValue(duration.text));
        }
    }
    const MarkerToken time = CollectToken(chunk, TimeMarker());
    if (!time.found)
        return std::nullopt;
    const ProgressDisplay display =
        ProgressFor(TimeValue(time.text).value_or(0), m_currentDuration);
    Q_EMIT displayChanged(display);
    return display;
}

double ProgressTracker::BusyTick(double currentWidth) {
    return BusyStep(currentWidth);
}

} // namespace vantorel
