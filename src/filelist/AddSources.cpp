#include "filelist/AddSources.h"

#include "filelist/FileListModel.h"
#include "filelist/FileSearch.h"
#include "filelist/WorkingCopy.h"

#include <QCoreApplication>

namespace vantorel {
namespace {

void collect(QStringList* errors, const QString& error) {
    if (errors && !error.isEmpty())
        errors->append(error);
}

} // namespace

QList<FileEntry> EntriesForFolder(const QStringList& found, QStringList* errors) {
    QList<FileEntry> entries;
    entries.reserve(found.size());
    QString error;
    for (const QString& s : found) {
        entries.append({s, FileListModel::FormatLabelFor(s), EncoderSafePath(s, &error)});
        collect(errors, error);
    }
    return entries;
}

FileEntry EntryForChosenFile(const QString& path, QString* error) {
    const QString display = DisplayTextFor(path);
    return {display, FileListModel::FormatLabelFor(display), QueuedPathFor(path, error)};
}

QList<FileEntry> DroppedFilesToEntries(const QList<QUrl>& urls, bool throughOverlay,
                                       QStringList* errors) {
    QList<FileEntry> entries;
    QString error;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString p = url.toLocalFile();
        if (p.isEmpty())
            continue;
        if (throughOverlay)
            entries.append(
                {DisplayTextFor(p), FileListModel::FormatLabelFor(p), QueuedPathFor(p, &error)});
        else
            entries.append({p, FileListModel::FormatLabelFor(p), EncoderSafePath(p, &error)});
        collect(errors, error);
    }
    return entries;
}

void AddChosenFile(FileListModel& list, const QString& path, QString* error) {
    if (error)
        error->clear();
    if (path.isEmpty())
        return;
    list.Append(EntryForChosenFile(path, error));
    list.UpdateHint();
}

void AddFolder(FileListModel& list, const QString& chosenFolder, QStringList* errors) {
    list.Hint().ShowSearching();
    if (!chosenFolder.isEmpty()) {
        QStringList found;
        SearchFolder(chosenFolder, found);
        list.AppendMany(EntriesForFolder(found, errors));
    }
    list.Hint().EndSearch(list.Count());
}

bool AddDroppedFiles(FileListModel& list, const QList<QUrl>& urls, bool throughOverlay,
                     QStringList* errors) {
    const QList<FileEntry> entries = DroppedFilesToEntries(urls, throughOverlay, errors);
    list.AppendMany(entries);
    if (!list.IsEmpty()) {
        // Lets the new rows paint before the hint goes.
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        list.UpdateHint();
    }
    return !entries.isEmpty();
}

} // namespace vantorel
