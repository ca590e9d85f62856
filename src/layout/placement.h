#pragma once

#include <vector>

// Where a window of the program opens beside or over the main window: plain arithmetic on
// rectangles of screen pixels, shared by the Qt and the Windows front ends.
namespace zm::layout {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
};

// A rectangle by its top-left corner and its size; right() and bottom() are the first column
// and row past it.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    constexpr Point topLeft() const { return {left, top}; }
    // Whether `r` lies wholly inside this rectangle.
    constexpr bool contains(const Rect& r) const {
        return r.left >= left && r.top >= top && r.right() <= right() && r.bottom() <= bottom();
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The part two rectangles share (empty when none).
Rect intersected(const Rect& a, const Rect& b);
// The smallest rectangle holding both; an empty one adds nothing.
Rect united(const Rect& a, const Rect& b);

// Pixels between the main window's frame and a dialog's, so that the two read as two windows.
inline constexpr int kBesideGap = 8;

// Where a dialog opens beside the main window, in screen coordinates of window frames: `main` is
// the main window's frame, `dialog` the size of the dialog's frame, `available` the screen's
// area free of panels, `keepClear` the part of the main window the dialog must leave visible
// (its buy and sell frames). The dialog goes to the main window's right, top edges level, when
// it fits on the screen there; else below it, left edges level; else to its left; else above
// it. Beside or below, it slides along the main window's edge to stay on the screen. When the
// screen has room on no side, it goes to the place on the screen, among those four pulled onto
// the screen, that covers the least of `keepClear` (the first of them on a tie).
Point placeBeside(const Rect& main, Size dialog, const Rect& available, const Rect& keepClear);

// Pixels a dialog moves right and down off another dialog that stands where it would open.
inline constexpr int kCascadeStep = 32;

// `at`, moved down and right by kCascadeStep for as long as a dialog of the program already
// open (`open`: their frames) has its top-left corner there, so that a dialog opened from
// another one does not hide it; kept on the screen's `available` area.
Point offOpenDialogs(Point at, Size dialog, const std::vector<Rect>& open, const Rect& available);

// Whether a window shown again goes back where it was left: not one that opens beside the main
// window when the main window has moved since (`mainThen`: the main window's frame position
// when the window was left, `mainNow` now).
bool returnsWhereLeft(bool besideMain, Point mainThen, Point mainNow);

// A window of frame size `dialog` centred over the main window's frame `main`, moved the least
// to lie on the screen's `available` area.
Point centredOver(const Rect& main, Size dialog, const Rect& available);

}  // namespace zm::layout
