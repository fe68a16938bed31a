#pragma once

#include <QMouseEvent>
#include <QRect>

namespace vantorel {

// A click on a control of the skin: a left press, then a left release over the same control.
class ClickTracker {
public:
    void press(const QMouseEvent* event) {
        if (event->button() == Qt::LeftButton)
            m_leftPressed = true;
    }
    // True when this release completes a click inside `area`.
    bool release(const QMouseEvent* event, const QRect& area) {
        if (event->button() != Qt::LeftButton)
            return false;
        const bool click = m_leftPressed && area.contains(event->position().toPoint());
        m_leftPressed = false;
        return click;
    }

private:
    bool m_leftPressed = false;
};

} // namespace vantorel
