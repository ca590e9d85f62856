// Enter in the main window's six input fields: the stored values each field zeroes, the focus
// road Text1 → Text2 → Text11 → Text12 → Text21 → Text22 → Text1, the sell-quantity prefill,
// and the calculations that Enter in the two quantity fields runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "session/main_window_fixture.h"
#include "view/messages.h"

namespace zm::test {
namespace {

struct Member {
    std::string_view name;
    Money CalcState::*value;
};
const Member kMembers[] = {
    {"BuyPrice", &CalcState::BuyPrice},
    {"BuyQty", &CalcState::BuyQty},
    {"BuyAmount", &CalcState::BuyAmount},
    {"BuyCommission", &CalcState::BuyCommission},
    {"BuyStampDuty", &CalcState::BuyStampDuty},
    {"BuyTransferFee", &CalcState::BuyTransferFee},
    {"BuyFeeTotal", &CalcState::BuyFeeTotal},
    {"BuyCostPerShare", &CalcState::BuyCostPerShare},
    {"AmountPaid", &CalcState::AmountPaid},
    {"SellPrice", &CalcState::SellPrice},
    {"SellQty", &CalcState::SellQty},
    {"SellAmount", &CalcState::SellAmount},
    {"SellCommission", &CalcState::SellCommission},
    {"SellStampDuty", &CalcState::SellStampDuty},
    {"SellTransferFee", &CalcState::SellTransferFee},
    {"SellFeeTotal", &CalcState::SellFeeTotal},
    {"SellYield", &CalcState::SellYield},
    {"ProfitLoss", &CalcState::ProfitLoss},
    {"AmountReceived", &CalcState::AmountReceived},
    {"RemainBasePrice", &CalcState::RemainBasePrice},
    {"RemainQty", &CalcState::RemainQty},
    {"RemainTarget", &CalcState::RemainTarget},
    {"RemainTransferFee", &CalcState::RemainTransferFee},
};

// Every member a different non-zero value.
CalcState filledState() {
    CalcState st;
    std::int64_t fen = 101;
    for (const Member& m : kMembers) {
        st.*m.value = Money::fromFen(fen++);
    }
    st.StepCount = 42;
    return st;
}

// The members named in `zeroed` are zero; every other one is as in `expected`.
void expectZeroedExactly(const CalcState& expected, const CalcState& actual,
                         const std::vector<std::string_view>& zeroed) {
    for (const Member& m : kMembers) {
        const bool isZeroed = std::find(zeroed.begin(), zeroed.end(), m.name) != zeroed.end();
        EXPECT_EQ(actual.*m.value, isZeroed ? Money() : expected.*m.value) << m.name;
    }
    EXPECT_EQ(actual.StepCount, expected.StepCount);
}

struct ZeroRow {
    const char* name;
    Ctl field;
    std::optional<Ctl> priceField;  // filled with a valid price for a quantity field
    Money CalcState::*price;
    std::vector<std::string_view> zeroed;
};

class EnterZeroes : public MainWindowTest, public ::testing::WithParamInterface<ZeroRow> {};

// A refusal by the number test stops the Enter handling right after the zeroing, so what is zero
// then is exactly what the field zeroes (the quantity fields have their price validated again and
// stored first).
TEST_P(EnterZeroes, enter_zeroes_its_subset_of_the_stored_values_and_no_other) {
    const ZeroRow& row = GetParam();
    st() = filledState();
    CalcState expected = st();
    if (row.priceField) {
        type(*row.priceField, "12");
        expected.*row.price = money("12");
    }
    type(row.field, "abc");
    enter(row.field);
    EXPECT_EQ(ui.messages.size(), 1u);
    expectZeroedExactly(expected, st(), row.zeroed);
}

const ZeroRow kZeroRows[] = {
    {"buy_price",
     form1::Text1,
     std::nullopt,
     nullptr,
     {"BuyPrice", "BuyQty", "BuyAmount", "BuyCommission", "BuyStampDuty", "BuyTransferFee",
      "BuyFeeTotal", "BuyCostPerShare"}},
    {"buy_quantity",
     form1::Text2,
     form1::Text1,
     &CalcState::BuyPrice,
     {"BuyQty", "BuyAmount", "BuyCommission", "BuyStampDuty", "BuyTransferFee", "BuyFeeTotal",
      "BuyCostPerShare"}},
    {"sell_price",
     form1::Text11,
     std::nullopt,
     nullptr,
     {"SellPrice", "SellQty", "SellAmount", "SellCommission", "SellStampDuty", "SellTransferFee",
      "SellFeeTotal", "SellYield", "RemainBasePrice", "RemainQty", "RemainTarget",
      "RemainTransferFee"}},
    {"sell_quantity",
     form1::Text12,
     form1::Text11,
     &CalcState::SellPrice,
     {"SellQty", "SellAmount", "SellCommission", "SellStampDuty", "SellTransferFee", "SellFeeTotal",
      "SellYield", "RemainBasePrice", "RemainQty", "RemainTarget", "RemainTransferFee"}},
};

INSTANTIATE_TEST_SUITE_P(Rows, EnterZeroes, ::testing::ValuesIn(kZeroRows), rowName);

using EnterFlow = MainWindowTest;

TEST_F(EnterFlow, enter_in_buy_price_moves_to_the_quantity_then_rewrites_the_price) {
    st() = filledState();
    const CalcState before = st();
    type(form1::Text2, "1,000");
    type(form1::Text3, "10,000.00");
    type(form1::Text1, "9.5");
    enter(form1::Text1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text1), "9.50");
    EXPECT_EQ(st().BuyPrice, money("9.5"));
    EXPECT_TRUE(ui.hasFocus(form1::Text2));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text2));
    // No calculation: the results on screen and the amount paid stay.
    EXPECT_EQ(shown(form1::Text3), "10,000.00");
    EXPECT_EQ(st().AmountPaid, before.AmountPaid);
}

