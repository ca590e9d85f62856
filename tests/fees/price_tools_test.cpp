// 涨跌停 and 除权参考价: the engine's edges and refusals (the worked examples run through the
// dialogs, tests/session/holding_tools_test.cpp), and on random closes the limits' rounding
// checked against the exact product.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "fees/display_format.h"
#include "fees/ex_rights.h"
#include "fees/price_limits.h"
#include "support/table_rows.h"

namespace zm::test {
namespace {

constexpr TradeDate kToday{2025, 6, 3};

// 涨停 and 跌停.
struct LimitRow {
    const char* name;
    LimitBoard board;
    const char* close;
    TradeDate date;
    const char* limits;  // nullptr: refused for `reason`
    PriceLimitRefusal reason = {};
    friend void PrintTo(const LimitRow& row, std::ostream* os) { *os << row.name; }
};

const LimitRow kLimitRows[] = {
    {"chinext_20_percent", LimitBoard::ChiNext, "10", {2020, 8, 24}, "12.00 8.00"},
    // No price below one tick can be quoted: a close of one tick cannot fall.
    {"lowest_tick_cannot_fall", LimitBoard::Main, "0.01", kToday, "0.02 0.01"},
    {"first_day_of_the_tables", LimitBoard::Main, "10", {2008, 9, 19}, "11.00 9.00"},
    {"before_the_tables",
     LimitBoard::Main,
     "10",
     {2008, 9, 18},
     nullptr,
     PriceLimitRefusal::DateTooEarly},
    {"close_off_the_tick", LimitBoard::Main, "1.234", kToday, nullptr,
     PriceLimitRefusal::InvalidInput},
    {"no_such_day",
     LimitBoard::Main,
     "10",
     {2023, 2, 29},
     nullptr,
     PriceLimitRefusal::InvalidInput},
};

class LimitExample : public ::testing::TestWithParam<LimitRow> {};

TEST_P(LimitExample, comes_out_exactly) {
    const LimitRow& r = GetParam();
    const auto l = priceLimits(money(r.close), r.board, r.date);
    if (!r.limits) {
        ASSERT_FALSE(l);
        EXPECT_EQ(l.reason(), r.reason);
        return;
    }
    ASSERT_TRUE(l);
    const int decimals = r.board == LimitBoard::Fund ? 3 : 2;
    EXPECT_EQ(formatPrice(l->upper, decimals) + " " + formatPrice(l->lower, decimals), r.limits);
}

INSTANTIATE_TEST_SUITE_P(Rows, LimitExample, ::testing::ValuesIn(kLimitRows), rowName);

struct ExRightsRow {
    const char* name;
    const char *close, *cash, *bonus, *rights, *rightsPrice;
    const char* price;  // nullptr: refused, no price above zero
    friend void PrintTo(const ExRightsRow& row, std::ostream* os) { *os << row.name; }
};

const ExRightsRow kExRightsRows[] = {
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
