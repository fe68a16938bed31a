#pragma once

#include <QString>

// Looking through every process on the machine by its name, whoever started it. The name is the
// system's process name (the executable's file name, without folder), compared without regard to
// case. A process that has ended but was not yet reaped (a zombie) no longer runs and never counts.
namespace vantorel {

// True when at least one running process has that name.
bool IsProcessRunning(const QString& name);

// Ends every running process of that name at once (SIGKILL). The calling program itself is never
// signalled; processes it may not signal (another user's) are passed over silently.
void KillProcessByName(const QString& name);

} // namespace vantorel
