// The input rules of the holding tools' fields, on the text alone: which texts are refused with
// which message, and how accepted texts are rewritten and stored.
#include "input/holding_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "fees/messages.h"
#include "support/table_rows.h"

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
constexpr Rule close = [](std::string_view t) {
    return ruleToolPrice(t, PriceField::Close, Money::fromFen(1));
};
constexpr Rule rightsPrice = ruleRightsPrice;
constexpr Rule cash = ruleCash;
constexpr Rule per10Cash = [](std::string_view t) { return rulePer10(t, Per10Field::Cash); };
constexpr Rule per10Bonus = [](std::string_view t) { return rulePer10(t, Per10Field::Bonus); };
constexpr Rule mainAdd = [](std::string_view t) { return ruleAddShares(t, Board::Main); };
constexpr Rule starAdd = [](std::string_view t) { return ruleAddShares(t, Board::Star); };
constexpr Rule beijingAdd = [](std::string_view t) { return ruleAddShares(t, Board::Beijing); };
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
    {"held_above_limit", held, "2147483648", kHeldMax, nullptr, nullptr},
    {"held_huge", held, "1e300", kHeldMax, nullptr, nullptr},
    {"held_full_width", held, "１，０００", "", "1,000", "1000"},
    {"held_odd", held, "1", "", "1", "1"},

    {"cost_zero", cost, "0", kCostMin, nullptr, nullptr},
    {"cost_below_a_mill", cost, "0.0004", kCostMin, nullptr, nullptr},
    {"cost_four_decimals", cost, "12.0005", kCostDecimals, nullptr, nullptr},
    {"cost_beyond_money_decimals", cost, "12.00001", kCostDecimals, nullptr, nullptr},
    {"cost_above_limit", cost, "21474836.48", kCostMax, nullptr, nullptr},
    {"cost_three_decimals", cost, "10.431", "", "10.431", "10.431"},
    {"cost_whole", cost, "１２", "", "12.000", "12"},
    {"target_letters", target, "x", kTargetCostNotNumber, nullptr, nullptr},
    {"target_four_decimals", target, "10.5001", kTargetCostDecimals, nullptr, nullptr},
    {"target", target, "10.5", "", "10.500", "10.5"},

    {"buy_price_off_the_fen", buyPrice, "9.125", kBuyPriceFen, nullptr, nullptr},
    {"buy_price_below_a_fen", buyPrice, "0.005", kBuyPriceMin, nullptr, nullptr},
    {"buy_price_above_limit", buyPrice, "21474836.48", kBuyPriceMax, nullptr, nullptr},
    {"buy_price", buyPrice, "9", "", "9.00", "9"},
    {"fund_sell_price_in_mills", fundSellPrice, "1.234", "", "1.234", "1.234"},
    {"fund_sell_price_one_mill", fundSellPrice, "0.001", "", "0.001", "0.001"},
    {"fund_sell_price_below_a_mill", fundSellPrice, "0.0005", kSellPriceMinMill, nullptr, nullptr},
    {"fund_sell_price_off_the_mill", fundSellPrice, "1.2345", kSellPriceMill, nullptr, nullptr},
    {"close_empty", close, "", kCloseNotNumber, nullptr, nullptr},
    {"close_grouped", close, "1,212.1", "", "1212.10", "1212.1"},
    {"rights_price_off_the_fen", rightsPrice, "6.001", kRightsPriceFen, nullptr, nullptr},
    {"rights_price", rightsPrice, "6", "", "6.00", "6"},

    {"cash_below_a_fen", cash, "0.001", kCashMin, nullptr, nullptr},
    {"cash_three_decimals", cash, "100.001", kCashDecimals, nullptr, nullptr},
    {"cash_above_limit", cash, "100000000000.01", kCashMax, nullptr, nullptr},
    {"cash", cash, "10000", "", "10,000.00", "10000"},

    {"per10_cash_negative", per10Cash, "-0.01", kPer10CashMin, nullptr, nullptr},
    {"per10_cash_five_decimals", per10Cash, "280.24231", kPer10CashDecimals, nullptr, nullptr},
    {"per10_cash_four_decimals", per10Cash, "280.2423", "", "280.2423", "280.2423"},
    {"per10_cash_zero", per10Cash, "0", "", "0", "0"},
    {"per10_bonus_above_limit", per10Bonus, "1e10", kPer10BonusMax, nullptr, nullptr},
    {"per10_bonus", per10Bonus, "1.50", "", "1.5", "1.5"},

    {"main_add_below_a_lot", mainAdd, "50", kAddSharesMin, nullptr, nullptr},
    {"main_add_odd_lot", mainAdd, "150", kAddSharesLot, nullptr, nullptr},
    {"main_add_fraction", mainAdd, "100.5", kAddSharesWhole, nullptr, nullptr},
    {"main_add_above_limit", mainAdd, "2147483700", kAddSharesMax, nullptr, nullptr},
    {"main_add", mainAdd, "1100", "", "1,100", "1100"},
    {"star_add_199", starAdd, "199", kAddSharesStarMin, nullptr, nullptr},
    {"star_add_any_count", starAdd, "301", "", "301", "301"},
    {"beijing_add_99", beijingAdd, "99", kAddSharesMin, nullptr, nullptr},
    {"beijing_add_any_count", beijingAdd, "101", "", "101", "101"},

    {"swing_zero", swing, "0", kSwingSharesMin, nullptr, nullptr},
    {"swing_above_held", swing, "501", kSwingSharesAboveHeld, nullptr, nullptr},
    {"swing_all_held", swing, "500", "", "500", "500"},

    {"date_invalid", date, "2023-02-29", kLimitDateInvalid, nullptr, nullptr},
    {"date_too_early", date, "2008-09-18", kLimitDateTooEarly, nullptr, nullptr},
    {"date_full_width", date, "２０２６－０７－０６", "", "2026-07-06", nullptr},
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
