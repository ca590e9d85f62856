#include "fees/calc_buy.h"
#include "session/trade_fields.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <utility>

#include "fees/calc_window.h"
#include "fees/money_print.h"

namespace zm {
namespace {

using test::money;

constexpr Market kSH = Market::ShanghaiA, kSZ = Market::ShenzhenA, kFund = Market::FundWarrant;

BuyInputs inputs(Market market, double commission, double stampDuty, const char* qty,
                 const char* bonus = "", const char* dividend = "") {
    return BuyInputs{commission, stampDuty, market, bonus, dividend, qty};
}

// A purchase of `qty` shares (as Text2 shows them) at `price` under the program's own rules.
std::optional<BuyResult> buy(const BuyInputs& in, const char* price) {
    return CalcBuy(in, FeeRules{}, money(price), money(in.quantityText));
}

// ---------------------------------------------------------------------------------------------
// Every figure of a purchase.

struct BuyRow {
    const char* name;
    Market market;
    double commission;
    double stampDuty;
    const char* price;
    const char* qty;
    const char* bonus;     // Text21
    const char* dividend;  // Text22
    // Text3 … Text10
    const char* amount;
    const char* commissionShown;
    const char* stampDutyShown;
    const char* transferShown;
    const char* feeTotal;
    const char* costPerShare;
    const char* breakEven;
    const char* amountPaid;
    friend void PrintTo(const BuyRow& row, std::ostream* os) { *os << row.name; }
};

class CalcBuyTest : public ::testing::TestWithParam<BuyRow> {};

TEST_P(CalcBuyTest, works_out_every_buy_figure) {
    const BuyRow& r = GetParam();
    const auto b =
        buy(inputs(r.market, r.commission, r.stampDuty, r.qty, r.bonus, r.dividend), r.price);
    ASSERT_TRUE(b);
    // Text3 … Text10 in their order.
    EXPECT_EQ(std::tuple(b->amountText, b->commissionText, b->stampDutyText, b->transferFeeText,
                         b->feeTotalText, b->costPerShareText, b->breakEvenText, b->amountPaidText),
              std::tuple(r.amount, r.commissionShown, r.stampDutyShown, r.transferShown, r.feeTotal,
                         r.costPerShare, r.breakEven, r.amountPaid));
    // The state is given what the fields show (the transfer fee keeps its third decimal).
    EXPECT_EQ(std::tuple(b->amount, b->commission, b->stampDuty, b->feeTotal, b->costPerShare,
                         b->amountPaid),
              std::tuple(money(r.amount), money(r.commissionShown), money(r.stampDutyShown),
                         money(r.feeTotal), money(r.costPerShare), money(r.amountPaid)));
}

INSTANTIATE_TEST_SUITE_P(
    Purchases, CalcBuyTest,
    ::testing::Values(
        // 10.061 per share is raised to 10.07; the break-even starts from 10.06.
        BuyRow{"shanghai_worked_example", kSH, 3.0, 3, "10.00", "1000", "0", "0", "10,000.00",
               "30.00", "30.00", "1.00", "61.00", "10.07", "10.13", "10,061.00"},
        // An empty bonus and dividend count as none.
        BuyRow{"empty_bonus_and_dividend", kSH, 3.0, 3, "10.00", "1000", "", "", "10,000.00",
               "30.00", "30.00", "1.00", "61.00", "10.07", "10.13", "10,061.00"},
        // 9,861 ÷ 1,300 = 7.5854 shows 7.59; break-even of 7.5385 on 1,300 shares.
        BuyRow{"bonus_and_dividend", kSH, 3.0, 3, "10.00", "1000", "3", "2", "10,000.00", "30.00",
               "30.00", "1.00", "61.00", "7.59", "7.64", "9,861.00"},
        // The quantity field read back with its grouping comma.
        BuyRow{"grouped_quantity_text", kSH, 3.0, 3, "10.00", "1,000", "3", "2", "10,000.00",
               "30.00", "30.00", "1.00", "61.00", "7.59", "7.64", "9,861.00"},
        // Fund market: the minimum commission, a bare 0 for the stamp duty, no transfer fee.
        BuyRow{"fund_market", kFund, 0.0, 0, "1.00", "1000", "0", "0", "1,000.00", "5.00", "0",
               "0.00", "5.00", "1.01", "1.02", "1,005.00"},
        // Fund market with a stamp-duty rate still picked: none is charged on a purchase.
        BuyRow{"fund_market_ignores_the_stamp_duty", kFund, 0.0, 3, "1.00", "1000", "0", "0",
               "1,000.00", "5.00", "0", "0.00", "5.00", "1.01", "1.02", "1,005.00"},
        // 1,005.00 ÷ 100 is exactly 10.05: it is not raised to 10.06.
        BuyRow{"exact_cost_is_not_raised", kFund, 0.0, 0, "10.00", "100", "0", "0", "1,000.00",
               "5.00", "0", "0.00", "5.00", "10.05", "10.12", "1,005.00"},
        BuyRow{"shenzhen_pays_no_transfer_fee", kSZ, 3.0, 1, "10.00", "5000", "0", "0", "50,000.00",
               "150.00", "50.00", "0.00", "200.00", "10.04", "10.09", "50,200.00"},
        // 500 × 0.001 = 0.5 is below 1: the minimum 1.00.
        BuyRow{"shanghai_500_shares", kSH, 3.0, 3, "10.00", "500", "0", "0", "5,000.00", "15.00",
               "15.00", "1.00", "31.00", "10.07", "10.13", "5,031.00"},
        BuyRow{"shanghai_1500_shares", kSH, 3.0, 3, "10.00", "1500", "0", "0", "15,000.00", "45.00",
               "45.00", "1.50", "91.50", "10.07", "10.13", "15,091.50"},
        // 1.234 is kept in the state, shown as 1.23, and rounds into the fee total as 1.23.
        BuyRow{"shanghai_1234_shares", kSH, 3.0, 3, "1.00", "1234", "0", "0", "1,234.00", "5.00",
               "3.70", "1.23", "9.93", "1.01", "1.02", "1,243.93"},
        BuyRow{"shanghai_999_shares", kSH, 3.0, 3, "1.00", "999", "0", "0", "999.00", "5.00",
               "3.00", "1.00", "9.00", "1.01", "1.02", "1,008.00"},
        // Exactly 5.00 stays; 4.99 becomes 5.00.
        BuyRow{"commission_exactly_five", kSZ, 2.5, 0, "20.00", "100", "0", "0", "2,000.00", "5.00",
               "0.00", "0.00", "5.00", "20.05", "20.13", "2,005.00"},
        BuyRow{"commission_just_below_five", kSZ, 2.5, 0, "19.96", "100", "0", "0", "1,996.00",
               "5.00", "0.00", "0.00", "5.00", "20.01", "20.09", "2,001.00"},
        // Halfway commissions round to the even fen: 1234.5 fen → 12.34, 1235.5 fen → 12.36.
        BuyRow{"halfway_commission_rounds_down_to_even", kSZ, 2.5, 0, "49.38", "100", "0", "0",
               "4,938.00", "12.34", "0.00", "0.00", "12.34", "49.51", "49.65", "4,950.34"},
        BuyRow{"halfway_commission_rounds_up_to_even", kSZ, 2.5, 0, "49.42", "100", "0", "0",
               "4,942.00", "12.36", "0.00", "0.00", "12.36", "49.55", "49.69", "4,954.36"},
        // 10转4.8: 480 bonus shares, 10,061.00 ÷ 1,480 = 6.7980 raised to 6.80.
        BuyRow{"announced_bonus_of_four_point_eight", kSH, 3.0, 3, "10.00", "1000", "4.8", "0",
               "10,000.00", "30.00", "30.00", "1.00", "61.00", "6.80", "6.85", "10,061.00"},
        // 100 × 0.33 ÷ 10 = 3.3 bonus shares: the holding receives 3; 1,009.00 ÷ 103 = 9.796.
        BuyRow{"bonus_fraction_dropped", kSH, 3.0, 3, "10.00", "100", "0.33", "0", "1,000.00",
               "5.00", "3.00", "1.00", "9.00", "9.80", "9.89", "1,009.00"},
        // 10派2.356: 235.60 on 1,000 shares, not 10派2.36's 236.00.
        BuyRow{"announced_dividend_of_three_decimals", kSH, 3.0, 3, "10.00", "1000", "0", "2.356",
               "10,000.00", "30.00", "30.00", "1.00", "61.00", "9.83", "9.89", "9,825.40"},
        // 100 × 0.0005 ÷ 10 = 0.005 yuan is paid as a fen, rounded half up once.
        BuyRow{"dividend_of_half_a_fen_rounds_up", kSZ, 2.5, 0, "1.00", "100", "0", "0.0005",
               "100.00", "5.00", "0.00", "0.00", "5.00", "1.05", "1.12", "104.99"},
        // A dividend above the trade amount: negative cost, break-even and amount paid.
        BuyRow{"dividend_above_the_trade_amount", kSH, 3.0, 3, "1.00", "100", "0", "20", "100.00",
               "5.00", "0.30", "1.00", "6.30", "-0.93", "-0.88", "-93.70"}),
    [](const ::testing::TestParamInfo<BuyRow>& row) { return row.param.name; });

// The bonus shares and the dividend of a holding, as companies announce them per 10 shares.
struct PerTenRow {
    const char* name;
    const char* perTen;
    const char* shares;
    const char* dividend;  // dividendTotal
    const char* bonus;     // bonusShares
};

class PerTenTest : public ::testing::TestWithParam<PerTenRow> {};

TEST_P(PerTenTest, gives_whole_bonus_shares_and_the_dividend_to_the_fen) {
    const PerTenRow& r = GetParam();
    EXPECT_EQ(dividendTotal(money(r.perTen), money(r.shares)), money(r.dividend));
    EXPECT_EQ(bonusShares(money(r.perTen), money(r.shares)), money(r.bonus));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PerTenTest,
    ::testing::Values(PerTenRow{"whole", "3", "1000", "300", "300"},
                      PerTenRow{"none", "0", "1000", "0", "0"},
                      PerTenRow{"announced_4_8", "4.8", "1000", "480", "480"},
                      PerTenRow{"odd_holding", "4.8", "125", "60", "60"},
                      PerTenRow{"fraction_of_a_share_dropped", "2.356", "1000", "235.6", "235"},
                      PerTenRow{"fen_exact", "2.356", "100", "23.56", "23"},
                      PerTenRow{"nearly_a_whole_share_dropped", "0.99", "100", "9.9", "9"},
                      PerTenRow{"half_a_fen_rounds_up", "0.0005", "100", "0.01", "0"},
                      PerTenRow{"less_than_half_a_fen", "0.0004", "100", "0", "0"},
                      PerTenRow{"largest_holding", "10", "2147483600", "2147483600", "2147483600"}),
    [](const ::testing::TestParamInfo<PerTenRow>& row) { return row.param.name; });

// The writer puts the figures into Text3 … Text10, with the fixes of the bonus and dividend
// fields, turns Label8 red, and the state records what the fields show.
TEST(CalcBuy, the_writer_and_the_state_take_the_figures) {
    const auto b = buy(inputs(kSH, 3.0, 3, "1000", "", "x"), "10.00");
    ASSERT_TRUE(b);
    test::MemoryWindowModel ui;
    ui.load(FormId::Form1);
    writeBuyFields(ui, *b);
    for (const auto& [field, text] : {std::pair{form1::Text3, "10,000.00"},
                                      {form1::Text4, "30.00"},
                                      {form1::Text5, "30.00"},
                                      {form1::Text6, "1.00"},
                                      {form1::Text7, "61.00"},
                                      {form1::Text8, "10.07"},
                                      {form1::Text9, "10.13"},
                                      {form1::Text10, "10,061.00"},
                                      {form1::Text21, "0"},
                                      {form1::Text22, "0"}}) {
        EXPECT_EQ(ui.text(field), text) << field;
    }
    EXPECT_EQ(ui.at(form1::Label8).foreColor, kRed);
    CalcState st;
    storeBuy(st, *b);
    EXPECT_EQ(st.AmountPaid, money("10061"));
    EXPECT_EQ(st.BuyTransferFee, money("1"));
    EXPECT_EQ(st.HeldQty, money("1000"));
}

// ---------------------------------------------------------------------------------------------
// Bonus and dividend fields: one without a number becomes 0 and counts as 0.

struct AdjustmentRow {
    const char* name;
    const char* bonusTyped;
    const char* dividendTyped;
    std::optional<std::string> bonusFix;
    std::optional<std::string> dividendFix;
    friend void PrintTo(const AdjustmentRow& row, std::ostream* os) { *os << row.name; }
};

class BonusDividendFieldTest : public ::testing::TestWithParam<AdjustmentRow> {};

TEST_P(BonusDividendFieldTest, a_field_without_a_number_becomes_0_and_counts_as_0) {
    const AdjustmentRow& r = GetParam();
    const auto b = buy(inputs(kSH, 3.0, 3, "1000", r.bonusTyped, r.dividendTyped), "10.00");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->bonusFix, r.bonusFix);
    EXPECT_EQ(b->dividendFix, r.dividendFix);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BonusDividendFieldTest,
    ::testing::Values(AdjustmentRow{"both_empty", "", "", "0", "0"},
                      AdjustmentRow{"both_blank", "   ", " ", "0", "0"},
                      AdjustmentRow{"letters", "abc", "x1", "0", "0"},
                      AdjustmentRow{"numbers_stay_as_typed", "3", "2.0", {}, {}},
                      AdjustmentRow{"only_the_dividend_fixed", "3", "", {}, "0"}),
    [](const ::testing::TestParamInfo<AdjustmentRow>& row) { return row.param.name; });

// ---------------------------------------------------------------------------------------------
// Nothing to write without a purchase, or with figures out of range.

struct NoOpRow {
    const char* name;
    const char* price;
    const char* qty;
    const char* bonus;
    const char* dividend;
    friend void PrintTo(const NoOpRow& row, std::ostream* os) { *os << row.name; }
};

class CalcBuyNoOpTest : public ::testing::TestWithParam<NoOpRow> {};

TEST_P(CalcBuyNoOpTest, gives_nothing_to_write) {
    const NoOpRow& r = GetParam();
    EXPECT_FALSE(buy(inputs(kSH, 3.0, 3, r.qty, r.bonus, r.dividend), r.price));
}

INSTANTIATE_TEST_SUITE_P(
    Refused, CalcBuyNoOpTest,
    ::testing::Values(NoOpRow{"price_zero", "0", "1000", "", ""},
                      NoOpRow{"quantity_zero", "10.00", "0", "", ""},
                      // No shares left after the bonus: the cost per share has no divisor.
                      NoOpRow{"bonus_of_minus_10", "10.00", "1000", "-10", "0"},
                      NoOpRow{"bonus_below_minus_10", "10.00", "1000", "-25", "0"},
                      // A dividend whose total leaves Money's range.
                      NoOpRow{"dividend_beyond_range", "10.00", "1000", "0", "1e30"}),
    [](const ::testing::TestParamInfo<NoOpRow>& row) { return row.param.name; });

TEST(CalcBuy, keeps_the_fee_total_exact_to_the_fen_from_a_three_decimal_transfer_fee) {
    // 1,235 shares: the transfer fee 1.235 stays in the state; the fee total rounds 1235.5 fen
    // of fees half to even.
    const auto b = buy(inputs(kSH, 0.1, 0, "1235"), "1.00");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->transferFee, money("1.235"));
    EXPECT_EQ(b->transferFeeText, "1.24");
    EXPECT_EQ(b->feeTotal, money("6.24"));
    EXPECT_EQ(b->feeTotalText, "6.24");
}

TEST(ReadBuyInputs, takes_the_market_the_rates_and_the_texts) {
    for (const auto& [option, market] : {std::pair{form1::Option1, Market::ShanghaiA},
                                         std::pair{form1::Option2, Market::ShenzhenA},
                                         std::pair{form1::Option3, Market::FundWarrant}}) {
        test::CalcWindow w(option, "2.7", "6");
        w.set(form1::Text2, "1,000");
        w.set(form1::Text21, "3");
        w.set(form1::Text22, "x");
        const BuyInputs in = readBuyInputs(w.ui, readMainChoices(w.ui));
        EXPECT_EQ(in.market, market);
        EXPECT_EQ(std::tuple(in.commissionRate, in.stampDutyRate, in.quantityText, in.bonusText,
                             in.dividendText),
                  std::tuple(2.7, 6.0, "1,000", "3", "x"));
    }
    test::MemoryWindowModel empty;
    EXPECT_EQ(rateOf(empty, form1::Combo1), 0.0);
}

}  // namespace
}  // namespace zm
