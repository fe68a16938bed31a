// The encoder-text scanners on arbitrary chunks: the token collector against a plain search for
// the marker, the time value of arbitrary tokens and of well-formed h:m:s tokens built from the
// input, and the percentage label of any value below 100.
#include "FuzzSupport.h"
#include "engine/EncoderOutputParser.h"
#include "platform/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using namespace vantorel;
using fuzz::require;

namespace {

// Every occurrence that leaves at least one character after the marker contributes the text up
// to the next space.
MarkerToken expectedToken(const QString& chunk, const QString& marker) {
    MarkerToken token;
    for (qsizetype at = chunk.indexOf(marker); at >= 0 && at + marker.size() < chunk.size();
         at = chunk.indexOf(marker, at + 1)) {
        token.found = true;
        const qsizetype from = at + marker.size();
        qsizetype to = chunk.indexOf(QLatin1Char(' '), from);
        if (to < 0)
            to = chunk.size();
        token.text += chunk.mid(from, to - from);
    }
    return token;
}

void checkToken(const QString& chunk, const QString& marker) {
    qsizetype steps = 0;
    const MarkerToken got = CollectToken(chunk, marker, [&steps] { ++steps; });
    const MarkerToken expected = expectedToken(chunk, marker);
    const QString detail = fuzz::visible(marker) + QStringLiteral(" in ") + fuzz::visible(chunk);
    require(got.found == expected.found, "the marker is found where it occurs", detail);
    require(got.text == expected.text, "the token is every occurrence's value run together",
            detail + QStringLiteral(": got ") + fuzz::visible(got.text));
    require(!got.text.contains(QLatin1Char(' ')), "a token holds no space", detail);
    const qsizetype positions = std::max<qsizetype>(0, chunk.size() - marker.size());
    require(steps == positions + got.text.size(),
            "one step per examined position and per character taken", detail);
}

void checkAnyTimeValue(const QString& token) {
    const auto value = TimeValue(token);
    if (value)
        require(token.count(QLatin1Char(':')) >= 2, "a time value needs three fields",
                fuzz::visible(token));
}

// Reads an unsigned number from the input, little-endian, from where `at` points.
std::uint64_t take(const std::uint8_t* data, std::size_t size, std::size_t& at, std::size_t n) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < n && at < size; ++i, ++at)
        value |= std::uint64_t{data[at]} << (8 * i);
    return value;
}

// A token the way the encoder writes one, with fields of any size, and its exact value.
void checkWellFormedTime(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    const std::int64_t hours = static_cast<std::int64_t>(take(data, size, at, 3) % 1000000);
    const std::int64_t minutes = static_cast<std::int64_t>(take(data, size, at, 2) % 10000);
    const std::int64_t seconds = static_cast<std::int64_t>(take(data, size, at, 2) % 10000);
    const std::int64_t hundredths = static_cast<std::int64_t>(take(data, size, at, 1) % 100);
    const std::uint64_t shape = take(data, size, at, 1);

    QString token = QStringLiteral("%1:%2:%3.%4")
                        .arg(hours, 2, 10, QLatin1Char('0'))
                        .arg(minutes, 2, 10, QLatin1Char('0'))
                        .arg(seconds, 2, 10, QLatin1Char('0'))
                        .arg(hundredths, 2, 10, QLatin1Char('0'));
    if (shape & 1)
        token += QLatin1Char(','); // as printed after the duration
    if (shape & 2)
        token += QStringLiteral(":17:x"); // fields after the third do not count

    const std::int64_t total = ((hours * 3600 + minutes * 60 + seconds) * 100) + hundredths;
    std::int64_t whole = total / 100;
    const std::int64_t rest = total % 100;
    if (rest > 50 || (rest == 50 && whole % 2 != 0))
        ++whole;
    const auto got = TimeValue(token);
    if (whole > std::numeric_limits<qint32>::max()) {
        require(!got, "a sum beyond 32 bits has no value", token);
        return;
    }
    require(got.has_value(), "a well-formed time has a value", token);
    require(*got == whole, "a time is h*3600 + m*60 + s, rounded half to even",
            token + QStringLiteral(": got %1, expected %2").arg(*got).arg(whole));
}

void checkPercent(double percent) {
    const QString label = PercentText(percent);
    const QString detail =
        QString::number(percent, 'g', 17) + QStringLiteral(" -> ") + fuzz::visible(label);
    require(label.endsWith(QLatin1Char('%')), "a label ends with %", detail);
    const QString number = label.chopped(1);
    require(number.size() >= 1 && number.size() <= 4, "a label has one to four characters", detail);
    for (const QChar c : number)
        require(c.isDigit() || c == QLatin1Char('.'), "a label is plain decimal", detail);
    require(!number.startsWith(QLatin1Char('.')) && !number.endsWith(QLatin1Char('.')),
            "a label's point stands between digits", detail);
    const auto shown = StrictNumber(number);
    require(shown.has_value(), "a label reads as a number", detail);
    require(*shown > percent - 0.1 && *shown <= percent * (1.0 + 1e-13),
            "a label shows the value cut to its first digits", detail);
}

void checkBusyStep(double width) {
    const double next = BusyStep(width);
    const QString detail = QString::number(width, 'g', 17);
    require(next < ProgressTrackWidth, "the busy bar never reaches the full track", detail);
    require(next > width || next == 101.0, "the busy bar grows or starts again", detail);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString chunk = fuzz::utf8Text(data, size);
    checkToken(chunk, DurationMarker());
    checkToken(chunk, TimeMarker());
    checkToken(fuzz::utf16Text(data, size), TimeMarker());
    checkAnyTimeValue(chunk);
    checkAnyTimeValue(CollectToken(chunk, DurationMarker()).text);
    checkAnyTimeValue(CollectToken(chunk, TimeMarker()).text);
    checkWellFormedTime(data, size);

    if (size >= sizeof(double)) {
        double raw = 0.0;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) {
            checkPercent(std::fmod(std::fabs(raw), 100.0));
            if (raw >= 0.0 && raw <= ProgressTrackWidth) // the widths a bar can have
                checkBusyStep(raw);
        }
    }
    return 0;
}
