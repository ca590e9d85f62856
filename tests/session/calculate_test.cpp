// The Calculate command: both sides at once from the four typed inputs, skipped and refused
// sides, the sides locked by the batch dialogs, and the saving of the rates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/main_window_fixture.h"
#include "view/messages.h"

namespace zm::test {
namespace {

using Calculate = MainWindowTest;

std::vector<std::string> messagesOf(std::initializer_list<std::string_view> texts) {
    return {texts.begin(), texts.end()};
}

TEST_F(Calculate, four_valid_inputs_compute_both_sides_and_leave_the_focus_on_the_button) {
    useRates("3.0", "3");
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    calculate();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text1), "10.00");
    EXPECT_EQ(shown(form1::Text2), "1000");  // Calculate takes the quantity as typed
    EXPECT_EQ(shown(form1::Text11), "11.00");
    EXPECT_EQ(shown(form1::Text12), "1,000");
    EXPECT_TRUE(ui.hasFocus(form1::Command1));
    EXPECT_EQ(shown(form1::Text3), "10,000.00");
    EXPECT_EQ(shown(form1::Text10), "10,061.00");
    EXPECT_EQ(shown(form1::Text13), "11,000.00");
    EXPECT_EQ(shown(form1::Text20), "10,933.00");
    EXPECT_EQ(shown(form1::Text19), "872.00");
    EXPECT_EQ(shown(form1::Text18), "8.67");
}

TEST_F(Calculate, the_state_is_cleared_but_for_what_the_sale_sets_before_reading_it) {
    CalcState& s = st();
    s.BuyPrice = money("10");
    s.BuyQty = money("1000");
    s.AmountPaid = money("10061");
    s.SellPrice = money("11");
    s.SellYield = money("8.67");
    s.RemainQty = money("500");
    s.RemainTransferFee = money("1");
    s.ProfitLoss = money("872");
    s.AmountReceived = money("10933");
    s.StepCount = 4;
    calculate();  // every field empty: both sides skipped
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(s.BuyPrice, Money());
    EXPECT_EQ(s.BuyQty, Money());
    EXPECT_EQ(s.AmountPaid, Money());
    EXPECT_EQ(s.SellPrice, Money());
    EXPECT_EQ(s.SellYield, Money());
    EXPECT_EQ(s.RemainQty, Money());
    EXPECT_EQ(s.RemainTransferFee, Money());
    EXPECT_EQ(s.ProfitLoss, money("872"));
    EXPECT_EQ(s.AmountReceived, money("10933"));
    EXPECT_EQ(s.StepCount, 4);
}

struct SkipRow {
    const char* name;
    const char* buyPrice;
    const char* buyQty;
    const char* sellPrice;
    const char* sellQty;
    bool buyComputed;
    bool sellComputed;
};

class CalculateSkips : public MainWindowTest, public ::testing::WithParamInterface<SkipRow> {};

TEST_P(CalculateSkips, a_side_with_an_empty_field_is_skipped_without_a_message) {
    const SkipRow& row = GetParam();
    type(form1::Text1, row.buyPrice);
    type(form1::Text2, row.buyQty);
    type(form1::Text11, row.sellPrice);
    type(form1::Text12, row.sellQty);
    calculate();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text3), row.buyComputed ? "10,000.00" : "");
    EXPECT_EQ(shown(form1::Text13), row.sellComputed ? "11,000.00" : "");
    if (row.sellComputed && !row.buyComputed) {
        // Against the cleared purchase the profit is the whole amount received.
        EXPECT_EQ(shown(form1::Text19), shown(form1::Text20));
    }
}

