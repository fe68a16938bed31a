#include "platform/WorkFolder.h"

#include "platform/AppPaths.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vantorel::workfolder {
namespace {

enum class State { Missing, Safe, Unsafe };

State inspect(const QByteArray& path, QString* reason) {
    struct stat st {};
    const QString name = QFile::decodeName(path);
    if (::lstat(path.constData(), &st) != 0) {
        if (errno == ENOENT)
            return State::Missing;
        if (reason)
            *reason = QStringLiteral("The work folder %1 cannot be examined: %2.")
                          .arg(name, QString::fromLocal8Bit(std::strerror(errno)));
        return State::Unsafe;
    }
    if (S_ISLNK(st.st_mode)) {
        if (reason)
            *reason = QStringLiteral("The work folder %1 is a symbolic link.").arg(name);
        return State::Unsafe;
    }
    if (!S_ISDIR(st.st_mode)) {
        if (reason)
            *reason = QStringLiteral("The work folder %1 is not a folder.").arg(name);
        return State::Unsafe;
    }
    if (st.st_uid != ::getuid()) {
        if (reason)
            *reason = QStringLiteral("The work folder %1 belongs to another user.").arg(name);
        return State::Unsafe;
    }
    return State::Safe;
}

} // namespace

bool prepare(QString* reason) {
    const QByteArray path = QFile::encodeName(paths::workFolder());
    State state = inspect(path, reason);
    if (state == State::Missing) {
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
            if (reason)
                *reason = QStringLiteral("The work folder %1 cannot be created: %2.")
                              .arg(QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        state = inspect(path, reason);
    }
    return state == State::Safe;
}

bool isSafe(QString* reason) { return inspect(QFile::encodeName(paths::workFolder()), reason) != State::Unsafe; }

} // namespace vantorel::workfolder
