// The Windows program's main window and batch dialogs as a user meets them (tests/win/program.h),
// under Wine on Xvfb (./test.sh); the expected figures come from the same key road on the
// in-memory window model.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/profile_file.h"
#include "win/program.h"

namespace zm {
namespace {

using test::Expected;
using test::Program;
using test::waitFor;

const std::string kFeeGbk = "\xCA\xD6\xD0\xF8\xB7\xD1";  // 手续费

// Every field of the main window, and the caption that tells a partial sale.
std::vector<Ctl> shownControls() {
    std::vector<Ctl> controls(kMainFields.begin(), kMainFields.end());
    controls.insert(controls.end(), {form1::Text21, form1::Text22, form1::Label17});
    return controls;
}

TEST(WindowsFrontEnd, a_purchase_and_a_partial_sale_by_the_keyboard_show_every_figure) {
    Program program;
    ASSERT_NE(program.form(FormId::Form1), nullptr);
    ASSERT_TRUE(program.focusIn(form1::Text1)) << "Text1 has not the focus at start";
    Expected expected;
    const std::pair<Ctl, std::string_view> road[] = {{form1::Text1, "10.5"},
                                                     {form1::Text2, "1000"},
                                                     {form1::Text11, "11.8"},
                                                     {form1::Text12, "600"}};
    for (const auto& [field, typed] : road) {
        ASSERT_TRUE(program.focusIn(field)) << field.name() << " has not the focus";
        // The prefilled sell quantity is selected, so typing replaces it.
        if (field == form1::Text12) {
            EXPECT_EQ(program.text(form1::Text12), "1000");
            EXPECT_TRUE(program.wholeTextSelected(form1::Text12));
        }
        program.typeAndEnter(typed);
        expected.typeAndEnter(field, typed);
    }
    ASSERT_TRUE(waitFor([&] { return program.text(form1::Text19) == "400"; }))
        << "the partial sale is not shown: " << program.text(form1::Text19);
    EXPECT_EQ(program.text(form1::Text3), "10,500.00");
    EXPECT_EQ(program.text(form1::Label17), "剩余股票");
    for (const Ctl name : shownControls()) {
        const bool label = name == form1::Label17;
        EXPECT_EQ(program.text(name), label ? expected.ui.caption(name) : expected.ui.text(name))
            << name;
    }
    EXPECT_TRUE(expected.ui.messages.empty());
    EXPECT_TRUE(program.noMessageBox());

    // The rates were saved beside the program, in GBK.
    std::ifstream in(program.ini(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find("[TIP]\r\n" + kFeeGbk + "="), std::string::npos) << bytes;
    const std::u8string ini = program.ini().u8string();
    EXPECT_EQ(
        settings::ProfileFile(std::string(ini.begin(), ini.end())).readString("TIP", "手续费"),
        expected.ui.text(form1::Combo1));

    program.click(form1::Command2);  // Exit
    EXPECT_EQ(program.exitCode(), 0u);
}

TEST(WindowsFrontEnd, a_refused_quantity_says_why_and_keeps_the_focus_in_its_field) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.typeAndEnter("10.5");
    ASSERT_TRUE(program.focusIn(form1::Text2));
    program.typeAndEnter("150");
    Expected expected;
    expected.typeAndEnter(form1::Text1, "10.5");
    expected.typeAndEnter(form1::Text2, "150");
    ASSERT_EQ(expected.ui.messages.size(), 1u);
    EXPECT_EQ(program.answerMessage(), expected.ui.messages[0]);
    EXPECT_TRUE(program.focusIn(form1::Text2));
    EXPECT_TRUE(program.wholeTextSelected(form1::Text2));
    EXPECT_EQ(program.text(form1::Text2), "150");
    EXPECT_EQ(program.text(form1::Text3), "");

    // 10,000 characters pasted over the selected text: kept as pasted, and refused.
    const std::string pasted(10000, '9');
    program.paste(pasted);
    program.typeAndEnter("");
    expected.typeAndEnter(form1::Text2, pasted);
    ASSERT_EQ(expected.ui.messages.size(), 2u);
    EXPECT_EQ(program.answerMessage(), expected.ui.messages[1]);
    EXPECT_EQ(program.text(form1::Text2), pasted);
    EXPECT_TRUE(program.focusIn(form1::Text2));
}

TEST(WindowsFrontEnd, a_read_only_settings_file_gives_the_write_message_and_the_results_stay) {
    const std::string before = "[TIP]\r\n" + kFeeGbk + "=2.5\r\n";
    Program program(before, true);
    ASSERT_TRUE(program.focusIn(form1::Text1));
    EXPECT_EQ(program.text(form1::Combo1), "2.5");
    program.typeAndEnter("10.5");
    ASSERT_TRUE(program.focusIn(form1::Text2));
    program.typeAndEnter("1000");
    // One message per rate that could not be written.
    EXPECT_EQ(program.answerMessage(), msg::kWriteFailed);
    EXPECT_EQ(program.answerMessage(), msg::kWriteFailed);
    EXPECT_TRUE(waitFor([&] { return program.text(form1::Text3) == "10,500.00"; }));
    std::ifstream in(program.ini(), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
              before);
}

TEST(WindowsFrontEnd, a_batch_purchase_locks_the_buy_fields_and_clear_unlocks_them) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.click(form1::Command5);
    ASSERT_NE(program.form(FormId::Form4), nullptr);
    const std::string_view steps[] = {"10.2", "300", "10.25", "500", "10.3", "200"};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Ctl field = batchFields(FormId::Form4)[i];
        const std::string_view typed = steps[i];
        ASSERT_TRUE(program.focusIn(field)) << field.name() << " has not the focus";
        program.typeAndEnter(typed);
    }
    // Only the main window's fields are locked, not the dialog's own Text1 and Text2.
    EXPECT_FALSE(program.isReadOnly(form4::Text1));
    EXPECT_FALSE(program.isReadOnly(form4::Text2));
    // The last quantity leads to OK, and Enter presses it.
    ASSERT_TRUE(program.focusIn(form4::Command1));
    program.typeAndEnter("");
    ASSERT_TRUE(waitFor([&] { return !program.isVisible(FormId::Form4); }));
    EXPECT_TRUE(waitFor([&] { return program.text(form1::Text2) == "1,000"; }))
        << program.text(form1::Text2);
    EXPECT_TRUE(program.isReadOnly(form1::Text1));
    EXPECT_TRUE(program.isReadOnly(form1::Text2));
    // Back from the dialog, the focus goes to Text1.
    EXPECT_TRUE(program.focusIn(form1::Text1));