// The order of the window calls of Enter: the focus moves on before the accepted text is
// rewritten, and each side writes its fields, captions and colours in one fixed order.
TEST_F(EnterFlow, enter_makes_its_window_calls_in_order) {
    useRates("3.0", "3");
    const auto entered = [&](Ctl field, const char* typed) {
        type(field, typed);
        ui.callLog.clear();
        session.handle(field, Gesture::Enter);
        return ui.callLog;
    };
    using Log = std::vector<std::string>;
    EXPECT_EQ(entered(form1::Text1, "9.5"),
              (Log{"focus Text2", "select Text2", "text Text1=9.50"}));
    EXPECT_EQ(entered(form1::Text2, "1000"),
              (Log{"text Text1=9.50", "focus Text11", "select Text11", "text Text2=1,000",
                   "text Text3=9,500.00", "text Text4=28.50", "text Text5=28.50", "text Text6=1.00",
                   "text Text7=58.00", "text Text8=9.56", "text Text9=9.62", "colour Label8",
                   "text Text10=9,558.00"}));
    entered(form1::Text11, "11");
    EXPECT_EQ(entered(form1::Text12, "600"),
              (Log{"text Text11=11.00",     "focus Text21",
                   "select Text21",         "text Text12=600",
                   "caption Label19_17=元", "colour Label8",
                   "text Text13=6,600.00",  "text Text14=19.80",
                   "text Text15=19.80",     "text Text16=1.00",
                   "text Text17=40.60",     "text Text20=6,559.40",
                   "text Text19=-2,998.60", "caption Label17=大亏特亏",
                   "colour Label17",        "colour Label18",
                   "text Text18=-31.37",    "caption Label17=剩余股票",
                   "colour Label17",        "colour Label18",
                   "caption Label19_17=股", "text Text19=400",
                   "colour Label8",         "text Text9=7.55"}));
}

TEST_F(EnterFlow, enter_in_buy_quantity_with_letters_in_the_price_refuses_on_the_price) {
    type(form1::Text1, "abc");
    type(form1::Text2, "1000");
    enter(form1::Text2);
    expectRefusedOn(form1::Text1, msg::kBuyPriceNotNumber, "abc");
    EXPECT_EQ(shown(form1::Text2), "1000");
    EXPECT_EQ(shown(form1::Text3), "");
}

