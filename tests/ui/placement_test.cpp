// Where a batch dialog opens beside the main window, on screens with room on each side and on
// one with room on none.
#include <gtest/gtest.h>

#include <QPoint>
#include <QRect>
#include <QSize>

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

TEST(Placement, a_dialog_opens_beside_the_main_window_and_on_the_screen) {
    for (const PlaceRow& row : kPlaces) {
        const QPoint at = placeBeside(row.main, kDialog, kScreen, row.keepClear);
        EXPECT_EQ(at, row.expected) << row.name << ": at " << at.x() << ", " << at.y();
        EXPECT_TRUE(kScreen.contains(QRect(at, kDialog))) << row.name;
    }
}

}  // namespace
}  // namespace zm::ui