    program.click(form1::Command4);  // Clear
    EXPECT_TRUE(waitFor([&] { return !program.isReadOnly(form1::Text1); }));
    EXPECT_FALSE(program.isReadOnly(form1::Text2));
    for (const Ctl name : {form1::Text1, form1::Text2, form1::Text3, form1::Text7}) {
        EXPECT_EQ(program.text(name), "") << name;
    }
    EXPECT_TRUE(program.noMessageBox());
}

// What the about box does to the focus and the windows is the parity script's; here, that the
// main window comes back where it was, not a title bar lower.
TEST(WindowsFrontEnd, the_main_window_comes_back_from_the_about_box_where_it_was) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    const RECT before = program.frame(FormId::Form1);
    program.click(form1::Command3);
    ASSERT_NE(program.form(FormId::Form2), nullptr);
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::Form1); }));
    program.click(form2::Command1);
    ASSERT_NE(program.form(FormId::Form1), nullptr);
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::Form2); }));
    const RECT after = program.frame(FormId::Form1);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST(WindowsFrontEnd, the_market_options_are_one_tab_stop_and_the_arrow_keys_choose) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.click(form1::Option1);
    ASSERT_TRUE(program.focusIn(form1::Option1));
    program.press(VK_DOWN);
    EXPECT_TRUE(program.focusIn(form1::Option2));
    EXPECT_TRUE(waitFor([&] { return program.isChecked(form1::Option2); }));
    program.press(VK_DOWN);
    EXPECT_TRUE(program.focusIn(form1::Option3));
    EXPECT_TRUE(waitFor([&] { return program.isChecked(form1::Option3); }));
    EXPECT_FALSE(program.isChecked(form1::Option2));
    // Choosing funds zeroes both rates (the program's own rules).
    EXPECT_TRUE(waitFor([&] { return program.text(form1::Combo1) == "0.0"; }));
    // Tab leaves the group, and Shift+Tab comes back to its chosen option.
    program.press(VK_TAB);
    EXPECT_TRUE(waitFor([&] {
        const HWND now = program.focus();
        return now != nullptr && now != program.control(form1::Option1) &&
               now != program.control(form1::Option2) && now != program.control(form1::Option3);
    }));
    program.press(VK_TAB, true);
    EXPECT_TRUE(program.focusIn(form1::Option3));
    program.press(VK_TAB, true);
    EXPECT_TRUE(waitFor([&] { return program.focus() != program.control(form1::Option3); }));
    EXPECT_NE(program.focus(), program.control(form1::Option2));
}

// The worked example of the guide: current rules chosen from the menu, Shanghai, commission
// 0.25 per mille typed into its list, the minimum of 5 yuan; 1,000 shares bought at 10.00 and
// sold at 10.50.
TEST(WindowsFrontEnd, the_worked_example_under_the_current_rules) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.chooseMenu(form1::mnuRulesCurrent);
    ASSERT_TRUE(waitFor([&] {
        return program.title(FormId::Form1) == std::string(msg::kMainTitle) + "（现行规则）";
    }));
    program.click(form1::Combo1);
    program.press(VK_END);
    program.press(VK_HOME, true);
    program.type("0.25");
    program.click(form1::Text1);
    ASSERT_TRUE(program.focusIn(form1::Text1));
    EXPECT_TRUE(waitFor([&] { return program.text(form1::Combo1) == "0.25"; }));
    for (const std::string_view typed : {"10.00", "1000", "10.50", ""}) {
        program.typeAndEnter(typed);
    }
    ASSERT_TRUE(waitFor([&] { return program.text(form1::Text19) != ""; }));
    EXPECT_EQ(program.text(form1::Text10), "10,005.10");  // paid
    EXPECT_EQ(program.text(form1::Text9), "10.02");       // break-even price
    EXPECT_EQ(program.text(form1::Text20), "10,489.64");  // received
    EXPECT_EQ(program.text(form1::Text19), "484.54");     // profit
    EXPECT_EQ(program.text(form1::Text18), "4.84");       // yield, per cent
    EXPECT_TRUE(program.noMessageBox());
}

}  // namespace
}  // namespace zm
