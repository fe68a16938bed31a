#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

// Reading the encoder's text. The encoder's output arrives in raw chunks that may split a line
// anywhere, and the scanner works on one chunk at a time, without joining chunks.
namespace vantorel {

// Width of the progress bar at 100 percent, in twips.
inline constexpr double ProgressTrackWidth = 5415.0;

// Marks the input's length in the encoder's description of its input.
QString DurationMarker(); // "Duration: "
// Marks the position reached in the encoder's progress lines.
QString TimeMarker(); // "time="

struct MarkerToken {
    QString text;       // every occurrence's value, run together
    bool found = false; // the marker occurred at least once
};

// Called after every examined position and after every character taken, so a caller can let
// pending events run during a long scan.
using ScanStep = std::function<void()>;

// Looks for the marker at every position that leaves at least one character after it (a chunk
// that ends with the marker finds nothing there). At each occurrence the characters that follow
// it, up to the first space or the end of the chunk, are appended to the token.
MarkerToken CollectToken(const QString& chunk, const QString& marker, const ScanStep& step = {});

// Seconds of an "h:m:s.ff" token, rounded half to even. Fields after the third are ignored and a
// trailing comma is not part of a number. No value for fewer than three fields, fields that are
// not numbers, or a sum beyond 32 bits.
std::optional<qint32> TimeValue(const QString& token);

// The label of a percentage below 100: its first four characters in plain decimal (at most 15
// significant digits, no trailing zeros) followed by "%": 45.6%, 33.3%, 5%, 0.51%, 99.9%.
QString PercentText(double percent);

// One step of the busy animation: a bar of 5315 or more starts again at 1; then it grows by 100.
// It never reaches the full track.
double BusyStep(double width);

} // namespace vantorel
