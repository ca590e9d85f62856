#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace zm::ui {

// Where a window goes on a screen too small for it. `size` is the window's client area, `frame`
// what the window manager adds around it (the title bar above all), `workArea` the screen less
// its panels, all in logical pixels. nullopt when the whole framed window fits, so that the
// window manager places it as usual; else the top-left corner of the work area, which keeps the
// title bar (to move the window by) and the top of the window, where the input fields are, on
// the screen. Only the bottom and the right edge then run off it.
std::optional<QPoint> placementOnSmallScreen(QSize size, QMargins frame, QRect workArea);

// Moves a window that is about to be shown to placementOnSmallScreen on the screen it shows on.
// The frame is the window's own once it has been shown, else a title bar of the style's height.
void keepTitleBarOnScreen(QWidget* window);

// Where a dialog opens beside the main window, in screen coordinates of window frames: `main` is
// the main window's frame, `dialog` the size of the dialog's frame, `available` the screen's
// area free of panels, `keepClear` the part of the main window the dialog must leave visible
// (its result columns). The dialog goes to the main window's right, top edges level, when it
// fits on the screen there; else below it, left edges level; else to its left; else above it.
// Beside or below, it slides along the main window's edge to stay on the screen. When the
// screen has room on no side, it goes to the place on the screen, among those four pulled onto
// the screen, that covers the least of `keepClear` (the first of them on a tie).
QPoint placeBeside(const QRect& main, QSize dialog, const QRect& available, const QRect& keepClear);

// A window of frame size `dialog` centred over the main window's frame `main`, moved the least
// to lie on the screen's `available` area.
QPoint centredOver(const QRect& main, QSize dialog, const QRect& available);

}  // namespace zm::ui