TEST_F(EnterFlow, enter_in_buy_quantity_validates_both_fields_and_calculates_the_purchase) {
    useRates("3.0", "3");
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    enter(form1::Text2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text1), "10.00");
    EXPECT_EQ(shown(form1::Text2), "1,000");
    EXPECT_TRUE(ui.hasFocus(form1::Text11));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text11));
    EXPECT_EQ(shown(form1::Text3), "10,000.00");
    EXPECT_EQ(shown(form1::Text4), "30.00");
    EXPECT_EQ(shown(form1::Text7), "61.00");
    EXPECT_EQ(shown(form1::Text8), "10.07");
    EXPECT_EQ(shown(form1::Text9), "10.13");
    EXPECT_EQ(shown(form1::Text10), "10,061.00");
    EXPECT_EQ(st().BuyQty, money("1000"));
    EXPECT_EQ(st().AmountPaid, money("10061"));
}

TEST_F(EnterFlow, a_refused_buy_quantity_leaves_the_old_results_on_screen) {
    type(form1::Text3, "10,000.00");
    type(form1::Text1, "10");
    type(form1::Text2, "150");
    enter(form1::Text2);
    expectRefusedOn(form1::Text2, msg::kBuyQtyLot, "150");
    EXPECT_EQ(shown(form1::Text3), "10,000.00");
    EXPECT_EQ(st().BuyAmount, Money());
}

TEST_F(EnterFlow, enter_in_sell_quantity_calculates_the_sale_and_moves_to_the_bonus) {
    useRates("3.0", "1");
    type(form1::Text11, "8.88");
    type(form1::Text12, "1234");
    enter(form1::Text12);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text11), "8.88");
    EXPECT_EQ(shown(form1::Text12), "1,234");
    EXPECT_TRUE(ui.hasFocus(form1::Text21));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text21));
    EXPECT_EQ(shown(form1::Text13), "10,957.92");
    EXPECT_EQ(shown(form1::Text14), "32.87");
    EXPECT_EQ(shown(form1::Text16), "1.23");
    EXPECT_EQ(shown(form1::Text20), "10,912.86");
    EXPECT_EQ(shown(form1::Text19), "10,912.86");
    EXPECT_EQ(st().SellQty, money("1234"));
    EXPECT_EQ(st().SellTransferFee, money("1.234"));
}

TEST_F(EnterFlow, enter_in_sell_quantity_with_a_bad_price_refuses_on_the_price) {
    type(form1::Text11, "0.001");
    type(form1::Text12, "100");
    enter(form1::Text12);
    expectRefusedOn(form1::Text11, msg::kSellPriceMin, "0.001");
    EXPECT_EQ(shown(form1::Text13), "");
}

TEST_F(EnterFlow, enter_walks_the_six_fields_in_a_cycle_back_to_the_buy_price) {
    const std::vector<std::pair<Ctl, const char*>> steps = {
        {form1::Text1, "10"},   {form1::Text2, "1000"},
        {form1::Text11, "11"},  {form1::Text12, nullptr},  // prefilled with 1000 by Enter in Text11
        {form1::Text21, "0.4"}, {form1::Text22, "1.234"},
    };
    ui.setFocus(form1::Text1);
    for (const auto& [field, typed] : steps) {
        ASSERT_TRUE(ui.hasFocus(field)) << field;
        if (typed != nullptr) {
            type(field, typed);
        }
        session.handle(field, Gesture::Enter);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.hasFocus(form1::Text1));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text1));
    EXPECT_EQ(shown(form1::Text1), "10.00");
    EXPECT_EQ(shown(form1::Text2), "1,000");
    EXPECT_EQ(shown(form1::Text11), "11.00");
    EXPECT_EQ(shown(form1::Text12), "1,040");  // the prefilled holding follows the bonus
    EXPECT_EQ(shown(form1::Text21), "0.4");
    EXPECT_EQ(shown(form1::Text22), "1.234");
}

// The Enter round ends where it began: 0.00, the dividend field's own text, is no dividend.
TEST_F(EnterFlow, enter_in_the_dividend_takes_its_reset_text_and_goes_back_to_the_price) {
    ASSERT_EQ(shown(form1::Text22), "0.00");
    enter(form1::Text22);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text22), "0.00");
    EXPECT_TRUE(ui.hasFocus(form1::Text1));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text1));
}

