#include "ui/message_box.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QtMath>
#include <algorithm>

namespace zm::ui {

int messageWrapWidth(int textWidth, int glyphWidth, int narrowest, int widest) {
    if (textWidth <= widest) {
        return textWidth;
    }
    const int lines = (textWidth + widest - 1) / widest;
    const int balanced = (textWidth + lines - 1) / lines + glyphWidth;
    return std::clamp(balanced, std::min(narrowest, widest), widest);
}

void fitMessageText(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr || box.layout() == nullptr) {
        return;
    }
    const QFontMetricsF metrics(label->font());
    // A pixel to spare each side for the rounding of glyph advances.
    const int textWidth = qCeil(metrics.horizontalAdvance(box.text().trimmed())) + 2;
    const int glyphWidth = qCeil(metrics.horizontalAdvance(QChar(0x5B57)));  // 字
    // The room the icon, the spacing and the margins take beside the text.
    label->setFixedWidth(textWidth);
    const int beside = box.layout()->totalMinimumSize().width() - textWidth;
    // QMessageBox's own limits for the whole box: it wraps a text whose box would be wider than
    // the soft limit, at the soft limit's width at least, and never grows past the hard limit.
    const int screenWidth = box.screen()->availableGeometry().width();
    const int softLimit = std::min(screenWidth / 2, 500);
    const int hardLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    label->setFixedWidth(
        messageWrapWidth(textWidth, glyphWidth, softLimit - beside + 1, hardLimit - beside));
}

}  // namespace zm::ui
