#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace zm::ui {

// Where a dialog opens beside the main window, in screen coordinates of window frames: `main` is
// the main window's frame, `dialog` the size of the dialog's frame, `available` the screen's
// area free of panels, `keepClear` the part of the main window the dialog must leave visible
// (its result columns). The dialog goes to the main window's right, top edges level, when it
// fits on the screen there; else below it, left edges level; else to its left; else above it.
// Beside or below, it slides along the main window's edge to stay on the screen. When the
// screen has room on no side, it goes to the place on the screen, among those four pulled onto
// the screen, that covers the least of `keepClear` (the first of them on a tie).
QPoint placeBeside(const QRect& main, QSize dialog, const QRect& available,
                   const QRect& keepClear);

// A window of frame size `dialog` centred over the main window's frame `main`, moved the least
// to lie on the screen's `available` area.
QPoint centredOver(const QRect& main, QSize dialog, const QRect& available);

}  // namespace zm::ui