const SkipRow kSkipRows[] = {
    {"buy_fields_empty", "", "", "11", "1000", false, true},
    {"buy_price_empty", "", "1000", "11", "1000", false, true},
    {"buy_quantity_empty", "10", "", "11", "1000", false, true},
    {"sell_price_empty", "10", "1000", "", "1000", true, false},
    {"sell_quantity_empty", "10", "1000", "11", "", true, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, CalculateSkips, ::testing::ValuesIn(kSkipRows), rowName);

struct CalcRefusalRow {
    const char* name;
    Ctl field;
    std::string typed;
    std::string_view message;
    const char* price = "10";  // the other field of a refused quantity's side
};

class CalculateRefusal : public MainWindowTest,
                         public ::testing::WithParamInterface<CalcRefusalRow> {};

// The other side is left empty, so the refused field keeps the focus.
TEST_P(CalculateRefusal, a_refused_input_gets_its_message_the_focus_and_a_whole_selection) {
    const CalcRefusalRow& row = GetParam();
    const Ctl field = row.field;
    const bool buySide = field == form1::Text1 || field == form1::Text2;
    const bool priceField = field == form1::Text1 || field == form1::Text11;
    if (buySide) {
        type(form1::Text1, row.price);
        type(form1::Text2, "1000");
    } else {
        type(form1::Text11, row.price);
        type(form1::Text12, "1000");
    }
    type(row.field, row.typed);
    calculate();
    expectRefusedOn(row.field, row.message, row.typed);
    EXPECT_EQ(shown(buySide ? form1::Text3 : form1::Text13), "");
    if (!priceField) {
        // The price before it was accepted and rewritten.
        EXPECT_EQ(shown(buySide ? form1::Text1 : form1::Text11), formatPrice(money(row.price)));
    }
}

using namespace msg;
const CalcRefusalRow kCalcRefusals[] = {
    {"buy_price_blanks", form1::Text1, "   ", kBuyPriceNotNumber},
    {"buy_price_letters", form1::Text1, "abc", kBuyPriceNotNumber},
    {"buy_price_full_width_exponent", form1::Text1, "１Ｅ２", kBuyPriceNotNumber},
    {"buy_price_below_a_fen", form1::Text1, "0.009", kBuyPriceMin},
    {"buy_price_tiny_exponent", form1::Text1, "1e-300", kBuyPriceMin},
    {"buy_price_just_above_limit", form1::Text1, "21474836.48", kBuyPriceMax},
    {"buy_price_huge", form1::Text1, "1e300", kBuyPriceMax},
    {"buy_qty_letters", form1::Text2, "1e", kBuyQtyNotNumber},
    {"buy_qty_zero", form1::Text2, "0", kBuyQtyNotPositive},
    {"buy_qty_negative", form1::Text2, "-100", kBuyQtyNotPositive},
    {"buy_qty_odd_lot", form1::Text2, "150", kBuyQtyLot},
    {"buy_qty_eleven_digits", form1::Text2, "99999999999", kBuyQtyLot},
    {"buy_qty_above_limit", form1::Text2, "2147483700", kBuyQtyMax},
    {"buy_amount_above_limit", form1::Text2, "2000000000", kBuyAmountMax, "100"},
    {"sell_price_bad_groups", form1::Text11, "1,2,3", kSellPriceNotNumber},
    {"sell_price_below_a_fen", form1::Text11, "0.004", kSellPriceMin},
    {"sell_price_huge_negative", form1::Text11, "-1e300", kSellPriceMin},
    {"sell_price_just_above_limit", form1::Text11, "21474836.48", kSellPriceMax},
    {"sell_qty_leading_comma", form1::Text12, ",5", kSellQtyNotNumber},
    {"sell_qty_below_one", form1::Text12, "0.4", kSellQtyMin},
    {"sell_qty_above_limit", form1::Text12, "2147483648", kSellQtyMax},
    {"sell_qty_huge", form1::Text12, "1e300", kSellQtyMax},
    {"sell_amount_above_limit", form1::Text12, "2000000000", kSellAmountMax, "100"},
};

INSTANTIATE_TEST_SUITE_P(Rows, CalculateRefusal, ::testing::ValuesIn(kCalcRefusals), rowName);

struct CalcAcceptRow {
    const char* name;
    Ctl field;
    const char* typed;
    const char* shownAfter;
    Money CalcState::*stored;
    const char* storedValue;
};

class CalculateAcceptance : public MainWindowTest,
                            public ::testing::WithParamInterface<CalcAcceptRow> {};

TEST_P(CalculateAcceptance, accepted_inputs_are_rewritten_and_stored_as_calculate_does) {
    const CalcAcceptRow& row = GetParam();
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    type(row.field, row.typed);
    calculate();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(row.field), row.shownAfter);
    EXPECT_EQ(st().*row.stored, money(row.storedValue));
}

