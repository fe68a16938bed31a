#include "encoder/ChildProcess.h"

#include "encoder/EncoderError.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

std::atomic<pid_t> runningChild{0};
volatile std::sig_atomic_t requestedSignal = 0;
static_assert(std::atomic<pid_t>::is_always_lock_free);

constexpr int terminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void forwardTermination(int signal) {
    requestedSignal = signal;
    const pid_t child = runningChild.load();
    if (child > 0)
        kill(child, signal);
}

sigset_t terminationSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : terminationSignals)
        sigaddset(&set, signal);
    return set;
}

// Runs in the forked child: only async-signal-safe calls until exec.
[[noreturn]] void execChild(char* const* argv, Redirects redirects, pid_t parent,
                            const sigset_t& mask, int errorFd) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    // conv.exe may have died before the line above took effect.
    if (getppid() != parent)
        _exit(127);
    const int nullFd = open("/dev/null", O_RDONLY);
    if (nullFd >= 0 && nullFd != STDIN_FILENO) {
        dup2(nullFd, STDIN_FILENO);
        close(nullFd);
    }
    if (redirects.out >= 0)
        dup2(redirects.out, STDOUT_FILENO);
    if (redirects.err >= 0)
        dup2(redirects.err, STDERR_FILENO);
    for (int signal : terminationSignals)
        std::signal(signal, SIG_DFL);
    sigprocmask(SIG_SETMASK, &mask, nullptr);
    execv(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(errorFd, &error, sizeof error);
    _exit(127);
}

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        reset();
        m_fd = other.release();
    }
    return *this;
}

int UniqueFd::release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void UniqueFd::reset() {
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

Pipe makePipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw EncoderError(std::string("cannot create a pipe: ") + std::strerror(errno));
    return Pipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

ChildProcess ChildProcess::start(const std::vector<std::string>& args, Redirects redirects) {
    if (args.empty())
        throw EncoderError("no program to start");
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    Pipe errorPipe = makePipe();
    const sigset_t blocked = terminationSet();
    sigset_t previous;
    // Held back until the child's pid is known, so no request falls between fork and record.
    sigprocmask(SIG_BLOCK, &blocked, &previous);
    if (requestedSignal != 0) {
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        throw Terminated{requestedSignal};
    }
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0)
        execChild(argv.data(), redirects, parent, previous, errorPipe.writeEnd.get());
    const int forkError = errno;
    if (pid > 0)
        runningChild = pid;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (pid < 0)
        throw EncoderError("cannot start " + args[0] + ": " + std::strerror(forkError));

    ChildProcess child(pid);
    errorPipe.writeEnd.reset();
    int execError = 0;
    ssize_t got;
    do {
        got = read(errorPipe.readEnd.get(), &execError, sizeof execError);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof execError)) {
        child.wait();
        throw EncoderError("cannot start " + args[0] + ": " + std::strerror(execError));
    }
    return child;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : m_pid(other.m_pid) {
    other.m_pid = -1;
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        wait();
    }
}

ExitStatus ChildProcess::wait() {
    ExitStatus status;
    if (m_pid <= 0)
        return status;
    // Wait without reaping first: while the pid is not yet reaped it cannot be reused, so a
    // forwarded signal never reaches a stranger.
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOWAIT) != 0 &&
           errno == EINTR) {
    }
    runningChild = 0;
    int raw = 0;
    while (waitpid(m_pid, &raw, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    if (WIFSIGNALED(raw)) {
        status.signalled = true;
        status.signal = WTERMSIG(raw);
    } else {
        status.code = WEXITSTATUS(raw);
    }
    return status;
}

void installTerminationForwarding() {
    struct sigaction action {};
    action.sa_handler = forwardTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : terminationSignals)
        sigaction(signal, &action, nullptr);
}

void throwIfTerminated() {
    if (requestedSignal != 0)
        throw Terminated{requestedSignal};
}

void dieOfSignal(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    raise(signal);
    _exit(128 + signal);
}

int exitCodeFor(const ExitStatus& status) {
    if (!status.signalled)
        return status.code;
    const std::string line =
        "conv.exe: FFmpeg was ended by signal " + std::to_string(status.signal) + "\n";
    writeAll(STDERR_FILENO, line.data(), line.size());
    return 128 + status.signal;
}

std::string readAll(int fd, std::size_t limit) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        const std::size_t room = limit - std::min(limit, text.size());
        text.append(buffer, std::min(room, static_cast<std::size_t>(got)));
    }
    return text;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = write(fd, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace vantorel::encoder
