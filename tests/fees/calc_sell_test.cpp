#include "fees/calc_sell.h"
#include "session/trade_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>

#include "fees/calc_window.h"
#include "fees/display_format.h"
#include "fees/money_print.h"
#include "view/messages.h"

namespace zm {
namespace {

using test::CalcWindow;
using test::money;

constexpr Market kSH = Market::ShanghaiA, kSZ = Market::ShenzhenA;

constexpr const char* kOld = "old";  // a field's text before the sale, to see it is kept

struct Purchase {
    const char* qty;
    const char* amount;
    const char* feeTotal;
    const char* amountPaid;
    const char* text10;  // what the amount-paid field shows
};

// The purchase in the state, as the buy side leaves it.
void bought(CalcState& st, const Purchase& p) {
    st.BuyQty = money(p.qty);
    st.BuyAmount = money(p.amount);
    st.BuyFeeTotal = money(p.feeTotal);
    st.AmountPaid = money(p.amountPaid);
}

// A window with a purchase in the state and the yield and break-even fields holding older texts.
CalcWindow windowWith(Ctl market, const char* commission, const char* stampDuty,
                      const Purchase& p) {
    CalcWindow w(market, commission, stampDuty);
    bought(w.st, p);
    w.set(form1::Text10, p.text10);
    w.set(form1::Text9, kOld);
    w.set(form1::Text18, kOld);
    return w;
}

// A sale of `qtyText` shares (as Text12 shows them) at `price`, computed from what the window
// shows, recorded in the state and written as the session does.
void sell(CalcWindow& w, const char* price, const char* qtyText) {
    w.st.SellPrice = money(price);
    w.st.SellQty = money(qtyText);
    w.set(form1::Text12, qtyText);
    const auto r =
        CalcSell(readSellInputs(w.ui, readMainChoices(w.ui)), saleBasis(w.st), FeeRules{});
    ASSERT_TRUE(r);
    storeSell(w.st, *r);
    writeSellFields(w.ui, *r);
}

// The sale of `qtyText` shares at `price` after the purchase p, as the sell side works it out
// (Text10 shows p.text10; an empty text is no amount paid on screen).
SellResult sale(Market market, const char* commission, const char* stampDuty, const Purchase& p,
                const char* price, const char* qtyText, CalcState st = {}) {
    bought(st, p);
    st.SellPrice = money(price);
    st.SellQty = money(qtyText);
    const SellInputs in{numberTextToDouble(commission).value(),
                        numberTextToDouble(stampDuty).value(), market, *p.text10 != '\0', qtyText};
    return CalcSell(in, saleBasis(st), FeeRules{}).value();
}

const Purchase kShanghai1000{"1000", "10000", "41", "10041", "10,041.00"};
const Purchase kShenzhen200{"200", "2000", "8", "2008", "2,008.00"};
const Purchase kNoPurchase{"0", "0", "0", "0", ""};

// ---------------------------------------------------------------------------------------------
// Every field of a sale.

struct SellRow {
    const char* name;
    Ctl market;
    const char* commission;
    const char* stampDuty;
    Purchase purchase;
    const char* price;
    const char* qty;
    // Text13 … Text17, Text20, Text19, Text18, then the marks and Text9.
    const char* amount;
    const char* commissionShown;
    const char* stampDutyShown;
    const char* transferShown;
    const char* feeTotal;
    const char* received;
    const char* text19;
    const char* yield;
    const char* label17;
    Rgb mark;
    const char* unit;
    const char* breakEven;
    friend void PrintTo(const SellRow& row, std::ostream* os) { *os << row.name; }
};

// Label18 takes the mark's colour; after a partial sale, whose mark is the remaining shares', it
// takes that of the yield's own sign: red at or above zero, blue below.
Rgb yieldMark(const SellRow& r) {
    const bool partial = std::string_view(r.unit) == "股";
    return partial ? (r.yield[0] == '-' ? kBlue : kRed) : r.mark;
}

class CalcSellTest : public ::testing::TestWithParam<SellRow> {};

TEST_P(CalcSellTest, writes_every_sell_field_and_the_mark) {
    const SellRow& r = GetParam();
    CalcWindow w = windowWith(r.market, r.commission, r.stampDuty, r.purchase);
    sell(w, r.price, r.qty);
    EXPECT_EQ(std::tuple(w.text(form1::Text13), w.text(form1::Text14), w.text(form1::Text15),
                         w.text(form1::Text16), w.text(form1::Text17), w.text(form1::Text20),
                         w.text(form1::Text19), w.text(form1::Text18)),
              std::tuple(r.amount, r.commissionShown, r.stampDutyShown, r.transferShown, r.feeTotal,
                         r.received, r.text19, r.yield));
    EXPECT_EQ(std::tuple(w.ui.caption(form1::Label17), w.foreColor(form1::Label17),
                         w.foreColor(form1::Label18), w.ui.caption(form1::Label19_17),
                         w.text(form1::Text9)),
              std::tuple(r.label17, r.mark, yieldMark(r), r.unit, r.breakEven));
}

INSTANTIATE_TEST_SUITE_P(
    Sales, CalcSellTest,
    ::testing::Values(
        // Partial sale: the remaining 500 shares replace the loss of 4,564.00 on screen.
        SellRow{"shanghai_partial_sale", form1::Option1, "3.0", "1", kShanghai1000, "11.00", "500",
                "5,500.00", "16.50", "5.50", "1.00", "23.00", "5,477.00", "500", "-45.45",
                "剩余股票", kRed, "股", "9.17"},
        // What came back exceeds all that was paid: the yield is a gain, in red. The remaining
        // shares have nothing left to bring back; the own rules' search puts their break-even
        // below zero.
        SellRow{"partial_sale_bringing_back_more_than_was_paid", form1::Option1, "3.0", "1",
                kShanghai1000, "25.00", "500", "12,500.00", "37.50", "12.50", "1.00", "51.00",
                "12,449.00", "500", "23.98", "剩余股票", kRed, "股", "-4.80"},
        SellRow{"shanghai_whole_holding", form1::Option1, "3.0", "1", kShanghai1000, "11.00",
                "1,000", "11,000.00", "33.00", "11.00", "1.00", "45.00", "10,955.00", "914.00",
                "9.10", "大赚特赚", kRed, "元", kOld},
        // The commission 3.15 is raised to 5.00; the second remaining-share search decides.
        SellRow{"shenzhen_partial_sale", form1::Option2, "3.0", "1", kShenzhen200, "10.50", "100",
                "1,050.00", "5.00", "1.05", "0.00", "6.05", "1,043.95", "100", "-48.01", "剩余股票",
                kRed, "股", "9.71"},
        // No purchase: the profit is the amount received and the yield field is not touched.
        // The transfer fee 1.234 is shown 1.23 and counted whole in the fee total.
        SellRow{"sale_without_a_purchase", form1::Option1, "3.0", "1", kNoPurchase, "8.88", "1,234",
                "10,957.92", "32.87", "10.96", "1.23", "45.06", "10,912.86", "10,912.86", kOld,
                "大赚特赚", kRed, "元", kOld},
        // More shares sold than bought is no partial sale.
        SellRow{"more_than_bought", form1::Option1, "3.0", "1", kShanghai1000, "11.00", "1,500",
                "16,500.00", "49.50", "16.50", "1.50", "67.50", "16,432.50", "6,391.50", "63.65",
                "大赚特赚", kRed, "元", kOld},
        SellRow{"loss_is_marked_blue", form1::Option2, "3.0", "1", kShenzhen200, "9.00", "200",
                "1,800.00", "5.40", "1.80", "0.00", "7.20", "1,792.80", "-215.20", "-10.72",
                "大亏特亏", kBlue, "元", kOld},
        // A profit of exactly zero counts as a gain.
        SellRow{"zero_profit_is_a_gain", form1::Option1, "3.0", "1",
                Purchase{"1000", "10000", "41", "10955", "10,955.00"}, "11.00", "1,000",
                "11,000.00", "33.00", "11.00", "1.00", "45.00", "10,955.00", "0.00", "0.00",
                "大赚特赚", kRed, "元", kOld},
        // The stamp duty of a sale applies in the fund market too.
        SellRow{"fund_market_sale_pays_stamp_duty", form1::Option3, "0.0", "1",
                Purchase{"1000", "10000", "5", "10005", "10,005.00"}, "10.00", "1,000", "10,000.00",
                "5.00", "10.00", "0.00", "15.00", "9,985.00", "-20.00", "-0.20", "大亏特亏", kBlue,
                "元", kOld},
        // Commission exactly 5.00 stays; 4.99 becomes 5.00.
        SellRow{"commission_exactly_five", form1::Option2, "2.5", "0",
                Purchase{"100", "2000", "5", "2005", "2,005.00"}, "20.00", "100", "2,000.00",
                "5.00", "0.00", "0.00", "5.00", "1,995.00", "-10.00", "-0.50", "大亏特亏", kBlue,
                "元", kOld},
        SellRow{"commission_just_below_five", form1::Option2, "2.5", "0",
                Purchase{"100", "2000", "5", "2005", "2,005.00"}, "19.96", "100", "1,996.00",
                "5.00", "0.00", "0.00", "5.00", "1,991.00", "-14.00", "-0.70", "大亏特亏", kBlue,
                "元", kOld}),
    [](const ::testing::TestParamInfo<SellRow>& row) { return row.param.name; });

// ---------------------------------------------------------------------------------------------
// The partial sale.

TEST(CalcSell, partial_sale_keeps_the_loss_and_yield_and_explains_the_remaining_break_even) {
    const SellResult r = sale(kSH, "3.0", "1", kShanghai1000, "11.00", "500");
    EXPECT_EQ(r.profitLoss, money("-4564"));
    EXPECT_EQ(r.yield, money("-45.45"));
    EXPECT_EQ(r.remainQty, money("500"));
    EXPECT_EQ(r.remainBasePrice, money("9.128"));
    EXPECT_EQ(r.remainTarget, money("4564"));
    EXPECT_EQ(r.remainTransferFee, money("1"));
    EXPECT_EQ(r.stepCount, 4);
    EXPECT_EQ(r.remainingTip,
              "剩余股票每股的保本价格，卖出的500股的各种费用计入剩余股票成本里面。");
}

// The yield's tool tip of a partial sale: the realised profit of the 500 shares sold against half
// of the 10,041.00 paid.
TEST(CalcSell, partial_sale_explains_the_yield_with_the_realised_profit) {
    EXPECT_EQ(sale(kSH, "3.0", "1", kShanghai1000, "11.00", "500").yieldTip,
              "部分卖出：收益率是本次实收金额减去全部实付金额后占实付金额的百分比，剩余股票没有计入"
              "。卖出的500股按股数分摊实付金额5,020.50元，实现盈亏456.50元，收益率9.09％");
    EXPECT_EQ(sale(kSH, "3.0", "1", kShanghai1000, "11.00", "1,000").yieldTip, "");
}

struct RealisedRow {
    const char* name;
    const char* received;
    const char* paid;
    const char* sold;
    const char* held;
    const char* costPart;
    const char* profit;
    const char* yield;  // nullptr: none
};

class Realised : public ::testing::TestWithParam<RealisedRow> {};

TEST_P(Realised, sets_the_shares_sold_against_their_part_of_the_amount_paid) {
    const RealisedRow& r = GetParam();
    const auto got = realisedSale(money(r.received), money(r.paid), money(r.sold), money(r.held));
    ASSERT_TRUE(got);
    EXPECT_EQ(got->costPart, money(r.costPart));
    EXPECT_EQ(got->profit, money(r.profit));
    EXPECT_EQ(got->yield, r.yield ? std::optional(money(r.yield)) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Realised,
    ::testing::Values(
        RealisedRow{"half_the_holding", "5477", "10041", "500", "1000", "5020.5", "456.5", "9.09"},
        // A third of 100.00 is 33.33…: each figure rounded once, from the exact quotient.
        RealisedRow{"a_third", "40", "100", "1", "3", "33.33", "6.67", "20"},
        // Halves go up (away from zero): 50.005 → 50.01, −0.005 → −0.01, −0.9999… → −1 hundredth.
        RealisedRow{"halves_away_from_zero", "50", "100.01", "1", "2", "50.01", "-0.01", "-0.01"},
        // A dividend larger than the purchase leaves nothing paid to set a yield against.
        RealisedRow{"nothing_paid", "100", "-500", "1", "2", "-250", "350", nullptr},
        // The largest figures of the supported range stay exact.
        RealisedRow{"largest", "100000000000", "99999999999.99", "2147483646", "2147483647",
                    "99999999953.42", "46.58", "0"}),
    [](const ::testing::TestParamInfo<RealisedRow>& row) { return std::string(row.param.name); });

TEST(CalcSell, second_remaining_search_runs_when_the_commission_is_below_five) {
    const SellResult r = sale(kSZ, "3.0", "1", kShenzhen200, "10.50", "100");
    EXPECT_EQ(r.remainBasePrice, money("9.6405"));
    EXPECT_EQ(r.remainTransferFee, Money());
    EXPECT_EQ(r.stepCount, 6);
}

TEST(CalcSell, tool_tip_quotes_the_sell_quantity_as_the_field_shows_it) {
    CalcWindow w =
        windowWith(form1::Option1, "3.0", "1", Purchase{"2000", "20000", "81", "20081", "x"});
    sell(w, "11.00", "1,500");
    EXPECT_EQ(w.control(form1::Label8)->toolTip,
              "剩余股票每股的保本价格，卖出的1,500股的各种费用计入剩余股票成本里面。");
    EXPECT_EQ(w.foreColor(form1::Label8), kRed);
    EXPECT_EQ(w.text(form1::Text19), "500");
}

// Each sale clears the red of the buy side's break-even caption and the marks of an earlier
// partial sale.
TEST(CalcSell, a_sale_clears_the_buy_side_red_and_the_partial_sale_marks) {
    CalcWindow w = windowWith(form1::Option1, "3.0", "1", kShanghai1000);
    for (const char* qty : {"1,000", "500", "1,000"}) {
        w.ui.setForeColor(form1::Label8, kRed);
        sell(w, "11.00", qty);
    }
    EXPECT_EQ(w.ui.caption(form1::Label19_17), "元");
    EXPECT_EQ(w.ui.caption(form1::Label17), "大赚特赚");
    EXPECT_EQ(w.foreColor(form1::Label8), kBlack);
    EXPECT_EQ(w.control(form1::Label8)->toolTip, msg::kBreakEvenTip);
    EXPECT_EQ(w.text(form1::Text9), "9.17");  // the partial sale's price stays until overwritten
}

struct RemainTransferRow {
    const char* name;
    Market market;
    const char* remaining;
    const char* fee;
    friend void PrintTo(const RemainTransferRow& row, std::ostream* os) { *os << row.name; }
};

class RemainingTransferFeeTest : public ::testing::TestWithParam<RemainTransferRow> {};

TEST_P(RemainingTransferFeeTest, is_raised_to_whole_yuan_with_a_minimum_of_one) {
    const RemainTransferRow& r = GetParam();
    const Money bought = money(r.remaining) + money("100");
    const std::string boughtText = std::to_string(bought.ticks() / Money::kTicksPerYuan);
    const SellResult s =
        sale(r.market, "3.0", "1", Purchase{boughtText.c_str(), "1000000", "3001", "1003001", "x"},
             "10.00", "100");
    EXPECT_EQ(s.remainQty, money(r.remaining));
    EXPECT_EQ(s.remainTransferFee, money(r.fee));
}

INSTANTIATE_TEST_SUITE_P(
    RemainingShares, RemainingTransferFeeTest,
    ::testing::Values(RemainTransferRow{"shanghai_999", kSH, "999", "1"},
                      RemainTransferRow{"shanghai_1000", kSH, "1000", "1"},
                      RemainTransferRow{"shanghai_1001", kSH, "1001", "2"},
                      RemainTransferRow{"shanghai_2000", kSH, "2000", "2"},
                      RemainTransferRow{"shanghai_2001", kSH, "2001", "3"},
                      RemainTransferRow{"shanghai_2500_half_way", kSH, "2500", "3"},
                      RemainTransferRow{"shenzhen_none", kSZ, "5000", "0"},
                      RemainTransferRow{"fund_none", Market::FundWarrant, "5000", "0"}),
    [](const ::testing::TestParamInfo<RemainTransferRow>& row) { return row.param.name; });

TEST(CalcSell, refused_purchase_quantity_makes_a_partial_sale_of_an_empty_purchase) {
    // 150 shares refused by the lot rule stay in BuyQty with no amounts: the sale of 100 leaves
    // 50 shares whose outstanding cost is below zero, and the search finds a negative price.
    const SellResult r = sale(kSZ, "3.0", "1", Purchase{"150", "0", "0", "0", ""}, "10.00", "100");
    EXPECT_EQ(r.remainingShares, money("50"));
    EXPECT_EQ(r.remainBasePrice, money("-19.88"));
    EXPECT_EQ(r.stepCount, 9);
    EXPECT_EQ(r.remainingPrice, money("-19.79"));
}

TEST(CalcSell, remaining_price_beyond_the_step_counter_is_left_blank) {
    // One share left carrying the cost of 1,000 shares at the highest price: about 2 × 10^10
    // steps of a fen, more than a 32-bit step counter holds.
    CalcState st;
    st.StepCount = 7;
    const SellResult r =
        sale(kSH, "3.0", "6",
             Purchase{"1000", "21474836470", "193273528.24", "21668109998.24", "21,668,109,998.24"},
             "0.01", "999", st);
    EXPECT_EQ(r.remainingShares, money("1"));
    EXPECT_EQ(r.remainingPrice, std::nullopt);
    EXPECT_EQ(r.stepCount, 0);
}

// ---------------------------------------------------------------------------------------------
// The sale's transfer fee.

struct SellTransferRow {
    const char* name;
    const char* qty;
    const char* stored;
    const char* shown;
    friend void PrintTo(const SellTransferRow& row, std::ostream* os) { *os << row.name; }
};

class SellTransferFeeTest : public ::testing::TestWithParam<SellTransferRow> {};

TEST_P(SellTransferFeeTest, keeps_three_decimals_and_a_minimum_of_one) {
    const SellTransferRow& r = GetParam();
    const SellResult s = sale(kSH, "3.0", "1", kNoPurchase, "10.00", r.qty);
    EXPECT_EQ(s.transferFee, money(r.stored));
    EXPECT_EQ(formatAmount(s.transferFee), r.shown);
}

INSTANTIATE_TEST_SUITE_P(Shanghai, SellTransferFeeTest,
                         ::testing::Values(SellTransferRow{"shares_999", "999", "1", "1.00"},
                                           SellTransferRow{"shares_1000", "1000", "1", "1.00"},
                                           SellTransferRow{"shares_1001", "1001", "1.001", "1.00"},
                                           SellTransferRow{"shares_1235", "1235", "1.235", "1.24"}),
                         [](const ::testing::TestParamInfo<SellTransferRow>& row) {
                             return row.param.name;
                         });

// ---------------------------------------------------------------------------------------------
// The yield.

TEST(CalcSell, no_yield_when_the_amount_paid_shows_but_nothing_was_paid) {
    // A purchase skipped or refused in the same Calculate, or entered in the batch dialog, leaves
    // Text10 showing an amount while AmountPaid is zero.
    const SellResult r =
        sale(kSH, "3.0", "1", Purchase{"0", "0", "0", "0", "10,041.00"}, "11.00", "1,000");
    EXPECT_TRUE(r.yieldShown);
    EXPECT_EQ(r.yield, std::nullopt);
    EXPECT_EQ(r.profitLoss, money("10955"));
}

// No yield and no remaining price: the writer empties their fields and the state's yield is 0.
TEST(CalcSell, a_yield_or_remaining_price_that_is_none_empties_its_field) {
    SellResult r;
    r.yieldShown = true;
    r.partial = true;
    r.remainingShares = money("1");
    CalcWindow w = windowWith(form1::Option1, "3.0", "1", kNoPurchase);
    w.st.SellYield = money("12.34");
    writeSellFields(w.ui, r);
    storeSell(w.st, r);
    EXPECT_EQ(w.text(form1::Text9), "");
    EXPECT_EQ(w.text(form1::Text18), "");
    EXPECT_EQ(w.text(form1::Text19), "1");
    EXPECT_EQ(w.st.SellYield, Money());
}

TEST(CalcSell, no_yield_when_it_leaves_the_range) {
    // A ten-thousandth of a yuan paid and ten billion received: the percentage has no place.
    const SellResult r =
        sale(kSZ, "3.0", "1", Purchase{"0", "0", "0", "0.0001", "0.00"}, "1000.00", "10000000");
    EXPECT_TRUE(r.yieldShown);
    EXPECT_EQ(r.yield, std::nullopt);
}

TEST(CalcSell, without_an_amount_paid_on_screen_the_yield_keeps_its_value) {
    CalcWindow w = windowWith(form1::Option1, "3.0", "1", kNoPurchase);
    w.st.SellYield = money("12.34");
    sell(w, "11.00", "1,000");
    EXPECT_EQ(w.text(form1::Text18), kOld);
    EXPECT_EQ(w.st.SellYield, money("12.34"));
}

// The mark follows the profit as Text19 shows it. Shanghai, 3.0 and 1: bought 1,000 at 11.28 for
// 11,326.12 in all; 1,054 sold at 10.79 bring 11,372.66 − 34.12 − 11.37 − 1.054 = 11,326.116, a
// loss of 0.004 that shows as 0.00: no loss is marked on a 0.00. A loss of a fen and more is.
struct TinyProfitRow {
    const char* name;
    const char* amountPaid;
    const char* text19;
    bool loss;
    friend void PrintTo(const TinyProfitRow& row, std::ostream* os) { *os << row.name; }
};

class TinyProfitMarkTest : public ::testing::TestWithParam<TinyProfitRow> {};

TEST_P(TinyProfitMarkTest, marks_the_sign_of_the_profit_as_shown) {
    const TinyProfitRow& r = GetParam();
    const SellResult s =
        sale(kSH, "3.0", "1", Purchase{"1000", "11280", "46.12", r.amountPaid, "11,326.12"},
             "10.79", "1054");
    EXPECT_EQ(formatAmount(s.received), "11,326.12");
    EXPECT_EQ(formatAmount(s.profitLoss), r.text19);
    EXPECT_EQ(s.loss, r.loss);
}

INSTANTIATE_TEST_SUITE_P(
    Shanghai, TinyProfitMarkTest,
    ::testing::Values(TinyProfitRow{"loss_below_half_a_fen_shows_zero", "11326.12", "0.00", false},
                      TinyProfitRow{"loss_of_half_a_fen_shows", "11326.121", "-0.01", true},
                      TinyProfitRow{"gain_below_half_a_fen", "11326.112", "0.00", false}),
    [](const ::testing::TestParamInfo<TinyProfitRow>& row) { return row.param.name; });

}  // namespace
}  // namespace zm
