#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace vantorel {
namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Out of range is either too large or too small to hold. A number too large reads as infinite, so
// the range checks refuse it; one too small is 0. The power of ten of its first significant digit
// tells them apart (the limits lie near 10^308 and 10^-324, far from 0).
bool tooLargeToHold(const QByteArray& number) {
    qsizetype i = 0;
    if (i < number.size() && (number[i] == '+' || number[i] == '-'))
        ++i;
    std::int64_t power = -1;
    bool significant = false;
    for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
        significant = significant || number[i] != '0';
        if (significant)
            ++power;
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i) {
            if (!significant && number[i] == '0')
                --power;
            significant = significant || number[i] != '0';
        }
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        const bool negative = i < number.size() && number[i] == '-';
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            ++i;
        std::int64_t exponent = 0;
        for (; i < number.size() && number[i] >= '0' && number[i] <= '9'; ++i)
            exponent = std::min<std::int64_t>(exponent * 10 + (number[i] - '0'), 1'000'000'000);
        power += negative ? -exponent : exponent;
    }
    return power > 0;
}

// Reads [sign] digits [. digits] [e|E [sign] digits] from text (blanks already removed).
// Returns the number of characters used; 0 when no digit was found.
qsizetype scanNumber(const QString& text, double* value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        const qsizetype expStart = j;
        while (j < n && isDigit(text[j]))
            ++j;
        if (j > expStart)
            i = j;
    }
    // from_chars ignores the user's locale, which would otherwise change the decimal point.
    const QByteArray latin = text.left(i).toLatin1();
    const char* first = latin.constData();
    if (*first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, latin.constData() + latin.size(), *value);
    if (error == std::errc::result_out_of_range)
        *value = (latin.startsWith('-') ? -1.0 : 1.0) *
                 (tooLargeToHold(latin) ? std::numeric_limits<double>::infinity() : 0.0);
    else if (error != std::errc() || end != latin.constData() + latin.size())
        return 0;
    return i;
}

} // namespace

std::optional<double> StrictNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    double value = 0;
    const qsizetype used = scanNumber(trimmed, &value);
    if (used == 0 || used != trimmed.size())
        return std::nullopt;
    return value;
}

double LeadingNumber(const QString& text) {
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            compact.append(c);
    double value = 0;
    return scanNumber(compact, &value) ? value : 0.0;
}

std::optional<std::int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int16_t> RoundToInt16(double value) {
    const auto wide = RoundToInt32(value);
    if (!wide || *wide < std::numeric_limits<std::int16_t>::min() ||
        *wide > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(*wide);
}

} // namespace vantorel
