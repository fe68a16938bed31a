#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vantorel {

SettingsFileContent ReadSettingsFile(const QString& path) {
    SettingsFileContent content;
    if (path.isEmpty())
        return content;
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return content;
    content.Exists = true;
    if (!info.isFile())
        return content; // opening a pipe would wait for a writer that never comes
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return content;
    content.Bytes = file.read(kSettingsFileReadLimit);
    return content;
}

bool WriteSettingsFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(path);
    // Writing straight into the file could leave it half written; refuse instead.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // commit() does not notice when flushing its last buffered bytes fails (a full disk, a
    // file size limit) and would rename a cut-off file over the old one; flush first and check.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        file.cancelWriting(); // the file written beside is removed when `file` goes
        return false;
    }
    return file.commit();
}

} // namespace vantorel
