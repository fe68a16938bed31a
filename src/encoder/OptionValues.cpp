#include "encoder/OptionValues.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace vantorel::encoder {

namespace {

// Plain decimal without sign or exponent: digits with at most one ".".
std::optional<double> parseUnsignedDecimal(std::string_view text) {
    if (text.empty() || text == ".")
        return std::nullopt;
    bool seenPoint = false;
    for (char c : text) {
        if (c == '.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> parseClock(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = text.find(':', start);
        fields.push_back(text.substr(start, colon - start));
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    if (fields.size() > 3)
        return std::nullopt;
    double seconds = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const bool last = i + 1 == fields.size();
        if (!last && fields[i].find('.') != std::string_view::npos)
            return std::nullopt;
        const std::optional<double> value = parseUnsignedDecimal(fields[i]);
        if (!value)
            return std::nullopt;
        // Minutes and seconds below the hours field stay below 60, as FFmpeg requires.
        if (i > 0 && *value >= 60)
            return std::nullopt;
        seconds = seconds * 60 + *value;
    }
    return seconds;
}

} // namespace

std::optional<double> parseDuration(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    std::optional<double> seconds;
    if (text.find(':') != std::string_view::npos) {
        seconds = parseClock(text);
    } else {
        double scale = 1;
        if (text.ends_with("ms")) {
            scale = 1e-3;
            text.remove_suffix(2);
        } else if (text.ends_with("us")) {
            scale = 1e-6;
            text.remove_suffix(2);
        } else if (text.ends_with("s")) {
            text.remove_suffix(1);
        }
        seconds = parseUnsignedDecimal(text);
        if (seconds)
            *seconds *= scale;
    }
    if (!seconds)
        return std::nullopt;
    return negative ? -*seconds : *seconds;
}

std::optional<double> parseBitRate(std::string_view text) {
    double scale = 1;
    if (!text.empty()) {
        switch (text.back()) {
        case 'k':
        case 'K':
            scale = 1e3;
            break;
        case 'M':
            scale = 1e6;
            break;
        default:
            break;
        }
        if (scale != 1)
            text.remove_suffix(1);
    }
    const std::optional<double> value = parseUnsignedDecimal(text);
    if (!value)
        return std::nullopt;
    return *value * scale;
}

} // namespace vantorel::encoder
