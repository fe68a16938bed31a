#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace vantorel::encoder {

// An owned file descriptor, closed when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return m_fd; }
    int release();
    void reset();

private:
    int m_fd = -1;
};

struct Pipe {
    UniqueFd readEnd;
    UniqueFd writeEnd;
};
// Both ends close on exec; a child gets only the end it is handed.
Pipe makePipe();

struct ExitStatus {
    bool signalled = false;
    int code = 0;   // when not signalled
    int signal = 0; // when signalled
    bool success() const { return !signalled && code == 0; }
};

// Where a child's standard output and error go; -1 keeps conv.exe's own.
struct Redirects {
    int out = -1;
    int err = -1;
};

// A helper program run by conv.exe. It reads nothing from standard input and dies when conv.exe
// dies, however conv.exe ends (SIGKILL included), so no helper ever outlives it. Termination
// requests that reach conv.exe are passed on to it.
class ChildProcess {
public:
    // args[0] is the program's path. Throws EncoderError when it cannot be started.
    static ChildProcess start(const std::vector<std::string>& args, Redirects redirects = {});

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A child still running is killed and reaped.
    ~ChildProcess();

    ExitStatus wait();
    pid_t pid() const { return m_pid; }

private:
    explicit ChildProcess(pid_t pid) : m_pid(pid) {}
    pid_t m_pid = -1;
};

// Thrown when conv.exe was asked to stop (SIGTERM, SIGINT, SIGHUP): main() lets everything
// clean up, then ends by the same signal.
struct Terminated {
    int signal;
};

// Installs the handlers that pass termination requests on to the running child.
void installTerminationForwarding();
// Throws Terminated when a termination request has arrived.
void throwIfTerminated();
// Ends conv.exe by `signal`, as if the signal had not been caught.
[[noreturn]] void dieOfSignal(int signal);

// The exit code conv.exe passes on for a helper's end; a helper ended by a signal is reported
// in a line of its own.
int exitCodeFor(const ExitStatus& status);

// Reads everything from `fd` until its end; keeps at most `limit` bytes.
std::string readAll(int fd, std::size_t limit);
// Writes all of `data`; false on failure.
bool writeAll(int fd, const char* data, std::size_t size);

} // namespace vantorel::encoder
