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

// layout::placeBeside (layout/placement.h) on Qt's rectangles: where a dialog's frame opens
// beside the main window's frame `main`, leaving `keepClear` (its result columns) in view.
QPoint placeBeside(const QRect& main, QSize dialog, const QRect& available, const QRect& keepClear);

// layout::centredOver on Qt's rectangles.
QPoint centredOver(const QRect& main, QSize dialog, const QRect& available);

}  // namespace zm::ui
