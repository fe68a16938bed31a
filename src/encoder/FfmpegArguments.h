#pragma once

#include "encoder/Arguments.h"

#include <string>
#include <vector>

namespace vantorel::encoder {

// What a command asks for, read from its options and its output name.
struct Plan {
    enum class Kind { Probe, SingleFile, Pieces };
    enum class Codec { Other, Flac, Amr };

    Kind kind = Kind::Probe;
    Codec codec = Codec::Other;
    double segmentSeconds = 0; // for Pieces: at least 1
};

// Throws EncoderError for a piece length below one second or one that is not a duration, and
// for pieces without a number in their name.
Plan planFor(const Invocation& invocation);

// A path as FFmpeg must be given it so that it is always a local file: a relative name such
// as "http:x" or "pipe:1" would otherwise name a protocol.
std::string ffmpegPath(const std::string& path);

// The argument lists below leave out the program itself.

// Describes the input, which prints its "Duration: " line, and writes nothing.
std::vector<std::string> probeArguments(const Invocation& invocation);

// The command as given, made safe and complete: no reading of standard input, overwriting
// without asking, audio only, and pieces whose timestamps start at zero. `pieceList`, when not
// empty, is a file where FFmpeg lists the pieces it wrote (as CSV).
std::vector<std::string> passThroughArguments(const Invocation& invocation, const Plan& plan,
                                              const std::string& pieceList);

// Decodes the input's audio to 16-bit little-endian 8000 Hz mono samples on standard output.
std::vector<std::string> amrDecodeArguments(const Invocation& invocation);

// Re-encodes one FLAC piece into `target`, so its header carries the piece's own length.
std::vector<std::string> flacRewriteArguments(const std::string& piece, const std::string& target);

// Lists the input's stream types as "codec_type=audio" lines (for ffprobe).
std::vector<std::string> audioStreamQueryArguments(const std::string& path);

// The AMR-NB mode (0 = 4.75 kbit/s ... 7 = 12.2 kbit/s) nearest to the asked bit rate;
// 7.4 kbit/s (mode 4) when none is asked.
int amrModeFor(const Invocation& invocation);

} // namespace vantorel::encoder
