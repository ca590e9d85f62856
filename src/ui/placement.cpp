#include "ui/placement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace zm::ui {

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
