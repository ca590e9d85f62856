#include "layout/placement.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace zm::layout {
namespace {

// The nearest coordinate to `at` that keeps a span of `length` inside [first, first + room).
// A span longer than the room starts at `first`.
int slideInto(int at, int length, int first, int room) {
    return std::max(first, std::min(at, first + room - length));
}

// The rectangle moved the least distance to lie within `area` (its top-left corner inside
// when it is larger).
Rect pulledInto(Rect r, const Rect& area) {
    r.left = slideInto(r.left, r.width, area.left, area.width);
    r.top = slideInto(r.top, r.height, area.top, area.height);
    return r;
}

std::int64_t areaOf(const Rect& r) {
    return r.isEmpty() ? 0 : std::int64_t{r.width} * r.height;
}

}  // namespace

Rect intersected(const Rect& a, const Rect& b) {
    const int left = std::max(a.left, b.left);
    const int top = std::max(a.top, b.top);
    const int right = std::min(a.right(), b.right());
    const int bottom = std::min(a.bottom(), b.bottom());
    if (right <= left || bottom <= top) {
        return {};
    }
    return {left, top, right - left, bottom - top};
}

Rect united(const Rect& a, const Rect& b) {
    if (a.isEmpty()) {
        return b;
    }
    if (b.isEmpty()) {
        return a;
    }
    const int left = std::min(a.left, b.left);
    const int top = std::min(a.top, b.top);
    return {left, top, std::max(a.right(), b.right()) - left,
            std::max(a.bottom(), b.bottom()) - top};
}

Point placeBeside(const Rect& main, Size dialog, const Rect& available, const Rect& keepClear) {
    const int w = dialog.width;
    const int h = dialog.height;
    const int slidY = slideInto(main.top, h, available.top, available.height);
    const int slidX = slideInto(main.left, w, available.left, available.width);
    // Right, below, left, above: each slid along the main window's edge onto the screen.
    const std::array<Rect, 4> sides = {
        Rect{main.right() + kBesideGap, slidY, w, h},
        Rect{slidX, main.bottom() + kBesideGap, w, h},
        Rect{main.left - kBesideGap - w, slidY, w, h},
        Rect{slidX, main.top - kBesideGap - h, w, h},
    };
    if (const auto* fits = std::ranges::find_if(
            sides, [&available](const Rect& side) { return available.contains(side); });
        fits != sides.end()) {
        return fits->topLeft();
    }
    Point best = pulledInto(sides[0], available).topLeft();
    std::int64_t leastCovered = std::numeric_limits<std::int64_t>::max();
    for (const Rect& side : sides) {
        const Rect onScreen = pulledInto(side, available);
        const std::int64_t covered = areaOf(intersected(onScreen, keepClear));
        if (covered < leastCovered) {
            leastCovered = covered;
            best = onScreen.topLeft();
        }
    }
    return best;
}

Point centredOver(const Rect& main, Size dialog, const Rect& available) {
    // QRect::moveCenter's rounding: the centre is (left + right) / 2 with right the last column.
    const int centreX = (2 * main.left + main.width - 1) / 2;
    const int centreY = (2 * main.top + main.height - 1) / 2;
    const Rect r{centreX - (dialog.width - 1) / 2, centreY - (dialog.height - 1) / 2, dialog.width,
                 dialog.height};
    return pulledInto(r, available).topLeft();
}

Point offOpenDialogs(Point at, Size dialog, const std::vector<Rect>& open, const Rect& available) {
    // At most one step per open dialog: each step can land on at most one more of them.
    for (std::size_t step = 0; step <= open.size(); ++step) {
        const bool taken =
            std::ranges::any_of(open, [&at](const Rect& r) { return r.topLeft() == at; });
        if (!taken) {
            break;
        }
        at = pulledInto({at.x + kCascadeStep, at.y + kCascadeStep, dialog.width, dialog.height},
                        available)
                 .topLeft();
    }
    return at;
}

bool returnsWhereLeft(bool besideMain, Point mainThen, Point mainNow) {
    return !besideMain || mainThen == mainNow;
}

}  // namespace zm::layout
