#include "filelist/FileListModel.h"

#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <climits>

namespace vantorel {
namespace {

// Remove All takes about this many steps whatever the length of the list: a short list loses
// its rows one at a time, a long one in blocks, and the window repaints between steps.
constexpr qsizetype RemoveAllSteps = 100;

QString trimmedOfSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text.at(first) == QLatin1Char(' '))
        ++first;
    while (end > first && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

} // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {}

QString FileListModel::FormatLabelFor(const QString& text) {
    const QString t = trimmedOfSpaces(text);
    if (t.right(4).toUpper() == QLatin1String("FLAC"))
        return QStringLiteral("FLAC");
    return t.right(3).toUpper();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(std::min<qsizetype>(m_entries.size(), INT_MAX));
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_entries.size() || role != Qt::DisplayRole)
        return {};
    const FileEntry& entry = m_entries.at(index.row());
    switch (index.column()) {
    case FileNameColumn:
        return entry.DisplayText;
    case FormatColumn:
        return entry.FormatLabel;
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case FileNameColumn:
        return QStringLiteral("FileName");
    case FormatColumn:
        return QStringLiteral("Format");
    default:
        return {};
    }
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QStringList FileListModel::QueuedPaths() const {
    QStringList paths;
    paths.reserve(m_entries.size());
    for (const FileEntry& entry : m_entries)
        paths.append(entry.QueuedPath);
    return paths;
}

void FileListModel::Append(const FileEntry& entry) {
    const auto row = static_cast<int>(m_entries.size());
    beginInsertRows(QModelIndex(), row, row);
    m_entries.append(entry);
    endInsertRows();
}

void FileListModel::AppendMany(const QList<FileEntry>& entries) {
    if (entries.isEmpty())
        return;
    const auto first = static_cast<int>(m_entries.size());
    beginInsertRows(QModelIndex(), first, static_cast<int>(first + entries.size() - 1));
    m_entries.append(entries);
    endInsertRows();
}

void FileListModel::RemoveRows(qsizetype first, qsizetype count) {
    beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + count - 1));
    m_entries.remove(first, count);
    endRemoveRows();
    // Rows taken from the block that Remove All still has to remove shrink that block, so it
    // never reaches past it into entries added after it started.
    const qsizetype overlap =
        std::max<qsizetype>(0, std::min(first + count, m_pendingRemoval) - first);
    m_pendingRemoval -= overlap;
}

bool FileListModel::RemoveSelectedEntry(qsizetype currentRow) {
    bool removed = false;
    if (currentRow >= 0 && currentRow < m_entries.size()) {
        RemoveRows(currentRow, 1);
        removed = true;
    }
    if (m_entries.isEmpty())
        m_hint.SetVisible(true);
    return removed;
}

bool FileListModel::RemoveFirstEntry() {
    if (m_entries.isEmpty())
        return false;
    RemoveRows(0, 1);
    return true;
}

bool FileListModel::RemoveFirstEntryIf(const QString& queuedPath) {
    return RemoveEntryAtIf(0, queuedPath);
}

bool FileListModel::RemoveEntryAtIf(qsizetype row, const QString& queuedPath) {
    if (row < 0 || row >= m_entries.size() || m_entries.at(row).QueuedPath != queuedPath)
        return false;
    RemoveRows(row, 1);
    return true;
}

void FileListModel::RemoveAllEntries() {
    if (m_removingAll) {
        // Asked again while events run inside the first call: that call takes these rows too.
        m_pendingRemoval = m_entries.size();
        return;
    }
    m_removingAll = true;
    m_pendingRemoval = m_entries.size();
    const qsizetype step = std::max<qsizetype>(1, m_pendingRemoval / RemoveAllSteps);
    const QPointer<FileListModel> alive(this);
    while (m_pendingRemoval > 0 && !m_entries.isEmpty()) {
        RemoveRows(0, std::min({step, m_pendingRemoval, m_entries.size()}));
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        if (!alive)
            return;
    }
    m_removingAll = false;
    // Normally the list is empty now; rows dropped in while it ran stay visible.
    m_hint.SetCaption(DropHint::DragCaption());
    UpdateHint();
}

void FileListModel::UpdateHint() {
    m_hint.Update(m_entries.size());
}

} // namespace vantorel
