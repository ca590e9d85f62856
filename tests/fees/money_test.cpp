#include "fees/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace zm {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Money ticks(std::int64_t t) {
    return Money::fromTicks(t);
}

std::optional<std::int64_t> ticksOf(std::optional<Money> m) {
    return m ? std::optional<std::int64_t>(m->ticks()) : std::nullopt;
}

std::string show(std::optional<std::int64_t> v) {
    return v ? std::to_string(*v) : std::string("nullopt");
}

// ---------------------------------------------------------------------------------------------
// Conversion of a double to Money.

struct FromDoubleRow {
    const char* name;
    double value;
    std::optional<std::int64_t> ticks;
};

// 0.00005 and its kin are not exact in binary: the double's exact value decides the rounding,
// not the decimal text it was written as. Exact binary halves of a tick are multiples of 1/32.
const FromDoubleRow kFromDouble[] = {
    {"whole_yuan", 12.0, 120'000},
    {"four_decimals", 10.05, 100'500},
    {"one_tick", 0.0001, 1},
    {"binary_0_00005_is_above_the_half_so_rounds_up", 0.00005, 1},
    {"binary_0_00015_is_below_the_half_so_rounds_down", 0.00015, 1},
    {"binary_0_00025_is_above_the_half_so_rounds_up", 0.00025, 3},
    {"binary_0_00035_is_below_the_half_so_rounds_down", 0.00035, 3},
    {"binary_1_00005_is_above_the_half_so_rounds_up", 1.00005, 10'001},
    {"exact_half_1_32_goes_to_even_below", 0.03125, 312},
    {"exact_half_3_32_goes_to_even_above", 0.09375, 938},
    {"exact_half_5_32_goes_to_even_below", 0.15625, 1'562},
    {"exact_half_negative_goes_to_even", -0.03125, -312},
    {"exact_half_negative_odd_goes_to_even", -0.09375, -938},
    {"exact_half_of_a_large_value", 12345.03125, 123'450'312},
    {"negative_four_decimals", -7.6, -76'000},
    {"negative_zero_is_zero", -0.0, 0},
    {"smallest_subnormal_is_zero", 4.9406564584124654e-324, 0},
    {"tiny_is_zero", 1e-300, 0},
    {"below_half_a_tick_is_zero", 0.000024, 0},
    {"largest_double_that_fits", 922337203685477.5, 9'223'372'036'854'775'000},
    {"next_double_is_beyond_the_range", 922337203685477.625, std::nullopt},
    {"most_negative_double_that_fits", -922337203685477.5, -9'223'372'036'854'775'000},
    {"next_negative_double_is_beyond_the_range", -922337203685477.625, std::nullopt},
    {"two_to_the_52_is_beyond_the_range", 4503599627370496.0, std::nullopt},
    {"two_to_the_62_is_beyond_the_range", 4611686018427387904.0, std::nullopt},
    {"two_to_the_63_is_beyond_the_range", 9223372036854775808.0, std::nullopt},
    {"huge_is_beyond_the_range", 1e300, std::nullopt},
    {"largest_double_is_beyond_the_range", std::numeric_limits<double>::max(), std::nullopt},
    {"negative_largest_double_is_beyond_the_range", -std::numeric_limits<double>::max(),
     std::nullopt},
    {"infinity", kInf, std::nullopt},
    {"negative_infinity", -kInf, std::nullopt},
    {"not_a_number", kNaN, std::nullopt},
};

TEST(MoneyFromDouble, rounds_the_exact_binary_value_to_four_decimals_halves_to_even) {
    for (const auto& row : kFromDouble) {
        EXPECT_EQ(show(ticksOf(Money::fromDouble(row.value))), show(row.ticks)) << row.name;
    }
}

TEST(MoneyFromDouble, reads_back_every_value_it_writes_as_a_double) {
    // Below 2^53 ticks a double holds every Money value closely enough to come back exactly.
    std::mt19937_64 rng(20240501);
    for (int i = 0; i < 20000; ++i) {
        const int digits = static_cast<int>(rng() % 15) + 1;
        std::int64_t limit = 1;
        for (int d = 0; d < digits; ++d) {
            limit *= 10;
        }
        auto t = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(limit));
        if (rng() % 2 != 0) {
            t = -t;
        }
        const auto back = Money::fromDouble(ticks(t).toDouble());
        ASSERT_TRUE(back.has_value()) << t;
        ASSERT_EQ(back->ticks(), t);
    }
}

// ---------------------------------------------------------------------------------------------
// Money to double.

struct ToDoubleRow {
    const char* name;
    std::int64_t ticks;
    double value;
};

const ToDoubleRow kToDouble[] = {
    {"price", 100'500, 10.05},
    {"negative", -76'000, -7.6},
    {"zero", 0, 0.0},
    {"one_tick", 1, 0.0001},
    {"largest_exact_tick_count", (std::int64_t{1} << 53) - 1, 900719925474.0991},
    // Beyond 2^53 ticks a conversion of the tick count to double would round a first time;
    // these values are the ones where the second rounding would then miss the nearest double.
    {"large_value_rounds_once_01", 591'064'915'700'530'116, 59106491570053.01},
    {"large_value_rounds_once_34", 1'096'615'257'545'913'404, 109661525754591.34},
    {"large_negative_rounds_once", -5'258'986'265'376'043'509, -525898626537604.4},
    {"largest", kMax, 922337203685477.5807},
    {"most_negative", kMin, -922337203685477.5808},
};

TEST(MoneyToDouble, gives_the_double_nearest_to_the_exact_value) {
    for (const auto& row : kToDouble) {
        const double got = ticks(row.ticks).toDouble();
        EXPECT_EQ(got, row.value) << row.name << ": " << std::setprecision(17) << got;
    }
}

// ---------------------------------------------------------------------------------------------
// Sums, differences and products.

TEST(MoneyArithmetic, sums_and_differences_are_exact) {
    EXPECT_EQ((ticks(100'500) + ticks(1)).ticks(), 100'501);
    EXPECT_EQ((ticks(1) - ticks(100'500)).ticks(), -100'499);
    // 0.1 + 0.2 in tenths of a thousandth stays 0.3 exactly.
    EXPECT_EQ(ticks(1'000) + ticks(2'000), ticks(3'000));
    Money m = ticks(10);
    m += ticks(5);
    m -= ticks(20);
    EXPECT_EQ(m.ticks(), -5);
    EXPECT_EQ((-ticks(42)).ticks(), -42);
}

TEST(MoneyArithmetic, checked_sum_and_difference_report_leaving_the_range) {
    EXPECT_EQ(show(ticksOf(Money::add(ticks(kMax - 1), ticks(1)))), show(kMax));
    EXPECT_EQ(show(ticksOf(Money::add(ticks(kMax), ticks(1)))), show(std::nullopt));
    EXPECT_EQ(show(ticksOf(Money::add(ticks(kMin), ticks(-1)))), show(std::nullopt));
    EXPECT_EQ(show(ticksOf(Money::add(ticks(kMin), ticks(kMax)))), show(-1));
    EXPECT_EQ(show(ticksOf(Money::sub(ticks(kMin + 1), ticks(1)))), show(kMin));
    EXPECT_EQ(show(ticksOf(Money::sub(ticks(kMin), ticks(1)))), show(std::nullopt));
    EXPECT_EQ(show(ticksOf(Money::sub(ticks(0), ticks(kMin)))), show(std::nullopt));
    EXPECT_EQ(show(ticksOf(Money::sub(ticks(-1), ticks(kMin)))), show(kMax));
}

TEST(MoneyArithmetic, unchecked_sum_and_difference_saturate_instead_of_wrapping) {
    EXPECT_EQ((ticks(kMax) + ticks(1)).ticks(), kMax);
    EXPECT_EQ((ticks(kMin) - ticks(1)).ticks(), kMin);
    EXPECT_EQ((-ticks(kMin)).ticks(), kMax);
}

struct MulRow {
    const char* name;
    std::int64_t a;
    std::int64_t b;
    std::optional<std::int64_t> product;
};

const MulRow kMul[] = {
    {"price_times_quantity", 100'500, 1'000 * 10'000, 100'500'000},
    {"quantity_times_price", 1'000 * 10'000, 100'500, 100'500'000},
    {"half_tick_goes_to_even_zero", 1, 5'000, 0},
    {"one_and_a_half_ticks_go_to_even_two", 3, 5'000, 2},
    {"two_and_a_half_ticks_go_to_even_two", 5, 5'000, 2},
    {"negative_half_goes_to_even", -3, 5'000, -2},
    {"negative_times_negative_half", -5, -5'000, 2},
    {"just_above_half_rounds_up", 5, 5'001, 3},
    {"just_below_half_rounds_down", 5, 4'999, 2},
    {"tiny_product_is_zero", 1, 1, 0},
    {"by_zero", kMax, 0, 0},
    {"largest_by_one_yuan", kMax, 10'000, kMax},
    {"most_negative_by_one_yuan", kMin, 10'000, kMin},
    {"largest_by_minus_one_yuan", kMax, -10'000, -kMax},
    {"most_negative_by_minus_one_yuan_overflows", kMin, -10'000, std::nullopt},
    {"hundred_million_squared_overflows", 100'000'000LL * 10'000, 100'000'000LL * 10'000,
     std::nullopt},
    {"largest_squared_overflows", kMax, kMax, std::nullopt},
    {"most_negative_squared_overflows", kMin, kMin, std::nullopt},
    {"largest_by_a_little_more_than_one_overflows", kMax, 10'001, std::nullopt},
};

TEST(MoneyMul, rounds_the_exact_product_to_four_decimals_halves_to_even) {
    for (const auto& row : kMul) {
        EXPECT_EQ(show(ticksOf(Money::mul(ticks(row.a), ticks(row.b)))), show(row.product))
            << row.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Integer division helpers, including the ends of the 128-bit range.

constexpr Int128 kInt128Max = static_cast<Int128>(~UInt128{0} >> 1);
constexpr Int128 kInt128Min = -kInt128Max - 1;

struct DivRow {
    const char* name;
    Int128 num;
    Int128 den;
    Int128 halfEven;
    Int128 ceil;
    Int128 halfUp;  // halves away from zero
};

const DivRow kDiv[] = {
    {"exact", 6, 3, 2, 2, 2},
    {"one_third", 1, 3, 0, 1, 0},
    {"two_thirds", 2, 3, 1, 1, 1},
    {"half_to_even_down", 5, 2, 2, 3, 3},
    {"half_to_even_up", 7, 2, 4, 4, 4},
    {"negative_half_to_even", -5, 2, -2, -2, -3},
    {"negative_half_odd", -7, 2, -4, -3, -4},
    {"negative_denominator", 7, -2, -4, -3, -4},
    {"both_negative", -7, -2, 4, 4, 4},
    {"negative_two_thirds", -2, 3, -1, 0, -1},
    {"zero_over_negative", 0, -5, 0, 0, 0},
    {"most_negative_halved", kInt128Min, 2, kInt128Min / 2, kInt128Min / 2, kInt128Min / 2},
    {"most_negative_over_three", kInt128Min, 3, kInt128Min / 3 - 1, kInt128Min / 3,
     kInt128Min / 3 - 1},
    {"largest_over_itself", kInt128Max, kInt128Max, 1, 1, 1},
    {"largest_over_most_negative", kInt128Max, kInt128Min, -1, 0, -1},
    {"most_negative_over_itself", kInt128Min, kInt128Min, 1, 1, 1},
    {"largest_over_two", kInt128Max, 2, kInt128Max / 2 + 1, kInt128Max / 2 + 1, kInt128Max / 2 + 1},
};

TEST(MoneyDivision, rounds_quotients_half_to_even_half_up_and_up_without_overflow) {
    for (const auto& row : kDiv) {
        EXPECT_TRUE(divRoundHalfEven(row.num, row.den) == row.halfEven) << row.name;
        EXPECT_TRUE(divRoundHalfUp(row.num, row.den) == row.halfUp) << row.name;
        EXPECT_TRUE(divCeil(row.num, row.den) == row.ceil) << row.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Rounding of doubles to whole numbers.

struct RoundRow {
    const char* name;
    double value;
    std::optional<std::int64_t> rounded;
};

const RoundRow kRoundHalfEven[] = {
    {"two_and_a_half_gives_two", 2.5, 2},
    {"three_and_a_half_gives_four", 3.5, 4},
    {"one_half_gives_zero", 0.5, 0},
    {"one_and_a_half_gives_two", 1.5, 2},
    {"minus_one_half_gives_zero", -0.5, 0},
    {"minus_one_and_a_half_gives_minus_two", -1.5, -2},
    {"minus_two_and_a_half_gives_minus_two", -2.5, -2},
    {"minus_three_and_a_half_gives_minus_four", -3.5, -4},
    {"just_below_half", 0.49999999999999994, 0},
    {"just_above_two_and_a_half", 2.5000000000000004, 3},
    {"just_below_two_and_a_half", 2.4999999999999996, 2},
    {"negative_zero", -0.0, 0},
    {"negative_fraction", -0.4, 0},
    {"odd_whole_above_2_to_52", 4503599627370497.0, 4'503'599'627'370'497},
    {"past_the_32_bit_range", 2147483647.5, 2'147'483'648},
    {"below_the_32_bit_range", -2147483648.5, -2'147'483'648},
    {"most_negative_64_bit", -9223372036854775808.0, kMin},
    {"largest_double_below_2_to_63", 9223372036854774784.0, 9'223'372'036'854'774'784},
    {"two_to_the_63_is_out_of_range", 9223372036854775808.0, std::nullopt},
    {"below_the_64_bit_range", -9223372036854777856.0, std::nullopt},
    {"huge", 1e300, std::nullopt},
    {"infinity", kInf, std::nullopt},
    {"negative_infinity", -kInf, std::nullopt},
    {"not_a_number", kNaN, std::nullopt},
};

TEST(RoundHalfEven, gives_the_nearest_integer_with_halves_to_even_or_reports_the_range) {
    for (const auto& row : kRoundHalfEven) {
        EXPECT_EQ(show(roundHalfEven(row.value)), show(row.rounded)) << row.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Fen rounding and the fen ceiling.

struct FenDoubleRow {
    const char* name;
    double value;
    std::optional<std::int64_t> ticks;
};

const FenDoubleRow kFenRoundDouble[] = {
    // 2.5‰ of 4,938.00 is 1234.5 fen and of 4,942.00 1235.5 fen: both go to the even fen.
    {"halfway_commission_goes_down_to_even", 2.5 * 4938.0 * 0.001, 123'400},
    {"halfway_commission_goes_up_to_even", 2.5 * 4942.0 * 0.001, 123'600},
    {"exact_half_fen_down", 0.125, 1'200},
    {"exact_half_fen_up", 0.375, 3'800},
    {"negative_exact_half_fen", -0.125, -1'200},
    {"negative_exact_half_fen_up", -0.375, -3'800},
    {"start_price_of_the_break_even_example", 10061.0 / 1000.0, 100'600},
    {"whole_fen_stays", 30.36, 303'600},
    {"small_negative_is_zero", -0.004, 0},
    {"top_of_the_32_bit_fen_range", 21474836.47, 214'748'364'700},
    {"past_the_32_bit_fen_range", 21474836.48, 214'748'364'800},
    {"three_hundred_million", 300000000.0, 3'000'000'000'000},
    {"large_fen_count", 90000000000000.25, 900'000'000'000'002'500},
    {"fen_count_fits_but_ticks_do_not", 1e15, std::nullopt},
    {"fen_count_beyond_64_bits", 1e17, std::nullopt},
    {"infinity", kInf, std::nullopt},
    {"not_a_number", kNaN, std::nullopt},
};

TEST(FenRound, rounds_a_double_to_whole_fen_halves_to_even) {
    for (const auto& row : kFenRoundDouble) {
        EXPECT_EQ(show(ticksOf(fenRound(row.value))), show(row.ticks)) << row.name;
    }
}

struct FenMoneyRow {
    const char* name;
    std::int64_t ticks;
    std::int64_t rounded;
};

const FenMoneyRow kFenRoundMoney[] = {
    {"half_fen_down_to_even", 123'450, 123'400},
    {"half_fen_up_to_even", 123'550, 123'600},
    {"negative_half_fen_to_even", -123'450, -123'400},
    {"negative_half_fen_up_to_even", -123'550, -123'600},
    {"just_above_half", 123'451, 123'500},
    {"just_below_half", 123'449, 123'400},
    {"whole_fen_stays", 303'600, 303'600},
    {"zero", 0, 0},
    {"largest", kMax, 9'223'372'036'854'775'800},
    {"most_negative", kMin, -9'223'372'036'854'775'800},
};

TEST(FenRound, rounds_a_money_value_to_whole_fen_halves_to_even) {
    for (const auto& row : kFenRoundMoney) {
        EXPECT_EQ(fenRound(ticks(row.ticks)).ticks(), row.rounded) << row.name;
    }
}

const FenDoubleRow kFenCeilDouble[] = {
    {"whole_fen_stays", 7.5, 75'000},
    {"a_tenth_of_a_fen_goes_up", 7.501, 75'100},
    {"just_below_a_fen_goes_up", 7.589, 75'900},
    {"negative_goes_up_towards_zero", -7.509, -75'000},
    {"zero", 0.0, 0},
    {"negative_zero", -0.0, 0},
    // The double form works on the double as it is: 1005 / 100 is a hair above 10.05 in binary
    // and so goes up. Quotients of Money values take fenCeilQuotient, which is exact.
    {"double_a_hair_above_a_fen_goes_up", 1005.0 / 100.0, 100'600},
    {"past_the_32_bit_fen_range", 21474836.471, 214'748'364'800},
    {"beyond_the_range", 1e15, std::nullopt},
    {"infinity", kInf, std::nullopt},
    {"not_a_number", kNaN, std::nullopt},
};

TEST(FenCeil, gives_the_smallest_whole_fen_not_below_a_double) {
    for (const auto& row : kFenCeilDouble) {
        EXPECT_EQ(show(ticksOf(fenCeil(row.value))), show(row.ticks)) << row.name;
    }
}

struct QuotientRow {
    const char* name;
    std::int64_t num;
    std::int64_t den;
    std::optional<std::int64_t> ceil;
};

const QuotientRow kFenCeilQuotient[] = {
    {"exact_quotient_stays", 1'005 * 10'000, 100 * 10'000, 100'500},
    {"a_tenth_of_a_fen_goes_up", 10'061 * 10'000, 1'000 * 10'000, 100'700},
    {"a_long_quotient_goes_up", 9'861 * 10'000, 1'300 * 10'000, 75'900},
    {"whole_fen_quotient_stays", 10'060 * 10'000, 1'000 * 10'000, 100'600},
    {"tick_over_many_shares_is_one_fen", 1, 1'000 * 10'000, 100},
    {"zero", 0, 5 * 10'000, 0},
    {"negative_exact", -1'005 * 10'000, 100 * 10'000, -100'500},
    {"negative_goes_up_towards_zero", -10'061 * 10'000, 1'000 * 10'000, -100'600},
    {"negative_denominator", 10'061 * 10'000, -1'000 * 10'000, -100'600},
    {"both_negative", -10'061 * 10'000, -1'000 * 10'000, 100'700},
    {"largest_by_one_yuan_overflows_once_rounded_up", kMax, 10'000, std::nullopt},
    {"most_negative_by_one_yuan", kMin, 10'000, -9'223'372'036'854'775'800},
    {"largest_over_a_tick_overflows", kMax, 1, std::nullopt},
    {"most_negative_over_minus_a_tick_overflows", kMin, -1, std::nullopt},
    {"zero_denominator", 10'000, 0, std::nullopt},
};

TEST(FenCeilQuotient, gives_the_smallest_whole_fen_not_below_the_exact_quotient) {
    for (const auto& row : kFenCeilQuotient) {
        EXPECT_EQ(show(ticksOf(fenCeilQuotient(ticks(row.num), ticks(row.den)))), show(row.ceil))
            << row.name;
    }
}

TEST(FenCeilQuotient, agrees_with_the_exact_fraction_over_random_values) {
    // The result c satisfies c - 1 fen < num / den <= c, checked in exact integers.
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const auto num =
            static_cast<std::int64_t>(rng() % 1'000'000'000'000'000ULL) - 500'000'000'000'000LL;
        auto den = static_cast<std::int64_t>(rng() % 10'000'000'000ULL) + 1;
        if (rng() % 2 != 0) {
            den = -den;
        }
        const auto c = fenCeilQuotient(ticks(num), ticks(den));
        ASSERT_TRUE(c.has_value());
        ASSERT_TRUE(c->isWholeFen());
        // In ticks: num / den yuan = num × 10^4 / den ticks; compare c × den with num × 10^4,
        // turning the inequality round for a negative denominator.
        const Int128 lhs = static_cast<Int128>(c->ticks()) * den;
        const Int128 lower = static_cast<Int128>(c->ticks() - 100) * den;
        const Int128 target = static_cast<Int128>(num) * 10'000;
        if (den > 0) {
            ASSERT_TRUE(lower < target && target <= lhs) << num << " / " << den;
        } else {
            ASSERT_TRUE(lower > target && target >= lhs) << num << " / " << den;
        }
    }
}

}  // namespace
}  // namespace zm
