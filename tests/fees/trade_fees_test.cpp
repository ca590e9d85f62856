// The property of tradeFees the holding tools' searches rely on: no fee total ever falls when the
// price or the share count grows. Its figures are those of CalcBuy and saleFees, which route
// through it and whose tests (calc_buy_test, calc_sell_test, the session's fee_rules_test) pin
// them.
#include "fees/trade_fees.h"

#include <gtest/gtest.h>

#include <random>

#include "support/table_rows.h"

namespace zm::test {
namespace {

const FeeRules kOwn{};
const FeeRules kToday{RuleKind::Current, {}, 250, Money::fromYuan(5)};
const FeeRules kTodayNoMinimum{RuleKind::Current, {}, 250, Money()};
const FeeRules kIn2012{RuleKind::OnDate, {2012, 1, 4}, 250, Money::fromYuan(5)};

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
