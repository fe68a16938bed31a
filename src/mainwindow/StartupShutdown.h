#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <chrono>
#include <functional>

// The arithmetic and file handling of the main window's start and end, apart from any window.
namespace vantorel {

// "Vantorel - Ver <major>.<minor>.<patch>".
QString VersionCaption(int major, int minor, int patch);
// The caption for the version this program was built as.
QString VersionCaption();

// While it is being built the window is parked so that only its 100-twip bottom-right corner
// stays on the screen.
QPoint ParkedPosition(QSize windowPixels, double twipsPerPixelX, double twipsPerPixelY);

// The left (or top) of a window centred on a screen: half the free room in whole twips, halves
// to the even neighbour, then back in pixels. Negative when the window is the larger.
int CentredCoordinate(int screenPixels, int windowPixels, double twipsPerPixel);
QPoint CentredPosition(QSize screenPixels, QSize windowPixels, double twipsPerPixelX,
                       double twipsPerPixelY);

// The file removal the unload uses; true when the file is gone afterwards.
using FileRemoval = std::function<bool(const QString& path)>;

// Deletes a file, trying again while it is still there, with pending events running between
// the attempts, but for no longer than the bound in all: a file something keeps in place must
// not hold the program's end forever. True when the file is gone.
bool DeleteFileWithinBound(const QString& path, std::chrono::milliseconds bound,
                           const FileRemoval& remove = {});

// How long the unload keeps trying to delete each temporary file; about two seconds in all.
inline constexpr std::chrono::milliseconds UnloadDeletionBound{1000};

} // namespace vantorel
