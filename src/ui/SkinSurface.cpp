#include "ui/SkinSurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantorel {

SkinSurface::SkinSurface(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("skin"));
    setMouseTracking(true);
    setAutoFillBackground(true);
}

void SkinSurface::setSkin(const QPixmap& skin) {
    m_skin = skin;
    update();
}

void SkinSurface::paintEvent(QPaintEvent*) {
    if (m_skin.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_skin);
}

void SkinSurface::mouseMoveEvent(QMouseEvent* event) {
    // A control that does not take the mouse lets its events through to here; they are not
    // moves over the background. With a button held, the move belongs to where the press was.
    const QPoint pos = event->position().toPoint();
    if (childAt(pos) || (event->buttons() != Qt::NoButton && !m_pressedOnBackground))
        return;
    Q_EMIT backgroundMouseMoved(event->buttons(), pos);
}

void SkinSurface::mousePressEvent(QMouseEvent* event) {
    m_pressedOnBackground = !childAt(event->position().toPoint());
    event->accept();
}

void SkinSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton)
        m_pressedOnBackground = false;
    event->accept();
}

} // namespace vantorel
