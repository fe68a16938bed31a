#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace vantorel {

// The face of a skinned window: draws the skin picture at its top-left and carries the
// window's controls. It reports mouse moves over its bare background only, never over a
// control lying on it, so only the background lights nothing and drags the window.
class SkinSurface : public QWidget {
    Q_OBJECT

public:
    explicit SkinSurface(QWidget* parent = nullptr);

    void setSkin(const QPixmap& skin);
    const QPixmap& skin() const { return m_skin; }

Q_SIGNALS:
    void backgroundMouseMoved(Qt::MouseButtons buttons, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_skin;
    bool m_pressedOnBackground = false;
};

} // namespace vantorel
