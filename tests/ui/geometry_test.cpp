// Where a batch dialog opens beside the main window, on screens with room on each side and on
// one with room on none, by the Qt front end and by the toolkit-free arithmetic the Windows
// front end calls; how wide a message's text is laid out before it wraps.
#include <gtest/gtest.h>

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

#include "layout/layout.h"
#include "layout/placement.h"
#include "ui/message_box.h"
#include "ui/placement.h"

namespace zm::ui {
namespace {

// A screen of 1000 × 800 and a dialog of 300 × 100; the windows are 8 pixels apart.
const QRect kScreen(0, 0, 1000, 800);
const QSize kDialog(300, 100);

struct PlaceRow {
    const char* name;
    QRect main;
    QRect keepClear;
    QPoint expected;
    QRect screen = kScreen;
    QSize dialog = kDialog;
    bool leavesKeepClearInView = false;
};

// What a tool dialog leaves in view on a main window whose frame is `main` at `scale` (1.0 for
// 100 %): the layout's frames at 15 twips to a pixel, below a title bar and a menu bar.
QRect keptClear(const QRect& main, double scale) {
    QRect kept;
    for (Ctl frame : layout::kKeptClearOfDialogs) {
        const layout::Control* row = layout::find(frame);
        const auto px = [scale](int twips) { return static_cast<int>(twips * scale / 15); };
        kept |= QRect(main.x() + px(120) + px(row->left), main.y() + px(750) + px(row->top),
                      px(row->width), px(row->height));
    }
    return kept;
}

// A main window of about 690 × 505 pixels at 100 % and 1030 × 760 at 150 %, centred on a screen
// of 1600 × 1000, and a tool dialog of 300 × 270 and 450 × 400.
const QRect kWide(0, 0, 1600, 1000);
const QRect kMain100(455, 247, 690, 505);
const QRect kMain150(285, 120, 1030, 760);

const PlaceRow kPlaces[] = {
    {"right_top_edges_level", QRect(100, 100, 400, 300), QRect(), QPoint(508, 100)},
    {"right_slid_up_onto_the_screen", QRect(100, 750, 400, 40), QRect(), QPoint(508, 700)},
    {"below_when_the_right_is_short", QRect(500, 100, 400, 300), QRect(), QPoint(500, 408)},
    {"below_slid_left_onto_the_screen", QRect(800, 100, 190, 300), QRect(), QPoint(700, 408)},
    {"left_when_right_and_below_are_short", QRect(400, 500, 590, 290), QRect(), QPoint(92, 500)},
    {"above_as_the_last_side", QRect(300, 400, 690, 390), QRect(), QPoint(300, 292)},
    // No side has room: of the four places pulled onto the screen, the left one covers the
    // least of the result columns (40 × 100 pixels against 90 × 50 below and above).
    {"least_over_the_results_when_no_side_has_room", QRect(50, 50, 900, 700),
     QRect(260, 50, 690, 700), QPoint(0, 50)},
    // A tool dialog beside the main window on a 1600 × 1000 screen: to its right at 100 %; at
    // 150 % no side has room, and it goes over the sell column, not over the trade category,
    // the rates or the buy column.
    {"tool_at_100_percent", kMain100, keptClear(kMain100, 1.0), QPoint(1153, 247), kWide,
     QSize(300, 270), true},
    {"tool_at_150_percent_over_the_sell_column", kMain150, keptClear(kMain150, 1.5),
     QPoint(1150, 120), kWide, QSize(450, 400), true},
};

layout::Rect plain(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

TEST(Placement, a_dialog_opens_beside_the_main_window_and_on_the_screen) {
    for (const PlaceRow& row : kPlaces) {
        const QPoint at = placeBeside(row.main, row.dialog, row.screen, row.keepClear);
        EXPECT_EQ(at, row.expected) << row.name << ": at " << at.x() << ", " << at.y();
        EXPECT_TRUE(row.screen.contains(QRect(at, row.dialog))) << row.name;
        EXPECT_TRUE(!row.leavesKeepClearInView || !QRect(at, row.dialog).intersects(row.keepClear))
            << row.name;
        // The same place from plain rectangles, as the Windows front end asks for it.
        const layout::Point windows =
            layout::placeBeside(plain(row.main), {row.dialog.width(), row.dialog.height()},
                                plain(row.screen), plain(row.keepClear));
        EXPECT_EQ(QPoint(windows.x, windows.y), row.expected) << row.name;
    }
}

TEST(Placement, the_about_box_is_centred_over_the_main_window_and_kept_on_the_screen) {
    // Centred: the dialog's middle pixel on the main window's middle pixel.
    EXPECT_EQ(centredOver(QRect(100, 100, 400, 300), kDialog, kScreen), QPoint(150, 200));
    // Over a main window half off the screen's bottom-right corner: pulled back onto it.
    EXPECT_EQ(centredOver(QRect(800, 700, 400, 300), kDialog, kScreen), QPoint(700, 700));
    // Main windows of odd sizes: the place QRect::moveCenter gives, where that is on the screen.
    for (const QRect& main :
         {QRect(100, 100, 400, 300), QRect(333, 447, 101, 57), QRect(200, 300, 302, 101)}) {
        QRect qt(QPoint(), kDialog);
        qt.moveCenter(main.center());
        ASSERT_TRUE(kScreen.contains(qt));
        const layout::Point windows =
            layout::centredOver(plain(main), {kDialog.width(), kDialog.height()}, plain(kScreen));
        EXPECT_EQ(QPoint(windows.x, windows.y), qt.topLeft());
    }
}

struct ReopenRow {
    const char* name;
    std::vector<layout::Rect> open;  // the dialogs already open
    layout::Point expected;          // where one of 300 × 100 opens, beside the main at (508, 100)
};

const ReopenRow kReopens[] = {
    {"nothing_open", {}, {508, 100}},
    {"another_dialog_elsewhere", {{0, 0, 300, 100}}, {508, 100}},
    // 求涨跌停价 opens the limit dialog from the ex-rights one, which stands beside the main.
    {"off_the_dialog_it_is_opened_from", {{508, 100, 300, 200}}, {540, 132}},
    {"off_two_in_a_cascade", {{508, 100, 300, 200}, {540, 132, 300, 200}}, {572, 164}},
};

TEST(Placement, a_dialog_opened_beside_the_main_window_does_not_cover_one_open_there) {
    for (const ReopenRow& row : kReopens) {
        const layout::Point beside = row.name == std::string_view("kept_on_the_screen")
                                         ? layout::Point{700, 700}
                                         : layout::Point{508, 100};
        const layout::Point at = layout::offOpenDialogs(beside, {kDialog.width(), kDialog.height()},
                                                        row.open, plain(kScreen));
        EXPECT_EQ(QPoint(at.x, at.y), QPoint(row.expected.x, row.expected.y)) << row.name;
    }
    // Shown again: where it was left, unless it opens beside a main window that has moved.
    EXPECT_TRUE(layout::returnsWhereLeft(true, {10, 10}, {10, 10}));
    EXPECT_FALSE(layout::returnsWhereLeft(true, {10, 10}, {10, 40}));
    EXPECT_TRUE(layout::returnsWhereLeft(false, {10, 10}, {10, 40}));
}

struct WrapRow {
    const char* name;
    int textWidth;
    int expected;
};

// Glyphs of 16 pixels; a wrapped text at least 441 and at most 940 pixels wide.
const WrapRow kWraps[] = {
    {"short_text_on_one_line", 200, 200},
    {"text_as_wide_as_the_widest_on_one_line", 940, 940},
    {"just_too_wide_in_two_equal_lines_not_one_and_a_glyph", 950, 491},
    {"three_equal_lines", 2000, 683},
    {"equal_lines_capped_at_the_widest", 1870, 940},
};

TEST(MessageWrapWidth, one_line_where_it_fits_else_lines_of_equal_length) {
    for (const WrapRow& row : kWraps) {
        EXPECT_EQ(messageWrapWidth(row.textWidth, 16, 441, 940), row.expected) << row.name;
    }
    // Two lines of 380 pixels would be narrower than the message box makes a wrapped text.
    EXPECT_EQ(messageWrapWidth(760, 16, 441, 740), 441);
}

}  // namespace
}  // namespace zm::ui
