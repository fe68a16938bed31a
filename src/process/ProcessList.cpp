#include "process/ProcessList.h"

#include <QByteArray>
#include <QFile>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <signal.h>
#include <unistd.h>

namespace vantorel {
namespace {

struct ProcessEntry {
    pid_t pid = 0;
    QString name;
    bool ended = false;
};

std::optional<pid_t> pidFromEntryName(const char* text) {
    if (*text == '\0')
        return std::nullopt;
    long long value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return std::nullopt;
        value = value * 10 + (*p - '0');
        if (value > 0x7fffffff)
            return std::nullopt;
    }
    return static_cast<pid_t>(value);
}

// /proc/<pid>/stat reads "pid (name) state ...". The name may itself hold spaces and
// parentheses, so it runs from the first "(" to the last ")".
std::optional<ProcessEntry> readEntry(pid_t pid) {
    const QByteArray path = "/proc/" + QByteArray::number(pid) + "/stat";
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    char buffer[512];
    ssize_t got = -1;
    do {
        got = ::read(fd, buffer, sizeof buffer);
    } while (got < 0 && errno == EINTR);
    ::close(fd);
    if (got <= 0)
        return std::nullopt;
    const QByteArray stat(buffer, static_cast<qsizetype>(got));
    const qsizetype open = stat.indexOf('(');
    const qsizetype close = stat.lastIndexOf(')');
    if (open < 0 || close < open || close + 2 >= stat.size())
        return std::nullopt;
    ProcessEntry entry;
    entry.pid = pid;
    entry.name = QFile::decodeName(stat.mid(open + 1, close - open - 1));
    const char state = stat.at(close + 2);
    entry.ended = state == 'Z' || state == 'X' || state == 'x';
    return entry;
}

// Calls visit for every process that still runs and carries the name, until visit says stop.
void forEachNamed(const QString& name, const std::function<bool(pid_t)>& visit) {
    if (name.isEmpty())
        return;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr)
        return;
    const QString wanted = name.toLower();
    while (const dirent* item = ::readdir(proc)) {
        const std::optional<pid_t> pid = pidFromEntryName(item->d_name);
        if (!pid)
            continue;
        const std::optional<ProcessEntry> entry = readEntry(*pid);
        if (entry && !entry->ended && entry->name.toLower() == wanted && !visit(entry->pid))
            break;
    }
    ::closedir(proc);
}

} // namespace

bool IsProcessRunning(const QString& name) {
    bool seen = false;
    forEachNamed(name, [&seen](pid_t) {
        seen = true;
        return false;
    });
    return seen;
}

void KillProcessByName(const QString& name) {
    const pid_t self = ::getpid();
    forEachNamed(name, [self](pid_t pid) {
        if (pid != self)
            ::kill(pid, SIGKILL);
        return true;
    });
}

} // namespace vantorel
