#pragma once

#include <QString>

namespace vantorel {

// The executable name whose presence anywhere on the machine keeps a console command running.
// The run driver sets it to "conv.exe" before every command; it starts as that name too.
QString& EncoderProcessName();

} // namespace vantorel
