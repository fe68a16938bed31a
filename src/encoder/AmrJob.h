#pragma once

#include "encoder/Arguments.h"
#include "encoder/FfmpegArguments.h"

#include <string>

namespace vantorel::encoder {

// AMR-NB output, which the system's FFmpeg cannot encode: FFmpeg decodes the input to 8000 Hz
// mono samples on a pipe (its "Duration: " and "time=" text still reaches conv.exe's output,
// so progress moves), and conv.exe encodes them and writes "#!AMR\n" files, a new one every
// piece length. Returns the exit code.
int runAmr(const std::string& ffmpeg, const Invocation& invocation, const Plan& plan);

} // namespace vantorel::encoder