struct PrefillRow {
    const char* name;
    const char* bought;  // Text2
    const char* bonus;   // Text21
    const char* sellQty;
};

class SellQtyPrefill : public MainWindowTest, public ::testing::WithParamInterface<PrefillRow> {};

TEST_P(SellQtyPrefill, enter_in_sell_price_prefills_the_shares_held_and_selects_them) {
    const PrefillRow& row = GetParam();
    type(form1::Text2, row.bought);
    type(form1::Text21, row.bonus);
    type(form1::Text12, "77");
    type(form1::Text11, "11");
    enter(form1::Text11);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text11), "11.00");
    EXPECT_EQ(st().SellPrice, money("11"));
    EXPECT_EQ(shown(form1::Text12), row.sellQty);
    EXPECT_TRUE(ui.hasFocus(form1::Text12));
    EXPECT_TRUE(ui.isWholeTextSelected(form1::Text12));
    EXPECT_EQ(shown(form1::Text13), "");
}

const PrefillRow kPrefillRows[] = {
    {"three_bonus_per_ten", "1,000", "3", "1300"},
    {"no_bonus_is_written_without_grouping", "1,000", "0", "1000"},
    {"fractional_bonus", "100", "2.5", "125"},
    // The whole bonus shares the holding receives: 10送4.8 on 125 shares gives 60, on 1,000 shares
    // 4.8125 per 10 gives 481.25, of which the quarter share is dropped.
    {"announced_bonus", "125", "4.8", "185"},
    {"bonus_of_four_decimals", "1,000", "4.8125", "1481"},
    {"fraction_of_a_share_dropped", "100", "0.33", "103"},
    {"quantity_typed_without_enter", "150", "1", "165"},
    {"buy_quantity_empty", "", "3", "77"},
    {"buy_quantity_letters", "abc", "3", "77"},
    {"bonus_letters", "1,000", "abc", "77"},
    {"bonus_empty", "1,000", "", "77"},
    {"sum_beyond_every_double", "1e308", "10", "77"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SellQtyPrefill, ::testing::ValuesIn(kPrefillRows), rowName);

// Bonus and dividend typed without Enter are checked before the purchase is calculated.
struct AdjustmentRow {
    const char* name;
    Ctl field;
    const char* typed;
    std::string_view message;  // empty when the purchase is calculated
    const char* shownAfter;    // the text of the field afterwards
    const char* price = "10";
    const char* qty = "1000";
    const char* amount = "10,000.00";  // Text3 when calculated
};

class AdjustmentCheck : public MainWindowTest,
                        public ::testing::WithParamInterface<AdjustmentRow> {};

TEST_P(AdjustmentCheck, enter_in_buy_quantity_calculates_only_with_a_usable_bonus_and_dividend) {
    const AdjustmentRow& row = GetParam();
    type(row.field, row.typed);
    type(form1::Text1, row.price);
    type(form1::Text2, row.qty);
    enter(form1::Text2);
    EXPECT_EQ(st().BuyQty, money(row.qty));
    EXPECT_EQ(shown(row.field), row.shownAfter);
    if (row.message.empty()) {
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
        EXPECT_EQ(shown(form1::Text3), row.amount);
    } else {
        expectRefusedOn(row.field, row.message, row.typed);
        EXPECT_EQ(shown(form1::Text3), "");
        EXPECT_EQ(st().BuyAmount, Money());
    }
}

// The verdicts themselves are rows of validation_test.cpp; these show the field each refusal
// lands on and the figures CalcBuy writes when the check passes.
const AdjustmentRow kAdjustmentRows[] = {
    {"bonus_minus_ten_leaves_no_shares", form1::Text21, "-10", msg::kBonusMin, "-10"},
    {"dividend_total_above_limit", form1::Text22, "465.67", msg::kDividendAmountMax, "465.67",
     "0.01", "2147483600"},
    {"dividend_total_at_limit", form1::Text22, "465.66", "", "465.66", "0.01", "2147483600",
     "21,474,836.00"},
    // No number: CalcBuy counts it as 0 and says so in the field.
    {"bonus_letters", form1::Text21, "abc", "", "0"},
    {"dividend_empty", form1::Text22, "", "", "0"},
    // As announced, up to four decimals; a fifth, or a negative dividend, is refused.
    {"bonus_announced", form1::Text21, "4.8", "", "4.8"},
    {"dividend_announced", form1::Text22, "2.356", "", "2.356"},
    {"bonus_five_decimals", form1::Text21, "4.81251", msg::kBonusDecimals, "4.81251"},
    {"dividend_five_decimals", form1::Text22, "2.35612", msg::kDividendDecimals, "2.35612"},
    {"dividend_negative", form1::Text22, "-0.5", msg::kDividendNegative, "-0.5"},
};

INSTANTIATE_TEST_SUITE_P(Rows, AdjustmentCheck, ::testing::ValuesIn(kAdjustmentRows), rowName);

TEST_F(EnterFlow, a_dividend_larger_than_the_trade_amount_gives_negative_figures) {
    type(form1::Text22, "2000");  // 2,000 yuan per 10 shares on a purchase of 1,000 yuan
    type(form1::Text1, "10");
    type(form1::Text2, "100");
    enter(form1::Text2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text3), "1,000.00");
    EXPECT_EQ(shown(form1::Text7), "9.00");
    EXPECT_EQ(shown(form1::Text8), "-189.91");
    EXPECT_EQ(shown(form1::Text10), "-18,991.00");
    EXPECT_EQ(st().AmountPaid, money("-18991"));
}

