// Where a batch dialog opens beside the main window, on screens with room on each side and on
// one with room on none, by the Qt front end and by the toolkit-free arithmetic the Windows
// front end calls; how wide a message's text is laid out before it wraps.
#include <gtest/gtest.h>

#include <QPoint>
#include <QRect>
#include <QSize>

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
};

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
};

layout::Rect plain(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

TEST(Placement, a_dialog_opens_beside_the_main_window_and_on_the_screen) {
    for (const PlaceRow& row : kPlaces) {
        const QPoint at = placeBeside(row.main, kDialog, kScreen, row.keepClear);
        EXPECT_EQ(at, row.expected) << row.name << ": at " << at.x() << ", " << at.y();
        EXPECT_TRUE(kScreen.contains(QRect(at, kDialog))) << row.name;
        // The same place from plain rectangles, as the Windows front end asks for it.
        const layout::Point windows =
            layout::placeBeside(plain(row.main), {kDialog.width(), kDialog.height()},
                                plain(kScreen), plain(row.keepClear));
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
