#include "ui/WindowStyling.h"

#include <QList>
#include <QRect>
#include <QWidget>
#include <QWindow>

namespace vantorel {
namespace {

struct Run {
    int left;
    int right; // one past the last pixel
    bool operator==(const Run&) const = default;
};

QList<Run> DrawnRuns(const QImage& image, int y) {
    QList<Run> runs;
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < image.width()) {
        while (x < image.width() && (line[x] & 0xFFFFFFu) == (KeyColour & 0xFFFFFFu))
            ++x;
        const int start = x;
        while (x < image.width() && (line[x] & 0xFFFFFFu) != (KeyColour & 0xFFFFFFu))
            ++x;
        if (x > start)
            runs.append({start, x});
    }
    return runs;
}

} // namespace

QRegion KeyColourRegion(const QImage& face) {
    if (face.isNull())
        return {};
    const QImage image = face.convertToFormat(QImage::Format_ARGB32);
    // Rows with the same runs make one band, so the region stays small and is built in one go.
    QList<QRect> rects;
    QList<Run> bandRuns;
    int bandTop = 0;
    auto closeBand = [&](int bandBottom) {
        for (const Run& run : std::as_const(bandRuns))
            rects.append(QRect(run.left, bandTop, run.right - run.left, bandBottom - bandTop));
    };
    for (int y = 0; y < image.height(); ++y) {
        QList<Run> runs = DrawnRuns(image, y);
        if (y > 0 && runs == bandRuns)
            continue;
        closeBand(y);
        bandRuns = std::move(runs);
        bandTop = y;
    }
    closeBand(image.height());
    QRegion region;
    if (!rects.isEmpty())
        region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

void ApplyKeyColourStyling(QWidget* window, const QImage& face) {
    const bool wasVisible = window->isVisible();
    // Changing the window flags hides the window; it comes back as it was.
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    if (!face.isNull()) {
        QRegion shape = KeyColourRegion(face);
        shape += QRegion(window->rect()) - QRegion(face.rect());
        window->setMask(shape);
    }
    if (wasVisible)
        window->show();
}

bool StartDrag(QWidget* widget, Qt::MouseButtons held, const SystemMove& move) {
    if (!widget || !(held & Qt::LeftButton))
        return false;
    // A grab of our own would keep the mouse from the window system's move.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QWindow* handle = widget->window()->windowHandle();
    if (!handle)
        return false;
    return move ? move(handle) : handle->startSystemMove();
}

} // namespace vantorel
