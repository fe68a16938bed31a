#include "ui/ImageButton.h"

#include "SkinPictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantorel {

ImageButton::ImageButton(QWidget* parent) : QWidget(parent) {
    // Moves without a pressed button light the button, so they must arrive here.
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ImageButton::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void ImageButton::clearPicture() {
    if (m_picture.isNull())
        return;
    m_picture = QPixmap();
    update();
}

void ImageButton::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(event->buttons(), event->position().toPoint());
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    m_click.press(event);
    Q_EMIT mousePressed(event->buttons(), event->position().toPoint());
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (m_click.release(event, rect()))
        Q_EMIT clicked();
}

QCursor SkinCursor() {
    const QPixmap image(skin::cursorPath());
    if (image.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(image, skin::kCursorHotSpotX, skin::kCursorHotSpotY);
}

} // namespace vantorel
