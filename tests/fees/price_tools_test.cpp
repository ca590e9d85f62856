// 涨跌停 and 除权参考价: the worked examples, the refusals, and on random closes the limits'
// rounding checked against the exact product.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <tuple>

#include "fees/ex_rights.h"
#include "fees/price_limits.h"
#include "support/table_rows.h"

namespace zm::test {
namespace {

constexpr TradeDate kToday{2025, 6, 3};

struct LimitRow {
    const char* name;
    LimitBoard board;
    const char* close;
    TradeDate date;
    const char *upper, *lower;
    friend void PrintTo(const LimitRow& row, std::ostream* os) { *os << row.name; }
};

const LimitRow kLimitRows[] = {
    {"main", LimitBoard::Main, "10.05", kToday, "11.06", "9.05"},
    // 1.265 and 1.035 exactly, halves up; a double 1.15 × 1.1 falls just below 1.265.
    {"main_exact_halves", LimitBoard::Main, "1.15", kToday, "1.27", "1.04"},
    {"st_before_the_change", LimitBoard::MainST, "3.33", {2026, 7, 3}, "3.5", "3.16"},
    {"st_from_the_change", LimitBoard::MainST, "3.33", {2026, 7, 6}, "3.66", "3"},
    // 0.0525 and 0.0475 round back to the close: one tick either way.
    {"st_one_tick", LimitBoard::MainST, "0.05", kToday, "0.06", "0.04"},
    {"chinext_before_20_percent", LimitBoard::ChiNext, "10", {2020, 8, 21}, "11", "9"},
    {"chinext_20_percent", LimitBoard::ChiNext, "10", {2020, 8, 24}, "12", "8"},
    {"star", LimitBoard::Star, "123.45", kToday, "148.14", "98.76"},
    {"beijing", LimitBoard::Beijing, "15.67", kToday, "20.37", "10.97"},
    {"fund_in_mills", LimitBoard::Fund, "1.234", kToday, "1.357", "1.111"},
    // No price below one tick can be quoted: a close of one tick cannot fall.
    {"lowest_tick_cannot_fall", LimitBoard::Main, "0.01", kToday, "0.02", "0.01"},
    {"lowest_fund_tick", LimitBoard::Fund, "0.001", kToday, "0.002", "0.001"},
};

class LimitExample : public ::testing::TestWithParam<LimitRow> {};

TEST_P(LimitExample, comes_out_exactly) {
    const LimitRow& r = GetParam();
    const auto l = priceLimits(money(r.close), r.board, r.date);
    ASSERT_TRUE(l);
    EXPECT_EQ(std::tuple(l->upper, l->lower), std::tuple(money(r.upper), money(r.lower)));
}

INSTANTIATE_TEST_SUITE_P(Rows, LimitExample, ::testing::ValuesIn(kLimitRows), rowName);

TEST(PriceLimits, refuse_early_dates_and_closes_off_the_tick) {
    EXPECT_EQ(priceLimits(money("10"), LimitBoard::Main, {2008, 9, 18}).reason(),
              PriceLimitRefusal::DateTooEarly);
    EXPECT_TRUE(priceLimits(money("10"), LimitBoard::Main, {2008, 9, 19}));
    EXPECT_EQ(priceLimits(money("1.234"), LimitBoard::Main, kToday).reason(),
              PriceLimitRefusal::InvalidInput);
    EXPECT_EQ(priceLimits(money("0"), LimitBoard::Fund, kToday).reason(),
              PriceLimitRefusal::InvalidInput);
    EXPECT_EQ(priceLimits(money("10"), LimitBoard::Main, {2023, 2, 29}).reason(),
              PriceLimitRefusal::InvalidInput);
}

// Each limit is the tick nearest the exact close × (1 ± percent), halves up, unless that is
// within a tick of the close; it is then one tick away (never below one tick).
TEST(PriceLimits, are_the_nearest_tick_to_the_exact_product) {
    std::mt19937_64 rng(99);
    const TradeDate dates[] = {{2010, 1, 4}, {2021, 3, 1}, {2026, 7, 6}};
    for (int n = 0; n < 20000; ++n) {
        const auto board = static_cast<LimitBoard>(n % 6);
        const Money tick = limitTick(board);
        const std::int64_t t = tick.ticks();
        const Money close =
            Money::fromTicks(t * std::uniform_int_distribution<std::int64_t>(1, 100'000)(rng));
        const auto l = priceLimits(close, board, dates[n % 3]);
        ASSERT_TRUE(l);
        const std::int64_t up = close.ticks() * (100 + l->percent);
        const std::int64_t down = close.ticks() * (100 - l->percent);
        // 100 × limit against the exact 100 × close × (1 ± percent): within half a tick, a half
        // going up.
        const auto nearest = [&](Money limit, std::int64_t product) {
            const std::int64_t diff = 100 * limit.ticks() - product;
            return diff > -50 * t && diff <= 50 * t;
        };
        if (!nearest(l->upper, up) || l->upper - close < tick) {
            // The nearest tick lies less than a tick above the close.
            ASSERT_EQ(l->upper, close + tick) << n;
            ASSERT_GT(100 * (close + tick).ticks() - up, 50 * t) << n;
        }
        if (!nearest(l->lower, down) || close - l->lower < tick) {
            ASSERT_EQ(l->lower, std::max(close - tick, tick)) << n;
            ASSERT_GE(down - 100 * (close - tick).ticks(), 50 * t) << n;
        }
        ASSERT_GE(l->lower, tick) << n;
    }
}

struct ExRightsRow {
    const char* name;
    const char *close, *cash, *bonus, *rights, *rightsPrice;
    const char* price;  // nullptr: refused, no price above zero
    friend void PrintTo(const ExRightsRow& row, std::ostream* os) { *os << row.name; }
};

const ExRightsRow kExRightsRows[] = {
    {"cash", "152.21", "16.5", "0", "0", "0", "150.56"},
    {"cash_four_decimals", "1212.10", "280.2423", "0", "0", "0", "1184.08"},
    {"bonus_and_cash", "251.59", "43.74", "1", "0", "0", "224.74"},
    {"cash_and_rights", "10", "0.5", "0", "3", "6", "9.04"},
    // 0.001 rounds to 0.00; a cash payout above the price leaves less than nothing.
    {"rounds_to_zero", "10", "99.99", "0", "0", "0", nullptr},
    {"below_zero", "10", "100.5", "0", "0", "0", nullptr},
};

class ExRightsExample : public ::testing::TestWithParam<ExRightsRow> {};

TEST_P(ExRightsExample, comes_out_exactly) {
    const ExRightsRow& r = GetParam();
    const auto p = exRightsPrice(
        {money(r.close), money(r.cash), money(r.bonus), money(r.rights), money(r.rightsPrice)});
    if (!r.price) {
        ASSERT_FALSE(p);
        EXPECT_EQ(p.reason(), ExRightsRefusal::NotAboveZero);
        return;
    }
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, money(r.price));
}

INSTANTIATE_TEST_SUITE_P(Rows, ExRightsExample, ::testing::ValuesIn(kExRightsRows), rowName);

}  // namespace
}  // namespace zm::test