// How Enter carries out a refusal: the message, the focus and the selection on the field, the
// text as typed, no side calculated. The messages of every text are rows of validation_test.cpp.
struct RefusedEnterRow {
    const char* name;
    Ctl field;
    const char* typed;
    std::string_view message;
};

class RefusedEnter : public MainWindowTest,
                     public ::testing::WithParamInterface<RefusedEnterRow> {};

TEST_P(RefusedEnter, shows_the_message_and_hands_the_text_back_selected) {
    const RefusedEnterRow& row = GetParam();
    type(form1::Text1, "10");
    type(form1::Text11, "10");
    type(row.field, row.typed);
    enter(row.field);
    expectRefusedOn(row.field, row.message, row.typed);
    EXPECT_EQ(shown(form1::Text3), "") << "the purchase was calculated";
    EXPECT_EQ(shown(form1::Text13), "") << "the sale was calculated";
}

const RefusedEnterRow kRefusedEnterRows[] = {
    {"buy_price", form1::Text1, "0.009", msg::kBuyPriceMin},
    {"buy_qty", form1::Text2, "1e300", msg::kBuyQtyMax},
    {"sell_price", form1::Text11, "abc", msg::kSellPriceNotNumber},
    {"sell_qty", form1::Text12, "2147483647.5", msg::kSellQtyMax},
    {"bonus", form1::Text21, "10.4", msg::kBonusMax},
    {"dividend", form1::Text22, "-0.01", msg::kDividendNegative},
    {"bonus_decimals", form1::Text21, "4.81251", msg::kBonusDecimals},
    {"dividend_decimals", form1::Text22, "0.00001", msg::kDividendDecimals},
};

INSTANTIATE_TEST_SUITE_P(Rows, RefusedEnter, ::testing::ValuesIn(kRefusedEnterRows), rowName);

// The largest quantities the rules accept are calculated, and rewritten as they store.
struct LargestRow {
    const char* name;
    Ctl priceField;
    const char* price;
    Ctl field;
    const char* typed;
    const char* rewritten;
    Ctl amountField;
};

class LargestAccepted : public MainWindowTest, public ::testing::WithParamInterface<LargestRow> {};

TEST_P(LargestAccepted, enter_rewrites_stores_and_calculates_the_side) {
    const LargestRow& row = GetParam();
    type(row.priceField, row.price);
    type(row.field, row.typed);
    enter(row.field);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_EQ(shown(row.field), row.rewritten);
    EXPECT_EQ(row.field == form1::Text2 ? st().BuyQty : st().SellQty, money(row.rewritten));
    EXPECT_NE(shown(row.amountField), "");
}

