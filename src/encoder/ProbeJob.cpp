#include "encoder/ProbeJob.h"

#include "encoder/ChildProcess.h"
#include "encoder/FfmpegArguments.h"

#include <cerrno>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

constexpr std::string_view noOutputComplaint = "At least one output file must be specified";

class LineRelay {
public:
    void feed(const char* data, std::size_t size) {
        m_pending.append(data, size);
        std::size_t end;
        while ((end = m_pending.find_first_of("\r\n")) != std::string::npos) {
            emit(m_pending.substr(0, end + 1));
            m_pending.erase(0, end + 1);
        }
    }
    void finish() {
        if (!m_pending.empty())
            emit(m_pending);
        m_pending.clear();
    }
    bool sawDuration() const { return m_sawDuration; }

private:
    void emit(const std::string& line) {
        if (line.find("Duration: ") != std::string::npos)
            m_sawDuration = true;
        if (line.starts_with(noOutputComplaint))
            return;
        writeAll(STDERR_FILENO, line.data(), line.size());
    }

    std::string m_pending;
    bool m_sawDuration = false;
};

} // namespace

int runProbe(const std::string& ffmpeg, const Invocation& invocation) {
    std::vector<std::string> args = probeArguments(invocation);
    args.insert(args.begin(), ffmpeg);
    Pipe text = makePipe();
    ChildProcess child = ChildProcess::start(args, Redirects{-1, text.writeEnd.get()});
    text.writeEnd.reset();

    LineRelay relay;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(text.readEnd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        relay.feed(buffer, static_cast<std::size_t>(got));
    }
    relay.finish();
    const ExitStatus status = child.wait();
    throwIfTerminated();
    if (relay.sawDuration() && !status.signalled)
        return 0;
    if (status.signalled)
        return 128 + status.signal;
    return status.code == 0 ? 1 : status.code;
}

} // namespace vantorel::encoder
