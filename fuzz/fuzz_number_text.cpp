// The number readers against the C library's own reading of the same text, and the rounding
// against what half-to-even means. Input: any text; its first eight bytes also serve as a raw
// double for the rounding.
#include "FuzzSupport.h"
#include "platform/NumberText.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>

using namespace vantorel;
using fuzz::require;

namespace {

bool isNumberCharacter(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
           c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('e') ||
           c == QLatin1Char('E');
}

// strtod in the C locale; a number too large to hold is infinite, one too small to hold is
// what strtod makes of it (0 or a denormal).
struct Reference {
    std::size_t used = 0;
    double value = 0.0;
};

Reference referenceRead(const QByteArray& ascii) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    Reference r;
    char* end = nullptr;
    errno = 0;
    r.value = strtod_l(ascii.constData(), &end, c);
    r.used = static_cast<std::size_t>(end - ascii.constData());
    if (errno == ERANGE && std::fabs(r.value) == HUGE_VAL)
        r.value = std::copysign(INFINITY, r.value);
    return r;
}

QString describe(double expected, std::optional<double> got) {
    return QStringLiteral("expected %1, got %2")
        .arg(expected, 0, 'g', 17)
        .arg(got ? QString::number(*got, 'g', 17) : QStringLiteral("no value"));
}

void checkStrict(const QString& text) {
    const std::optional<double> got = StrictNumber(text);
    const QString trimmed = text.trimmed();
    bool plain = !trimmed.isEmpty();
    for (const QChar c : trimmed)
        plain = plain && isNumberCharacter(c);
    if (!plain) {
        require(!got, "StrictNumber refuses text with other characters", fuzz::visible(text));
        return;
    }
    const QByteArray ascii = trimmed.toLatin1();
    const Reference ref = referenceRead(ascii);
    if (ref.used != static_cast<std::size_t>(ascii.size())) {
        require(!got, "StrictNumber refuses what is not one whole number", fuzz::visible(text));
        return;
    }
    require(got.has_value(), "StrictNumber reads every whole number", fuzz::visible(text));
    require(*got == ref.value, "StrictNumber reads the value the C library reads",
            fuzz::visible(text) + QStringLiteral(": ") + describe(ref.value, got));
}

void checkLeading(const QString& text) {
    QString compact;
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') &&
            c != QLatin1Char('\n'))
            compact.append(c);
    qsizetype n = 0;
    while (n < compact.size() && isNumberCharacter(compact.at(n)))
        ++n;
    const Reference ref = referenceRead(compact.left(n).toLatin1());
    const double expected = ref.used == 0 ? 0.0 : ref.value;
    const double got = LeadingNumber(text);
    require(got == expected, "LeadingNumber reads the number the text starts with",
            fuzz::visible(text) + QStringLiteral(": ") + describe(expected, got));
}

// Half to even: never more than half away, and exactly half away only towards an even number.
template <typename Int>
void checkRounding(double value, std::optional<Int> got, double low, double high,
                   const char* name) {
    const bool inRange = std::isfinite(value) && value >= low && value < high;
    const QString detail = QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(value, 0, 'g', 17);
    require(got.has_value() == inRange, "rounding gives a value exactly inside the range", detail);
    if (!got)
        return;
    const double distance = std::fabs(static_cast<double>(*got) - value);
    require(distance <= 0.5, "rounding goes to a nearest whole number", detail);
    if (distance == 0.5)
        require(*got % 2 == 0, "a half goes to the even neighbour", detail);
}

void checkRoundings(double value) {
    checkRounding<std::int32_t>(value, RoundToInt32(value), -2147483648.5, 2147483647.5,
                                "RoundToInt32");
    checkRounding<std::int16_t>(value, RoundToInt16(value), -32768.5, 32767.5, "RoundToInt16");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = fuzz::utf8Text(data, size);
    checkStrict(text);
    checkLeading(text);
    if (const auto number = StrictNumber(text))
        checkRoundings(*number);
    checkRoundings(LeadingNumber(text));
    if (size >= sizeof(double)) {
        double raw = 0.0;
        std::memcpy(&raw, data, sizeof raw);
        checkRoundings(raw);
        // Whole numbers and halves near the range ends, where raw bit patterns rarely land.
        std::int64_t whole = 0;
        std::memcpy(&whole, data, sizeof whole);
        checkRoundings(static_cast<double>(whole % (std::int64_t{1} << 34)) / 2.0);
        checkRoundings(static_cast<double>(static_cast<std::int16_t>(whole)) + 0.5);
    }
    return 0;
}
