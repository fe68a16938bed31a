#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>

class QMimeData;
class QWidget;

namespace vantorel {

// The two places files can be dropped on: the list view and the white overlay laid over it.
// A drag reaching the list brings the overlay up, so the drop normally lands on the overlay;
// a drop on the list itself is the plain way in. A click on the overlay takes it away again.
// Every drop reports the copy action, so a drag source never deletes what it dragged.
class DropTargets : public QObject {
    Q_OBJECT

public:
    // The file URLs of a drop; empty when it carries none (text, for example).
    using DropHandler = std::function<void(const QList<QUrl>& urls)>;

    // listArea: the widget of the list view that takes the mouse (its viewport).
    DropTargets(QWidget* listArea, QWidget* overlay, DropHandler onOverlayDrop,
                DropHandler onListDrop, QObject* parent = nullptr);

    // The local files a drop carries, in the source's order; what is not a local file is left
    // out.
    static QList<QUrl> FileUrls(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ListEvent(QEvent* event);
    bool OverlayEvent(QEvent* event);

    QPointer<QWidget> m_listArea;
    QPointer<QWidget> m_overlay;
    DropHandler m_onOverlayDrop;
    DropHandler m_onListDrop;
};

} // namespace vantorel
