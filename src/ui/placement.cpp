#include "ui/placement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <limits>

namespace zm::ui {
namespace {

// Between the main window's frame and the dialog's, so that the two read as two windows.
constexpr int kGap = 8;

// The nearest coordinate to `at` that keeps a span of `length` inside [first, first + room).
// A span longer than the room starts at `first`.
int slideInto(int at, int length, int first, int room) {
    return std::max(first, std::min(at, first + room - length));
}

// The rectangle moved the least distance to lie within `area` (its top-left corner inside
// when it is larger).
QRect pulledInto(QRect r, const QRect& area) {
    r.moveTo(slideInto(r.x(), r.width(), area.x(), area.width()),
             slideInto(r.y(), r.height(), area.y(), area.height()));
    return r;
}

qint64 areaOf(const QRect& r) {
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

}  // namespace

QPoint placeBeside(const QRect& main, QSize dialog, const QRect& available,
                   const QRect& keepClear) {
    const int w = dialog.width();
    const int h = dialog.height();
    const int slidY = slideInto(main.top(), h, available.top(), available.height());
    const int slidX = slideInto(main.left(), w, available.left(), available.width());
    // Right, below, left, above: each slid along the main window's edge onto the screen.
    const std::array<QRect, 4> sides = {
        QRect(main.right() + 1 + kGap, slidY, w, h),
        QRect(slidX, main.bottom() + 1 + kGap, w, h),
        QRect(main.left() - kGap - w, slidY, w, h),
        QRect(slidX, main.top() - kGap - h, w, h),
    };
    for (const QRect& side : sides) {
        if (available.contains(side)) {
            return side.topLeft();
        }
    }
    QPoint best = pulledInto(sides[0], available).topLeft();
    qint64 leastCovered = std::numeric_limits<qint64>::max();
    for (const QRect& side : sides) {
        const QRect onScreen = pulledInto(side, available);
        const qint64 covered = areaOf(onScreen.intersected(keepClear));
        if (covered < leastCovered) {
            leastCovered = covered;
            best = onScreen.topLeft();
        }
    }
    return best;
}

QPoint centredOver(const QRect& main, QSize dialog, const QRect& available) {
    QRect r(QPoint(), dialog);
    r.moveCenter(main.center());
    return pulledInto(r, available).topLeft();
}

std::optional<QPoint> placementOnSmallScreen(QSize size, QMargins frame, QRect workArea) {
    const QSize framed = size.grownBy(frame);
    if (framed.width() <= workArea.width() && framed.height() <= workArea.height()) {
        return std::nullopt;
    }
    return workArea.topLeft();
}

void keepTitleBarOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return;
    }
    QMargins frame;
    if (const QWindow* handle = window->windowHandle()) {
        frame = handle->frameMargins();
    }
    if (frame.isNull()) {
        // Not shown yet: the window manager has told nothing of its frame.
        frame.setTop(window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    }
    if (const auto place =
            placementOnSmallScreen(window->size(), frame, screen->availableGeometry())) {
        // A top-level window's position is that of its frame: the title bar lands at the top.
        window->move(*place);
    }
}

}  // namespace zm::ui
