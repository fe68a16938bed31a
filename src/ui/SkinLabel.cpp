#include "ui/SkinLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace vantorel {

QFont FittedFont(const QFont& font, const QString& text, int width) {
    QFont fitted = font;
    if (text.isEmpty() || font.pointSizeF() <= 0 || width <= 0)
        return fitted;
    const qreal needed = QFontMetricsF(font).horizontalAdvance(text);
    if (needed <= width)
        return fitted;
    // Glyph widths do not shrink exactly in proportion, so step down from the estimate.
    qreal size = std::max<qreal>(1, font.pointSizeF() * width / needed);
    fitted.setPointSizeF(size);
    while (size > 1 && QFontMetricsF(fitted).horizontalAdvance(text) > width) {
        size = std::max<qreal>(1, size - 0.25);
        fitted.setPointSizeF(size);
    }
    return fitted;
}

SkinLabel::SkinLabel(QWidget* parent) : QLabel(parent) {}

void SkinLabel::paintEvent(QPaintEvent* event) {
    const QRect room = contentsRect();
    const QFont fitted = FittedFont(font(), text(), room.width());
    if (fitted == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(fitted);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(room, static_cast<int>(alignment()) | Qt::TextSingleLine, text());
}

} // namespace vantorel
