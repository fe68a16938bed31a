#pragma once

#include "ui/ClickTracker.h"

#include <QCursor>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace vantorel {

// An image control lying over the skin: it shows its picture at its top-left corner, clipped to
// its size, or nothing at all, and reports the mouse. A click is a left press and a release
// over the same control. A disabled control reacts to nothing and keeps its picture; its mouse
// events never reach the window behind it either.
class ImageButton : public QWidget {
    Q_OBJECT

public:
    explicit ImageButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    void clearPicture();
    bool hasPicture() const { return !m_picture.isNull(); }
    const QPixmap& picture() const { return m_picture; }

Q_SIGNALS:
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    void mousePressed(Qt::MouseButtons buttons, QPoint pos);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    ClickTracker m_click;
};

// The hand cursor shown over the skinned buttons and the web link; its hot spot is on the top
// row, 6 pixels from the left.
QCursor SkinCursor();

} // namespace vantorel
