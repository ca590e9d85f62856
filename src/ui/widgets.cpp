#include "ui/widgets.h"

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtMath>

namespace zm::ui {
namespace {

// The program's texts are laid out for 宋体. Where it is missing, the closest installed
// Song/Ming-style face takes its place; sans-serif CJK faces come last, and any CJK face beats
// boxes.
const QStringList& songCandidates() {
    static const QStringList names = {
        QStringLiteral("SimSun"),
        QStringLiteral("宋体"),
        QStringLiteral("NSimSun"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Source Han Serif SC"),
        QStringLiteral("Source Han Serif CN"),
        QStringLiteral("AR PL UMing TW"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Droid Sans Fallback"),
    };
    return names;
}

}  // namespace

QRect twipsRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

QStringList songFamilies() {
    static const QStringList families = [] {
        QStringList list = {QStringLiteral("SimSun"), QStringLiteral("宋体")};
        const QStringList installed = QFontDatabase::families();
        for (const QString& name : songCandidates()) {
            if (!list.contains(name) && installed.contains(name, Qt::CaseInsensitive)) {
                list.append(name);
            }
        }
        return list;
    }();
    return families;
}

void installFontSubstitutions() {
    // Text that names 宋体 or SimSun directly (style sheets, rich text) finds the same face: the
    // other name of SimSun first (a face may be installed under one of them only), then the
    // faces that stand in for it.
    QStringList chain = songCandidates();
    chain.removeAll(QStringLiteral("SimSun"));
    chain.removeAll(QStringLiteral("宋体"));
    QFont::insertSubstitutions(QStringLiteral("SimSun"),
                               QStringList(QStringLiteral("宋体")) + chain);
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               QStringList(QStringLiteral("SimSun")) + chain);
}

QFont songFont(double pointSize) {
    QFont font;
    font.setFamilies(songFamilies());
    font.setPointSizeF(pointSize);
    return font;
}

QIcon commandIcon(const QString& name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

void setForeColor(QWidget* widget, Rgb colour) {
    const QColor c(colour.r, colour.g, colour.b);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    pal.setColor(QPalette::ButtonText, c);
    widget->setPalette(pal);
}

void setBackground(QWidget* widget, Background background) {
    const QPalette system = QApplication::palette();
    const QColor c = background == Background::ButtonFace ? system.color(QPalette::Button)
                                                          : system.color(QPalette::Base);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, c);
    widget->setPalette(pal);
}

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &FieldEdit::fitText);
}

void FieldEdit::setKeepTextInView(bool on) {
    if (on && m_fullPointSize <= 0) {
        m_fullPointSize = font().pointSizeF();
    } else if (!on && m_fullPointSize > 0) {
        QFont full = font();
        full.setPointSizeF(m_fullPointSize);
        m_fullPointSize = 0;
        setFont(full);
    }
    fitText();
}

void FieldEdit::fitText() {
    if (m_fullPointSize <= 0) {
        return;
    }
    constexpr double kSmallest = 6;
    constexpr double kStep = 0.25;
    constexpr int kLineEditMargin = 2;  // QLineEdit keeps 2 pixels left and right of its text
    constexpr int kCursorWidth = 1;
    // More characters than any field shows at the smallest size in any face of the program: a
    // text longer than this is judged by its beginning (see below).
    constexpr qsizetype kProbeLength = 160;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int room =
        contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin - kCursorWidth;
    // The whole-pixel measure is the wider one where hinting rounds each glyph's advance.
    const auto width = [this](const QFont& f, const QString& s) {
        return std::max(QFontMetrics(f, this).horizontalAdvance(s),
                        qCeil(QFontMetricsF(f, this).horizontalAdvance(s)));
    };
    const auto onStep = [](double size) { return std::floor(size / kStep) * kStep; };
    const QString shown = text();
    QFont fitted = font();
    const auto apply = [this, &fitted](double size) {
        fitted.setPointSizeF(size);
        if (fitted != font()) {
            setFont(fitted);
        }
    };
    // Each measurement costs as much as the text is long, and this runs on every keystroke. A
    // text is at least as wide as its beginning, so when the beginning alone overflows the
    // field at the smallest size, the rest need not be measured.
    if (shown.size() > kProbeLength) {
        fitted.setPointSizeF(kSmallest);
        if (width(fitted, shown.left(kProbeLength)) > room) {
            apply(kSmallest);
            return;
        }
    }
    // The width of a text grows in proportion to the point size, give or take the rounding of
    // each glyph's advance. One measurement at the present size gives the size that fits; a
    // second one at that size catches the rounding, and one correction from it settles the
    // size. Two or three measurements per change, however the size moves.
    const double present = font().pointSizeF();
    const int presentWidth = width(font(), shown);
    double size = presentWidth > 0 ? onStep(present * room / presentWidth) : m_fullPointSize;
    // Never above the field's own size, nor below the smallest (unless the own size is).
    size = std::min(std::max(size, kSmallest), m_fullPointSize);
    if (size == present && (presentWidth <= room || size <= kSmallest)) {
        return;
    }
    fitted.setPointSizeF(size);
    const int fittedWidth = width(fitted, shown);
    if (fittedWidth > room && size > kSmallest) {
        const double smaller = onStep(size * room / fittedWidth);
        size = std::max(kSmallest, smaller < size ? smaller : size - kStep);
    }
    apply(size);
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter belongs to the field alone: accepted here, it never reaches a dialog's
        // default button.
        event->accept();
        emit enterPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_keepSelectionOnClick = false;
    // The focus coming back with its window (from another application, or when a message box
    // closes) or from a popup (a context menu) is no new arrival: a value half typed before
    // the user looked elsewhere must not be selected and then replaced by the next key.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    const QPointer<FieldEdit> self(this);
    emit focusGained();
    if (self == nullptr) {
        return;
    }
    // The click that brought the focus in arrives after this event; it would place the cursor
    // and undo the selection that the focus handling has just made.
    m_keepSelectionOnClick = event->reason() == Qt::MouseFocusReason && hasSelectedText();
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
    m_keepSelectionOnClick = false;
    QLineEdit::focusOutEvent(event);
}

