#pragma once

#include <QByteArray>
#include <QList>
#include <sys/types.h>

namespace vantorel {

// Starting a child with no terminal input and both output streams into one pipe, without a
// shell. The child inherits the environment and working folder, nothing else: no other open
// descriptor, no blocked or ignored signal.
struct HiddenChild {
    pid_t pid = -1;
    int readEnd = -1; // non-blocking use is up to the caller; closed on exec
    int error = 0;    // errno of the failing step when pid is -1
    bool pipeFailed = false;
};

// arguments excludes the program; a program without "/" is looked up along PATH.
HiddenChild spawnHidden(const QByteArray& program, const QList<QByteArray>& arguments);

// True when the error means that the program is missing or cannot be executed, as opposed to
// the system lacking resources to start it.
bool isProgramNotFound(int error);

} // namespace vantorel
