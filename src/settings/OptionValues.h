#pragma once

#include <cstdint>

namespace vantorel {

// The options dialog's choices, kept for the whole run and stored in options.ini.
struct OptionValues {
    std::int16_t SoundReminder = 0; // 0 plays the reminder sound at the end of a run, 1 does not
    std::int16_t CutterEnabled = 0; // non-zero: progress counts CutterLength as each file's length
    std::int32_t CutterStart = 0;   // whole seconds
    std::int32_t CutterLength = 0;  // whole seconds
};

} // namespace vantorel
