#include "encoder/ListFolder.h"

#include "encoder/EncoderError.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace vantorel::encoder {

namespace {

constexpr std::string_view prefix = "conv.exe-";
constexpr const char* listName = "pieces.csv";
constexpr const char* pendingListName = "pieces.csv.tmp";

std::string temporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    return base && *base ? base : "/tmp";
}

void removeFolder(const std::string& folder) {
    unlink((folder + "/" + listName).c_str());
    unlink((folder + "/" + pendingListName).c_str());
    rmdir(folder.c_str()); // fails, and keeps the folder, when anything else is in it
}

// "conv.exe-<pid>-XXXXXX" of ours whose conv.exe has gone.
bool isAbandoned(const std::string& base, const std::string& name) {
    if (!name.starts_with(prefix))
        return false;
    char* end = nullptr;
    const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
    if (pid <= 0 || *end != '-' || pid == getpid())
        return false;
    struct stat info {};
    if (lstat((base + "/" + name).c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != geteuid())
        return false;
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

void removeAbandoned(const std::string& base) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(base.c_str()), closedir);
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir.get())) {
        if (isAbandoned(base, entry->d_name))
            removeFolder(base + "/" + entry->d_name);
    }
}

} // namespace

ListFolder::ListFolder() {
    const std::string base = temporaryFolder();
    removeAbandoned(base);
    m_path = base + "/" + std::string(prefix) + std::to_string(getpid()) + "-XXXXXX";
    if (!mkdtemp(m_path.data()))
        throw EncoderError("cannot make a temporary folder in \"" + base +
                           "\": " + std::strerror(errno));
}

ListFolder::~ListFolder() {
    removeFolder(m_path);
}

std::string ListFolder::listPath() const {
    return m_path + "/" + listName;
}

} // namespace vantorel::encoder
