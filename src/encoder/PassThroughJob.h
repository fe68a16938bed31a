#pragma once

#include "encoder/Arguments.h"
#include "encoder/FfmpegArguments.h"

#include <string>

namespace vantorel::encoder {

// Hands the command to FFmpeg, whose text ("Duration: ", "time=") goes straight to conv.exe's
// own output, and mends what FFmpeg gets wrong in FLAC pieces. Returns the exit code.
int runPassThrough(const std::string& ffmpeg, const Invocation& invocation, const Plan& plan);

} // namespace vantorel::encoder
