#pragma once

#include <QFont>
#include <QLabel>

namespace vantorel {

// A one-line text over the skin. The boxes were sized for the font the windows were drawn
// with; where a wider font stands in, the text is drawn smaller rather than cut off.
class SkinLabel : public QLabel {
    Q_OBJECT

public:
    explicit SkinLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The font, made smaller when needed, in which the text fits the width.
QFont FittedFont(const QFont& font, const QString& text, int width);

} // namespace vantorel
