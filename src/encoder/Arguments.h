#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::encoder {

struct Option {
    std::string name; // without the leading "-"
    std::optional<std::string> value;

    bool operator==(const Option&) const = default;
};

// One FFmpeg-style command: options, one input, options, at most one output.
struct Invocation {
    std::vector<Option> inputOptions; // everything before "-i": global and input options
    std::string input;
    std::vector<Option> outputOptions;
    std::optional<std::string> output;

    // The value of the last output option named by any of the names, as FFmpeg lets the last
    // one win.
    std::optional<std::string> outputValue(std::initializer_list<std::string_view> names) const;
    bool hasOutputOption(std::string_view name) const;
};

// Throws EncoderError for arguments that do not form such a command.
Invocation parseArguments(const std::vector<std::string>& args);

// Options that stand alone; every other option takes the next argument as its value.
bool isFlagOption(std::string_view name);

} // namespace vantorel::encoder