const LargestRow kLargestRows[] = {
    {"buy_qty_at_limit", form1::Text1, "10", form1::Text2, "2147483600", "2,147,483,600",
     form1::Text3},
    {"buy_amount_at_limit", form1::Text1, "50", form1::Text2, "2000000000", "2,000,000,000",
     form1::Text3},
    {"sell_qty_at_limit", form1::Text11, "10", form1::Text12, "2147483647", "2,147,483,647",
     form1::Text13},
    {"sell_qty_rounds_to_limit", form1::Text11, "10", form1::Text12, "2147483647.4",
     "2,147,483,647", form1::Text13},
};

INSTANTIATE_TEST_SUITE_P(Rows, LargestAccepted, ::testing::ValuesIn(kLargestRows), rowName);

TEST_F(EnterFlow, a_range_refusal_stores_its_value_and_a_number_refusal_stores_nothing) {
    type(form1::Text1, "10");
    type(form1::Text2, "150");
    enter(form1::Text2);
    EXPECT_EQ(st().BuyQty, money("150"));
    EXPECT_EQ(st().BuyPrice, money("10"));
    type(form1::Text11, "1e300");
    enter(form1::Text11);
    EXPECT_EQ(st().SellPrice, Money());
    // Enter in Text2 does not zero the buy price before it validates Text1 again.
    st().BuyPrice = money("7");
    type(form1::Text1, "abc");
    enter(form1::Text2);
    EXPECT_EQ(st().BuyPrice, money("7"));
    EXPECT_EQ(ui.messages.size(), 3u);
}

// Trades entered on the Enter road alone, under today's rules: each step types its text (none:
// the text stays) and presses Enter. Then Text12 (sell quantity), Label17 (剩余股票 after a
// partial sale), and Text9 (break-even) as 计 算 leaves it.
struct RoadStep {
    Ctl field;
    const char* typed;
};
struct RoadRow {
    const char* name;
    std::vector<RoadStep> steps;
    const char* sellQty;
    bool partial;
    friend void PrintTo(const RoadRow& row, std::ostream* os) { *os << row.name; }
};

class EnterRoad : public MainWindowTest, public ::testing::WithParamInterface<RoadRow> {};

TEST_P(EnterRoad, leaves_the_break_even_and_the_sell_quantity_of_the_trades_entered) {
    const RoadRow& row = GetParam();
    session.handle(form1::mnuRulesCurrent, Gesture::Click);
    for (const RoadStep& step : row.steps) {
        if (step.typed != nullptr) {
            type(step.field, step.typed);
        }
        enter(step.field);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text12), row.sellQty);
    EXPECT_EQ(ui.caption(form1::Label17) == msg::kRemainingSharesCaption, row.partial);
    // The break-even price 计 算 gives from the same texts.
    const std::string breakEven = shown(form1::Text9);
    session.handle(form1::Command1, Gesture::Click);
    EXPECT_EQ(breakEven, shown(form1::Text9));
}

const std::vector<RoadStep> kBought = {{form1::Text1, "10"}, {form1::Text2, "1000"}};
std::vector<RoadStep> then(std::vector<RoadStep> steps, std::vector<RoadStep> more) {
    steps.insert(steps.end(), more.begin(), more.end());
    return steps;
}
const std::vector<RoadStep> kPartialSale =
    then(kBought, {{form1::Text11, "10.50"}, {form1::Text12, "600"}});
const std::vector<RoadStep> kPrefilledSale =
    then(kBought, {{form1::Text11, "10.50"}, {form1::Text12, nullptr}});

const RoadRow kRoadRows[] = {
    {"partial_sale", kPartialSale, "600", true},
    {"whole_after_partial", then(kPartialSale, {{form1::Text12, "1000"}}), "1,000", false},
    {"bonus_after_the_prefilled_sale", then(kPrefilledSale, {{form1::Text21, "4.8"}}), "1,480",
     false},
    {"bonus_after_the_prefill", then(kBought, {{form1::Text11, "10.50"}, {form1::Text21, "4.8"}}),
     "1480", false},
    {"bonus_taken_back", then(kPrefilledSale, {{form1::Text21, "4.8"}, {form1::Text21, "0"}}),
     "1,000", false},
    {"bonus_after_a_typed_quantity", then(kPartialSale, {{form1::Text21, "4.8"}}), "600", true},
};

INSTANTIATE_TEST_SUITE_P(Rows, EnterRoad, ::testing::ValuesIn(kRoadRows), rowName);
}  // namespace
}  // namespace zm::test
