#include "fees/fee_schedule.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "fees/display_format.h"
#include "fees/number_text.h"

namespace zm {
namespace {

Money ticks(std::int64_t t) {
    return Money::fromTicks(t);
}
Money yuan(std::int64_t y) {
    return Money::fromYuan(y);
}

std::string showTicks(std::optional<Money> m) {
    return m ? std::to_string(m->ticks()) : std::string("nullopt");
}

// ---------------------------------------------------------------------------------------------
// Rate lists.

TEST(RateLists, commission_list_runs_from_3_0_down_to_0_0_in_tenths) {
    const auto& entries = commissionRateEntries();
    ASSERT_EQ(entries.size(), 31U);
    EXPECT_EQ(entries.front(), "3.0");
    EXPECT_EQ(entries[1], "2.9");
    EXPECT_EQ(entries[3], "2.7");
    EXPECT_EQ(entries[20], "1.0");
    EXPECT_EQ(entries[29], "0.1");
    EXPECT_EQ(entries.back(), "0.0");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // One decimal each, and each reads as its tenths of a per mille.
        ASSERT_EQ(entries[i].size(), 3U) << entries[i];
        EXPECT_EQ(entries[i][1], '.') << entries[i];
        EXPECT_EQ(numberTextToDouble(entries[i]).value_or(-1.0),
                  static_cast<double>(30 - static_cast<int>(i)) / 10.0)
            << entries[i];
    }
}

TEST(RateLists, stamp_duty_list_runs_from_6_down_to_0) {
    const auto& entries = stampDutyRateEntries();
    const std::array<std::string, 7> expected{"6", "5", "4", "3", "2", "1", "0"};
    EXPECT_EQ(entries, expected);
}

TEST(RateLists, defaults_are_entries_of_their_lists) {
    EXPECT_EQ(kDefaultCommissionRate, "2.7");
    EXPECT_EQ(kDefaultStampDutyRate, "3");
    EXPECT_TRUE(isCommissionRateEntry(kDefaultCommissionRate));
    EXPECT_TRUE(isStampDutyRateEntry(kDefaultStampDutyRate));
}

struct EntryRow {
    const char* name;
    const char* text;
    bool commission;
    bool stampDuty;
};

const EntryRow kEntries[] = {
    {"default_commission", "2.7", true, false},
    {"top_commission", "3.0", true, false},
    {"zero_commission", "0.0", true, false},
    {"tenth", "0.1", true, false},
    {"commission_needs_its_decimal", "3", false, true},
    {"zero_stamp_duty", "0", false, true},
    {"top_stamp_duty", "6", false, true},
    {"stamp_duty_with_decimal_is_no_entry", "3.0", true, false},
    {"two_decimals", "2.70", false, false},
    {"leading_blank", " 2.7", false, false},
    {"trailing_blank", "2.7 ", false, false},
    {"above_the_list", "3.1", false, false},
    {"above_the_stamp_list", "7", false, false},
    {"negative_zero", "-0.0", false, false},
    {"no_leading_digit", ".5", false, false},
    {"empty", "", false, false},
};

TEST(RateLists, only_the_exact_texts_of_a_list_are_its_entries) {
    for (const auto& row : kEntries) {
        EXPECT_EQ(isCommissionRateEntry(row.text), row.commission) << row.name;
        EXPECT_EQ(isStampDutyRateEntry(row.text), row.stampDuty) << row.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Proportional fees: commission before its minimum, and stamp duty.

struct FeeRow {
    const char* name;
    double rate;
    std::int64_t amountTicks;
    std::optional<std::int64_t> feeTicks;
};

const FeeRow kProportional[] = {
    {"halfway_commission_goes_down_to_even", 2.5, 49'380'000, 123'400},
    {"halfway_commission_goes_up_to_even", 2.5, 49'420'000, 123'600},
    {"break_even_example_buy_commission", 3.0, 100'000'000, 300'000},
    {"break_even_example_sell_commission", 3.0, 101'200'000, 303'600},
    {"exactly_five_yuan", 2.5, 20'000'000, 50'000},
    {"just_below_five_yuan", 2.5, 19'960'000, 49'900},
    {"default_rate", 2.7, 10'000'000, 27'000},
    {"rounds_a_long_product", 1.0, 16'633'300, 16'600},
    {"zero_rate", 0.0, 100'000'000, 0},
    {"amount_with_half_a_yuan", 3.0, 10'005'000, 30'000},
    {"largest_trade_amount_commission", 3.0, 1'000'000'000'000'000, 3'000'000'000'000},
    {"largest_trade_amount_stamp_duty", 6.0, 1'000'000'000'000'000, 6'000'000'000'000},
    {"negative_amount", 3.0, -100'000'000, -300'000},
    {"fee_beyond_the_range", 1e10, 9'000'000'000'000'000'000, std::nullopt},
};

TEST(ProportionalFee, rounds_rate_times_amount_per_mille_to_fen_halves_to_even) {
    for (const auto& row : kProportional) {
        EXPECT_EQ(
            showTicks(proportionalFee(row.rate, ticks(row.amountTicks))),
            showTicks(row.feeTicks ? std::optional<Money>(ticks(*row.feeTicks)) : std::nullopt))
            << row.name;
    }
}

TEST(ProportionalFee, halfway_commissions_show_the_even_fen) {
    EXPECT_EQ(formatAmount(proportionalFee(2.5, yuan(4938)).value_or(Money())), "12.34");
    EXPECT_EQ(formatAmount(proportionalFee(2.5, yuan(4942)).value_or(Money())), "12.36");
}

// ---------------------------------------------------------------------------------------------
// Commission minimum.

struct MinimumRow {
    const char* name;
    std::int64_t shownTicks;
    std::int64_t chargedTicks;
};

const MinimumRow kMinimum[] = {
    {"below_five_becomes_five", 49'900, 50'000},
    {"exactly_five_stays", 50'000, 50'000},
    {"just_above_five_stays", 50'100, 50'100},
    {"zero_becomes_five", 0, 50'000},
    {"a_tick_below_five_becomes_five", 49'999, 50'000},
    {"large_commission_stays", 303'900, 303'900},
};

TEST(CommissionMinimum, lifts_a_commission_below_five_yuan_to_five) {
    for (const auto& row : kMinimum) {
        EXPECT_EQ(withCommissionMinimum(ticks(row.shownTicks)).ticks(), row.chargedTicks)
            << row.name;
    }
}

TEST(CommissionMinimum, is_tested_on_the_commission_as_the_field_shows_it) {
    // 2.5‰ of 2,000.00 is exactly 5.00 and stays; of 1,996.00 it is 4.99 and becomes 5.00.
    const auto exact = proportionalFee(2.5, yuan(2000));
    ASSERT_TRUE(exact.has_value());
    const auto shown = numberTextToMoney(formatAmount(*exact));
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(withCommissionMinimum(*shown), yuan(5));
    EXPECT_EQ(formatAmount(withCommissionMinimum(*shown)), "5.00");

    const auto below = proportionalFee(2.5, yuan(1996));
    ASSERT_TRUE(below.has_value());
    EXPECT_EQ(formatAmount(*below), "4.99");
    EXPECT_EQ(formatAmount(withCommissionMinimum(*below)), "5.00");

    // A grouped commission reads back through the field text and stays as it is.
    const auto large = proportionalFee(3.0, yuan(1'000'000));
    ASSERT_TRUE(large.has_value());
    EXPECT_EQ(formatAmount(*large), "3,000.00");
    EXPECT_EQ(withCommissionMinimum(numberTextToMoney(formatAmount(*large)).value_or(Money())),
              yuan(3000));
}

// ---------------------------------------------------------------------------------------------
// Transfer fee.

struct TransferRow {
    const char* name;
    Market market;
    std::int64_t shares;
    std::int64_t feeTicks;
    const char* shown;
};

const TransferRow kTransfer[] = {
    {"shanghai_1234_shares_not_rounded_to_fen", Market::ShanghaiA, 1'234, 12'340, "1.23"},
    {"shanghai_1235_shares_shown_half_up", Market::ShanghaiA, 1'235, 12'350, "1.24"},
    {"shanghai_999_shares_pay_the_minimum", Market::ShanghaiA, 999, 10'000, "1.00"},
    {"shanghai_1000_shares_pay_exactly_one", Market::ShanghaiA, 1'000, 10'000, "1.00"},
    {"shanghai_1001_shares_despite_binary_noise", Market::ShanghaiA, 1'001, 10'010, "1.00"},
    {"shanghai_one_lot_pays_the_minimum", Market::ShanghaiA, 100, 10'000, "1.00"},
    {"shanghai_million_shares", Market::ShanghaiA, 1'000'000, 10'000'000, "1,000.00"},
    {"shanghai_largest_sell_quantity", Market::ShanghaiA, 2'147'483'647, 21'474'836'470,
     "2,147,483.65"},
    {"shenzhen_pays_none", Market::ShenzhenA, 1'234, 0, "0.00"},
    {"shenzhen_small_trade_pays_none", Market::ShenzhenA, 999, 0, "0.00"},
    {"fund_pays_none", Market::FundWarrant, 1'234, 0, "0.00"},
    {"fund_small_trade_pays_none", Market::FundWarrant, 100, 0, "0.00"},
};

TEST(TransferFee, shanghai_pays_a_tenth_of_a_yuan_per_hundred_shares_with_a_one_yuan_minimum) {
    for (const auto& row : kTransfer) {
        const Money fee = transferFee(row.market, yuan(row.shares));
        EXPECT_EQ(fee.ticks(), row.feeTicks) << row.name;
        EXPECT_EQ(formatAmount(fee), row.shown) << row.name;
    }
}

}  // namespace
}  // namespace zm
