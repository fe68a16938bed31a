#include "encoder/FfmpegArguments.h"

#include "encoder/EncoderError.h"
#include "encoder/OptionValues.h"
#include "encoder/PiecePattern.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace vantorel::encoder {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string extensionOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return lowered(path.substr(dot + 1));
}

bool isSegmentFormat(const std::string& format) {
    return format == "segment" || format == "ssegment" || format == "stream_segment";
}

Plan::Codec codecOf(const Invocation& invocation, bool pieces) {
    const std::optional<std::string> codec =
        invocation.outputValue({"acodec", "c:a", "codec:a", "c", "codec"});
    if (codec) {
        const std::string name = lowered(*codec);
        if (name == "amr_nb" || name == "libopencore_amrnb")
            return Plan::Codec::Amr;
    }
    std::optional<std::string> format = invocation.outputValue({pieces ? "segment_format" : "f"});
    const std::string container =
        format ? lowered(*format) : extensionOf(invocation.output.value_or(""));
    if (container == "amr")
        return Plan::Codec::Amr;
    if (container == "flac")
        return Plan::Codec::Flac;
    return Plan::Codec::Other;
}

void appendOptions(std::vector<std::string>& args, const std::vector<Option>& options,
                   std::initializer_list<std::string_view> leaveOut = {}) {
    for (const Option& option : options) {
        if (std::find(leaveOut.begin(), leaveOut.end(), option.name) != leaveOut.end())
            continue;
        args.push_back("-" + option.name);
        if (option.value)
            args.push_back(*option.value);
    }
}

// Everything up to and including the input. Only local files may be read, also by the
// demuxers that follow references inside a file (playlists, concat lists).
std::vector<std::string> inputPart(const Invocation& invocation) {
    std::vector<std::string> args{"-nostdin", "-hide_banner"};
    appendOptions(args, invocation.inputOptions, {"nostdin", "stdin", "hide_banner"});
    args.insert(args.end(), {"-protocol_whitelist", "file", "-i", ffmpegPath(invocation.input)});
    return args;
}

void addIfMissing(std::vector<std::string>& args, const Invocation& invocation,
                  const std::string& name) {
    if (!invocation.hasOutputOption(name))
        args.push_back("-" + name);
}

} // namespace

Plan planFor(const Invocation& invocation) {
    Plan plan;
    if (!invocation.output)
        return plan;
    const std::optional<std::string> format = invocation.outputValue({"f"});
    const bool pieces = format && isSegmentFormat(lowered(*format));
    plan.kind = pieces ? Plan::Kind::Pieces : Plan::Kind::SingleFile;
    plan.codec = codecOf(invocation, pieces);
    if (!pieces)
        return plan;

    // FFmpeg cuts two-second pieces when no length is given.
    const std::string text = invocation.outputValue({"segment_time"}).value_or("2");
    const std::optional<double> seconds = parseDuration(text);
    if (!seconds)
        throw EncoderError("the piece length \"" + text + "\" is not a duration in seconds");
    if (!(*seconds >= 1))
        throw EncoderError("the piece length \"" + text +
                           "\" is too short: pieces must last at least 1 second");
    plan.segmentSeconds = *seconds;
    if (!PiecePattern(*invocation.output).hasNumber())
        throw EncoderError("the output name \"" + *invocation.output +
                           "\" has no place for the piece number (such as %05d)");
    return plan;
}

std::string ffmpegPath(const std::string& path) {
    return path.starts_with('/') ? path : "file:" + path;
}

std::vector<std::string> probeArguments(const Invocation& invocation) {
    return inputPart(invocation);
}

std::vector<std::string> passThroughArguments(const Invocation& invocation, const Plan& plan,
                                              const std::string& pieceList) {
    std::vector<std::string> args = inputPart(invocation);
    args.push_back("-y");
    appendOptions(args, invocation.outputOptions, {"y", "n"});
    // Audio only: a video, subtitle or data stream could otherwise make the whole
    // conversion fail in an audio container.
    addIfMissing(args, invocation, "vn");
    addIfMissing(args, invocation, "sn");
    addIfMissing(args, invocation, "dn");
    if (plan.kind == Plan::Kind::Pieces) {
        if (!invocation.hasOutputOption("reset_timestamps"))
            args.insert(args.end(), {"-reset_timestamps", "1"});
        if (!pieceList.empty())
            args.insert(args.end(), {"-segment_list", pieceList, "-segment_list_type", "csv"});
        args.push_back(ffmpegPath(PiecePattern(*invocation.output).ffmpegTemplate()));
    } else {
        args.push_back(ffmpegPath(*invocation.output));
    }
    return args;
}

std::vector<std::string> amrDecodeArguments(const Invocation& invocation) {
    std::vector<std::string> args = inputPart(invocation);
    // What the AMR writer does itself (pieces, codec, rate, channels) is left out; filters,
    // stream choice and time limits stay.
    std::vector<Option> kept;
    for (const Option& option : invocation.outputOptions) {
        static constexpr auto replaced = std::to_array<std::string_view>(
            {"f", "y", "n", "vn", "sn", "dn", "ab", "b", "b:a", "ar", "ac", "acodec", "c", "codec",
             "c:a", "codec:a", "reset_timestamps", "id3v2_version", "map_metadata"});
        const bool segmentOption = option.name.starts_with("segment_");
        if (!segmentOption &&
            std::find(replaced.begin(), replaced.end(), option.name) == replaced.end())
            kept.push_back(option);
    }
    appendOptions(args, kept);
    args.insert(args.end(), {"-vn", "-sn", "-dn", "-ar", "8000", "-ac", "1", "-acodec", "pcm_s16le",
                             "-f", "s16le", "pipe:1"});
    return args;
}

std::vector<std::string> flacRewriteArguments(const std::string& piece, const std::string& target) {
    return {"-nostdin",
            "-hide_banner",
            "-nostats",
            "-loglevel",
            "error",
            "-protocol_whitelist",
            "file",
            "-i",
            ffmpegPath(piece),
            "-y",
            "-map",
            "0:a",
            "-c:a",
            "flac",
            "-f",
            "flac",
            ffmpegPath(target)};
}

std::vector<std::string> audioStreamQueryArguments(const std::string& path) {
    return {"-hide_banner",  "-loglevel",         "error", "-protocol_whitelist",        "file",
            "-show_entries", "stream=codec_type", "-of",   "default=noprint_wrappers=1", "-i",
            ffmpegPath(path)};
}

int amrModeFor(const Invocation& invocation) {
    static constexpr auto rates =
        std::to_array<double>({4750, 5150, 5900, 6700, 7400, 7950, 10200, 12200});
    const std::optional<std::string> text = invocation.outputValue({"ab", "b:a", "b"});
    const std::optional<double> asked = text ? parseBitRate(*text) : std::nullopt;
    if (!asked)
        return 4;
    int best = 0;
    for (int mode = 1; mode < static_cast<int>(rates.size()); ++mode) {
        const auto index = static_cast<std::size_t>(mode);
        const auto bestIndex = static_cast<std::size_t>(best);
        if (std::fabs(rates[index] - *asked) < std::fabs(rates[bestIndex] - *asked))
            best = mode;
    }
    return best;
}

} // namespace vantorel::encoder
