#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <functional>

class QWidget;
class QWindow;

namespace vantorel {

// Skin pixels of exactly this colour are neither drawn nor take the mouse.
inline constexpr QRgb KeyColour = 0xFFFF00FFu;

// The pixels of a face that are drawn: all but those whose colour is exactly the key colour
// (alpha does not matter).
QRegion KeyColourRegion(const QImage& face);

// Makes a top-level window frameless and cuts the face's key-colour pixels out of its shape.
// The face lies at the window's top-left; what it does not cover stays drawn. A null face
// leaves the window rectangular.
void ApplyKeyColourStyling(QWidget* window, const QImage& face);

// Moves a window with the mouse, as the window system does for a title bar.
using SystemMove = std::function<bool(QWindow*)>;

// The drag by the background: starts the window system's move of the widget's window, but only
// while the left button is held. True when a move was started. The move defaults to
// QWindow::startSystemMove.
bool StartDrag(QWidget* widget, Qt::MouseButtons held, const SystemMove& move = {});

} // namespace vantorel
