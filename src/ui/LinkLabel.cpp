#include "ui/LinkLabel.h"

#include <QMouseEvent>

namespace vantorel {

LinkLabel::LinkLabel(QWidget* parent) : SkinLabel(parent) {}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    m_click.press(event);
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click.release(event, rect()))
        Q_EMIT clicked();
}

} // namespace vantorel
