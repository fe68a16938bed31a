#pragma once

#include "settings/MainWindowSettings.h"
#include "settings/OptionValues.h"

// setup.ini and options.ini: one value per line, the position of a line is its meaning.
// Loading changes only what it can read: a value that is missing, unreadable or out of range
// leaves its field as the caller had it. None of these functions shows a message.
namespace vantorel {

// Overwrites the five choices from setup.ini field by field; afterwards an empty output path
// becomes the default output folder, whether or not the file was there.
void LoadMainWindowSettings(MainWindowSettings& inOut);
// Writes setup.ini; false when it could not be written (the old file is then left as it was).
bool SaveMainWindowSettings(const MainWindowSettings& settings);

// Fills the option values from options.ini. Without the file, the reminder and the cutter
// switch become 0 and the two cutter times are left alone.
void LoadOptionValues(OptionValues& inOut);
// Writes options.ini; false when it could not be written.
bool SaveOptionValues(const OptionValues& values);

} // namespace vantorel
