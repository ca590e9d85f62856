// No figure stays on screen once an input it was worked from changes: a rate picked or typed, the
// market, the bonus or the dividend confirmed by Enter work every side on screen again, to the
// figures a calculation from scratch gives; a side that can no longer be worked is cleared. And
// the commission list's own Enter and leaving: the typed rate checked, the focus moved on.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/main_window_fixture.h"
#include "settings/profile_file.h"
#include "view/messages.h"

namespace zm::test {
namespace {

// A main window of its own, for the figures a calculation from scratch gives.
struct Window {
    Window() : session(ui, dir.path() + "/TKVR.INI") {
        ui.setUpMainWindow();
        session.formLoad();
    }
    TempDir dir;
    MemoryWindowModel ui;
    Session session;
};

// One change of an input: `text` typed into `control` (nullptr: an option chosen), then the
// gesture the window reports for it.
struct Change {
    Ctl control;
    const char* text;
    Gesture gesture;
};

void apply(Session& s, MemoryWindowModel& ui, const Change& c) {
    if (c.text == nullptr) {
        ui.setChecked(c.control, true);
    } else {
        ui.setText(c.control, c.text);
    }
    ui.setFocus(c.control);
    s.handle(c.control, c.gesture);
}

// Today's rules at 2.7‰ (the rate the list shows when they are chosen), or the program's own.
void useRules(Session& s, bool today) {
    if (today) {
        s.handle(form1::mnuRulesCurrent, Gesture::Click);
    }
}

// A purchase of 1,000 at 10 and a sale of 600 at 11, by Calculate: both sides on screen, the sale
// partial.
void trade(Session& s, MemoryWindowModel& ui) {
    ui.setText(form1::Text1, "10");
    ui.setText(form1::Text2, "1000");
    ui.setText(form1::Text11, "11");
    ui.setText(form1::Text12, "600");
    ui.setFocus(form1::Command1);
    s.handle(form1::Command1, Gesture::Click);
}

// What the window shows of both sides.
std::vector<std::string> figures(const MemoryWindowModel& ui) {
    std::vector<std::string> out;
    for (Ctl c : kMainFields) {
        out.push_back(ui.text(c));
    }
    for (Ctl c : {form1::Text21, form1::Text22, form1::Combo1, form1::Combo2}) {
        out.push_back(ui.text(c));
    }
    out.push_back(ui.caption(form1::Label17));
    out.push_back(ui.toolTip(form1::Label8));
    out.push_back(ui.toolTip(form1::Text18));
    return out;
}

struct ChangeRow {
    const char* name;
    bool today;
    Change change;
    Ctl changed;             // a result field the change must change
    const char* shownAfter;  // what it shows then
};

class Recalculation : public MainWindowTest, public ::testing::WithParamInterface<ChangeRow> {};

TEST_P(Recalculation, works_every_side_again_to_the_figures_of_a_fresh_calculation) {
    const ChangeRow& r = GetParam();
    useRules(session, r.today);
    trade(session, ui);
    const std::string before = shown(r.changed);
    ui.messages.clear();
    apply(session, ui, r.change);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_NE(shown(r.changed), before);
    EXPECT_EQ(shown(r.changed), r.shownAfter);

    Window fresh;
    useRules(fresh.session, r.today);
    apply(fresh.session, fresh.ui, r.change);
    trade(fresh.session, fresh.ui);
    EXPECT_EQ(figures(ui), figures(fresh.ui));
}

// Shanghai, 1,000 bought at 10 and 600 sold at 11; the rates 2.7‰ and 3‰.
const ChangeRow kChanges[] = {
    {"commission_picked", false, {form1::Combo1, "1.5", Gesture::Choose}, form1::Text4, "15.00"},
    {"stamp_duty_picked", false, {form1::Combo2, "1", Gesture::Choose}, form1::Text15, "6.60"},
    {"shenzhen_chosen", false, {form1::Option2, nullptr, Gesture::Choose}, form1::Text6, "0.00"},
    // Funds: both rates to zero, so no stamp duty on either side.
    {"fund_market_chosen", false, {form1::Option3, nullptr, Gesture::Choose}, form1::Text5, "0"},
    {"bonus_entered", false, {form1::Text21, "5", Gesture::Enter}, form1::Text8, "6.71"},
    {"dividend_entered",
     false,
     {form1::Text22, "2.356", Gesture::Enter},
     form1::Text10,
     "9,822.40"},
    // Today's rules: the commission at 0.25‰ is its minimum, not the 27.00 of 2.7‰.
    {"todays_commission_picked",
     true,
     {form1::Combo1, "0.25", Gesture::Choose},
     form1::Text4,
     "5.00"},
    {"todays_commission_typed_and_entered",
     true,
     {form1::Combo1, "1", Gesture::Enter},
     form1::Text4,
     "10.00"},
    {"todays_commission_typed_and_left",
     true,
     {form1::Combo1, "0.5", Gesture::Leave},
     form1::Text14,
     "5.00"},
    {"todays_fund_market_chosen",
     true,
     {form1::Option3, nullptr, Gesture::Choose},
     form1::Text15,
     "0.00"},
    {"todays_dividend_entered",
     true,
     {form1::Text22, "1", Gesture::Enter},
     form1::Text10,
     "9,927.10"},
};

INSTANTIATE_TEST_SUITE_P(Rows, Recalculation, ::testing::ValuesIn(kChanges), rowName);

using RecalculationTest = MainWindowTest;

// A side locked by a batch dialog is worked again from its batches: Shenzhen takes the Shanghai
// transfer fee of 1.00 a batch away.
TEST_F(RecalculationTest, a_batch_purchase_is_worked_again_from_its_batches) {
    const auto batchPurchase = [](Session& s, MemoryWindowModel& w) {
        s.handle(form1::Command5, Gesture::Click);
        const char* typed[] = {"10.00", "1000", "10.50", "500"};
        for (std::size_t i = 0; i < std::size(typed); ++i) {
            w.setText(batchFields(FormId::Form4).at(i), typed[i]);
        }
        s.handle(batchOk(FormId::Form4), Gesture::Click);
    };
    const Change shenzhen{form1::Option2, nullptr, Gesture::Choose};
    batchPurchase(session, ui);
    ASSERT_EQ(shown(form1::Text6), "2");
    apply(session, ui, shenzhen);
    EXPECT_EQ(shown(form1::Text6), "0");
    EXPECT_TRUE(ui.isReadOnly(form1::Text1));

    Window fresh;
    apply(fresh.session, fresh.ui, shenzhen);
    batchPurchase(fresh.session, fresh.ui);
    EXPECT_EQ(figures(ui), figures(fresh.ui));
    EXPECT_EQ(st().AmountPaid, fresh.session.state().AmountPaid);
}

// A side whose inputs no longer pass is cleared, with one message: a rate typed into the
// commission list that is none clears both sides; a dividend typed without Enter that is refused
// clears the purchase, and the sale stands alone.
TEST_F(RecalculationTest, a_side_that_no_longer_passes_is_cleared_with_one_message) {
    useRules(session, true);
    trade(session, ui);
    type(form1::Combo1, "abc");
    apply(session, ui, {form1::Option2, nullptr, Gesture::Choose});
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kCommissionRateInvalid)});
    EXPECT_TRUE(ui.hasFocus(form1::Combo1));
    EXPECT_EQ(shown(form1::Text3), "");
    EXPECT_EQ(shown(form1::Text13), "");

    type(form1::Combo1, "2.7");
    calculate();
    ui.messages.clear();
    type(form1::Text22, "-1");
    apply(session, ui, {form1::Option1, nullptr, Gesture::Choose});
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kDividendNegative)});
    EXPECT_EQ(shown(form1::Text3), "");
    EXPECT_EQ(shown(form1::Text10), "");
    EXPECT_EQ(st().AmountPaid, Money());
    EXPECT_EQ(shown(form1::Text19), shown(form1::Text20));  // no purchase to set it against
}

