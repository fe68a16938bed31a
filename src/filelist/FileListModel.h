#pragma once

#include "filelist/DropHint.h"
#include "filelist/FileEntry.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace vantorel {

// The queue of source files for the next run. One ordered list of entries serves both
// presentations: the table of the list view ("FileName", "Format") and the hidden list of
// queued paths that the run works off from the front, so the two can never drift apart.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { FileNameColumn = 0, FormatColumn = 1, ColumnCount = 2 };

    // The rows' text colour; the view applies it (this layer has no colour type).
    static constexpr int RowTextRed = 228;
    static constexpr int RowTextGreen = 121;
    static constexpr int RowTextBlue = 69;

    explicit FileListModel(QObject* parent = nullptr);

    // The "Format" column text for a path or display text.
    static QString FormatLabelFor(const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    qsizetype Count() const { return m_entries.size(); }
    bool IsEmpty() const { return m_entries.isEmpty(); }
    const FileEntry& Entry(qsizetype row) const { return m_entries.at(row); }
    const QList<FileEntry>& Entries() const { return m_entries; }
    // The hidden list of queued paths, in list order.
    QString QueuedPath(qsizetype row) const { return m_entries.at(row).QueuedPath; }
    QStringList QueuedPaths() const;

    void Append(const FileEntry& entry);
    // One insertion for the whole batch, so a search of a big tree lands at once.
    void AppendMany(const QList<FileEntry>& entries);

    // Removes the view's current row (-1: none, nothing removed); shows the hint when the list
    // is empty afterwards. False when nothing was removed.
    bool RemoveSelectedEntry(qsizetype currentRow);
    // The run is done with the first entry. The hint is left as it is.
    bool RemoveFirstEntry();
    // Like RemoveFirstEntry, but only when the first entry still queues queuedPath: the user may
    // have removed or replaced it while its conversion ran, and then nothing must go.
    bool RemoveFirstEntryIf(const QString& queuedPath);
    // The same for the entry at `row`: the run keeps failed sources at the top and works on the
    // first entry below them.
    bool RemoveEntryAtIf(qsizetype row, const QString& queuedPath);
    // Empties the list from the top, letting events run between steps; ends with the drag
    // caption and the hint shown over the empty list. Entries added while it runs stay.
    void RemoveAllEntries();
    bool IsRemovingAll() const { return m_removingAll; }

    // Hint box shown exactly when the list is empty.
    void UpdateHint();
    DropHint& Hint() { return m_hint; }
    const DropHint& Hint() const { return m_hint; }

private:
    void RemoveRows(qsizetype first, qsizetype count);

    QList<FileEntry> m_entries;
    DropHint m_hint;
    // While RemoveAllEntries runs, the rows at the top that it still has to remove.
    qsizetype m_pendingRemoval = 0;
    bool m_removingAll = false;
};

} // namespace vantorel