const CalcAcceptRow kCalcAccepted[] = {
    {"buy_price_rounds_down", form1::Text1, "12.344", "12.34", &CalcState::BuyPrice, "12.34"},
    {"buy_price_rounds_up", form1::Text1, "12.346", "12.35", &CalcState::BuyPrice, "12.35"},
    {"buy_price_whole", form1::Text1, "9", "9.00", &CalcState::BuyPrice, "9"},
    {"buy_price_money_value_is_a_fen", form1::Text1, "0.00996", "0.01", &CalcState::BuyPrice,
     "0.01"},
    {"buy_qty_grouped_left_as_typed", form1::Text2, "1,000", "1,000", &CalcState::BuyQty, "1000"},
    {"buy_qty_exponent_left_as_typed", form1::Text2, "1e3", "1e3", &CalcState::BuyQty, "1000"},
    {"sell_price_rounds_to_fen", form1::Text11, "9.375", "9.38", &CalcState::SellPrice, "9.38"},
    {"sell_qty_one_share", form1::Text12, "1", "1", &CalcState::SellQty, "1"},
    {"sell_qty_grouped", form1::Text12, "1234", "1,234", &CalcState::SellQty, "1234"},
    {"sell_qty_half_to_even", form1::Text12, "2.5", "2", &CalcState::SellQty, "2"},
};

INSTANTIATE_TEST_SUITE_P(Rows, CalculateAcceptance, ::testing::ValuesIn(kCalcAccepted), rowName);

TEST_F(Calculate, a_refused_purchase_does_not_stop_the_sale) {
    type(form1::Text1, "abc");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    calculate();
    EXPECT_EQ(ui.messages, messagesOf({kBuyPriceNotNumber}));
    EXPECT_EQ(shown(form1::Text1), "abc");
    EXPECT_EQ(shown(form1::Text3), "");
    EXPECT_EQ(shown(form1::Text13), "11,000.00");
    EXPECT_TRUE(ui.hasFocus(form1::Command1));
}

TEST_F(Calculate, two_refusals_follow_each_other_and_the_focus_ends_on_the_sale) {
    type(form1::Text1, "abc");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "0.4");
    calculate();
    EXPECT_EQ(ui.messages, messagesOf({kBuyPriceNotNumber, kSellQtyMin}));
    EXPECT_TRUE(ui.hasFocus(form1::Text12));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text12));
    EXPECT_EQ(shown(form1::Text11), "11.00");
}

TEST_F(Calculate, a_refused_buy_quantity_is_sold_against_as_a_purchase_with_zero_amounts) {
    useRates("3.0", "3");
    type(form1::Text1, "10");
    type(form1::Text2, "150");
    type(form1::Text11, "11");
    type(form1::Text12, "100");
    calculate();
    EXPECT_EQ(ui.messages, messagesOf({kBuyQtyLot}));
    EXPECT_EQ(st().BuyQty, money("150"));
    EXPECT_EQ(st().BuyAmount, Money());
    EXPECT_EQ(shown(form1::Text3), "");
    // 1,100.00 less 5.00 commission (raised to the minimum), 3.30 stamp duty, 1.00 transfer fee.
    EXPECT_EQ(shown(form1::Text13), "1,100.00");
    EXPECT_EQ(shown(form1::Text20), "1,090.70");
    // A partial sale: 50 of the 150 shares remain.
    EXPECT_EQ(ui.caption(form1::Label17), "剩余股票");
    EXPECT_EQ(shown(form1::Text19), "50");
    EXPECT_EQ(st().RemainQty, money("50"));
}

TEST_F(Calculate, a_bonus_of_minus_ten_typed_without_enter_stops_the_purchase_only) {
    type(form1::Text21, "-10");
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    calculate();
    EXPECT_EQ(ui.messages, messagesOf({kBonusMin}));
    EXPECT_EQ(shown(form1::Text21), "-10");
    EXPECT_EQ(shown(form1::Text3), "");
    EXPECT_EQ(shown(form1::Text13), "11,000.00");
    EXPECT_TRUE(ui.hasFocus(form1::Command1));
}

