// The menus and their dialogs of the Windows program, driven by real input under Wine: the fee
// rules by trade date (FormRules), the minimum commission (FormMinimum), the target sell price
// (FormTarget); where they open, what they keep from input, Esc. (Wine keeps a menu in the
// process that made it: the check marks are read in menus_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "layout/placement.h"
#include "support/dialog_gestures.h"
#include "win/program.h"

namespace zm {
namespace {

using test::Expected;
using test::Program;
using test::waitFor;

const std::string kMain(msg::kMainTitle);

layout::Rect rectOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Where the dialog should be, by the same arithmetic from what the test sees on the screen.
layout::Point besideMain(const Program& program, FormId dialog) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    layout::Rect kept;
    for (Ctl part : layout::kKeptClearOfDialogs) {
        RECT r{};
        GetWindowRect(program.control(part), &r);
        kept = layout::united(kept, rectOf(r));
    }
    const layout::Rect frame = rectOf(program.frame(dialog));
    return layout::placeBeside(rectOf(program.frame(FormId::Form1)), {frame.width, frame.height},
                               rectOf(work), kept);
}

TEST(WindowsDialogs, the_rules_menu_and_the_trade_date_dialog) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    EXPECT_EQ(program.title(FormId::Form1), kMain);

    program.chooseMenu(form1::mnuRulesCurrent);
    EXPECT_TRUE(waitFor([&] { return program.title(FormId::Form1) == kMain + "（现行规则）"; }))
        << program.title(FormId::Form1);

    // The dialog opens beside the main window, keeps it from input, and has the date's focus.
    program.chooseMenu(form1::mnuRulesDate);
    ASSERT_NE(program.form(FormId::FormRules), nullptr);
    const RECT at = program.frame(FormId::FormRules);
    EXPECT_EQ((layout::Point{at.left, at.top}), besideMain(program, FormId::FormRules));
    EXPECT_FALSE(program.isEnabled(FormId::Form1));
    ASSERT_TRUE(program.focusIn(formRules::DateTrade));
    EXPECT_NE(program.text(formRules::LabelRules), "");

    // A date before the trade-date rules is refused, and the dialog stays.
    program.type("2001-03-15");
    // The date typed over the selected one: the summary says it is too early.
    EXPECT_TRUE(waitFor([&] {
        return program.text(formRules::LabelRules) == msg::trimmed(msg::kRulesDateTooEarly);
    })) << program.text(formRules::LabelRules);
    program.press(VK_RETURN);
    EXPECT_EQ(program.answerMessage(), msg::kRulesDateTooEarly);
    EXPECT_TRUE(program.isVisible(FormId::FormRules));
    ASSERT_TRUE(program.focusIn(formRules::DateTrade));

    // Typed over the selected refused date, as people write a date.
    program.type("2019/3/15");
    program.press(VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::FormRules); }));
    EXPECT_TRUE(waitFor([&] {
        return program.title(FormId::Form1) == kMain + "（按2019年3月15日的规则）";
    })) << program.title(FormId::Form1);
    EXPECT_TRUE(program.isEnabled(FormId::Form1));

    // Esc leaves the dialog as its cancel button does: the rules stay.
    program.chooseMenu(form1::mnuRulesDate);
    ASSERT_TRUE(program.focusIn(formRules::DateTrade));
    EXPECT_EQ(program.text(formRules::DateTrade), "2019-03-15");
    program.type("20200101");
    program.press(VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::FormRules); }));
    EXPECT_TRUE(program.isEnabled(FormId::Form1));
    EXPECT_EQ(program.title(FormId::Form1), kMain + "（按2019年3月15日的规则）");
    EXPECT_TRUE(program.noMessageBox());
}

