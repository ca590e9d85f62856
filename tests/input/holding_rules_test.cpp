// The input rules of the holding tools' fields, on the text alone: which texts are refused with
// which message, and how accepted texts are rewritten and stored.
#include "input/holding_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "support/table_rows.h"
#include "view/messages.h"

namespace zm::test {
namespace {

using Rule = Verdict (*)(std::string_view text);
constexpr Rule held = ruleHeldShares;
constexpr Rule cost = ruleCostPerShare;
constexpr Rule target = ruleTargetCost;
constexpr Rule buyPrice = [](std::string_view t) {
    return ruleToolPrice(t, PriceField::Buy, Money::fromFen(1));
};
constexpr Rule fundSellPrice = [](std::string_view t) {
    return ruleToolPrice(t, PriceField::Sell, Money::fromTicks(10));
};
constexpr Rule rightsPrice = ruleRightsPrice;
constexpr Rule cash = ruleCash;
constexpr Rule per10Cash = [](std::string_view t) { return rulePer10(t, Per10Field::Cash); };
constexpr Rule per10Bonus = [](std::string_view t) { return rulePer10(t, Per10Field::Bonus); };
constexpr Rule mainAdd = [](std::string_view t) { return ruleAddShares(t, Board::Main); };
constexpr Rule starAdd = [](std::string_view t) { return ruleAddShares(t, Board::Star); };
constexpr Rule swing = [](std::string_view t) { return ruleSwingShares(t, Money::fromYuan(500)); };
constexpr Rule date = ruleLimitDate;

struct Row {
    const char* name;
    Rule rule;
    const char* typed;
    std::string_view message;  // empty when accepted
    const char* shown;         // accepted only
    const char* stored;        // accepted only; nullptr when nothing is stored
    friend void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }
};

class HoldingRules : public ::testing::TestWithParam<Row> {};

TEST_P(HoldingRules, give_the_verdict_of_the_row) {
    const Row& row = GetParam();
    const Verdict v = row.rule(row.typed);
    EXPECT_EQ(v.message, row.message);
    EXPECT_EQ(v.accepted, row.message.empty());
    EXPECT_EQ(v.shown, row.shown ? std::optional<std::string>(row.shown) : std::nullopt);
    EXPECT_EQ(v.stored, row.stored ? std::optional(money(row.stored)) : std::nullopt);
}

using namespace msg;
const Row kRows[] = {
    {"held_letters", held, "abc", kHeldNotNumber, nullptr, nullptr},
    {"held_zero", held, "0", kHeldMin, nullptr, nullptr},
    {"held_fraction", held, "1.5", kHeldWhole, nullptr, nullptr},
    {"held_1e400", held, "1e400", kHeldMax, nullptr, nullptr},
    {"cash_1e400", cash, "1e400", kCashMax, nullptr, nullptr},
    {"held_full_width", held, "１，０００", "", "1,000", "1000"},
    {"cost_full_width", cost, "１２", "", "12.000", "12"},

    {"cost_below_a_mill", cost, "0.0004", kCostMin, nullptr, nullptr},
    {"cost_four_decimals", cost, "12.0005", kCostDecimals, nullptr, nullptr},
    {"cost_beyond_money_decimals", cost, "12.00001", kCostDecimals, nullptr, nullptr},
    {"target_four_decimals", target, "10.5001", kTargetCostDecimals, nullptr, nullptr},

    // 9.125 is refused in fen, not rounded as the main window's price rounds it.
    {"buy_price_off_the_fen", buyPrice, "9.125", kBuyPriceFen, nullptr, nullptr},
    {"fund_sell_price_in_mills", fundSellPrice, "0.001", "", "0.001", "0.001"},
    {"fund_sell_price_off_the_mill", fundSellPrice, "1.2345", kSellPriceMill, nullptr, nullptr},
    {"rights_price_off_the_fen", rightsPrice, "6.001", kRightsPriceFen, nullptr, nullptr},

    {"cash_three_decimals", cash, "100.001", kCashDecimals, nullptr, nullptr},
    {"cash", cash, "10000", "", "10,000.00", "10000"},
    {"per10_cash_five_decimals", per10Cash, "280.24231", kPer10CashDecimals, nullptr, nullptr},
    {"per10_bonus", per10Bonus, "1.50", "", "1.5", "1.5"},

    {"main_add_odd_lot", mainAdd, "150", kAddSharesLot, nullptr, nullptr},
    {"star_add_199", starAdd, "199", kAddSharesStarMin, nullptr, nullptr},
    {"swing_above_held", swing, "501", kSwingSharesAboveHeld, nullptr, nullptr},

    {"date_too_early", date, "2008-09-18", kLimitDateTooEarly, nullptr, nullptr},
    {"date_full_width", date, "２０２６－０７－０６", "", "2026-07-06", nullptr},
    // The forms a date is written in; the calendar's days only.
    {"date_short_parts", date, " 2019-3-5 ", "", "2019-03-05", nullptr},
    {"date_slashes", date, "２０２３／8/27", "", "2023-08-27", nullptr},
    {"date_dots", date, "2023.8.27", "", "2023-08-27", nullptr},
    {"date_digits", date, "20240229", "", "2024-02-29", nullptr},
    {"date_first_day", date, "2008.9.19", "", "2008-09-19", nullptr},
    {"date_no_such_day", date, "2023-02-30", kLimitDateInvalid, nullptr, nullptr},
    {"date_no_leap_day", date, "20230229", kLimitDateInvalid, nullptr, nullptr},
    {"date_month_13", date, "2023/13/1", kLimitDateInvalid, nullptr, nullptr},
    {"date_mixed_marks", date, "2023-8/27", kLimitDateNotDate, nullptr, nullptr},
    {"date_two_digit_year", date, "23-8-27", kLimitDateNotDate, nullptr, nullptr},
    {"date_seven_digits", date, "2023827", kLimitDateNotDate, nullptr, nullptr},
    {"date_three_digit_day", date, "2023-08-270", kLimitDateNotDate, nullptr, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, HoldingRules, ::testing::ValuesIn(kRows), rowName);

// Every message names its field in the program's pattern and ends with seven ASCII blanks.
TEST(HoldingRuleMessages, follow_the_pattern) {
    for (const Row& row : kRows) {
        if (row.message.empty()) {
            continue;
        }
        const std::string m(row.message);
        EXPECT_EQ(m.rfind("输入错误，", 0), 0U) << row.name;
        EXPECT_EQ(m.substr(m.size() - 25), "，请重新输入       ") << row.name;
    }
}

}  // namespace
}  // namespace zm::test
