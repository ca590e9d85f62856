#include "fees/display_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <limits>
#include <locale>
#include <optional>
#include <random>
#include <string>

#include "fees/number_text.h"
#include "support/temp_dir.h"

namespace zm {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

Money ticks(std::int64_t t) {
    return Money::fromTicks(t);
}

struct FormatRow {
    const char* name;
    std::int64_t ticks;
    const char* text;
};

void checkRows(const char* format, std::string (*fn)(Money), const FormatRow* rows,
               std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(fn(ticks(rows[i].ticks)), rows[i].text) << format << " " << rows[i].name;
    }
}

// ---------------------------------------------------------------------------------------------
// The fixed formats, with halfway values shown rounded half away from zero.

const FormatRow kAmount[] = {
    {"example_with_grouping", 12'345'000, "1,234.50"},
    {"below_one", 5'000, "0.50"},
    {"whole", 50'000, "5.00"},
    {"negative_leading_minus", -30'000, "-3.00"},
    {"zero", 0, "0.00"},
    {"three_digits_no_comma", 1'000'000, "100.00"},
    {"four_digits_one_comma", 10'000'000, "1,000.00"},
    {"six_digits", 1'000'000'000, "100,000.00"},
    {"millions", 12'345'678'910, "1,234,567.89"},
    {"halfway_up_away_from_zero", 12'350, "1.24"},
    {"negative_halfway_away_from_zero", -12'350, "-1.24"},
    {"halfway_with_even_fen_still_up", 12'250, "1.23"},
    {"below_halfway", 12'349, "1.23"},
    {"rounding_carries_into_a_new_group", 9'999'950, "1,000.00"},
    {"negative_carry_into_a_new_group", -9'999'950, "-1,000.00"},
    {"small_negative_shows_no_minus", -40, "0.00"},
    {"negative_half_fen_shows_minus", -50, "-0.01"},
    {"transfer_fee_of_1234_shares", 12'340, "1.23"},
    {"largest", kMax, "922,337,203,685,477.58"},
    {"most_negative", kMin, "-922,337,203,685,477.58"},
};

const FormatRow kPrice[] = {
    {"example_without_grouping", 12'345'000, "1234.50"},
    {"below_one", 5'000, "0.50"},
    {"zero", 0, "0.00"},
    {"negative", -12'345'000, "-1234.50"},
    {"halfway_up", 100'050, "10.01"},
    {"small_negative_shows_no_minus", -40, "0.00"},
    {"largest_main_window_price", 214'748'364'700, "21474836.47"},
    {"most_negative", kMin, "-922337203685477.58"},
};

const FormatRow kGroupedWhole[] = {
    {"example", 12'000'000, "1,200"},
    {"zero_is_empty", 0, ""},
    {"one", 10'000, "1"},
    {"three_digits", 9'990'000, "999"},
    {"four_digits", 10'000'000, "1,000"},
    {"largest_sell_quantity", 21'474'836'470'000, "2,147,483,647"},
    {"negative", -12'000'000, "-1,200"},
    {"below_half_is_empty", 4'000, ""},
    {"negative_below_half_is_empty", -4'000, ""},
    {"half_away_from_zero", 5'000, "1"},
    {"two_and_a_half_away_from_zero", 25'000, "3"},
    {"rounding_carries_into_a_new_group", 9'999'995'000, "1,000,000"},
    {"most_negative", kMin, "-922,337,203,685,478"},
};

const FormatRow kWhole[] = {
    {"zero_is_shown", 0, "0"},
    {"example", 123'450'000, "12345"},
    {"negative", -70'000, "-7"},
    {"half_away_from_zero", 5'000, "1"},
    {"negative_below_half_is_zero", -4'000, "0"},
    {"two_and_a_half_away_from_zero", 25'000, "3"},
    {"largest", kMax, "922337203685478"},
};

const FormatRow kGroupedNoLead[] = {
    {"example_with_grouping", 12'345'000, "1,234.50"},
    {"whole", 20'000, "2.00"},
    {"below_one_has_no_leading_zero", 5'000, ".50"},
    {"zero", 0, ".00"},
    {"negative_below_one", -5'000, "-.50"},
    {"halfway_transfer_fee", 12'350, "1.24"},
    {"small_value_rounds_to_nothing", 40, ".00"},
    {"small_negative_shows_no_minus", -40, ".00"},
    {"rounding_brings_a_leading_digit", 9'950, "1.00"},
    {"millions", 10'000'000'000, "1,000,000.00"},
};

const FormatRow kMoneyGeneral[] = {
    {"two_decimals", 100'500, "10.05"},
    {"trailing_zero_dropped", 76'000, "7.6"},
    {"whole_has_no_point", 120'000, "12"},
    {"zero", 0, "0"},
    {"three_decimals", 12'340, "1.234"},
    {"one_tick", 1, "0.0001"},
    {"negative", -25'000, "-2.5"},
    {"trade_amount", 152'500'000, "15250"},
    {"most_negative", kMin, "-922337203685477.5808"},
};

TEST(DisplayFormat, amount_groups_and_shows_two_decimals) {
    checkRows("###,##0.00", formatAmount, kAmount, std::size(kAmount));
}

TEST(DisplayFormat, price_shows_two_decimals_without_grouping) {
    checkRows("##0.00", formatPrice, kPrice, std::size(kPrice));
}

TEST(DisplayFormat, grouped_whole_shows_zero_as_the_empty_text) {
    checkRows("###,###", formatGroupedWhole, kGroupedWhole, std::size(kGroupedWhole));
}

TEST(DisplayFormat, whole_shows_at_least_one_digit) {
    checkRows("#0", formatWhole, kWhole, std::size(kWhole));
}

TEST(DisplayFormat, grouped_without_lead_digit_shows_two_decimals) {
    checkRows("###,###.00", formatGroupedNoLead, kGroupedNoLead, std::size(kGroupedNoLead));
}

TEST(DisplayFormat, money_general_form_is_exact_without_trailing_zeros) {
    checkRows("money general", formatMoneyGeneral, kMoneyGeneral, std::size(kMoneyGeneral));
}

TEST(DisplayFormat, double_helpers_convert_to_money_first_and_refuse_what_does_not_fit) {
    EXPECT_EQ(formatAmount(1234.5).value_or("nullopt"), "1,234.50");
    EXPECT_EQ(formatPrice(1234.5).value_or("nullopt"), "1234.50");
    // 2.5‰ of 4,938.00 is 12.345 in double; as Money it is 12.345, shown rounded half up.
    EXPECT_EQ(formatAmount(2.5 * 4938.0 * 0.001).value_or("nullopt"), "12.35");
    EXPECT_EQ(formatPrice(-0.004).value_or("nullopt"), "0.00");
    EXPECT_FALSE(formatAmount(1e300).has_value());
    EXPECT_FALSE(formatPrice(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_FALSE(formatAmount(std::numeric_limits<double>::infinity()).has_value());
}

// ---------------------------------------------------------------------------------------------
// The general number form of a double.

struct GeneralRow {
    const char* name;
    double value;
    const char* text;
};

const GeneralRow kGeneral[] = {
    {"whole", 15250.0, "15250"},
    {"one_decimal", 2.5, "2.5"},
    {"two_decimals", 10.05, "10.05"},
    {"hundreds", 1300.0, "1300"},
    {"transfer_fee", 1234 * 0.001, "1.234"},
    {"sum_with_binary_noise", 0.1 + 0.2, "0.3"},
    {"noise_after_multiplication", 1001 * 0.001, "1.001"},
    {"fifteen_digits", 123456789012345.0, "123456789012345"},
    {"sixteen_digits_rounded_to_fifteen", 1234567890123456.0, "1.23456789012346e+15"},
    {"fifteen_digit_fraction", 1.0 / 3.0, "0.333333333333333"},
    {"exponent_from_1e15", 1e15, "1e+15"},
    {"no_exponent_below_1e15", 1e14, "100000000000000"},
    {"rounds_up_into_exponent_form", 999999999999999.9, "1e+15"},
    {"smallest_without_exponent", 0.0001, "0.0001"},
    {"exponent_below_1e_4", 0.00001, "1e-05"},
    {"negative", -2.5, "-2.5"},
    {"zero", 0.0, "0"},
    {"negative_zero_has_no_minus", -0.0, "0"},
    {"huge", 1e300, "1e+300"},
    // Rounded to 15 digits the largest doubles would lie beyond every double; they are written
    // as the largest 15-digit text that reads back.
    {"largest_double", std::numeric_limits<double>::max(), "1.79769313486231e+308"},
    {"negative_largest_double", -std::numeric_limits<double>::max(), "-1.79769313486231e+308"},
    {"largest_fifteen_digit_double", 1.79769313486231e308, "1.79769313486231e+308"},
    {"smallest_subnormal", 4.9406564584124654e-324, "4.94065645841247e-324"},
    {"infinity_is_empty", std::numeric_limits<double>::infinity(), ""},
    {"not_a_number_is_empty", std::numeric_limits<double>::quiet_NaN(), ""},
};

TEST(DisplayFormat, general_form_is_the_shortest_text_of_at_most_fifteen_digits) {
    for (const auto& row : kGeneral) {
        EXPECT_EQ(formatGeneral(row.value), row.text) << row.name;
    }
}

// ---------------------------------------------------------------------------------------------
// What the program writes, it reads back.

// Random tick counts spread over every magnitude up to 10^15 ticks (10^11 yuan, the largest
// trade amount); up to 2^39 yuan a double resolves every tick, so the read-back is exact.
class TickSource {
public:
    explicit TickSource(std::uint64_t seed) : m_rng(seed) {}
    std::int64_t next() {
        const int digits = static_cast<int>(m_rng() % 15) + 1;
        std::int64_t limit = 1;
        for (int d = 0; d < digits; ++d) {
            limit *= 10;
        }
        auto t = static_cast<std::int64_t>(m_rng() % static_cast<std::uint64_t>(limit));
        // Make exact halves of the display unit common.
        if (m_rng() % 4 == 0) {
            t = t / 100 * 100 + 50;
        }
        return m_rng() % 2 != 0 ? -t : t;
    }

private:
    std::mt19937_64 m_rng;
};

// |ticks| rounded half away from zero to a multiple of unit, with the sign kept.
std::int64_t roundedAway(std::int64_t t, std::int64_t unit) {
    const std::int64_t mag = (t < 0 ? -t : t) + unit / 2;
    const std::int64_t r = mag / unit * unit;
    return t < 0 ? -r : r;
}

std::string showTicks(std::optional<Money> m) {
    return m ? std::to_string(m->ticks()) : std::string("nullopt");
}

struct RoundTrip {
    const char* format;
    std::string (*fn)(Money);
    std::int64_t unit;  // the format's rounding, in ticks
};

const RoundTrip kRoundTrips[] = {
    {"###,##0.00", formatAmount, Money::kTicksPerFen},
    {"##0.00", formatPrice, Money::kTicksPerFen},
    {"###,###.00", formatGroupedNoLead, Money::kTicksPerFen},
    {"###,###", formatGroupedWhole, Money::kTicksPerYuan},
    {"#0", formatWhole, Money::kTicksPerYuan},
    {"money general", formatMoneyGeneral, 1},
};

TEST(DisplayFormatRoundTrip, every_format_reads_back_as_the_value_it_rounds_to) {
    for (const auto& trip : kRoundTrips) {
        TickSource source(20240501);
        for (int i = 0; i < 20000; ++i) {
            const std::int64_t t = source.next();
            const std::int64_t expected = roundedAway(t, trip.unit);
            const std::string text = trip.fn(ticks(t));
            if (expected == 0 && trip.fn == formatGroupedWhole) {
                ASSERT_EQ(text, "") << t;  // "###,###" leaves zero empty
                continue;
            }
            ASSERT_EQ(showTicks(numberTextToMoney(text)), std::to_string(expected))
                << trip.format << " " << t << " " << text;
            if (trip.unit == Money::kTicksPerYuan) {
                ASSERT_EQ(numberTextToWhole(text).value_or(-1), expected / Money::kTicksPerYuan)
                    << trip.format << " " << text;
            }
        }
    }
}

TEST(DisplayFormatRoundTrip, money_formats_read_back_at_the_edges_of_the_exact_range) {
    // 2^39 yuan less one tick, and the largest trade amount with its last fen.
    const std::int64_t edges[] = {5'497'558'138'879'999,
                                  -5'497'558'138'879'999,
                                  1'000'000'000'000'000,
                                  999'999'999'999'999,
                                  50,
                                  -50,
                                  1};
    for (const auto& trip : kRoundTrips) {
        for (const std::int64_t t : edges) {
            const std::int64_t expected = roundedAway(t, trip.unit);
            const std::string text = trip.fn(ticks(t));
            if (expected == 0 && trip.fn == formatGroupedWhole) {
                continue;
            }
            EXPECT_EQ(showTicks(numberTextToMoney(text)), std::to_string(expected))
                << trip.format << " " << text;
        }
    }
}

int significantDigits(const std::string& text) {
    int count = 0;
    bool started = false;
    for (const char c : text) {
        if (c == 'e') {
            break;
        }
        if (c >= '1' && c <= '9') {
            started = true;
        }
        if (started && c >= '0' && c <= '9') {
            ++count;
        }
    }
    return count;
}

TEST(DisplayFormatRoundTrip, general_form_of_a_double_reads_back) {
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> exponent(-320.0, 308.0);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int i = 0; i < 20000; ++i) {
        // Any double: the text has at most 15 digits, reads back within the rounding to 15
        // digits, and writing what was read gives the same text again.
        double x = mantissa(rng) * std::pow(10.0, std::floor(exponent(rng)));
        if (!std::isfinite(x) || x == 0.0) {
            continue;
        }
        if (rng() % 2 != 0) {
            x = -x;
        }
        const std::string text = formatGeneral(x);
        ASSERT_LE(significantDigits(text), 15) << text;
        ASSERT_EQ(text.find(','), std::string::npos) << text;
        const auto back = numberTextToDouble(text);
        ASSERT_TRUE(back.has_value()) << text;
        if (std::fabs(x) >= std::numeric_limits<double>::min()) {
            ASSERT_LE(std::fabs(*back - x), std::fabs(x) * 5e-15) << text;
        }
        ASSERT_EQ(formatGeneral(*back), text);

        // A decimal of at most 15 digits, as the program's own figures are, comes back exactly.
        const auto digits = static_cast<std::int64_t>(rng() % 1'000'000'000'000'000ULL);
        const int scale = static_cast<int>(rng() % 20) - 10;
        const std::string decimal = std::to_string(digits) + "e" + std::to_string(scale);
        const double y = *numberTextToDouble(decimal);
        ASSERT_EQ(numberTextToDouble(formatGeneral(y)).value_or(-1.0), y) << decimal;
    }
}

TEST(DisplayFormatRoundTrip, general_form_reads_back_at_the_ends_of_the_double_range) {
    const double values[] = {std::numeric_limits<double>::max(),
                             -std::numeric_limits<double>::max(),
                             std::nextafter(std::numeric_limits<double>::max(), 0.0),
                             1.79769313486231e308,
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::denorm_min(),
                             1e-310};
    for (const double v : values) {
        const std::string text = formatGeneral(v);
        const auto back = numberTextToDouble(text);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(formatGeneral(*back), text);
        EXPECT_EQ(std::signbit(*back), std::signbit(v)) << text;
    }
}

// ---------------------------------------------------------------------------------------------
// The process locale changes nothing.

// A C++ locale with the decimal comma and the full stop as group mark.
class CommaDecimal : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

void expectLocaleFreeFormatsAndParse() {
    EXPECT_EQ(formatAmount(ticks(12'345'000)), "1,234.50");
    EXPECT_EQ(formatPrice(ticks(12'345'000)), "1234.50");
    EXPECT_EQ(formatGroupedNoLead(ticks(5'000)), ".50");
    EXPECT_EQ(formatGroupedWhole(ticks(12'000'000)), "1,200");
    EXPECT_EQ(formatMoneyGeneral(ticks(100'500)), "10.05");
    EXPECT_EQ(formatGeneral(2.5), "2.5");
    EXPECT_EQ(formatGeneral(1e-5), "1e-05");
    EXPECT_EQ(numberTextToDouble("1,234.5").value_or(0.0), 1234.5);
    EXPECT_EQ(numberTextToDouble("2.5e-1").value_or(0.0), 0.25);
    EXPECT_FALSE(IsNumberText("2,5"));
    EXPECT_FALSE(IsNumberText("1.234,5"));
    EXPECT_EQ(showTicks(numberTextToMoney(formatAmount(ticks(12'345'000)))), "12345000");
}

TEST(DisplayFormatLocale, a_global_cpp_locale_with_decimal_comma_changes_nothing) {
    const std::locale saved = std::locale::global(
        std::locale(std::locale::classic(), new CommaDecimal));  // the locale owns the facet
    expectLocaleFreeFormatsAndParse();
    std::locale::global(saved);
}

void unsetLocPath() {
#ifndef _WIN32
    ::unsetenv("LOCPATH");
#endif
}

TEST(DisplayFormatLocale, a_c_locale_with_decimal_comma_changes_nothing) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8",
                             "nl_NL.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8", "pt_BR.UTF-8",
                             // Windows' names
                             "de-DE", "German_Germany.1252"}) {
        if (std::setlocale(LC_ALL, name) != nullptr &&
            std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            found = name;
            break;
        }
    }
    // Most machines have no such locale installed; glibc's localedef builds one from the locale
    // sources that the locales package ships, into a private directory that LOCPATH names.
#ifndef _WIN32
    test::TempDir localeDir;
    if (found == nullptr && std::filesystem::exists("/usr/share/i18n/locales/de_DE")) {
        const std::string command =
            "localedef -i de_DE -f UTF-8 " + localeDir.path() + "/de_DE.UTF-8 >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0 &&
            ::setenv("LOCPATH", localeDir.path().c_str(), 1) == 0) {
            if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
                std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
                found = "de_DE.UTF-8";
            }
        }
    }
#endif
    if (found == nullptr) {
        std::setlocale(LC_ALL, saved.c_str());
        unsetLocPath();
        GTEST_SKIP() << "no locale with a decimal comma can be had here";
    }
    expectLocaleFreeFormatsAndParse();
    std::setlocale(LC_ALL, saved.c_str());
    unsetLocPath();
}

}  // namespace
}  // namespace zm
