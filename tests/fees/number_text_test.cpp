#include "fees/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace zm {
namespace {

std::string show(std::optional<std::int64_t> v) {
    return v ? std::to_string(*v) : std::string("nullopt");
}

std::string showTicks(std::optional<Money> m) {
    return m ? std::to_string(m->ticks()) : std::string("nullopt");
}

std::string repeated(char c, std::size_t n) {
    return std::string(n, c);
}

// ---------------------------------------------------------------------------------------------
// The grammar: texts that are numbers, with the double they read as.

struct AcceptedRow {
    const char* name;
    std::string text;
    double value;
};

const AcceptedRow kAccepted[] = {
    {"digit", "5", 5.0},
    {"decimal", "5.0", 5.0},
    {"trailing_point", "5.", 5.0},
    {"leading_point", ".5", 0.5},
    {"plus_sign", "+5", 5.0},
    {"minus_sign", "-5", -5.0},
    {"blanks_at_both_ends", " 5 ", 5.0},
    {"tabs_at_both_ends", "\t5\t", 5.0},
    {"mixed_blanks", " \t 12.5\t ", 12.5},
    {"group_of_three", "1,000", 1000.0},
    {"two_digit_lead_group", "12,345", 12345.0},
    {"three_groups_with_fraction", "1,234,567.5", 1234567.5},
    {"groups_with_sign_and_blanks", "  -12,345,678.25 ", -12345678.25},
    {"groups_as_the_program_writes_them", "1,234.50", 1234.5},
    {"grouped_then_exponent", "1,000e3", 1e6},
    {"exponent", "1e3", 1000.0},
    {"capital_exponent_negative", "1E-2", 0.01},
    {"everything_at_once", "-.5e+2", -50.0},
    {"exponent_with_leading_zeros", "1e-05", 1e-5},
    {"general_form_exponent", "1e+15", 1e15},
    {"leading_zeros", "007", 7.0},
    {"zero", "0", 0.0},
    {"zero_point", "0.", 0.0},
    {"point_zero", ".0", 0.0},
    {"fraction_of_a_fen", "0.005", 0.005},
    {"largest_double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"largest_fifteen_digit_text", "1.79769313486231e+308", 1.79769313486231e308},
    {"smallest_subnormal", "4.9e-324", 4.9406564584124654e-324},
    {"subnormal", "1e-310", 1e-310},
    {"too_small_reads_as_zero", "1e-400", 0.0},
    {"negative_too_small_reads_as_zero", "-1e-400", 0.0},
    {"below_half_the_smallest_subnormal_reads_as_zero", "2e-324", 0.0},
    {"very_long_negative_exponent_reads_as_zero", "1e-99999999999999999999", 0.0},
    {"zero_with_huge_exponent", "0e999999", 0.0},
    {"long_zero_run_before_a_digit", repeated('0', 10'000) + "5", 5.0},
    {"long_fraction", "0." + repeated('3', 10'000), 0.3333333333333333},
    {"long_fraction_too_small_reads_as_zero", "0." + repeated('0', 10'000) + "1", 0.0},
    {"long_fraction_brought_back_by_exponent", "0." + repeated('0', 9'999) + "25e10000", 2.5},
    // What a Chinese input method types in its full-width mode reads as the ASCII forms.
    {"full_width_digits", "１００", 100.0},
    {"full_width_decimal", "１０．５", 10.5},
    {"full_width_groups", "１，０００", 1000.0},
    {"full_width_minus_and_blanks", "　－１２．２５　", -12.25},
    {"full_width_among_ascii", "1,０00.5e1", 10005.0},
};

TEST(NumberText, accepts_the_number_grammar_and_reads_the_nearest_double) {
    for (const auto& row : kAccepted) {
        EXPECT_TRUE(IsNumberText(row.text)) << row.name;
        const auto d = numberTextToDouble(row.text);
        ASSERT_TRUE(d.has_value()) << row.name;
        EXPECT_EQ(*d, row.value) << row.name;
    }
}

TEST(NumberText, reads_a_signed_zero_as_zero_in_every_conversion) {
    for (const char* text : {"-0", "-0.0", "-.0e5", "-1e-400"}) {
        EXPECT_EQ(numberTextToDouble(text).value_or(1.0), 0.0) << text;
        EXPECT_EQ(showTicks(numberTextToMoney(text)), "0") << text;
        EXPECT_EQ(show(numberTextToWhole(text)), "0") << text;
    }
}

// ---------------------------------------------------------------------------------------------
// Texts that are not numbers: every conversion refuses them.

struct RefusedRow {
    const char* name;
    std::string text;
};

const RefusedRow kRefused[] = {
    {"empty", ""},
    {"blanks_only", "  "},
    {"tab_only", "\t"},
    {"short_group_before_point", "1,2.3"},
    {"two_points", "1.2.3"},
    {"two_minus_signs", "--1"},
    {"exponent_without_digits", "1e"},
    {"exponent_without_mantissa", "e5"},
    {"leading_comma", ",100"},
    {"ten_thousand_digits", repeated('9', 10'000)},
    {"ten_thousand_digits_grouped", "1" +
                                        [] {
                                            std::string s;
                                            for (int i = 0; i < 3'333; ++i) {
                                                s += ",999";
                                            }
                                            return s;
                                        }()},
    {"too_large_for_a_double", "1e400"},
    {"too_large_negative", "-1e400"},
    {"rounds_beyond_the_largest_double", "1.79769313486232e+308"},
    {"very_long_exponent", "1e99999999999999999999"},
    {"double_comma", "1,,000"},
    {"group_of_four", "1,0000"},
    {"group_of_two", "1,00"},
    {"groups_of_one", "1,2,3"},
    {"lead_group_of_four", "1000,000"},
    {"short_last_group", "1,000,00"},
    {"decimal_comma", "0,5"},
    {"decimal_comma_after_groups", "1.000,5"},
    {"comma_in_fraction", "1,000.5,0"},
    {"trailing_comma", "5,"},
    {"comma_before_point", "1,.5"},
    {"sign_then_comma", "-,500"},
    {"comma_in_exponent", "1e1,000"},
    {"exponent_sign_without_digits", "1e+"},
    {"point_only", "."},
    {"minus_only", "-"},
    {"plus_only", "+"},
    {"sign_and_point", "-."},
    {"point_and_exponent", ".e5"},
    {"plus_then_minus", "+-1"},
    {"inner_blank", "1 000"},
    {"blank_after_sign", "- 5"},
    {"blank_before_exponent", "5 e3"},
    {"hexadecimal", "0x10"},
    {"currency_sign",
     "\xC2\xA5"
     "5"},  // "¥5"
    {"parentheses", "(5)"},
    {"fractional_exponent", "5e3.5"},
    {"second_exponent", "1.2e3e4"},
    {"other_exponent_letter", "1d3"},
    {"underscore_grouping", "1_000"},
    {"apostrophe_grouping", "1'000"},
    {"infinity_word", "inf"},
    {"infinity_long_word", "Infinity"},
    {"not_a_number_word", "nan"},
    {"newline_before", "\n5"},
    {"newline_after", "5\n"},
    {"full_width_letter_exponent", "１Ｅ３"},
    {"full_width_plus_sign", "＋５"},
    {"full_width_group_of_two", "１，００"},
    {"ideographic_full_stop", "１０。５"},
    {"full_width_inner_blank", "１　０００"},
    {"embedded_nul", std::string("5\0", 2)},
    {"trailing_letter", "5a"},
};

TEST(NumberText, refuses_texts_outside_the_grammar_in_every_conversion) {
    for (const auto& row : kRefused) {
        EXPECT_FALSE(IsNumberText(row.text)) << row.name;
        EXPECT_FALSE(numberTextToDouble(row.text).has_value()) << row.name;
        EXPECT_FALSE(numberTextToMoney(row.text).has_value()) << row.name;
        EXPECT_FALSE(numberTextToWhole(row.text).has_value()) << row.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Conversion to Money.

struct MoneyRow {
    const char* name;
    std::string text;
    std::optional<std::int64_t> ticks;
};

const MoneyRow kToMoney[] = {
    {"price", "10.05", 100'500},
    {"grouped_amount", "1,234,567.5", 12'345'675'000},
    {"negative", "-7.6", -76'000},
    {"trade_amount_limit", "100,000,000,000", 1'000'000'000'000'000},
    // The text's double decides: 0.00005 is a hair above half a tick in binary.
    {"binary_above_half_tick", "0.00005", 1},
    {"binary_below_half_tick", "0.00015", 1},
    {"exact_binary_half_to_even", "0.03125", 312},
    {"exact_binary_half_to_even_up", "0.09375", 938},
    {"fifth_decimal_rounds", "1.23456", 12'346},
    {"largest_that_fits", "922337203685477.5", 9'223'372'036'854'775'000},
    {"most_negative_that_fits", "-922,337,203,685,477.5", -9'223'372'036'854'775'000},
    {"beyond_money_range", "922337203685477.625", std::nullopt},
    {"far_beyond_money_range", "1e15", std::nullopt},
    {"beyond_money_range_negative", "-1e300", std::nullopt},
    {"too_small_is_zero", "1e-400", 0},
};

TEST(NumberTextToMoney, rounds_the_texts_double_to_four_decimals_or_reports_the_range) {
    for (const auto& row : kToMoney) {
        EXPECT_EQ(showTicks(numberTextToMoney(row.text)), show(row.ticks)) << row.name;
        // A value outside Money's range is still a number: the caller tells the two apart.
        EXPECT_TRUE(IsNumberText(row.text)) << row.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Conversion to a whole number.

struct WholeRow {
    const char* name;
    std::string text;
    std::optional<std::int64_t> whole;
};

const WholeRow kToWhole[] = {
    {"two_and_a_half_gives_two", "2.5", 2},
    {"three_and_a_half_gives_four", "3.5", 4},
    {"one_half_gives_zero", "0.5", 0},
    {"one_and_a_half_gives_two", "1.5", 2},
    {"minus_two_and_a_half_gives_minus_two", "-2.5", -2},
    {"minus_one_half_gives_zero", "-0.5", 0},
    {"above_half_rounds_up", "2.51", 3},
    {"below_half_rounds_down", "3.49", 3},
    {"grouped_with_blanks", " 1,000 ", 1000},
    {"exponent", "1.5e3", 1500},
    {"largest_sell_quantity", "2,147,483,647", 2'147'483'647},
    {"half_beyond_32_bits", "2147483647.5", 2'147'483'648},
    {"largest_double_below_2_to_63", "9223372036854774784", 9'223'372'036'854'774'784},
    {"most_negative", "-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
    // The largest int64 has no double; its nearest double is 2^63, which is out of range.
    {"largest_int64_reads_as_2_to_63", "9223372036854775807", std::nullopt},
    {"beyond_64_bits", "1e19", std::nullopt},
    {"far_beyond_64_bits", "-1e300", std::nullopt},
    {"too_small_is_zero", "1e-400", 0},
};

TEST(NumberTextToWhole, rounds_to_the_nearest_integer_halves_to_even_or_reports_the_range) {
    for (const auto& row : kToWhole) {
        EXPECT_EQ(show(numberTextToWhole(row.text)), show(row.whole)) << row.name;
        EXPECT_TRUE(IsNumberText(row.text)) << row.name;
    }
}

}  // namespace
}  // namespace zm
