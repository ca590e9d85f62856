#include "fees/break_even.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "fees/fee_schedule.h"
#include "fees/limits.h"
#include "fees/literal_search.h"
#include "fees/money_print.h"
#include "fees/number_text.h"
#include "fees/step_search.h"

namespace zm {
namespace {

Money money(const char* text) {
    return numberTextToMoney(text).value();
}

// ---------------------------------------------------------------------------------------------
// The step search itself.

struct StepSearchRow {
    const char* name;
    std::int64_t firstStop;        // first step whose test stops; beyond `last`: never
    std::int64_t firstOutOfRange;  // first step whose figures overflow; beyond: never
    std::optional<std::int64_t> expected;
    std::int64_t last = kLastStep32;
    friend void PrintTo(const StepSearchRow& row, std::ostream* os) { *os << row.name; }
};

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kLastStep = kLastStep32;
// The last step of a 0.001-yuan grid up to 21,474,836.48, and the last 64-bit step.
constexpr std::int64_t kLastFundStep = 21'474'836'479;
constexpr std::int64_t kLastStep64 = std::numeric_limits<std::int64_t>::max();

// The most tests a search over 0 … last may make: two per bit of the last step, and four more.
int testBound(std::int64_t last) {
    return 2 * static_cast<int>(std::bit_width(static_cast<std::uint64_t>(last))) + 4;
}

// A test whose outcome goes on below `stop` and stops from there, counting its calls.
auto stopsFrom(std::int64_t stop, int& evaluations) {
    return [stop, &evaluations](std::int64_t i) {
        ++evaluations;
        return i >= stop ? StepOutcome::Stop : StepOutcome::Continue;
    };
}

class StepSearchTest : public ::testing::TestWithParam<StepSearchRow> {};

TEST_P(StepSearchTest, finds_the_first_stopping_step_from_any_guess_within_its_test_bound) {
    const StepSearchRow& row = GetParam();
    const std::int64_t around = std::min(row.firstStop, row.last);
    const std::int64_t guesses[] = {
        0,          1,     around - 1, around,    around < row.last ? around + 1 : around,
        around / 2, 12345, 1 << 30,    kLastStep, row.last};
    for (const std::int64_t g : guesses) {
        const std::int64_t guess = std::clamp<std::int64_t>(g, 0, row.last);
        int evaluations = 0;
        const auto found = firstStopStep(
            [&](std::int64_t i) {
                ++evaluations;
                if (i >= row.firstOutOfRange) {
                    return StepOutcome::OutOfRange;
                }
                return i >= row.firstStop ? StepOutcome::Stop : StepOutcome::Continue;
            },
            guess, row.last);
        EXPECT_EQ(found, row.expected) << "guess " << guess;
        EXPECT_LE(evaluations, testBound(row.last)) << "guess " << guess;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, StepSearchTest,
    ::testing::Values(
        StepSearchRow{"at_zero", 0, kNever, 0}, StepSearchRow{"at_one", 1, kNever, 1},
        StepSearchRow{"at_two", 2, kNever, 2}, StepSearchRow{"at_three", 3, kNever, 3},
        StepSearchRow{"at_seven", 7, kNever, 7}, StepSearchRow{"at_1000", 1000, kNever, 1000},
        StepSearchRow{"at_a_power_of_two", 1 << 20, kNever, 1 << 20},
        StepSearchRow{"just_past_a_power_of_two", (1 << 20) + 1, kNever, (1 << 20) + 1},
        StepSearchRow{"at_2_pow_30", 1 << 30, kNever, 1 << 30},
        StepSearchRow{"just_below_the_last", kLastStep - 1, kNever, kLastStep - 1},
        StepSearchRow{"at_the_last_step", kLastStep, kNever, kLastStep},
        StepSearchRow{"never", kNever, kNever, std::nullopt},
        StepSearchRow{"overflow_before_the_stop", 5000, 4999, std::nullopt},
        StepSearchRow{"overflow_at_zero", 10, 0, std::nullopt},
        StepSearchRow{"overflow_after_the_stop_is_not_reached", 4999, 5000, 4999},
        StepSearchRow{"overflow_on_the_same_step", 77, 77, std::nullopt},
        // Beyond 32 bits: the top of a 0.001-yuan grid, and the whole 64-bit range.
        StepSearchRow{"past_2_pow_31", kLastStep + 1, kNever, kLastStep + 1, kLastFundStep},
        StepSearchRow{"at_the_last_fund_step", kLastFundStep, kNever, kLastFundStep, kLastFundStep},
        StepSearchRow{"past_the_last_fund_step", kLastFundStep + 1, kNever, std::nullopt,
                      kLastFundStep},
        StepSearchRow{"overflow_past_2_pow_40", kNever, std::int64_t{1} << 40, std::nullopt,
                      kLastStep64}),
    [](const ::testing::TestParamInfo<StepSearchRow>& row) { return row.param.name; });

TEST(StepSearch, agrees_with_a_plain_loop_for_random_first_steps_and_guesses) {
    std::mt19937_64 rng(7);
    for (int n = 0; n < 20000; ++n) {
        const std::int64_t last = std::array{kLastStep, kLastFundStep, kLastStep64}[n % 3];
        const auto stop = static_cast<std::int64_t>(rng() % (std::uint64_t{1} << (rng() % 63)));
        const auto guess = static_cast<std::int64_t>(rng() % (std::uint64_t{1} << (rng() % 63)));
        int evaluations = 0;
        const auto found = firstStopStep(stopsFrom(stop, evaluations), guess, last);
        ASSERT_EQ(found, stop <= last ? std::optional(stop) : std::nullopt) << "guess " << guess;
        ASSERT_LE(evaluations, testBound(last)) << "stop " << stop << ", guess " << guess;
    }
}

TEST(StepSearch, a_right_guess_costs_three_tests) {
    for (const std::int64_t stop :
         {std::int64_t{1}, std::int64_t{7}, std::int64_t{1'000'000}, kLastStep, kLastFundStep}) {
        int evaluations = 0;
        const auto found = firstStopStep(stopsFrom(stop, evaluations), stop, kLastFundStep);
        EXPECT_EQ(found, stop);
        EXPECT_LE(evaluations, 3);  // step 0, the guess and the step before it
    }
}

TEST(StepSearch, figures_out_of_range_at_the_start_end_the_search_as_a_loop_would) {
    // A grid that starts far below zero overflows at its first steps only.
    for (const std::int64_t guess : {0, 5, 15, 25, 1 << 20}) {
        const auto found = firstStopStep(
            [](std::int64_t i) {
                if (i < 10) {
                    return StepOutcome::OutOfRange;
                }
                return i >= 20 ? StepOutcome::Stop : StepOutcome::Continue;
            },
            guess);
        EXPECT_FALSE(found.has_value()) << "guess " << guess;
    }
}

// ---------------------------------------------------------------------------------------------
// Worked examples.

struct BreakEvenRow {
    const char* name;
    const char* price;
    const char* quantity;
    double commission;
    double stampDuty;
    const char* expected;
    friend void PrintTo(const BreakEvenRow& row, std::ostream* os) { *os << row.name; }
};

class BreakEvenExampleTest : public ::testing::TestWithParam<BreakEvenRow> {};

TEST_P(BreakEvenExampleTest, gives_the_worked_price_and_agrees_with_the_literal_search) {
    const BreakEvenRow& row = GetParam();
    const Money price = money(row.price);
    const Money qty = money(row.quantity);
    const auto fast = CalcBreakEven(price, qty, row.commission, row.stampDuty);
    ASSERT_TRUE(fast.has_value());
    EXPECT_EQ(*fast, money(row.expected));
    const auto literal = test::literalBreakEven(price, qty, row.commission, row.stampDuty);
    ASSERT_TRUE(literal.finished);
    EXPECT_EQ(literal.value, fast);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, BreakEvenExampleTest,
    ::testing::Values(
        // Search 1 alone: the commission is far above 5 and there are 1,000 shares.
        BreakEvenRow{"ten_yuan_1000_shares", "10.00", "1000", 3.0, 3.0, "10.13"},
        // The bonus example of the buy side: 9,800 ÷ 1,300 on 1,300 shares.
        BreakEvenRow{"bonus_adjusted_price", "7.5385", "1300", 3.0, 3.0, "7.64"},
        // All three searches; the buy fees count their minimums (5.11 without them, a loss).
        BreakEvenRow{"five_yuan_100_shares", "5.00", "100", 3.0, 3.0, "5.16"},
        // Search 3 counts the proportional commission where it is above 5 (1,715.41 lost money).
        BreakEvenRow{"high_price_100_shares", "1700.00", "100", 3.0, 3.0, "1720.55"},
        // No rates (fund market): the minimums alone. Searches 1 and 2; 10.01 would lose 2 yuan.
        BreakEvenRow{"no_rates_1000_shares", "10.00", "1000", 0.0, 0.0, "10.02"},
        // No rates, 100 shares: paid 106.00, and 112 − 5 − 1 brings back exactly 106.00.
        BreakEvenRow{"no_rates_100_shares", "1.00", "100", 0.0, 0.0, "1.12"},
        // The start price itself does not break even; one fen more does.
        BreakEvenRow{"no_rates_a_million_shares", "1.00", "1000000", 0.0, 0.0, "1.01"},
        // Near the highest price accepted, 21,474,836.47.
        BreakEvenRow{"no_rates_near_the_top_100_shares", "21000000.00", "100", 0.0, 0.0,
                     "21000000.12"}),
    [](const ::testing::TestParamInfo<BreakEvenRow>& row) { return row.param.name; });

TEST(BreakEven, refuses_a_quantity_that_is_not_positive) {
    EXPECT_FALSE(CalcBreakEven(money("10"), Money(), 3.0, 3.0).has_value());
    EXPECT_FALSE(CalcBreakEven(money("10"), money("-100"), 3.0, 3.0).has_value());
}

TEST(BreakEven, refuses_rates_that_no_rate_list_offers) {
    EXPECT_FALSE(CalcBreakEven(money("10"), money("100"), -0.1, 3.0).has_value());
    EXPECT_FALSE(CalcBreakEven(money("10"), money("100"), 3.0, 1000.0).has_value());
    EXPECT_FALSE(CalcBreakEven(money("10"), money("100"), std::nan(""), 3.0).has_value());
}

TEST(BreakEven, finds_the_literal_price_at_the_extremes_of_the_price_range) {
    // At the largest price with small rates the literal search walks about 4 × 10^5 fen; the fast
    // one needs at most 3 × 64 stop tests. (The largest rates there take 2.6 × 10^7 literal steps,
    // too slow for the suite: the benchmark compares those.)
    struct Case {
        Money price;
        const char* qty;
        double commission;
        double stampDuty;
    };
    const Case cases[] = {
        {limits::kMaxPrice, "100", 0.1, 0.0},  {limits::kMaxPrice, "100", 0.0, 0.0},
        {limits::kMaxPrice, "4656", 0.0, 0.1},  // a trade amount just below 10^11
        {money("0.01"), "100", 3.0, 6.0},      {money("0.01"), "2147483600", 3.0, 6.0},
        {money("0.0001"), "1", 3.0, 6.0},
    };
    for (const Case& c : cases) {
        const Money qty = money(c.qty);
        const auto fast = CalcBreakEven(c.price, qty, c.commission, c.stampDuty);
        const auto literal = test::literalBreakEven(c.price, qty, c.commission, c.stampDuty);
        ASSERT_TRUE(literal.finished);
        ASSERT_TRUE(fast.has_value()) << c.price.ticks() << " × " << c.qty;
        EXPECT_EQ(fast, literal.value) << c.price.ticks() << " × " << c.qty;
    }
}

// ---------------------------------------------------------------------------------------------
// Randomised comparison with the literal search.

std::vector<double> rates(bool commission) {
    std::vector<double> out;
    if (commission) {
        for (const auto& e : commissionRateEntries()) {
            out.push_back(*numberTextToDouble(e));
        }
    } else {
        for (const auto& e : stampDutyRateEntries()) {
            out.push_back(*numberTextToDouble(e));
        }
    }
    return out;
}

// Random purchases across the supported range. The literal search needs about
// (c + s) ÷ 1000 × price ÷ 0.01 steps, so with rates the price is drawn below the point where
// that passes `stepBudget`; with both rates zero (the fund market) the whole price range up to
// 21,474,836.47 is drawn, and large quantities make each step large.
class PurchaseGenerator {
public:
    explicit PurchaseGenerator(std::uint64_t seed) : m_rng(seed) {}

    struct Purchase {
        Money price;
        Money quantity;
        double commission;
        double stampDuty;
    };

    Purchase next(double stepBudget) {
        Purchase p;
        const bool noRates = uniform(0, 3) == 0;
        p.commission = noRates ? 0.0 : m_commission[uniform(0, m_commission.size() - 1)];
        p.stampDuty = noRates ? 0.0 : m_stampDuty[uniform(0, m_stampDuty.size() - 1)];
        p.quantity = quantity();
        double maxPrice = limits::kMaxPrice.toDouble();
        maxPrice = std::min(maxPrice, limits::kMaxTradeAmount.toDouble() / p.quantity.toDouble());
        const double rateSum = p.commission + p.stampDuty;
        if (rateSum > 0) {
            maxPrice = std::min(maxPrice, stepBudget / (rateSum / 1000 * 100));
        }
        const double logPrice = std::uniform_real_distribution<double>(
            std::log(0.01), std::log(std::max(maxPrice, 0.01)))(m_rng);
        const double yuan = std::exp(logPrice);
        // Mostly whole fen; a third with four decimals, as a dividend-adjusted price has.
        if (uniform(0, 2) == 0) {
            p.price = Money::fromDouble(yuan).value();
        } else {
            p.price = Money::fromFen(std::llround(yuan * 100));
        }
        if (p.price < Money::fromFen(1)) {
            p.price = Money::fromFen(1);
        }
        // A dividend above the trade amount leaves a negative price to start from.
        if (uniform(0, 19) == 0) {
            p.price = -p.price;
        }
        return p;
    }

    std::size_t uniform(std::size_t lo, std::size_t hi) {
        return std::uniform_int_distribution<std::size_t>(lo, hi)(m_rng);
    }

    Money quantity() {
        switch (uniform(0, 5)) {
            case 0:  // board lots
                return Money::fromYuan(100 * static_cast<std::int64_t>(uniform(1, 100000)));
            case 1:  // odd share counts, around the 1,000-share transfer-fee minimum too
                return Money::fromYuan(static_cast<std::int64_t>(uniform(1, 3000)));
            case 2: {  // huge: up to twice the largest purchase (10 bonus shares per 10)
                static const std::int64_t huge[] = {2'147'483'600, 4'294'967'200, 999'999'999,
                                                    1'234'567'891, 100'000'001};
                return Money::fromYuan(huge[uniform(0, 4)]);
            }
            case 3: {  // after bonus shares: lots plus a fraction of them, four decimals
                const auto lots = static_cast<std::int64_t>(uniform(1, 50)) * 100;
                const double bonus = static_cast<double>(uniform(0, 99999)) / 10000.0;
                return Money::fromYuan(lots) +
                       Money::fromDouble(bonus * static_cast<double>(lots) * 0.1).value();
            }
            case 4:  // log-uniform whole counts
                return Money::fromYuan(std::llround(
                    std::exp(std::uniform_real_distribution<double>(0.0, std::log(4e9))(m_rng))));
            default:
                return Money::fromYuan(static_cast<std::int64_t>(uniform(990, 1010)));
        }
    }

private:
    std::mt19937_64 m_rng;
    std::vector<double> m_commission = rates(true);
    std::vector<double> m_stampDuty = rates(false);
};

TEST(BreakEven, equals_the_literal_search_on_a_random_set) {
    PurchaseGenerator gen(20240611);
    constexpr std::int64_t kLiteralBudget = 60'000;
    int compared = 0;
    int largePrices = 0;
    int skipped = 0;
    for (int n = 0; compared < 110'000; ++n) {
        const auto p = gen.next(4000);
        const auto literal =
            test::literalBreakEven(p.price, p.quantity, p.commission, p.stampDuty, kLiteralBudget);
        if (!literal.finished) {
            ++skipped;
            continue;
        }
        const auto fast = CalcBreakEven(p.price, p.quantity, p.commission, p.stampDuty);
        ASSERT_EQ(fast, literal.value)
            << "price " << p.price.ticks() << " ticks, quantity " << p.quantity.ticks()
            << " ticks, rates " << p.commission << " / " << p.stampDuty;
        ++compared;
        if (p.price > money("100000")) {
            ++largePrices;
        }
    }
    EXPECT_GE(compared, 100'000);
    EXPECT_GE(largePrices, 3'000);
    EXPECT_LT(skipped, compared / 20);
}

// ---------------------------------------------------------------------------------------------
// Selling at the break-even price breaks even.

// What a round trip loses when every share bought at `price` is sold at the break-even price:
// the amount paid (trade amount plus the fen-rounded buy fee total, with the commission and
// transfer-fee minimums) less the amount received (sale less commission with its minimum, stamp
// duty, transfer fee).
Money roundTripLoss(Money price, Money qty, double c, double s, Market market) {
    const Money amount = *Money::mul(price, qty);
    const Money buyFees =
        fenRound(withCommissionMinimum(*proportionalFee(c, amount)) +
                 (market == Market::FundWarrant ? Money() : *proportionalFee(s, amount)) +
                 transferFee(market, qty));
    const Money paid = amount + buyFees;
    const Money breakEven = CalcBreakEven(price, qty, c, s).value();
    const Money sale = *Money::mul(breakEven, qty);
    const Money sellFees = withCommissionMinimum(*proportionalFee(c, sale)) +
                           *proportionalFee(s, sale) + transferFee(market, qty);
    return paid - (sale - sellFees);
}

// The search counts the fees unrounded, so the sale at its price can fall short by the fen
// roundings of the sell commission and stamp duty: at most a fen in all. A Shanghai share count
// that is no multiple of 10 adds a third half fen: its transfer fee has three decimals (1.235)
// and the buy fee total rounds it up (1.24).
Money allowedLoss(Market market, Money qty) {
    const bool thirdDecimal = market == Market::ShanghaiA && qty.ticks() % (10 * 10000) != 0;
    return thirdDecimal ? Money::fromTicks(150) : Money::fromFen(1);
}

TEST(BreakEven, selling_every_share_at_the_result_loses_no_more_than_the_fee_rounding) {
    std::mt19937_64 rng(99);
    const auto commission = rates(true);
    const auto stampDuty = rates(false);
    const Market markets[] = {Market::ShanghaiA, Market::ShenzhenA, Market::FundWarrant};
    for (int n = 0; n < 300'000; ++n) {
        const double c = commission[rng() % commission.size()];
        const double s = stampDuty[rng() % stampDuty.size()];
        const Market market = markets[rng() % 3];
        // Board lots, as the main window buys, and any share count, as bonus shares leave.
        const auto qty =
            Money::fromYuan(n % 2 == 0 ? 100 * static_cast<std::int64_t>(1 + rng() % 20000)
                                       : static_cast<std::int64_t>(1 + rng() % 30000));
        const double maxPrice = std::min(limits::kMaxPrice.toDouble(),
                                         limits::kMaxTradeAmount.toDouble() / qty.toDouble());
        const double yuan = std::exp(
            std::uniform_real_distribution<double>(std::log(0.01), std::log(maxPrice))(rng));
        const Money price = Money::fromFen(std::max<std::int64_t>(1, std::llround(yuan * 100)));
        ASSERT_LE(roundTripLoss(price, qty, c, s, market), allowedLoss(market, qty))
            << "price " << price.ticks() << " ticks, quantity " << qty.ticks() << ", rates " << c
            << " / " << s << ", market " << static_cast<int>(market);
    }
}

TEST(BreakEven, the_third_half_fen_of_an_odd_shanghai_share_count_is_reached) {
    // 24,275 shares pay a transfer fee of 24.275, rounded up to 24.28 in the buy fee total; the
    // sale at 16.60 rounds its commission and stamp duty up as well.
    const Money price = money("16.40");
    const Money qty = money("24275");
    EXPECT_EQ(CalcBreakEven(price, qty, 3.0, 3.0), money("16.60"));
    EXPECT_EQ(roundTripLoss(price, qty, 3.0, 3.0, Market::ShanghaiA), Money::fromTicks(150));
    // Ten shares more, a transfer fee of whole fen: the fen bound holds.
    EXPECT_LE(roundTripLoss(price, money("24280"), 3.0, 3.0, Market::ShanghaiA), Money::fromFen(1));
}

// ---------------------------------------------------------------------------------------------
// The remaining-share search of a partial sale.

struct RemainRow {
    const char* name;
    const char* basePrice;
    const char* qty;
    const char* transferFee;
    double commission;
    double stampDuty;
    std::int32_t expected;
    const char* price;  // the base price raised to whole fen, plus that many fen
    friend void PrintTo(const RemainRow& row, std::ostream* os) { *os << row.name; }
};

class RemainingShareExampleTest : public ::testing::TestWithParam<RemainRow> {};

TEST_P(RemainingShareExampleTest, stops_at_the_worked_step) {
    const RemainRow& row = GetParam();
    const Money base = money(row.basePrice);
    const Money qty = money(row.qty);
    const Money target = *Money::mul(base, qty);
    const Money transfer = money(row.transferFee);
    EXPECT_EQ(remainingShareSteps(base, qty, target, transfer, row.commission, row.stampDuty),
              row.expected);
    const auto literal = test::literalRemainingShareSteps(base, qty, target, transfer,
                                                          row.commission, row.stampDuty);
    ASSERT_TRUE(literal.finished);
    EXPECT_EQ(literal.value, row.expected);
    EXPECT_EQ(remainingSharePrice(base, row.expected), money(row.price));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RemainingShareExampleTest,
    ::testing::Values(
        // Shanghai, 500 shares left: the proportional commission 13.752 is above 5.
        RemainRow{"shanghai_proportional_commission", "9.1280", "500", "1", 3.0, 1.0, 4, "9.17"},
        // Shenzhen, 100 shares left: 2.90415 is below 5, so the second search decides.
        RemainRow{"shenzhen_commission_minimum", "9.6405", "100", "0", 3.0, 1.0, 6, "9.71"},
        // 5 yuan on 100 shares is 5 steps of a fen; the stop test is strict, so step 6.
        RemainRow{"no_rates_still_count_the_commission_minimum", "10.00", "100", "0", 0.0, 0.0, 6,
                  "10.06"},
        // 900 shares left of 1,000 @ 10.00 and 500 @ 10.50 after 600 sold at 11 (2.7‰ / 3‰):
        // 8,777.55 still to recover, 9.7528 a share. 9.81 nets 8,777.67; a grid from 9.7528
        // itself would skip it (9.8028 falls short, 9.8128 is raised to 9.82).
        RemainRow{"lowest_fen_price_below_a_step_from_the_base", "9.7528", "900", "1", 2.7, 3.0, 5,
                  "9.81"}),
    [](const ::testing::TestParamInfo<RemainRow>& row) { return row.param.name; });

TEST(RemainingShareSearch, refuses_no_remaining_shares) {
    EXPECT_FALSE(remainingShareSteps(money("10"), Money(), Money(), Money(), 3.0, 3.0));
}

TEST(RemainingShareSearch, reports_a_step_count_beyond_32_bits_instead_of_wrapping) {
    // One share left carrying 2 × 10^10 yuan of cost: about 1.8 × 10^10 steps of a fen.
    const Money base = money("20000000000");
    const Money qty = money("1");
    EXPECT_FALSE(remainingShareSteps(base, qty, base, money("1"), 3.0, 6.0).has_value());
}

TEST(RemainingShareSearch, equals_the_literal_search_on_a_random_set) {
    std::mt19937_64 rng(4242);
    const auto commission = rates(true);
    const auto stampDuty = rates(false);
    int compared = 0;
    for (int n = 0; n < 60'000; ++n) {
        const double c = commission[rng() % commission.size()];
        const double s = stampDuty[rng() % stampDuty.size()];
        const auto qty =
            Money::fromYuan(rng() % 3 == 0 ? static_cast<std::int64_t>(1 + rng() % 999)
                                           : 100 * static_cast<std::int64_t>(1 + rng() % 100000));
        // A base price with four decimals; negative when the sale brought back more than the
        // whole purchase cost.
        const double rateSum = c + s;
        const double maxPrice = rateSum > 0 ? std::min(2e7, 4000 / (rateSum / 1000 * 100)) : 2e7;
        double yuan = std::exp(
            std::uniform_real_distribution<double>(std::log(0.0001), std::log(maxPrice))(rng));
        if (rng() % 10 == 0) {
            yuan = -yuan / 100;
        }
        const Money base = *Money::fromDouble(yuan);
        const auto target = Money::mul(base, qty);
        if (!target || *target > limits::kMaxTradeAmount) {
            continue;
        }
        const double x = qty.toDouble() * 0.001;
        const Money transfer =
            rng() % 2 == 0
                ? Money()
                : Money::fromYuan(static_cast<std::int64_t>(std::max(1.0, std::ceil(x))));
        const auto literal =
            test::literalRemainingShareSteps(base, qty, *target, transfer, c, s, 60'000);
        if (!literal.finished) {
            continue;
        }
        const auto steps = remainingShareSteps(base, qty, *target, transfer, c, s);
        ASSERT_EQ(steps, literal.value)
            << "base " << base.ticks() << " ticks, quantity " << qty.ticks() << ", rates " << c
            << " / " << s << ", transfer " << transfer.ticks();
        ++compared;
        // The lowest fen price whose net, with the fees of one of the two searches, covers the
        // target: the fen below does not.
        const Money price = steps ? *remainingSharePrice(base, *steps) : Money();
        const auto covers = [&](Money p, bool proportional) {
            const Money a = *Money::mul(p, qty);
            const double fees =
                s * a.toDouble() * 0.001 + (proportional ? c * a.toDouble() * 0.001 : 5);
            return a - *Money::fromDouble(fees) - transfer > *target;
        };
        const Money below = price - Money::fromFen(1);
        ASSERT_TRUE(!steps || base <= Money() || (covers(price, true) && !covers(below, true)) ||
                    (covers(price, false) && !covers(below, false)))
            << "base " << base.ticks() << ", price " << price.ticks();
    }
    EXPECT_GE(compared, 50'000);
}

}  // namespace
}  // namespace zm