TEST(WindowsDialogs, the_minimum_commission_refuses_a_wrong_figure_and_takes_zero) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.chooseMenu(form1::mnuRulesCurrent);
    ASSERT_TRUE(waitFor([&] { return program.title(FormId::Form1) != kMain; }));
    program.chooseMenu(form1::mnuRulesMinimum);
    ASSERT_NE(program.form(FormId::FormMinimum), nullptr);
    EXPECT_FALSE(program.isEnabled(FormId::Form1));
    ASSERT_TRUE(program.focusIn(formMinimum::TextMinimum));
    EXPECT_EQ(program.text(formMinimum::TextMinimum), "5.00");
    EXPECT_TRUE(program.wholeTextSelected(formMinimum::TextMinimum));
    program.typeAndEnter("abc");
    EXPECT_EQ(program.answerMessage(), msg::kMinCommissionInvalid);
    EXPECT_TRUE(program.focusIn(formMinimum::TextMinimum));
    EXPECT_TRUE(program.wholeTextSelected(formMinimum::TextMinimum));
    program.typeAndEnter("0");
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::FormMinimum); }));
    EXPECT_TRUE(program.isEnabled(FormId::Form1));
    // Shown again: the minimum it took.
    program.chooseMenu(form1::mnuRulesMinimum);
    ASSERT_TRUE(program.focusIn(formMinimum::TextMinimum));
    EXPECT_EQ(program.text(formMinimum::TextMinimum), "0.00");
}

TEST(WindowsDialogs, the_target_sell_price_dialog_finds_the_price_and_fills_the_sell_side) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.typeAndEnter("10.5");
    ASSERT_TRUE(program.focusIn(form1::Text2));
    program.typeAndEnter("1000");
    ASSERT_TRUE(program.focusIn(form1::Text11));
    Expected expected;
    expected.typeAndEnter(form1::Text1, "10.5");
    expected.typeAndEnter(form1::Text2, "1000");
    const auto sale = test::targetSale(expected.session, expected.ui, true, "5");
    ASSERT_TRUE(sale.has_value());

    program.chooseMenu(form1::mnuTarget);
    ASSERT_NE(program.form(FormId::FormTarget), nullptr);
    const RECT at = program.frame(FormId::FormTarget);
    EXPECT_EQ((layout::Point{at.left, at.top}), besideMain(program, FormId::FormTarget));
    // Not modal: the main window still takes input.
    EXPECT_TRUE(program.isEnabled(FormId::Form1));
    // The two kinds of target are one Tab stop; the arrow keys choose between them.
    program.click(formTarget::OptTarget_0);
    ASSERT_TRUE(program.focusIn(formTarget::OptTarget_0));
    program.press(VK_DOWN);
    EXPECT_TRUE(program.focusIn(formTarget::OptTarget_1));
    EXPECT_TRUE(waitFor([&] { return program.isChecked(formTarget::OptTarget_1); }));
    EXPECT_EQ(program.text(formTarget::LabelTargetUnit), "％");
    program.press(VK_TAB);
    ASSERT_TRUE(program.focusIn(formTarget::TextTarget));
    program.typeAndEnter("5");
    EXPECT_TRUE(waitFor([&] { return program.text(formTarget::TextTargetPrice) == sale->price; }))
        << program.text(formTarget::TextTargetPrice);
    EXPECT_EQ(program.text(formTarget::TextTargetYield), sale->yield);
    EXPECT_EQ(program.text(formTarget::TextTargetProfit), sale->profit);
    program.click(formTarget::cmdUse);
    EXPECT_TRUE(waitFor([&] { return program.text(form1::Text11) == sale->price; }))
        << program.text(form1::Text11);

    // Moved by the user and closed, it comes back where it was left.
    SetWindowPos(program.form(FormId::FormTarget), nullptr, 40, 50, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(program.frame(FormId::FormTarget).left, 40);
    program.click(formTarget::cmdClose);
    ASSERT_TRUE(waitFor([&] { return !program.isVisible(FormId::FormTarget); }));
    program.chooseMenu(form1::mnuTarget);
    ASSERT_NE(program.form(FormId::FormTarget), nullptr);
    EXPECT_EQ(program.frame(FormId::FormTarget).left, 40);
    EXPECT_EQ(program.frame(FormId::FormTarget).top, 50);
}

TEST(WindowsDialogs, the_about_box_picture_names_the_guide_page_it_cannot_find) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.click(form1::Command3);
    ASSERT_NE(program.form(FormId::Form2), nullptr);
    program.click(form2::Image1);
    const std::u8string page = (program.folder() / "user-guide.html").u8string();
    EXPECT_EQ(program.answerMessage(), msg::guideMissing(std::string(page.begin(), page.end())));
    // Esc closes the about box, and the main window comes back.
    ASSERT_TRUE(program.focusIn(form2::Command1));
    program.press(VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::Form2); }));
    EXPECT_TRUE(program.focusIn(form1::Text1));
}

}  // namespace
}  // namespace zm