// Enter in the commission list and leaving it: the typed rate checked and, when it is one, taken,
// saved and shown in plain digits; Enter then moves on.
struct BoxRow {
    const char* name;
    bool today;
    Gesture gesture;
    const char* typed;  // nullptr: nothing typed (the program's own list takes no typing)
    std::string_view message;
    const char* shownAfter;
    std::optional<Ctl> focusAfter;
    std::int64_t ppm;  // the commission rate in force afterwards
};

class CommissionBox : public MainWindowTest, public ::testing::WithParamInterface<BoxRow> {};

TEST_P(CommissionBox, checks_the_typed_rate_when_it_is_confirmed) {
    const BoxRow& r = GetParam();
    useRules(session, r.today);
    if (r.typed != nullptr) {
        type(form1::Combo1, r.typed);
    }
    ui.setFocus(form1::Combo1);
    session.handle(form1::Combo1, r.gesture);
    if (r.message.empty()) {
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    } else {
        expectRefusedOn(form1::Combo1, r.message, r.typed);
    }
    EXPECT_EQ(shown(form1::Combo1), r.shownAfter);
    if (r.focusAfter) {
        EXPECT_TRUE(ui.hasFocus(*r.focusAfter));
        EXPECT_TRUE(ui.isWholeTextSelected(*r.focusAfter));
    }
    EXPECT_EQ(session.rules().commissionPpm, r.ppm);
}

const BoxRow kBoxRows[] = {
    {"enter_takes_full_width_digits", true, Gesture::Enter, "０．２５", "", "0.25", form1::Text1,
     250},
    {"leaving_takes_full_width_digits", true, Gesture::Leave, "１．５", "", "1.5", std::nullopt,
     1500},
    {"enter_refuses_a_fourth_decimal", true, Gesture::Enter, "0.2501", msg::kCommissionRateDecimals,
     "0.2501", form1::Combo1, 2700},
    {"leaving_refuses_a_fourth_decimal", true, Gesture::Leave, "0.0001",
     msg::kCommissionRateDecimals, "0.0001", form1::Combo1, 2700},
    {"enter_refuses_a_rate_above_three", true, Gesture::Enter, "3.5", msg::kCommissionRateInvalid,
     "3.5", form1::Combo1, 2700},
    {"leaving_refuses_letters", true, Gesture::Leave, "abc", msg::kCommissionRateInvalid, "abc",
     form1::Combo1, 2700},
    // The program's own list: Enter moves on to the stamp-duty list.
    {"own_rules_enter_moves_to_the_stamp_duty", false, Gesture::Enter, nullptr, "", "2.7",
     form1::Combo2, 2700},
};

INSTANTIATE_TEST_SUITE_P(Rows, CommissionBox, ::testing::ValuesIn(kBoxRows), rowName);

TEST_F(RecalculationTest, an_entered_rate_is_saved_and_enter_in_the_stamp_duty_goes_to_the_price) {
    session.handle(form1::Combo2, Gesture::Enter);
    EXPECT_TRUE(ui.hasFocus(form1::Text1));
    session.handle(form1::mnuRulesCurrent, Gesture::Click);
    type(form1::Combo1, "0.085");
    session.handle(form1::Combo1, Gesture::Enter);
    EXPECT_EQ(settings::ProfileFile(settingsPath).readString("费用规则", "佣金"), "0.085");
}

}  // namespace
}  // namespace zm::test
