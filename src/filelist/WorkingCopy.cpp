#include "filelist/WorkingCopy.h"

#include "filelist/GetFile.h"
#include "platform/AppPaths.h"
#include "platform/CodePage.h"
#include "platform/FileChecks.h"
#include "platform/WorkFolder.h"

#include <QDateTime>
#include <QFile>
#include <QSet>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace vantorel {
namespace {

constexpr qsizetype MaxNameCharacters = 200;
// A file name holds at most 255 bytes; room is kept for ".tmp" and a " (n)" that tells
// copies of equal names apart.
constexpr qsizetype MaxNameBytes = 255 - 4 - 12;

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

void replaceEach(QString& text, QLatin1StringView characters) {
    for (const QChar c : characters)
        text.replace(c, QLatin1Char(' '));
}

// Drops characters from the end, never half of a surrogate pair.
void cutTo(QString& text, qsizetype length) {
    if (text.size() <= length)
        return;
    if (length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    text.truncate(length);
}

// Every working-copy path handed out in this session, made or not: two entries must never
// share a copy, even when one copy failed or was deleted behind our back.
QSet<QString>& issuedCopies() {
    static QSet<QString> issued;
    return issued;
}

bool occupied(const QString& path) {
    struct stat st {};
    return issuedCopies().contains(path) || ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString uniqueCopyPath(const QString& name) {
    const QString stem = paths::workFolder() + QLatin1Char('/') + name;
    QString candidate = stem + QStringLiteral(".tmp");
    for (int n = 2; occupied(candidate); ++n)
        candidate = stem + QStringLiteral(" (%1).tmp").arg(n);
    issuedCopies().insert(candidate);
    return candidate;
}

// Empty when the source can be copied, else the reason.
QString sourceProblem(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("It cannot be read: %1.")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("It is a folder, not a file.");
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("It is not a regular file.");
    return {};
}

void report(QString* error, const QString& path, const QString& reason) {
    if (error)
        *error = QStringLiteral("No working copy of %1 can be made. %2").arg(path, reason);
}

} // namespace

bool IsUnsafeForEncoder(const QString& path) {
    if (path.startsWith(QLatin1Char('-')))
        return true;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || isControl(c))
            return true;
    }
    return false;
}

QString WorkingCopyName(const QString& path) {
    QString b = GetBaseName(toNarrowAndBack(path));
    replaceEach(b, QLatin1StringView("/\\<>?\":*|"));
    for (QChar& c : b) {
        if (isControl(c))
            c = QLatin1Char(' ');
    }
    cutTo(b, MaxNameCharacters);
    while (QFile::encodeName(b).size() > MaxNameBytes)
        cutTo(b, b.size() - 1);
    if (b.count(QLatin1Char(' ')) == b.size())
        b = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return b;
}

QString DisplayTextFor(const QString& path) {
    const QString t = toNarrowAndBack(path);
    QString name = GetFileName(t);
    const QString folder = t.left(t.size() - name.size());
    replaceEach(name, QLatin1StringView("/<>?\":*|"));
    return folder + name;
}

QString QueuedPathFor(const QString& path, QString* error) {
    if (error)
        error->clear();
    if (FileExists(path) && !IsUnsafeForEncoder(path))
        return path;

    QString reason;
    const bool folderReady = workfolder::prepare(&reason);
    const QString copy = uniqueCopyPath(WorkingCopyName(path));
    if (!folderReady) {
        report(error, path, reason);
        return copy;
    }
    reason = sourceProblem(path);
    if (!reason.isEmpty()) {
        report(error, path, reason);
        return copy;
    }
    QFile source(path);
    if (!source.copy(copy))
        report(error, path, source.errorString() + QLatin1Char('.'));
    return copy;
}

QString EncoderSafePath(const QString& path, QString* error) {
    if (error)
        error->clear();
    return IsUnsafeForEncoder(path) ? QueuedPathFor(path, error) : path;
}

} // namespace vantorel
