// The progress tracker fed the encoder's text in chunks cut anywhere, as the pipe delivers it.
// Input: byte 0 switches the cutter (bit 0) and sets the chunk length ((byte >> 1) + 1 characters);
// byte 1 sets the cutter length ((byte - '0') * 60 seconds, so below '0' it is negative); the
// rest is text. Text up to the first byte 0x02 is the probe's output, the rest the conversion's;
// a byte 0x03 in the conversion's text ends the current source (its length is forgotten).
#include "FuzzSupport.h"
#include "engine/EncoderOutputParser.h"
#include "engine/ProgressTracker.h"

#include <QStringList>
#include <cstdint>
#include <cstring>

using namespace vantorel;
using fuzz::require;

namespace {

QStringList cut(const QString& text, qsizetype length) {
    QStringList chunks;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype n = std::min(length, text.size() - at);
        // Text arrives decoded: a character is never split between two chunks.
        if (n < text.size() - at && text.at(at + n - 1).isHighSurrogate() &&
            text.at(at + n).isLowSurrogate())
            ++n;
        chunks.append(text.mid(at, n));
        at += n;
    }
    return chunks;
}

// The marker occurs with at least one character after it.
bool holdsMarker(const QString& chunk, const QString& marker) {
    return chunk.left(chunk.size() - 1).contains(marker);
}

void checkDisplay(const ProgressDisplay& d, const QString& detail) {
    require(d.width >= 0.0 && d.width <= ProgressTrackWidth, "the bar stays on its track", detail);
    require(d.label.endsWith(QLatin1Char('%')) && d.label.size() <= 5,
            "the label is at most four characters and %", detail);
    require((d.label == QStringLiteral("100%")) == (d.width == ProgressTrackWidth),
            "the label reads 100% exactly when the bar is full", detail);
}

void checkProgressFor(const std::uint8_t* data, std::size_t size) {
    if (size < 12)
        return;
    qint32 duration = 0;
    qint32 first = 0;
    qint32 second = 0;
    std::memcpy(&duration, data, 4);
    std::memcpy(&first, data + 4, 4);
    std::memcpy(&second, data + 8, 4);
    const ProgressDisplay a = ProgressFor(std::min(first, second), duration);
    const ProgressDisplay b = ProgressFor(std::max(first, second), duration);
    const QString detail = QStringLiteral("%1 and %2 of %3").arg(first).arg(second).arg(duration);
    checkDisplay(a, detail);
    checkDisplay(b, detail);
    require(a.width <= b.width, "the bar never shrinks as the position grows", detail);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkProgressFor(data, size);
    if (size < 2)
        return 0;
    const bool cutterEnabled = (data[0] & 1) != 0;
    const qsizetype chunkLength = (data[0] >> 1) + 1;
    const qint32 cutterLength = (qint32{data[1]} - '0') * 60;
    const QString text = fuzz::utf8Text(data + 2, size - 2);
    const qsizetype split = text.indexOf(QChar(2));
    const QString probe = split < 0 ? text : text.left(split);
    const QString conversion = split < 0 ? QString() : text.mid(split + 1);

    ProgressTracker tracker;
    std::optional<ProgressDisplay> emitted;
    int emissions = 0;
    QObject::connect(&tracker, &ProgressTracker::displayChanged, [&](const ProgressDisplay& d) {
        emitted = d;
        ++emissions;
    });

    for (const QString& chunk : cut(probe, chunkLength)) {
        const qint32 before = tracker.CurrentDuration();
        tracker.ProbeChunk(chunk);
        const qint32 after = tracker.CurrentDuration();
        require(after >= 0, "a length is never negative", fuzz::visible(chunk));
        require(before == 0 || after == before, "the first length read wins", fuzz::visible(chunk));
        require(after == before || holdsMarker(chunk, DurationMarker()),
                "only a chunk with \"Duration: \" sets the length", fuzz::visible(chunk));
    }

    for (const QString& source : conversion.split(QChar(3))) {
        for (const QString& chunk : cut(source, chunkLength)) {
            const qint32 before = tracker.CurrentDuration();
            emitted.reset();
            emissions = 0;
            const auto display = tracker.ConversionChunk(chunk, cutterEnabled, cutterLength);
            const qint32 after = tracker.CurrentDuration();
            const QString detail = fuzz::visible(chunk);
            require(after >= 0, "a length is never negative", detail);
            require(before == 0 || after == before, "the first length read wins", detail);
            if (before == 0 && cutterEnabled)
                require(after == (cutterLength > 0 ? cutterLength : 0),
                        "with the cutter on its length is the length", detail);
            require(display.has_value() == holdsMarker(chunk, TimeMarker()),
                    "a display comes exactly with \"time=\"", detail);
            require(emissions == (display ? 1 : 0) && emitted == display,
                    "the display is announced once, as returned", detail);
            if (display) {
                checkDisplay(*display, detail);
                if (after == 0)
                    require(display->width == ProgressTrackWidth,
                            "an unknown length shows the full bar", detail);
            }
        }
        tracker.ResetDuration();
    }
    return 0;
}
