// Reset, market choice, focus handling and shut-down of the engine session, on the in-memory
// window model.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fees/fee_schedule.h"
#include "session/session.h"
#include "support/memory_window_model.h"

namespace zm {
namespace {

class SessionReset : public ::testing::Test {
protected:
    SessionReset() : session(ui, "/nonexistent-dir/TKVR.INI") {
        ui.setUpMainWindow();
        session.formLoad();
    }
    test::MemoryWindowModel ui;
    Session session;
};

TEST_F(SessionReset, load_leaves_every_field_empty_but_bonus_and_dividend) {
    for (Ctl field : kMainFields) {
        EXPECT_EQ(ui.text(field), "") << field;
    }
    EXPECT_EQ(ui.text(form1::Text21), "0");
    EXPECT_EQ(ui.text(form1::Text22), "0.00");
    EXPECT_EQ(ui.text(form1::Combo1), "2.7");
    EXPECT_EQ(ui.text(form1::Combo2), "3");
    EXPECT_TRUE(ui.messages.empty());
}

// The in-memory windows have exactly the table's controls: a control beyond the table fails
// whatever test addresses it.
TEST_F(SessionReset, a_control_of_no_window_fails_the_test) {
    const Ctl unknown{static_cast<ControlId>(kControlCount)};
    EXPECT_THROW(ui.setText(unknown, "1"), std::logic_error);
    EXPECT_THROW((void)ui.text(unknown), std::logic_error);
}

TEST_F(SessionReset, reset_creates_both_dialogs_hidden_with_empty_fields) {
    EXPECT_TRUE(ui.isLoaded(FormId::Form3));
    EXPECT_TRUE(ui.isLoaded(FormId::Form4));
    EXPECT_FALSE(ui.visible[FormId::Form3]);
    EXPECT_FALSE(ui.visible[FormId::Form4]);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(ui.text(batchFields(FormId::Form3)[i]), "");
        EXPECT_EQ(ui.text(batchFields(FormId::Form4)[i]), "");
    }
}

TEST_F(SessionReset, reset_zeroes_the_state_but_keeps_the_step_counter_marks_and_locks) {
    CalcState& st = session.state();
    st.BuyPrice = Money::fromYuan(10);
    st.ProfitLoss = Money::fromYuan(-3);
    st.RemainTransferFee = Money::fromYuan(1);
    st.StepCount = 42;
    ui.setText(form1::Text5, "30.00");
    ui.setText(form1::Text21, "3");
    ui.setCaption(form1::Label17, "大亏特亏");
    ui.setForeColor(form1::Label17, kBlue);
    ui.setReadOnly(form1::Text1, true);
    session.handle(form1::Option3, Gesture::Choose);

    session.QK();

    EXPECT_EQ(st.BuyPrice, Money());
    EXPECT_EQ(st.ProfitLoss, Money());
    EXPECT_EQ(st.RemainTransferFee, Money());
    EXPECT_EQ(st.StepCount, 42);
    EXPECT_EQ(ui.text(form1::Text5), "");
    EXPECT_EQ(ui.text(form1::Text21), "0");
    // The reset restores no caption, colour, lock or rate.
    EXPECT_EQ(ui.caption(form1::Label17), "大亏特亏");
    EXPECT_EQ(ui.at(form1::Label17).foreColor, kBlue);
    EXPECT_TRUE(ui.isReadOnly(form1::Text1));
    EXPECT_EQ(ui.text(form1::Combo1), "0.0");
    EXPECT_EQ(ui.text(form1::Combo2), "0");
}

TEST_F(SessionReset, fund_market_sets_both_rates_to_zero_and_they_stay_when_switching_back) {
    session.handle(form1::Option3, Gesture::Choose);
    EXPECT_EQ(ui.text(form1::Combo1), "0.0");
    EXPECT_EQ(ui.text(form1::Combo2), "0");
    ui.setChecked(form1::Option1, true);  // Option1 has no handler
    EXPECT_EQ(ui.text(form1::Combo1), "0.0");
    EXPECT_EQ(ui.text(form1::Combo2), "0");
}

TEST_F(SessionReset, input_fields_select_their_text_on_focus_and_output_fields_do_not) {
    ui.setText(form1::Text2, "1,000");
    ui.setFocus(form1::Text2);
    session.handle(form1::Text2, Gesture::Focus);
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text2));

    ui.setText(form1::Text3, "10,000.00");
    ui.setFocus(form1::Text3);
    session.handle(form1::Text3, Gesture::Focus);
    EXPECT_NE(ui.selection, form1::Text3);
}

TEST_F(SessionReset, activation_from_another_own_window_puts_the_focus_in_the_buy_price) {
    ui.setText(form1::Text1, "9.50");
    ui.setFocus(form1::Text12);
    session.handle(form1::Form1, Gesture::Activate);
    EXPECT_TRUE(ui.hasFocus(form1::Text1));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text1));
}

TEST_F(SessionReset, closing_the_main_window_unloads_the_four_windows_in_order_once) {
    ui.windowLog.clear();
    session.handle(form1::Command2, Gesture::Click);
    session.handle(form1::Form1, Gesture::Close);  // the close event that follows changes nothing
    const std::vector<std::string> expected = {"unload Form1", "unload Form3", "unload Form4"};
    EXPECT_EQ(ui.windowLog, expected);  // Form2 was never loaded, so unloading it does nothing
    EXPECT_TRUE(ui.quitRequested);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace zm
