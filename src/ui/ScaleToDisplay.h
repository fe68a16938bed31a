#pragma once

#include <QList>
#include <cstddef>
#include <optional>

class QWidget;

namespace vantorel {

// One control's place, size (twips) and font size (points); a property the control lacks has
// no value and is left alone.
struct ControlMetrics {
    std::optional<double> left;
    std::optional<double> top;
    std::optional<double> width;
    std::optional<double> height;
    std::optional<double> fontSize;
};

struct FormMetrics {
    double width = 0; // twips
    double height = 0;
    QList<ControlMetrics> controls;
    // The path box, whose font is scaled once more before the controls; none for a window
    // without one.
    std::optional<qsizetype> pathBox;
};

// Rescales a window designed at 15 twips per pixel for a display with the given twips per
// pixel: f = tpp / 15 per direction. The window's width by fx and height by fy; the path box's
// font by fy; then every control's left and width by fx, top and height by fy, font by fx.
FormMetrics ScaleToDisplay(FormMetrics form, double twipsPerPixelX, double twipsPerPixelY);

// The display's twips per pixel for a widget, as the window system counts pixels.
double TwipsPerPixelX(const QWidget* widget);
double TwipsPerPixelY(const QWidget* widget);

// Applies the rescaling to a real window and its controls (positions relative to their own
// parents, as laid out). The widgets were placed at twips / 15 pixels; after scaling each
// lands at its scaled twips divided by the display's twips per pixel. Image controls have no
// font. pathBox may be null.
void ScaleWidgetsToDisplay(QWidget* window, const QList<QWidget*>& controls, QWidget* pathBox,
                           double twipsPerPixelX, double twipsPerPixelY);

} // namespace vantorel
