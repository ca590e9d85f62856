#include "ui/placement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include "layout/placement.h"

namespace zm::ui {
namespace {

layout::Rect toLayout(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

QPoint toQ(layout::Point p) {
    return {p.x, p.y};
}

}  // namespace

QPoint placeBeside(const QRect& main, QSize dialog, const QRect& available,
                   const QRect& keepClear) {
    return toQ(layout::placeBeside(toLayout(main), {dialog.width(), dialog.height()},
                                   toLayout(available), toLayout(keepClear)));
}

QPoint centredOver(const QRect& main, QSize dialog, const QRect& available) {
    return toQ(layout::centredOver(toLayout(main), {dialog.width(), dialog.height()},
                                   toLayout(available)));
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
