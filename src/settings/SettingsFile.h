#pragma once

#include <QByteArray>
#include <QString>

// Getting a settings file's bytes in and out. Reading never blocks and never takes more than a
// settings file can sensibly hold; writing replaces the file whole or not at all.
namespace vantorel {

struct SettingsFileContent {
    // Something is at the path (a folder does not count). Only a regular file is ever read:
    // anything else (a pipe, a device) or a file that cannot be opened gives no bytes.
    bool Exists = false;
    QByteArray Bytes;
};

// Settings files are a few hundred bytes; this much is read at most, so a huge or endless file
// costs nothing and only its beginning can matter.
inline constexpr qint64 kSettingsFileReadLimit = 1024 * 1024;

SettingsFileContent ReadSettingsFile(const QString& path);

// Creates the file's folder when it is missing, writes the bytes beside the file and renames
// them over it. On any failure the file keeps its previous content and false is returned.
bool WriteSettingsFile(const QString& path, const QByteArray& bytes);

} // namespace vantorel
