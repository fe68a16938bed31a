#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Reading numbers that users and settings files write. Two readers, because the program has two
// habits: strict conversion refuses anything but a number, lenient reading takes the number at
// the start of the text and 0 when there is none. Rounding to whole numbers sends halves to the
// even neighbour (2.5 -> 2, 3.5 -> 4).
namespace vantorel {

// Blanks around the number are allowed; an optional sign, digits with an optional decimal point,
// and an optional exponent. Anything else (an empty text included) gives no value.
std::optional<double> StrictNumber(const QString& text);

// The number at the start of the text: blanks are ignored, then an optional sign, digits, a
// decimal point and an optional exponent; 0 when the text does not begin with a number.
double LeadingNumber(const QString& text);

// Rounds halves to even; no value when the result leaves the 32-bit (or 16-bit) range or the
// value is not finite.
std::optional<std::int32_t> RoundToInt32(double value);
std::optional<std::int16_t> RoundToInt16(double value);

} // namespace vantorel
