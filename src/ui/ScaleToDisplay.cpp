#include "ui/ScaleToDisplay.h"

#include "ui/ImageButton.h"
#include "ui/Twips.h"

#include <QWidget>
#include <QtMath>

namespace vantorel {
namespace {

void Scale(std::optional<double>& value, double factor) {
    if (value)
        *value *= factor;
}

int ToPixels(double twipsValue, double twipsPerPixel) {
    return qRound(twipsValue / twipsPerPixel);
}

} // namespace

FormMetrics ScaleToDisplay(FormMetrics form, double twipsPerPixelX, double twipsPerPixelY) {
    const double fx = twipsPerPixelX / twips::PerPixel;
    const double fy = twipsPerPixelY / twips::PerPixel;
    form.width *= fx;
    form.height *= fy;
    if (form.pathBox && *form.pathBox >= 0 && *form.pathBox < form.controls.size())
        Scale(form.controls[*form.pathBox].fontSize, fy);
    for (ControlMetrics& control : form.controls) {
        Scale(control.left, fx);
        Scale(control.width, fx);
        Scale(control.top, fy);
        Scale(control.height, fy);
        Scale(control.fontSize, fx);
    }
    return form;
}

double TwipsPerPixelX(const QWidget* widget) {
    return 1440.0 / widget->logicalDpiX();
}

double TwipsPerPixelY(const QWidget* widget) {
    return 1440.0 / widget->logicalDpiY();
}

void ScaleWidgetsToDisplay(QWidget* window, const QList<QWidget*>& controls, QWidget* pathBox,
                           double twipsPerPixelX, double twipsPerPixelY) {
    // Everything is read before anything changes, so no control sees another's new font.
    FormMetrics form;
    form.width = twips::FromPixels(window->width());
    form.height = twips::FromPixels(window->height());
    for (QWidget* control : controls) {
        ControlMetrics metrics;
        const QRect geometry = control->geometry();
        metrics.left = twips::FromPixels(geometry.x());
        metrics.top = twips::FromPixels(geometry.y());
        metrics.width = twips::FromPixels(geometry.width());
        metrics.height = twips::FromPixels(geometry.height());
        if (!qobject_cast<ImageButton*>(control) && control->font().pointSizeF() > 0)
            metrics.fontSize = control->font().pointSizeF();
        if (control == pathBox)
            form.pathBox = form.controls.size();
        form.controls.append(metrics);
    }

    const FormMetrics scaled = ScaleToDisplay(form, twipsPerPixelX, twipsPerPixelY);

    window->resize(ToPixels(scaled.width, twipsPerPixelX), ToPixels(scaled.height, twipsPerPixelY));
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QWidget* control = controls[i];
        const ControlMetrics& metrics = scaled.controls[i];
        control->setGeometry(
            ToPixels(*metrics.left, twipsPerPixelX), ToPixels(*metrics.top, twipsPerPixelY),
            ToPixels(*metrics.width, twipsPerPixelX), ToPixels(*metrics.height, twipsPerPixelY));
        if (metrics.fontSize) {
            QFont font = control->font();
            font.setPointSizeF(*metrics.fontSize);
            control->setFont(font);
        }
    }
}

} // namespace vantorel
