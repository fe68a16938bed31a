#include "process/FolderTree.h"

#include "platform/CodePage.h"

#include <QByteArray>
#include <QCoreApplication>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vantorel {
namespace {

RemovalCheck& removalCheck() {
    static RemovalCheck check;
    return check;
}

bool mayRemove(const QByteArray& path) {
    const RemovalCheck& check = removalCheck();
    return !check || check(codePage().fromNarrow(path));
}

void letEventsRun() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// The owner needs read, write and search rights on a folder to list and empty it. Rights are
// changed only through a handle opened without following links, so a link swapped in for the
// folder can never redirect the change.
void grantOwnerRights(int handle) {
    struct stat st {};
    if (::fstat(handle, &st) != 0 || (st.st_mode & S_IRWXU) == S_IRWXU)
        return;
    const QByteArray viaHandle = "/proc/self/fd/" + QByteArray::number(handle);
    ::chmod(viaHandle.constData(), (st.st_mode & 07777) | S_IRWXU);
}

// Opens a folder for listing, never through a link; -1 when it cannot be opened.
int openFolder(int parent, const char* name) {
    const int pathOnly = ::openat(parent, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (pathOnly < 0)
        return -1;
    grantOwnerRights(pathOnly);
    ::close(pathOnly);
    return ::openat(parent, name, folderFlags);
}

// The names in a folder, read in full before anything is removed, so that removal cannot make
// the listing skip or repeat an entry.
std::vector<QByteArray> entryNames(int folder) {
    std::vector<QByteArray> names;
    const int listing = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listing < 0)
        return names;
    DIR* dir = ::fdopendir(listing);
    if (dir == nullptr) {
        ::close(listing);
        return names;
    }
    while (const dirent* item = ::readdir(dir)) {
        const QByteArray name(item->d_name);
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

void removeFolderAt(int parent, const QByteArray& name, const QByteArray& path);

void emptyFolder(int folder, const QByteArray& path) {
    for (const QByteArray& name : entryNames(folder)) {
        const QByteArray child = path + '/' + name;
        struct stat st {};
        const bool isFolder = ::fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                              S_ISDIR(st.st_mode);
        if (isFolder)
            removeFolderAt(folder, name, child);
        else if (mayRemove(child))
            ::unlinkat(folder, name.constData(), 0);
        letEventsRun();
    }
}

void removeFolderAt(int parent, const QByteArray& name, const QByteArray& path) {
    const int folder = openFolder(parent, name.constData());
    if (folder >= 0) {
        emptyFolder(folder, path);
        ::close(folder);
    }
    if (mayRemove(path))
        ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
}

} // namespace

void RemoveFolderTree(const QString& folder) {
    QByteArray path = codePage().toNarrow(folder);
    // A trailing "/" would make the system follow a final link.
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    if (path.isEmpty() || path == "/")
        return;
    removeFolderAt(AT_FDCWD, path, path);
}

void setRemovalCheckForTesting(RemovalCheck check) {
    removalCheck() = std::move(check);
}

} // namespace vantorel
