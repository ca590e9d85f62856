// The session's one entry against the layout table: every control a user can press or type into
// does something, so that no window gains a dead button or a field whose Enter is lost.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/layout.h"
#include "session/session.h"

namespace zm {
namespace {

TEST(Dispatch, every_button_item_and_input_field_of_every_window_has_its_action) {
    std::vector<std::string> dead;
    for (const layout::Control& row : layout::controls()) {
        const bool pressed = row.kind == layout::Kind::Button ||
                             row.kind == layout::Kind::MenuItem ||
                             row.kind == layout::Kind::Picture;
        const bool typed = row.kind == layout::Kind::Field && !row.readOnly;
        if ((pressed && !Session::handles(row.ctl, Gesture::Click)) ||
            (typed && !Session::handles(row.ctl, Gesture::Enter)) ||
            (row.kind == layout::Kind::Form && !Session::handles(row.ctl, Gesture::Close))) {
            dead.push_back(std::string(formName(row.form())) + "." + std::string(row.name()));
        }
    }
    EXPECT_EQ(dead, std::vector<std::string>{});
}

}  // namespace
}  // namespace zm
