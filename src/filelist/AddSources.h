#pragma once

#include "filelist/FileEntry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// The ways of filling the list, without their dialogs: the window asks the user and hands the
// chosen path(s) over. Problems with working copies come back as messages for the window.
namespace vantorel {

class FileListModel;

// Entries for the files a folder search found, shown and queued as found (a path unsafe for
// the encoder is queued as a working copy instead).
QList<FileEntry> EntriesForFolder(const QStringList& found, QStringList* errors = nullptr);

// The entry for a file chosen in the open-file dialog.
FileEntry EntryForChosenFile(const QString& path, QString* error = nullptr);

// The entries for a drop, from its local-file URLs in their order; other URLs add nothing.
// Through the overlay the working-copy rules apply and the Format comes from the dropped name;
// a drop on the list view itself shows and queues the paths as delivered, apart from paths
// unsafe for the encoder. A dropped folder is one entry, like a file.
QList<FileEntry> DroppedFilesToEntries(const QList<QUrl>& urls, bool throughOverlay,
                                       QStringList* errors = nullptr);

// The whole operations, hint included. An empty chosen path means the dialog was cancelled.
void AddChosenFile(FileListModel& list, const QString& path, QString* error = nullptr);
void AddFolder(FileListModel& list, const QString& chosenFolder, QStringList* errors = nullptr);
// True when the drop added anything.
bool AddDroppedFiles(FileListModel& list, const QList<QUrl>& urls, bool throughOverlay,
                     QStringList* errors = nullptr);

} // namespace vantorel
