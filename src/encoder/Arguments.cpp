#include "encoder/Arguments.h"

#include "encoder/EncoderError.h"

#include <algorithm>
#include <array>

namespace vantorel::encoder {

namespace {

constexpr auto flagOptions = std::to_array<std::string_view>(
    {"y", "n", "vn", "an", "sn", "dn", "nostdin", "stdin", "hide_banner", "nostats", "stats",
     "shortest", "copyts", "re", "report", "benchmark", "dump", "hex", "ignore_unknown"});

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

} // namespace

bool isFlagOption(std::string_view name) {
    return std::find(flagOptions.begin(), flagOptions.end(), name) != flagOptions.end();
}

std::optional<std::string>
Invocation::outputValue(std::initializer_list<std::string_view> names) const {
    std::optional<std::string> found;
    for (const Option& option : outputOptions) {
        if (option.value && std::find(names.begin(), names.end(), option.name) != names.end())
            found = option.value;
    }
    return found;
}

bool Invocation::hasOutputOption(std::string_view name) const {
    return std::any_of(outputOptions.begin(), outputOptions.end(),
                       [name](const Option& option) { return option.name == name; });
}

Invocation parseArguments(const std::vector<std::string>& args) {
    Invocation invocation;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!isOption(arg)) {
            if (!haveInput)
                throw EncoderError("the output \"" + arg + "\" comes before the input (-i)");
            if (invocation.output)
                throw EncoderError("more than one output given (\"" + *invocation.output +
                                   "\" and \"" + arg + "\")");
            if (arg.empty())
                throw EncoderError("the output name is empty");
            invocation.output = arg;
            continue;
        }
        if (invocation.output)
            throw EncoderError("the option " + arg + " comes after the output");
        Option option{arg.substr(1), std::nullopt};
        if (!isFlagOption(option.name)) {
            if (i + 1 >= args.size())
                throw EncoderError("the option " + arg + " needs a value");
            option.value = args[++i];
        }
        if (option.name == "i") {
            if (haveInput)
                throw EncoderError("more than one input (-i) given");
            haveInput = true;
            invocation.input = *option.value;
        } else if (haveInput) {
            invocation.outputOptions.push_back(std::move(option));
        } else {
            invocation.inputOptions.push_back(std::move(option));
        }
    }
    if (!haveInput)
        throw EncoderError("no input given: use -i <file>");
    if (invocation.input.empty())
        throw EncoderError("the input name is empty");
    return invocation;
}

} // namespace vantorel::encoder
