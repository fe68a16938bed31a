#pragma once

#include <string>

namespace vantorel::encoder {

// The FFmpeg programs conv.exe hands its work to: the ones the build found, or else the first
// of that name on PATH. Throws EncoderError when there is none.
std::string ffmpegProgram();
// As ffmpegProgram(), but returns an empty text when there is no ffprobe: the checks that use it
// are skipped and FFmpeg's own errors speak instead.
std::string ffprobeProgram();

// The first executable file called `name` in the folders of PATH; empty when none.
std::string findOnPath(const std::string& name);

} // namespace vantorel::encoder
