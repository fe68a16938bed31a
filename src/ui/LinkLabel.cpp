#include "ui/LinkLabel.h"

#include <QMouseEvent>

namespace vantorel {

LinkLabel::LinkLabel(QWidget* parent) : SkinLabel(parent) {}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_leftPressed && rect().contains(event->position().toPoint());
    m_leftPressed = false;
    if (click)
        Q_EMIT clicked();
}

} // namespace vantorel
