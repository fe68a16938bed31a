#pragma once

#include <QString>

// Resource paths of the artwork compiled in from assets/skin, for the window layers.
namespace vantorel::skin {

// The cursor's hot spot: the fingertip of the pointing hand.
inline constexpr int kCursorHotSpotX = 6;
inline constexpr int kCursorHotSpotY = 0;

// The main window's face, 720 x 458; its top-left 699 x 454 is the window.
QString mainFacePath();
// The options dialog's face, 600 x 140.
QString optionsFacePath();
// The lit picture of toolbar member 0-4 or 6 (there is no member 5); empty for any other.
QString litToolbarPath(int member);
QString litConvertPath();
// The full progress bar, 361 x 13; the window shows a growing left part of it.
QString progressBarPath();
// 32 x 32 with alpha; see kCursorHotSpotX/Y.
QString cursorPath();
// 256 x 256 application icon with alpha.
QString iconPath();

} // namespace vantorel::skin
