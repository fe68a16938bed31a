#pragma once

#include <optional>
#include <string_view>

namespace vantorel::encoder {

// A duration in FFmpeg's notation: "[-][HH:]MM:SS[.frac]" or "[-]S[.frac]" with an optional
// unit "s", "ms" or "us". Returns seconds, or nothing when the text is not a duration.
std::optional<double> parseDuration(std::string_view text);

// A bit rate such as "7.4k", "128k", "1M" or "64000". Returns bits per second, or nothing.
std::optional<double> parseBitRate(std::string_view text);

} // namespace vantorel::encoder