TEST_F(Calculate, an_old_amount_paid_on_screen_without_a_purchase_gives_a_sound_sale) {
    type(form1::Text10, "10,061.00");  // from an earlier calculation; the purchase is now empty
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    calculate();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text13), "11,000.00");
    // 11,000.00 less 29.70 commission, 33.00 stamp duty and 1.00 transfer fee, nothing paid.
    EXPECT_EQ(shown(form1::Text20), "10,936.30");
    EXPECT_EQ(shown(form1::Text19), "10,936.30");
    // No yield can be computed against nothing paid: the field is emptied.
    EXPECT_EQ(shown(form1::Text18), "");
}

TEST_F(Calculate, a_locked_buy_side_asks_to_clear_first_and_computes_nothing) {
    ui.setReadOnly(form1::Text1, true);
    type(form1::Text1, "9.5");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    calculate();
    EXPECT_EQ(ui.messages, messagesOf({kClearFirst}));
    EXPECT_EQ(shown(form1::Text1), "9.5");
    EXPECT_EQ(shown(form1::Text11), "11");
    EXPECT_EQ(shown(form1::Text3), "");
    EXPECT_EQ(shown(form1::Text13), "");
    EXPECT_TRUE(ui.hasFocus(form1::Command1));
    EXPECT_FALSE(ui.selection.has_value());
}

TEST_F(Calculate, a_locked_sell_side_computes_the_purchase_then_asks_to_clear_first) {
    ui.setReadOnly(form1::Text11, true);
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    calculate();
    EXPECT_EQ(ui.messages, messagesOf({kClearFirst}));
    EXPECT_EQ(shown(form1::Text1), "10.00");
    EXPECT_EQ(shown(form1::Text3), "10,000.00");
    EXPECT_EQ(shown(form1::Text11), "11");
    EXPECT_EQ(shown(form1::Text13), "");
}

using CalculateSaves = UnwritableSettingsTest;

TEST_F(CalculateSaves, both_sides_save_the_rates_three_times) {
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    ui.messages.clear();
    ui.callLog.clear();
    calculate();
    EXPECT_EQ(ui.messages, failedSaves(3));
    // Each side saves once its last field is written (the buy side after Text10, the sell side
    // after its yield); Calculate saves once more at the end.
    const std::string save = "message " + std::string(msg::kWriteFailed);
    const auto after = [&](const std::string& call) {
        const auto it = std::find(ui.callLog.begin(), ui.callLog.end(), call);
        return it + 1 < ui.callLog.end() ? *(it + 1) : std::string();
    };
    EXPECT_EQ(after("text Text10=10,058.00"), save);
    EXPECT_EQ(after("text Text18=8.73"), save);
    EXPECT_EQ(ui.callLog.back(), save);
}

TEST_F(CalculateSaves, a_locked_buy_side_still_saves_the_rates) {
    ui.setReadOnly(form1::Text1, true);
    calculate();
    std::vector<std::string> expected = messagesOf({kClearFirst});
    for (const auto& m : failedSaves(1)) {
        expected.push_back(m);
    }
    EXPECT_EQ(ui.messages, expected);
}

TEST_F(CalculateSaves, refusals_on_both_sides_still_save_the_rates_once) {
    type(form1::Text1, "abc");
    type(form1::Text2, "1000");
    type(form1::Text11, "11");
    type(form1::Text12, "abc");
    calculate();
    std::vector<std::string> expected = messagesOf({kBuyPriceNotNumber, kSellQtyNotNumber});
    for (const auto& m : failedSaves(1)) {
        expected.push_back(m);
    }
    EXPECT_EQ(ui.messages, expected);
}

TEST_F(CalculateSaves, enter_in_each_quantity_field_saves_the_rates_once) {
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    enter(form1::Text2);
    EXPECT_EQ(ui.messages, failedSaves(1));
    ui.messages.clear();
    type(form1::Text11, "11");
    type(form1::Text12, "1000");
    enter(form1::Text12);
    EXPECT_EQ(ui.messages, failedSaves(1));
}

}  // namespace
}  // namespace zm::test
