// The input rules of the main window and the shared validators of the batch dialogs, on the text
// alone: which texts are refused with which message, how accepted texts are rewritten, and what
// each verdict stores. How the flows carry a verdict out is in enter_flow_test.cpp and
// batch_dialogs_test.cpp.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "input/validation.h"
#include "support/table_rows.h"
#include "view/messages.h"

namespace zm::test {
namespace {

const std::string kTenThousandDigitInteger = "1" + std::string(9'999, '0');
const std::string kTenThousandCharFraction = "0." + std::string(9'997, '0') + "1";
const std::string kTenThousandCharOne = "1." + std::string(9'998, '0');

// Every rule as one signature: the text, and the price of its side for the quantity rules or the
// buy quantity for the dividend typed without Enter.
using Rule = Verdict (*)(std::string_view text, Money price);
constexpr Rule buyPrice = [](std::string_view t, Money) { return buyPriceRule(t); };
constexpr Rule buyQty = [](std::string_view t, Money price) { return buyQuantityRule(t, price); };
constexpr Rule sellPrice = [](std::string_view t, Money) { return sellPriceRule(t); };
constexpr Rule sellQty = [](std::string_view t, Money price) { return sellQuantityRule(t, price); };
constexpr Rule bonus = [](std::string_view t, Money) { return bonusRule(t); };
constexpr Rule dividend = [](std::string_view t, Money) { return dividendRule(t); };
constexpr Rule typedBonus = [](std::string_view t, Money) { return checkBonus(t); };
constexpr Rule typedDividend = [](std::string_view t, Money qty) { return checkDividend(t, qty); };
constexpr Rule batchBuyPrice = [](std::string_view t, Money) { return CheckBuyPrice(t); };
constexpr Rule batchBuyQty = [](std::string_view t, Money) { return CheckBuyQty(t); };
constexpr Rule batchSellPrice = [](std::string_view t, Money) { return CheckSellPrice(t); };
constexpr Rule batchSellQty = [](std::string_view t, Money) { return CheckSellQty(t); };

struct Row {
    const char* name;
    Rule rule;
    std::string typed;
    std::string_view message;  // the refusal's message; empty when accepted
    const char* shown;         // the rewritten text; nullptr when left as typed
    const char* stored;        // the value stored; nullptr when nothing is
    const char* side = "10";   // the second operand of the rule: a price or a buy quantity
};

class Rules : public ::testing::TestWithParam<Row> {};

TEST_P(Rules, give_the_verdict_of_the_row) {
    const Row& row = GetParam();
    const Verdict v = row.rule(row.typed, money(row.side));
    EXPECT_EQ(v.accepted, row.message.empty());
    EXPECT_EQ(v.message, row.message);
    EXPECT_EQ(v.shown, row.shown ? std::optional<std::string>(row.shown) : std::nullopt);
    EXPECT_EQ(v.stored, row.stored ? std::optional(money(row.stored)) : std::nullopt);
}

using namespace msg;
const Row kRows[] = {
    // Main window. Refused by the number test: nothing stored.
    {"buy_price_empty", buyPrice, "", kBuyPriceNotNumber, nullptr, nullptr},
    {"buy_price_blanks", buyPrice, "   ", kBuyPriceNotNumber, nullptr, nullptr},
    {"buy_price_letters", buyPrice, "abc", kBuyPriceNotNumber, nullptr, nullptr},
    {"buy_price_full_width_letters", buyPrice, "ＡＢＣ", kBuyPriceNotNumber, nullptr, nullptr},
    {"buy_price_bad_groups", buyPrice, "1,2,3", kBuyPriceNotNumber, nullptr, nullptr},
    {"buy_price_leading_comma", buyPrice, ",5", kBuyPriceNotNumber, nullptr, nullptr},
    {"buy_price_bare_exponent", buyPrice, "1e", kBuyPriceNotNumber, nullptr, nullptr},
    // Too large for a double: told it is too large (too small when negative), stored as zero in
    // the main window as every value beyond the supported range.
    {"buy_price_ten_thousand_digits", buyPrice, kTenThousandDigitInteger, kBuyPriceMax, nullptr,
     "0"},
    {"buy_qty_ten_thousand_digits", buyQty, kTenThousandDigitInteger, kBuyQtyMax, nullptr, "0"},
    {"sell_qty_ten_thousand_digits", sellQty, "-" + kTenThousandDigitInteger, kSellQtyMin, nullptr,
     "0"},
    {"sell_qty_twenty_digits", sellQty, "12345678901234567890", kSellQtyMax, nullptr, "0"},
    {"bonus_1e400", bonus, "1e400", kBonusMax, nullptr, nullptr},
    {"typed_dividend_1e400", typedDividend, "1e400", kDividendMax, nullptr, nullptr},
    {"batch_buy_qty_ten_thousand_digits", batchBuyQty, kTenThousandDigitInteger, kBuyQtyMax,
     nullptr, nullptr},
    {"batch_sell_price_ten_thousand_digits", batchSellPrice, kTenThousandDigitInteger,
     kBatchSellPriceMax, nullptr, nullptr},
    // Refused by a range test: the value stays stored, as zero beyond the supported range.
    {"buy_price_below_a_fen", buyPrice, "0.009", kBuyPriceMin, nullptr, "0.009"},
    {"buy_price_half_a_fen", buyPrice, "0.005", kBuyPriceMin, nullptr, "0.005"},
    {"buy_price_zero", buyPrice, "0", kBuyPriceMin, nullptr, "0"},
    {"buy_price_negative", buyPrice, "-5", kBuyPriceMin, nullptr, "-5"},
    {"buy_price_tiny_exponent", buyPrice, "1e-300", kBuyPriceMin, nullptr, "0"},
    {"buy_price_huge_negative", buyPrice, "-1e300", kBuyPriceMin, nullptr, "0"},
    {"buy_price_ten_thousand_char_fraction", buyPrice, kTenThousandCharFraction, kBuyPriceMin,
     nullptr, "0"},
    {"buy_price_just_above_limit", buyPrice, "21474836.48", kBuyPriceMax, nullptr, "0"},
    {"buy_price_eleven_digits", buyPrice, "99999999999", kBuyPriceMax, nullptr, "0"},
    {"buy_price_huge", buyPrice, "1e300", kBuyPriceMax, nullptr, "0"},
    // Accepted: rewritten to fen, halves to even, and stored as shown.
    {"buy_price_one_fen", buyPrice, "0.01", "", "0.01", "0.01"},
    {"buy_price_half", buyPrice, "9.5", "", "9.50", "9.5"},
    {"buy_price_half_fen_to_even_down", buyPrice, "9.125", "", "9.12", "9.12"},
    {"buy_price_half_fen_to_even_up", buyPrice, "9.375", "", "9.38", "9.38"},
    {"buy_price_binary_below_half", buyPrice, "1.005", "", "1.00", "1"},
    {"buy_price_money_value_is_a_fen", buyPrice, "0.00996", "", "0.01", "0.01"},
    {"buy_price_whole", buyPrice, "9", "", "9.00", "9"},
    {"buy_price_blanks_around", buyPrice, " 9.5 ", "", "9.50", "9.5"},
    {"buy_price_plus_sign", buyPrice, "+9.5", "", "9.50", "9.5"},
    {"buy_price_grouped", buyPrice, "1,234.5", "", "1234.50", "1234.5"},
    {"buy_price_exponent", buyPrice, "1.5e1", "", "15.00", "15"},
    {"buy_price_full_width", buyPrice, "１０．５", "", "10.50", "10.5"},
    {"buy_price_ten_thousand_chars", buyPrice, kTenThousandCharOne, "", "1.00", "1"},
    {"buy_price_at_limit", buyPrice, "21474836.47", "", "21474836.47", "21474836.47"},
    {"buy_price_rounds_to_limit", buyPrice, "21474836.474", "", "21474836.47", "21474836.47"},

    {"buy_qty_empty", buyQty, "", kBuyQtyNotNumber, nullptr, nullptr},
    {"buy_qty_letters", buyQty, "abc", kBuyQtyNotNumber, nullptr, nullptr},
    {"buy_qty_zero", buyQty, "0", kBuyQtyNotPositive, nullptr, "0"},
    {"buy_qty_negative", buyQty, "-100", kBuyQtyNotPositive, nullptr, "-100"},
    {"buy_qty_tiny_exponent", buyQty, "1e-300", kBuyQtyNotPositive, nullptr, "0"},
    {"buy_qty_huge_negative", buyQty, "-1e300", kBuyQtyNotPositive, nullptr, "0"},
    {"buy_qty_odd_lot", buyQty, "150", kBuyQtyLot, nullptr, "150"},
    {"buy_qty_fraction", buyQty, "100.5", kBuyQtyLot, nullptr, "100.5"},
    {"buy_qty_eleven_digits", buyQty, "99999999999", kBuyQtyLot, nullptr, "0"},
    {"buy_qty_above_limit", buyQty, "2147483700", kBuyQtyMax, nullptr, "0"},
    {"buy_qty_huge", buyQty, "1e300", kBuyQtyMax, nullptr, "0"},
    {"buy_amount_above_limit", buyQty, "2000000000", kBuyAmountMax, nullptr, "2000000000", "100"},
    {"buy_amount_just_above_limit", buyQty, "2147483600", kBuyAmountMax, nullptr, "2147483600",
     "46.57"},
    {"buy_qty_thousand", buyQty, "1000", "", "1,000", "1000"},
    {"buy_qty_grouped_again", buyQty, "1,000", "", "1,000", "1000"},
    {"buy_qty_exponent", buyQty, "1e3", "", "1,000", "1000"},
    {"buy_qty_one_lot", buyQty, "100", "", "100", "100"},
    {"buy_qty_at_limit", buyQty, "2147483600", "", "2,147,483,600", "2147483600"},
    {"buy_amount_at_limit", buyQty, "2000000000", "", "2,000,000,000", "2000000000", "50"},

    {"sell_price_letters", sellPrice, "abc", kSellPriceNotNumber, nullptr, nullptr},
    {"sell_price_below_a_fen", sellPrice, "0.009", kSellPriceMin, nullptr, "0.009"},
    {"sell_price_huge_negative", sellPrice, "-1e300", kSellPriceMin, nullptr, "0"},
    {"sell_price_just_above_limit", sellPrice, "21474836.48", kSellPriceMax, nullptr, "0"},
    {"sell_price_huge", sellPrice, "1e300", kSellPriceMax, nullptr, "0"},
    {"sell_price", sellPrice, "11", "", "11.00", "11"},
    {"sell_price_half_fen_to_even", sellPrice, "9.125", "", "9.12", "9.12"},
    {"sell_price_at_limit", sellPrice, "21474836.47", "", "21474836.47", "21474836.47"},

    {"sell_qty_letters", sellQty, "abc", kSellQtyNotNumber, nullptr, nullptr},
    {"sell_qty_half", sellQty, "0.5", kSellQtyMin, nullptr, "0.5"},
    {"sell_qty_zero", sellQty, "0", kSellQtyMin, nullptr, "0"},
    {"sell_qty_huge_negative", sellQty, "-1e300", kSellQtyMin, nullptr, "0"},
    {"sell_qty_above_limit", sellQty, "2147483648", kSellQtyMax, nullptr, "0"},
    {"sell_qty_rounds_above_limit", sellQty, "2147483647.5", kSellQtyMax, nullptr, "0"},
    {"sell_qty_eleven_digits", sellQty, "99999999999", kSellQtyMax, nullptr, "0"},
    {"sell_qty_huge", sellQty, "1e300", kSellQtyMax, nullptr, "0"},
    {"sell_amount_above_limit", sellQty, "2000000000", kSellAmountMax, nullptr, "2000000000",
     "100"},
    {"sell_qty_one", sellQty, "1", "", "1", "1"},
    {"sell_qty_odd_lot", sellQty, "99", "", "99", "99"},
    {"sell_qty_half_to_even", sellQty, "2.5", "", "2", "2"},
    {"sell_qty_grouping", sellQty, "1234", "", "1,234", "1234"},
    {"sell_qty_at_limit", sellQty, "2147483647", "", "2,147,483,647", "2147483647"},
    {"sell_qty_rounds_to_limit", sellQty, "2147483647.4", "", "2,147,483,647", "2147483647"},

    // Bonus and dividend store nothing.
    {"bonus_empty", bonus, "", kBonusNotNumber, nullptr, nullptr},
    {"bonus_letters", bonus, "abc", kBonusNotNumber, nullptr, nullptr},
    {"bonus_negative", bonus, "-1", kBonusMin, nullptr, nullptr},
    {"bonus_minus_ten", bonus, "-10", kBonusMin, nullptr, nullptr},
    {"bonus_above_ten", bonus, "10.4", kBonusMax, nullptr, nullptr},
    {"bonus_huge", bonus, "1e300", kBonusMax, nullptr, nullptr},
    {"bonus_ten", bonus, "10", "", "10", nullptr},
    {"bonus_zero", bonus, "0", "", "0", nullptr},
    {"bonus_whole_with_a_point", bonus, "5.0", "", "5", nullptr},
    {"bonus_full_width", bonus, "１０", "", "10", nullptr},
    // As announced, up to four decimals (10转4.8); trailing zeros dropped.
    {"bonus_keeps_a_fraction", bonus, "0.4", "", "0.4", nullptr},
    {"bonus_half", bonus, "2.5", "", "2.5", nullptr},
    {"bonus_announced", bonus, "4.80", "", "4.8", nullptr},
    {"bonus_four_decimals", bonus, "1.2345", "", "1.2345", nullptr},
    {"bonus_five_decimals", bonus, "1.23456", kBonusDecimals, nullptr, nullptr},
    {"bonus_below_a_ten_thousandth", bonus, "0.00001", kBonusDecimals, nullptr, nullptr},
    {"bonus_range_before_decimals", bonus, "10.00001", kBonusMax, nullptr, nullptr},

    {"dividend_letters", dividend, "abc", kDividendNotNumber, nullptr, nullptr},
    // 0 is no dividend, the field's reset text.
    {"dividend_zero", dividend, "0", "", "0.00", nullptr},
    {"dividend_reset_text", dividend, "0.00", "", "0.00", nullptr},
    {"dividend_minus_zero", dividend, "-0", "", "0.00", nullptr},
    {"dividend_negative", dividend, "-1", kDividendNegative, nullptr, nullptr},
    {"dividend_negative_fen", dividend, "-0.01", kDividendNegative, nullptr, nullptr},
    {"dividend_below_a_fen", dividend, "0.00996", kDividendDecimals, nullptr, nullptr},
    {"dividend_just_above_limit", dividend, "21474836.48", kDividendMax, nullptr, nullptr},
    {"dividend_a_tenth_of_a_fen_above_limit", dividend, "21474836.471", kDividendMax, nullptr,
     nullptr},
    {"dividend_huge", dividend, "1e300", kDividendMax, nullptr, nullptr},
    {"dividend_one_decimal", dividend, "1.5", "", "1.50", nullptr},
    {"dividend_announced", dividend, "2.356", "", "2.356", nullptr},
    {"dividend_trailing_zero", dividend, "2.3560", "", "2.356", nullptr},
    {"dividend_four_decimals", dividend, "1.2345", "", "1.2345", nullptr},
    {"dividend_five_decimals", dividend, "1.23456", kDividendDecimals, nullptr, nullptr},
    {"dividend_half_a_fen", dividend, "0.005", "", "0.005", nullptr},
    {"dividend_full_width", dividend, "２．３５６", "", "2.356", nullptr},
    {"dividend_one_fen", dividend, "0.01", "", "0.01", nullptr},
    {"dividend_at_limit", dividend, "21474836.47", "", "21474836.47", nullptr},

    // Bonus and dividend typed without Enter, before a purchase is calculated: a text that is no
    // number passes, and so does a dividend below a fen.
    {"typed_bonus_minus_ten_leaves_no_shares", typedBonus, "-10", kBonusMin, nullptr, nullptr},
    {"typed_bonus_negative", typedBonus, "-0.5", kBonusMin, nullptr, nullptr},
    {"typed_bonus_above_ten", typedBonus, "11", kBonusMax, nullptr, nullptr},
    {"typed_bonus_ten", typedBonus, "10", "", nullptr, nullptr},
    {"typed_bonus_letters", typedBonus, "abc", "", nullptr, nullptr},
    {"typed_bonus_four_decimals", typedBonus, "4.8125", "", nullptr, nullptr},
    {"typed_bonus_five_decimals", typedBonus, "4.81251", kBonusDecimals, nullptr, nullptr},
    {"typed_dividend_negative", typedDividend, "-1", kDividendNegative, nullptr, nullptr},
    {"typed_dividend_four_decimals", typedDividend, "2.3561", "", nullptr, nullptr},
    {"typed_dividend_five_decimals", typedDividend, "2.35612", kDividendDecimals, nullptr, nullptr},
    {"typed_dividend_above_limit", typedDividend, "21474836.48", kDividendMax, nullptr, nullptr},
    {"typed_dividend_huge", typedDividend, "1e300", kDividendMax, nullptr, nullptr},
    // 465.67 per 10 shares on 2,147,483,600 shares is 100,001,867,... yuan.
    {"typed_dividend_total_above_limit", typedDividend, "465.67", kDividendAmountMax, nullptr,
     nullptr, "2147483600"},
    {"typed_dividend_total_beyond_money", typedDividend, "21474836.47", kDividendAmountMax, nullptr,
     nullptr, "2147483600"},
    {"typed_dividend_total_at_limit", typedDividend, "465.66", "", nullptr, nullptr, "2147483600"},
    {"typed_dividend_zero", typedDividend, "0", "", nullptr, nullptr},
    {"typed_dividend_below_a_fen", typedDividend, "0.001", "", nullptr, nullptr},
    {"typed_dividend_empty", typedDividend, "", "", nullptr, nullptr},

    // Batch dialogs: doubles compared, nothing stored.
    {"batch_buy_price_to_a_tenth_of_a_fen", batchBuyPrice, "9.4567", "", "9.457", nullptr},
    {"batch_buy_price_keeps_its_decimals", batchBuyPrice, "9.5", "", "9.5", nullptr},
    {"batch_buy_price_drops_trailing_zeros", batchBuyPrice, "10.00", "", "10", nullptr},
    {"batch_buy_price_grouped", batchBuyPrice, "1,234.5", "", "1234.5", nullptr},
    {"batch_buy_price_at_limit", batchBuyPrice, "2147483.647", "", "2147483.647", nullptr},
    {"batch_buy_price_double_below_a_fen", batchBuyPrice, "0.00996", kBuyPriceMin, nullptr,
     nullptr},
    {"batch_buy_price_letters", batchBuyPrice, "abc", kBuyPriceNotNumber, nullptr, nullptr},
    {"batch_buy_price_empty", batchBuyPrice, "", kBuyPriceNotNumber, nullptr, nullptr},
    {"batch_buy_price_huge_negative", batchBuyPrice, "-1e300", kBuyPriceMin, nullptr, nullptr},
    {"batch_buy_price_above_limit", batchBuyPrice, "2147483.648", kBatchBuyPriceMax, nullptr,
     nullptr},
    {"batch_buy_price_main_window_limit", batchBuyPrice, "21474836.47", kBatchBuyPriceMax, nullptr,
     nullptr},
    {"batch_buy_price_huge", batchBuyPrice, "1e300", kBatchBuyPriceMax, nullptr, nullptr},

    {"batch_buy_qty_left_as_typed", batchBuyQty, "200.0", "", nullptr, nullptr},
    {"batch_buy_qty_grouped_left_as_typed", batchBuyQty, "1,000", "", nullptr, nullptr},
    {"batch_buy_qty_full_width_shown_in_ascii", batchBuyQty, "１，０００", "", "1,000", nullptr},
    {"batch_buy_qty_full_width_refused", batchBuyQty, "１５０", kBuyQtyLot, nullptr, nullptr},
    {"batch_buy_qty_at_limit", batchBuyQty, "2147483600", "", nullptr, nullptr},
    {"batch_buy_qty_letters", batchBuyQty, "abc", kBuyQtyNotNumber, nullptr, nullptr},
    {"batch_buy_qty_zero", batchBuyQty, "0", kBuyQtyNotPositive, nullptr, nullptr},
    {"batch_buy_qty_negative", batchBuyQty, "-100", kBuyQtyNotPositive, nullptr, nullptr},
    {"batch_buy_qty_odd_lot", batchBuyQty, "150", kBuyQtyLot, nullptr, nullptr},
    {"batch_buy_qty_two_and_a_half_lots", batchBuyQty, "250", kBuyQtyLot, nullptr, nullptr},
    {"batch_buy_qty_fraction", batchBuyQty, "100.5", kBuyQtyLot, nullptr, nullptr},
    {"batch_buy_qty_above_limit", batchBuyQty, "2147483700", kBuyQtyMax, nullptr, nullptr},
    {"batch_buy_qty_huge", batchBuyQty, "1e300", kBuyQtyMax, nullptr, nullptr},

    {"batch_sell_price_to_a_tenth_of_a_fen", batchSellPrice, "9.4567", "", "9.457", nullptr},
    {"batch_sell_price_letters", batchSellPrice, "abc", kSellPriceNotNumber, nullptr, nullptr},
    {"batch_sell_price_below_a_fen", batchSellPrice, "0.009", kSellPriceMin, nullptr, nullptr},
    {"batch_sell_price_above_limit", batchSellPrice, "2147483.648", kBatchSellPriceMax, nullptr,
     nullptr},

    {"batch_sell_qty_plain_digits", batchSellQty, "1234", "", "1234", nullptr},
    {"batch_sell_qty_group_separators_dropped", batchSellQty, "1,234", "", "1234", nullptr},
    {"batch_sell_qty_half_to_even", batchSellQty, "2.5", "", "2", nullptr},
    {"batch_sell_qty_one", batchSellQty, "1", "", "1", nullptr},
    {"batch_sell_qty_at_limit", batchSellQty, "2147483647", "", "2147483647", nullptr},
    {"batch_sell_qty_letters", batchSellQty, "abc", kSellQtyNotNumber, nullptr, nullptr},
    {"batch_sell_qty_half", batchSellQty, "0.5", kSellQtyMin, nullptr, nullptr},
    {"batch_sell_qty_above_limit", batchSellQty, "2147483648", kSellQtyMax, nullptr, nullptr},
    {"batch_sell_qty_huge", batchSellQty, "1e300", kSellQtyMax, nullptr, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, Rules, ::testing::ValuesIn(kRows), rowName);

// The commission rate typed into the commission list under a trade date's rules.
struct RateRow {
    const char* name;
    std::string typed;
    std::string_view message;  // empty when accepted
    const char* shown;         // the rewritten text; nullptr when left as typed
    std::int64_t ppm;          // the rate taken, in millionths
};

class CommissionRate : public ::testing::TestWithParam<RateRow> {};

TEST_P(CommissionRate, gives_the_verdict_of_the_row) {
    const RateRow& row = GetParam();
    const RateVerdict v = ruleCommissionRate(row.typed);
    EXPECT_EQ(v.verdict.accepted, row.message.empty());
    EXPECT_EQ(v.verdict.message, row.message);
    EXPECT_EQ(v.verdict.shown, row.shown ? std::optional<std::string>(row.shown) : std::nullopt);
    if (v.verdict.accepted) {
        EXPECT_EQ(v.ppm, row.ppm);
    }
}

const RateRow kRateRows[] = {
    {"brokers_wan_two_and_a_half", "0.25", "", nullptr, 250},
    {"three_decimals", "0.085", "", nullptr, 85},
    {"highest", "3", "", nullptr, 3000},
    {"no_leading_zero", ".5", "", nullptr, 500},
    {"zero", "0", "", nullptr, 0},
    {"blanks_around", " 1.5 ", "", nullptr, 1500},
    {"trailing_zeros_are_no_decimals", "0.2500", "", nullptr, 250},
    {"full_width_shown_in_ascii", "０．２５", "", "0.25", 250},
    {"full_width_point_and_digits", "１.５", "", "1.5", 1500},
    {"fourth_decimal", "0.0001", kCommissionRateDecimals, nullptr, 0},
    {"fifth_decimal", "0.25001", kCommissionRateDecimals, nullptr, 0},
    {"fourth_decimal_just_below_the_highest", "2.9995", kCommissionRateDecimals, nullptr, 0},
    {"fourth_decimal_full_width", "０．１２３４", kCommissionRateDecimals, nullptr, 0},
    {"above_the_highest_by_a_thousandth", "3.001", kCommissionRateInvalid, nullptr, 0},
    {"above_the_highest_by_less", "3.0001", kCommissionRateInvalid, nullptr, 0},
    {"empty", "", kCommissionRateInvalid, nullptr, 0},
    {"negative", "-1", kCommissionRateInvalid, nullptr, 0},
    {"exponent", "1e-3", kCommissionRateForm, nullptr, 0},
    {"exponent_beyond_3", "1e1", kCommissionRateInvalid, nullptr, 0},
    {"letters", "abc", kCommissionRateInvalid, nullptr, 0},
    {"two_points", "1..2", kCommissionRateInvalid, nullptr, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, CommissionRate, ::testing::ValuesIn(kRateRows), rowName);

}  // namespace
}  // namespace zm::test
