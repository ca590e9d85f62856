// Every window at the desktop's scaling: CTest runs this file once per scale factor (100 %,
// 125 %, 150 % and 200 %, through QT_SCALE_FACTOR). The windows must keep their layout in
// logical pixels and show every text whole: no caption, label, button text or list entry cut at
// its control's edge, no control running out of its frame or window, pictures drawn at the
// screen's resolution rather than blown up.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QtMath>
#include <algorithm>

#include "layout/layout.h"
#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/widgets.h"

namespace zm {
namespace {

using test::QtMessageWatcher;
using test::QtProgram;

// The width a text takes when painted: the wider of the whole-pixel and the exact measure, as
// hinting at the screen's resolution may round each glyph's advance up.
int textWidth(const QFont& font, const QWidget* w, const QString& text) {
    return std::max(QFontMetrics(font, w).horizontalAdvance(text),
                    qCeil(QFontMetricsF(font, w).horizontalAdvance(text)));
}

int lineHeight(const QFont& font, const QWidget* w) {
    return QFontMetrics(font, w).height();
}

QString where(const QWidget* w) {
    return w->objectName() + QLatin1Char(' ') + QString::fromLatin1(w->metaObject()->className());
}

// The program's own controls: those it names (Qt's inner parts are named qt_… or not at all).
bool ownControl(const QWidget* w) {
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// A push button of the main window draws its icon and its caption on one line, or the caption
// split into two halves one above the other (多次/买入).
QString pushButtonCut(const QPushButton* b) {
    const QString caption = b->text();
    const int room = b->width() - 6 - b->iconSize().width() - 3;
    const int oneLine = textWidth(b->font(), b, caption);
    const qsizetype half = (caption.size() + 1) / 2;
    const int twoLines = std::max(textWidth(b->font(), b, caption.left(half).trimmed()),
                                  textWidth(b->font(), b, caption.mid(half).trimmed()));
    const int height = b->height() - 4;
    if (oneLine <= room && lineHeight(b->font(), b) <= height) {
        return {};
    }
    if (twoLines <= room && 2 * lineHeight(b->font(), b) <= height) {
        return {};
    }
    return QStringLiteral("caption '%1' needs %2 of %3 pixels")
        .arg(caption)
        .arg(twoLines)
        .arg(room);
}

// A tool button (the dialogs' OK and Clear) draws its icon beside or above its caption inside
// its frame.
QString toolButtonCut(const QToolButton* b) {
    const int text = textWidth(b->font(), b, b->text());
    const int line = lineHeight(b->font(), b);
    const QSize icon = b->iconSize();
    const bool beside = b->toolButtonStyle() == Qt::ToolButtonTextBesideIcon;
    const QSize needed = beside ? QSize(icon.width() + 4 + text, std::max(icon.height(), line))
                                : QSize(std::max(icon.width(), text), icon.height() + line);
    const int frame = 2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    if (needed.width() > b->width() - frame || needed.height() > b->height() - frame) {
        return QStringLiteral("icon and caption need %1 x %2, has %3 x %4")
            .arg(needed.width())
            .arg(needed.height())
            .arg(b->width() - frame)
            .arg(b->height() - frame);
    }
    return {};
}

// What is cut in one control, or an empty text.
QString cutIn(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (!label->pixmap().isNull()) {
            return {};
        }
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            return needed <= label->height()
                       ? QString()
                       : QStringLiteral("wrapped text needs %1 of %2 pixels in height")
                             .arg(needed)
                             .arg(label->height());
        }
        const int needed = textWidth(label->font(), label, label->text());
        if (needed > label->width()) {
            return QStringLiteral("'%1' needs %2 of %3 pixels")
                .arg(label->text())
                .arg(needed)
                .arg(label->width());
        }
        if (lineHeight(label->font(), label) > label->height()) {
            return QStringLiteral("line of %1 pixels in a box of %2")
                .arg(lineHeight(label->font(), label))
                .arg(label->height());
        }
        return {};
    }
    if (auto* note = qobject_cast<const QTextEdit*>(w)) {
        // The author's note scrolls: whatever does not fit must be reachable by scrolling.
        const QWidget* view = note->viewport();
        const bool fits = note->document()->size().height() <= view->height();
        if (!fits && note->verticalScrollBar()->maximum() == 0) {
            return QStringLiteral("text runs below its box and does not scroll");
        }
        return note->document()->size().width() <= view->width()
                   ? QString()
                   : QStringLiteral("text wider than its box");
    }
    if (auto* frame = qobject_cast<const QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = frame->alignment();
        const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, frame);
        const int needed = textWidth(frame->font(), frame, frame->title());
        if (!frame->rect().contains(title) || title.width() < needed) {
            return QStringLiteral("title '%1' needs %2 pixels, has %3")
                .arg(frame->title())
                .arg(needed)
                .arg(frame->rect().intersected(title).width());
        }
        return {};
    }
    if (auto* push = qobject_cast<const QPushButton*>(w)) {
        return pushButtonCut(push);
    }
    if (auto* tool = qobject_cast<const QToolButton*>(w)) {
        return toolButtonCut(tool);
    }
    if (qobject_cast<const QRadioButton*>(w) != nullptr) {
        const QSize needed = w->sizeHint();
        if (needed.width() > w->width() || lineHeight(w->font(), w) > w->height()) {
            return QStringLiteral("needs %1 x %2, has %3 x %4")
                .arg(needed.width())
                .arg(needed.height())
                .arg(w->width())
                .arg(w->height());
        }
        return {};
    }
    if (auto* list = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = list->isEditable();
        option.frame = list->hasFrame();
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i) {
            const int needed = textWidth(list->font(), list, list->itemText(i));
            if (needed > field.width()) {
                return QStringLiteral("entry '%1' needs %2 of %3 pixels")
                    .arg(list->itemText(i))
                    .arg(needed)
                    .arg(field.width());
            }
        }
        return {};
    }
    if (auto* field = qobject_cast<const QLineEdit*>(w)) {
        // The text's line inside the frame; the width of the figures is the fields' own concern
        // (they shrink a figure that is too long).
        const int room = field->height() - 2;
        if (lineHeight(field->font(), field) > room) {
            return QStringLiteral("line of %1 pixels in a field of %2")
                .arg(lineHeight(field->font(), field))
                .arg(field->height());
        }
        return {};
    }
    return {};
}

