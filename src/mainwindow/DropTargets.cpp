#include "mainwindow/DropTargets.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace vantorel {
namespace {

// Drag-enter events are drag-move events too.
void AcceptAsCopy(QDragMoveEvent* event) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

// Every drop is taken as a copy: the user's files stay where they are.
QList<QUrl> TakeDrop(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    return DropTargets::FileUrls(drop->mimeData());
}

} // namespace

DropTargets::DropTargets(QWidget* listArea, QWidget* overlay, DropHandler onOverlayDrop,
                         DropHandler onListDrop, QObject* parent)
    : QObject(parent), m_listArea(listArea), m_overlay(overlay),
      m_onOverlayDrop(std::move(onOverlayDrop)), m_onListDrop(std::move(onListDrop)) {
    listArea->setAcceptDrops(true);
    overlay->setAcceptDrops(true);
    listArea->installEventFilter(this);
    overlay->installEventFilter(this);
}

QList<QUrl> DropTargets::FileUrls(const QMimeData* data) {
    QList<QUrl> files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files.append(url);
    return files;
}

bool DropTargets::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_listArea)
        return ListEvent(event);
    if (watched == m_overlay)
        return OverlayEvent(event);
    return QObject::eventFilter(watched, event);
}

bool DropTargets::ListEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        if (m_overlay) {
            m_overlay->show();
            m_overlay->raise();
        }
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData()->hasUrls())
            AcceptAsCopy(drag);
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        const QList<QUrl> urls = TakeDrop(event);
        if (m_onListDrop)
            m_onListDrop(urls);
        return true;
    }
    default:
        return false;
    }
}

bool DropTargets::OverlayEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        // Whatever is dragged may land here: a drop without files still takes the overlay away.
        AcceptAsCopy(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::Drop: {
        const QList<QUrl> urls = TakeDrop(event);
        if (m_overlay)
            m_overlay->hide();
        if (m_onOverlayDrop)
            m_onOverlayDrop(urls);
        return true;
    }
    case QEvent::MouseButtonPress:
        if (m_overlay)
            m_overlay->hide();
        return true;
    default:
        return false;
    }
}

} // namespace vantorel
