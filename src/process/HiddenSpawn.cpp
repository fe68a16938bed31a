#include "process/HiddenSpawn.h"

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace vantorel {
namespace {

// A program that ignores a signal hands that to its children through exec; the encoder must
// see the default handling (a broken pipe, an interrupt) like any program started normally.
sigset_t ignoredSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig = 1; sig < NSIG; ++sig) {
        struct sigaction current {};
        if (sig != SIGKILL && sig != SIGSTOP && ::sigaction(sig, nullptr, &current) == 0 &&
            current.sa_handler == SIG_IGN)
            sigaddset(&set, sig);
    }
    return set;
}

} // namespace

HiddenChild spawnHidden(const QByteArray& program, const QList<QByteArray>& arguments) {
    HiddenChild child;
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        child.error = errno;
        child.pipeFailed = true;
        return child;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    const sigset_t ignored = ignoredSignals();
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &ignored);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<QByteArray> storage;
    storage.reserve(static_cast<std::size_t>(arguments.size()) + 1);
    storage.push_back(program);
    for (const QByteArray& argument : arguments)
        storage.push_back(argument);
    std::vector<char*> argv;
    for (QByteArray& text : storage)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int result =
        ::posix_spawnp(&pid, program.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    // Only the child keeps a write end, so the pipe breaks once every writer has gone.
    ::close(ends[1]);
    if (result != 0) {
        ::close(ends[0]);
        child.error = result;
        return child;
    }
    child.pid = pid;
    child.readEnd = ends[0];
    return child;
}

bool isProgramNotFound(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case EACCES:
    case EPERM:
    case ENOEXEC:
    case ELOOP:
    case ENAMETOOLONG:
    case EISDIR:
    case ETXTBSY:
        return true;
    default:
        return false;
    }
}

} // namespace vantorel
