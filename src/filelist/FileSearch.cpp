#include "filelist/FileSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace vantorel {
namespace {

// Events run when this much time has passed, looked at every few entries: often enough for a
// responsive window, rarely enough that a folder of 100,000 files is still listed at once.
constexpr qint64 EventIntervalMs = 20;
constexpr int EntriesBetweenClockChecks = 128;

std::function<bool(const QString&)>& listingRefusal() {
    static std::function<bool(const QString&)> refuse;
    return refuse;
}

enum class Kind { File, Folder, Skip };

unsigned char typeFromMode(mode_t mode) {
    if (S_ISLNK(mode))
        return DT_LNK;
    if (S_ISDIR(mode))
        return DT_DIR;
    if (S_ISREG(mode))
        return DT_REG;
    return DT_UNKNOWN;
}

Kind kindOf(const QByteArray& path, unsigned char type) {
    struct stat st {};
    // Some file systems leave the type out of the listing.
    if (type == DT_UNKNOWN) {
        if (::lstat(path.constData(), &st) != 0)
            return Kind::Skip;
        type = typeFromMode(st.st_mode);
    }
    switch (type) {
    case DT_DIR:
        return Kind::Folder;
    case DT_REG:
        return Kind::File;
    case DT_LNK:
        // A link counts as what it points to when that is a file; a link to a folder is
        // never followed.
        return ::stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) ? Kind::File : Kind::Skip;
    default:
        return Kind::Skip;
    }
}

class EventPump {
public:
    EventPump() { m_clock.start(); }
    void tick() {
        if (++m_entries < EntriesBetweenClockChecks)
            return;
        m_entries = 0;
        if (m_clock.elapsed() < EventIntervalMs || !QCoreApplication::instance())
            return;
        QCoreApplication::processEvents();
        m_clock.restart();
    }

private:
    QElapsedTimer m_clock;
    int m_entries = 0;
};

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// Adds the files of one folder to list and its subfolders, in listing order, to subfolders.
// The listing is closed when this returns, before any subfolder is opened.
void listFolder(const QString& folder, QStringList& list, QStringList& subfolders,
                EventPump& pump) {
    if (listingRefusal() && listingRefusal()(folder))
        return;
    const QByteArray narrowFolder = QFile::encodeName(folder);
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(narrowFolder.constData()));
    if (!dir)
        return;
    QByteArray entryPath = narrowFolder + '/';
    const qsizetype prefix = entryPath.size();
    while (const dirent* entry = ::readdir(dir.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
            continue;
        entryPath.truncate(prefix);
        entryPath.append(name);
        switch (kindOf(entryPath, entry->d_type)) {
        case Kind::File:
            list.append(folder + QLatin1Char('/') + QFile::decodeName(name));
            break;
        case Kind::Folder:
            subfolders.append(folder + QLatin1Char('/') + QFile::decodeName(name));
            break;
        case Kind::Skip:
            break;
        }
        pump.tick();
    }
}

} // namespace

void SearchFolder(const QString& folder, QStringList& list) {
    EventPump pump;
    // Folders still to search, the next one last: a folder's subfolders go on in reverse so
    // that the first of them, with its whole tree, comes before the second.
    QStringList pending{folder};
    QStringList subfolders;
    while (!pending.isEmpty()) {
        const QString current = pending.takeLast();
        subfolders.clear();
        listFolder(current, list, subfolders, pump);
        for (auto it = subfolders.crbegin(); it != subfolders.crend(); ++it)
            pending.append(*it);
    }
}

QString TrimNameField(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1) == QChar(0) || text.at(end - 1) == QLatin1Char(' ')))
        --end;
    return text.left(end);
}

void SetListingRefusalForTesting(std::function<bool(const QString& folder)> refuse) {
    listingRefusal() = std::move(refuse);
}

} // namespace vantorel
