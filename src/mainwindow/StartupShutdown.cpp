#include "mainwindow/StartupShutdown.h"

#include "platform/NumberText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QtMath>

namespace vantorel {
namespace {

constexpr double ParkingTwips = 100;
constexpr std::chrono::milliseconds RetryPause{20};

int TwipsToPixels(double twips, double twipsPerPixel) {
    return qRound(twips / twipsPerPixel);
}

bool StillThere(const QString& path) {
    // A dangling link is still an entry in the folder.
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

} // namespace

QString VersionCaption(int major, int minor, int patch) {
    return QStringLiteral("Vantorel - Ver %1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString VersionCaption() {
    return VersionCaption(VANTOREL_VERSION_MAJOR, VANTOREL_VERSION_MINOR, VANTOREL_VERSION_PATCH);
}

QPoint ParkedPosition(QSize windowPixels, double twipsPerPixelX, double twipsPerPixelY) {
    return {TwipsToPixels(ParkingTwips, twipsPerPixelX) - windowPixels.width(),
            TwipsToPixels(ParkingTwips, twipsPerPixelY) - windowPixels.height()};
}

int CentredCoordinate(int screenPixels, int windowPixels, double twipsPerPixel) {
    const double freeTwips = (screenPixels - windowPixels) * twipsPerPixel;
    const auto half = RoundToInt32(freeTwips / 2);
    return half ? TwipsToPixels(*half, twipsPerPixel) : 0;
}

QPoint CentredPosition(QSize screenPixels, QSize windowPixels, double twipsPerPixelX,
                       double twipsPerPixelY) {
    return {CentredCoordinate(screenPixels.width(), windowPixels.width(), twipsPerPixelX),
            CentredCoordinate(screenPixels.height(), windowPixels.height(), twipsPerPixelY)};
}

bool DeleteFileWithinBound(const QString& path, std::chrono::milliseconds bound,
                           const FileRemoval& remove) {
    const auto removeOnce = [&remove](const QString& p) {
        return remove ? remove(p) : QFile::remove(p);
    };
    QElapsedTimer clock;
    clock.start();
    removeOnce(path);
    while (StillThere(path) && clock.elapsed() < bound.count()) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        QThread::msleep(static_cast<unsigned long>(RetryPause.count()));
        removeOnce(path);
    }
    return !StillThere(path);
}

} // namespace vantorel
