#pragma once

#include <QString>

namespace vantorel {

// Existence tests through the narrow code page: a name the code page cannot hold does not exist
// for the program, because neither it nor the encoder could open it.
bool FolderExists(const QString& path);
bool FileExists(const QString& path);

} // namespace vantorel