void FieldEdit::mousePressEvent(QMouseEvent* event) {
    if (m_keepSelectionOnClick) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void FieldEdit::mouseMoveEvent(QMouseEvent* event) {
    // A hand that trembles during the focusing click must not shrink the selection.
    if (m_keepSelectionOnClick) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (m_keepSelectionOnClick) {
        m_keepSelectionOnClick = false;
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (isReadOnly() && event->button() == Qt::LeftButton) {
        // The whole figure, "4,970.50", not the "970" between its comma and point.
        event->accept();
        selectAll();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

bool pressFocusedButtonOnEnter(QWidget* window, QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QAbstractButton*>(window->focusWidget());
    if (!enter || button == nullptr) {
        return false;
    }
    event->accept();
    button->click();
    return true;
}

namespace {

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

void ListBox::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        event->accept();
        emit enterPressed();
        return;
    }
    QComboBox::keyPressEvent(event);
}

DateField::DateField(QWidget* parent) : QLineEdit(parent), m_calendar(new QCalendarWidget(this)) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    setLocale(chinese);
    // The calendar is a pop-up of its own that closes when a click lands elsewhere.
    m_calendar->setWindowFlags(Qt::Popup);
    m_calendar->setLocale(chinese);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    m_calendar->setMinimumDate(QDate(1990, 12, 19));
    QAction* drop = addAction(style()->standardIcon(QStyle::SP_ArrowDown), TrailingPosition);
    connect(drop, &QAction::triggered, this, &DateField::showCalendar);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](QDate picked) {
        m_calendar->hide();
        setText(picked.toString(QStringLiteral("yyyy-MM-dd")));
        setFocus(Qt::PopupFocusReason);
        selectAll();
        emit dateEdited();
    });
    connect(m_calendar, &QCalendarWidget::activated, m_calendar, &QCalendarWidget::clicked);
    connect(this, &QLineEdit::textEdited, this, &DateField::dateEdited);
}

void DateField::setEarliest(QDate earliest) {
    m_calendar->setMinimumDate(earliest);
}

void DateField::showCalendar() {
    // The calendar's own reading of the text, for where it opens only; the session judges it.
    QDate shown;
    for (const QString& form : {QStringLiteral("yyyy-M-d"), QStringLiteral("yyyy/M/d"),
                                QStringLiteral("yyyy.M.d"), QStringLiteral("yyyyMMdd")}) {
        shown = QDate::fromString(text().trimmed(), form);
        if (shown.isValid()) {
            break;
        }
    }
    m_calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    m_calendar->adjustSize();
    m_calendar->move(mapToGlobal(rect().bottomLeft()));
    m_calendar->show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        event->accept();
        emit enterPressed();
        return;
    }
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::AltModifier))) {
        event->accept();
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void PictureLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void PictureLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
    }
}

Qt::Alignment textAlignment(layout::Align align) {
    switch (align) {
        case layout::Align::Center:
            return Qt::AlignCenter;
        case layout::Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case layout::Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace zm::ui
