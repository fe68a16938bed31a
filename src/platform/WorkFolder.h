#pragma once

#include <QString>

// The per-user work folder holds the temporary WAV and the working copies. On a machine shared
// with other users it is only used while it is a real folder (not a symbolic link) owned by the
// user; anything else could let another user redirect what we write or delete.
namespace vantorel::workfolder {

// Creates the folder with mode 0700 when it is missing. True when it is then safe to use;
// otherwise *reason (when given) says why, naming the folder.
bool prepare(QString* reason = nullptr);

// True when the folder is missing or safe to use; false when something else stands there.
bool isSafe(QString* reason = nullptr);

} // namespace vantorel::workfolder
