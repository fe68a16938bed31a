#pragma once

#include "ui/ClickTracker.h"
#include "ui/SkinLabel.h"

namespace vantorel {

// A text label that reports a click: a left press and a release over the label.
class LinkLabel : public SkinLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ClickTracker m_click;
};

} // namespace vantorel