// Every cut text and every control that runs out of its parent in a window, one line each.
QStringList cutsIn(QWidget* window) {
    QStringList cuts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!ownControl(w) || !w->isVisibleTo(window)) {
            continue;
        }
        QWidget* parent = w->parentWidget();
        if (ownControl(parent) && !parent->rect().contains(w->geometry())) {
            cuts << where(w) + QStringLiteral(": runs out of ") + parent->objectName();
        }
        if (const QString cut = cutIn(w); !cut.isEmpty()) {
            cuts << where(w) + QStringLiteral(": ") + cut;
        }
    }
    return cuts;
}

QWidget* openWith(QtProgram& program, Ctl button, FormId form) {
    QTest::mouseClick(program.control<QAbstractButton>(button), Qt::LeftButton);
    QWidget* window = program.form(form);
    EXPECT_TRUE(window != nullptr && QtProgram::waitUntilActive(window));
    return window;
}

double scale() {
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
               ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
               : 1.0;
}

TEST(WindowScaling, the_test_runs_at_the_scale_it_was_given) {
    QtProgram program;
    EXPECT_DOUBLE_EQ(program.form1()->devicePixelRatioF(), scale());
}

TEST(WindowScaling, the_main_window_keeps_its_layout_and_cuts_no_text_after_a_round_trip) {
    QtMessageWatcher watcher;
    QtProgram program;
    ui::MainWindow* form1 = program.form1();
    EXPECT_EQ(form1->clientArea()->size(), QSize(ui::twips(10065), ui::twips(6720)));
    EXPECT_EQ(program.control(form1::Frame3)->geometry(), ui::twipsRect(6360, 120, 3615, 6495));
    EXPECT_EQ(program.control(form1::Command4)->geometry(), ui::twipsRect(1440, 6000, 1095, 615));
    // The captions that the calculations change are the longest the window shows.
    for (const char* typed : {"10.5", "1000", "11.8", "600"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    ASSERT_EQ(program.control<QLabel>(form1::Label17)->text(), QStringLiteral("剩余股票"));
    const QStringList cuts = cutsIn(form1);
    EXPECT_TRUE(cuts.isEmpty()) << cuts.join(QLatin1Char('\n')).toStdString();
    // Drawn at the screen's resolution: a picture with all its pixels, not an enlarged one.
    const QPixmap picture = form1->grab();
    EXPECT_EQ(picture.size(), (QSizeF(form1->size()) * scale()).toSize());
}

TEST(WindowScaling, the_main_window_starts_with_its_title_bar_and_top_on_the_screen) {
    QtProgram::Options hidden;
    hidden.show = false;
    QtProgram program(hidden);
    ui::MainWindow* form1 = program.form1();
    const QRect workArea = form1->screen()->availableGeometry();
    // Where a window manager puts a new window: the middle of the screen.
    const QPoint centred = workArea.center() - QPoint(form1->width() / 2, form1->height() / 2);
    form1->move(centred);
    program.windows().show(FormId::Form1);
    // From 125 % on, the offscreen screen (800 x 800 pixels) is too narrow for the window.
    const QSize framed = form1->frameGeometry().size();
    const bool fits = framed.width() <= workArea.width() && framed.height() <= workArea.height();
    EXPECT_EQ(fits, scale() < 1.25);
    EXPECT_EQ(form1->frameGeometry().topLeft(), fits ? centred : workArea.topLeft());
    // Only the first showing places it: after the about box it comes back where it was.
    form1->move(workArea.topLeft() + QPoint(5, 5));
    QTest::mouseClick(program.control<QPushButton>(form1::Command3), Qt::LeftButton);
    QTest::mouseClick(program.control<QToolButton>(form2::Command1), Qt::LeftButton);
    EXPECT_TRUE(form1->isVisible());
    EXPECT_EQ(form1->frameGeometry().topLeft(), workArea.topLeft() + QPoint(5, 5));
}

TEST(WindowScaling, the_batch_dialogs_keep_their_layout_and_cut_no_text) {
    QtMessageWatcher watcher;
    QtProgram program;
    for (const auto& [button, form] :
         {std::pair{form1::Command5, FormId::Form4}, std::pair{form1::Command6, FormId::Form3}}) {
        SCOPED_TRACE(button.name());
        QWidget* dialog = openWith(program, button, form);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->size(), QSize(ui::twips(9870), ui::twips(2760)));
        const QStringList cuts = cutsIn(dialog);
        EXPECT_TRUE(cuts.isEmpty()) << cuts.join(QLatin1Char('\n')).toStdString();
    }
}

TEST(WindowScaling, the_holding_tools_dialogs_keep_their_layout_and_cut_no_text) {
    QtMessageWatcher watcher;
    QtProgram program;
    for (const ToolDialog& d : toolDialogs()) {
        SCOPED_TRACE(std::string(d.form.name()));
        program.menuItem(d.menuItem)->trigger();
        QWidget* dialog = program.form(d.form.form());
        ASSERT_TRUE(dialog != nullptr && QtProgram::waitUntilActive(dialog));
        const layout::Control& row = layout::form(d.form.form());
        EXPECT_EQ(dialog->size(), QSize(ui::twips(row.width), ui::twips(row.height)));
        const QStringList cuts = cutsIn(dialog);
        EXPECT_TRUE(cuts.isEmpty()) << cuts.join(QLatin1Char('\n')).toStdString();
    }
}

TEST(WindowScaling, the_about_box_keeps_its_layout_cuts_no_text_and_draws_its_picture_sharp) {
    QtMessageWatcher watcher;
    QtProgram program;
    QWidget* about = openWith(program, form1::Command3, FormId::Form2);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->size(), QSize(ui::twips(6015), ui::twips(7215)));
    const QStringList cuts = cutsIn(about);
    EXPECT_TRUE(cuts.isEmpty()) << cuts.join(QLatin1Char('\n')).toStdString();
    auto* image = program.control<QLabel>(form2::Image1);
    ASSERT_NE(image, nullptr);
    EXPECT_DOUBLE_EQ(image->pixmap().devicePixelRatio(), scale());
    EXPECT_EQ(image->pixmap().deviceIndependentSize().toSize(), QSize(210, 90));
}

}  // namespace
}  // namespace zm
