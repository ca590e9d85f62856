// The fees of one trade under either kind of rules, and the property the holding tools' searches
// rely on: no fee total ever falls when the price or the share count grows.
#include "fees/trade_fees.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <tuple>

#include "support/table_rows.h"

namespace zm::test {
namespace {

constexpr Market kSH = Market::ShanghaiA, kSZ = Market::ShenzhenA, kFund = Market::FundWarrant;

const FeeRules kOwn{};
const FeeRules kToday{RuleKind::Current, {}, 250, Money::fromYuan(5)};
const FeeRules kTodayNoMinimum{RuleKind::Current, {}, 250, Money()};
const FeeRules kIn2012{RuleKind::OnDate, {2012, 1, 4}, 250, Money::fromYuan(5)};

struct FeeRow {
    const char* name;
    FeeRules rules;
    Market market;
    double commissionRate;
    double stampDutyRate;
    TradeSide side;
    const char* amount;
    const char* qty;
    const char* commission;
    const char* stampDuty;
    const char* transfer;
    const char* total;
    friend void PrintTo(const FeeRow& row, std::ostream* os) { *os << row.name; }
};

const FeeRow kFeeRows[] = {
    {"own_buy_shanghai", kOwn, kSH, 3.0, 3, TradeSide::Buy, "10000", "1000", "30", "30", "1", "61"},
    // A purchase in the fund market pays no stamp duty; a sale there does.
    {"own_buy_fund_pays_no_stamp_duty", kOwn, kFund, 3.0, 3, TradeSide::Buy, "10000", "1000", "30",
     "0", "0", "30"},
    {"own_sale_fund_pays_stamp_duty", kOwn, kFund, 3.0, 3, TradeSide::Sell, "10000", "1000", "30",
     "30", "0", "60"},
    // 4.992 shows as 4.99 and is raised to 5.00; 1,234 shares pay 1.234. The purchase's total
    // is rounded to the fen, the sale's kept exact.
    {"own_buy_minimum_and_odd_transfer", kOwn, kSH, 3.0, 3, TradeSide::Buy, "1664", "1234", "5",
     "4.99", "1.234", "11.22"},
    {"own_sale_keeps_the_third_decimal", kOwn, kSH, 3.0, 3, TradeSide::Sell, "1664", "1234", "5",
     "4.99", "1.234", "11.224"},
    {"own_shenzhen_pays_no_transfer", kOwn, kSZ, 2.7, 1, TradeSide::Buy, "10000", "1000", "27",
     "10", "0", "37"},
    // Today: 2.475 → 5.00 (minimum), no stamp duty on a purchase, 0.099 → 0.10.
    {"today_buy", kToday, kSH, 0, 0, TradeSide::Buy, "9900", "1100", "5", "0", "0.1", "5.1"},
    // 0.085 → 0.09: half up.
    {"today_sale_transfer_half_up", kToday, kSH, 0, 0, TradeSide::Sell, "8500", "1000", "5", "4.25",
     "0.09", "9.34"},
    {"today_no_minimum", kTodayNoMinimum, kSZ, 0, 0, TradeSide::Buy, "4900", "500", "1.23", "0",
     "0.05", "1.28"},
    {"today_fund_commission_only", kToday, kFund, 0, 0, TradeSide::Sell, "50000", "40000", "12.5",
     "0", "0", "12.5"},
    // 2012: Shanghai charged 1,234 shares ÷ 1,000 yuan, rounded to 1.23; Shenzhen nothing.
    {"in_2012_shanghai_per_share", kIn2012, kSH, 0, 0, TradeSide::Sell, "12340", "1234", "5",
     "12.34", "1.23", "18.57"},
    {"in_2012_shenzhen", kIn2012, kSZ, 0, 0, TradeSide::Sell, "12340", "1234", "5", "12.34", "0",
     "17.34"},
};

class TradeFeesRow : public ::testing::TestWithParam<FeeRow> {};

TEST_P(TradeFeesRow, charges_what_the_main_window_charges) {
    const FeeRow& r = GetParam();
    const auto f = tradeFees(FeeBasis{r.rules, r.market, r.commissionRate, r.stampDutyRate}, r.side,
                             money(r.amount), money(r.qty));
    ASSERT_TRUE(f);
    EXPECT_EQ(
        std::tuple(f->commission, f->stampDuty, f->transferFee, f->total),
        std::tuple(money(r.commission), money(r.stampDuty), money(r.transfer), money(r.total)));
}

INSTANTIATE_TEST_SUITE_P(Rows, TradeFeesRow, ::testing::ValuesIn(kFeeRows), rowName);

// The searches of the holding tools skip ahead on this: a larger trade never pays less.
TEST(TradeFees, never_fall_as_the_price_or_the_share_count_grows) {
    std::mt19937_64 rng(2112);
    const FeeRules rules[] = {kOwn, kToday, kTodayNoMinimum, kIn2012,
                              FeeRules{RuleKind::OnDate, {2016, 3, 1}, 3000, Money::fromYuan(1)}};
    auto pick = [&](std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
    };
    for (int n = 0; n < 60000; ++n) {
        const FeeBasis basis{rules[n % 5], static_cast<Market>(pick(0, 2)),
                             static_cast<double>(pick(0, 30)) / 10,
                             static_cast<double>(pick(0, 6))};
        const TradeSide side = n % 2 == 0 ? TradeSide::Buy : TradeSide::Sell;
        const Money step = priceStep(basis.rules, basis.market);
        const Money price = Money::fromTicks(step.ticks() * pick(1, n % 7 == 0 ? 2'000'000 : 5000));
        const Money qty = Money::fromYuan(pick(1, n % 3 == 0 ? 3000 : 2'000'000));
        const auto fees = [&](Money p, Money q) {
            return tradeFees(basis, side, *Money::mul(p, q), q).value().total;
        };
        const Money here = fees(price, qty);
        ASSERT_LE(here, fees(price + step, qty)) << n;
        ASSERT_LE(here, fees(price, qty + Money::fromYuan(1))) << n;
    }
}

}  // namespace
}  // namespace zm::test
