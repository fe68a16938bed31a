#pragma once

#include "encoder/Arguments.h"

#include <string>

namespace vantorel::encoder {

// Prints FFmpeg's description of the input, with its "Duration: " line. FFmpeg itself ends such
// a command with an error, because it names no output; conv.exe drops that complaint and exits
// with 0 when the description held a duration, so the probe reads as the success it is.
int runProbe(const std::string& ffmpeg, const Invocation& invocation);

} // namespace vantorel::encoder
