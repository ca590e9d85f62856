// The break-even searches against their one-step-at-a-time definitions: the fast searches cost
// the same for a typical purchase and at the edges of the price range, while the literal ones
// grow with the price. Each literal case also checks that both give the same result.

#include <benchmark/benchmark.h>

#include <string>

#include "fees/break_even.h"
#include "fees/fee_rules.h"
#include "fees/limits.h"
#include "fees/literal_search.h"
#include "fees/number_text.h"
#include "fees/target_price.h"

namespace {

using zm::Money;

struct Purchase {
    Money price;
    Money qty;
    double commission;
    double stampDuty;
};

Money money(const char* text) {
    return zm::numberTextToMoney(text).value();
}

const Purchase kTypical{money("10.00"), money("1000"), 3.0, 3.0};
const Purchase kLargestPrice{zm::limits::kMaxPrice, money("100"), 3.0, 6.0};
const Purchase kLargestPriceLowStamp{zm::limits::kMaxPrice, money("100"), 3.0, 3.0};
const Purchase kSmallestPrice{money("0.01"), money("100"), 3.0, 6.0};

void fastBreakEven(benchmark::State& state, const Purchase& p) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcBreakEven(p.price, p.qty, p.commission, p.stampDuty));
    }
}

void literalBreakEven(benchmark::State& state, const Purchase& p) {
    const auto fast = CalcBreakEven(p.price, p.qty, p.commission, p.stampDuty);
    std::int64_t steps = 0;
    for (auto _ : state) {
        const auto literal = zm::test::literalBreakEven(p.price, p.qty, p.commission, p.stampDuty);
        if (!literal.finished || literal.value != fast) {
            state.SkipWithError("the fast search disagrees with the literal one");
            return;
        }
        steps = literal.steps;
    }
    state.counters["steps"] = static_cast<double>(steps);
}

BENCHMARK_CAPTURE(fastBreakEven, typical_10_x_1000, kTypical);
BENCHMARK_CAPTURE(literalBreakEven, typical_10_x_1000, kTypical);
BENCHMARK_CAPTURE(fastBreakEven, largest_price_x_100_rates_3_and_6, kLargestPrice);
BENCHMARK_CAPTURE(literalBreakEven, largest_price_x_100_rates_3_and_6, kLargestPrice)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(fastBreakEven, largest_price_x_100_rates_3_and_3, kLargestPriceLowStamp);
BENCHMARK_CAPTURE(literalBreakEven, largest_price_x_100_rates_3_and_3, kLargestPriceLowStamp)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(fastBreakEven, smallest_price_0_01_x_100, kSmallestPrice);
BENCHMARK_CAPTURE(literalBreakEven, smallest_price_0_01_x_100, kSmallestPrice);

// The remaining-share search of a partial sale.
struct Remaining {
    Money basePrice;
    Money qty;
    Money transferFee;
    double commission;
    double stampDuty;
};

const Remaining kRemainTypical{money("9.128"), money("500"), money("1"), 3.0, 1.0};
const Remaining kRemainHigh{money("2000000"), money("100"), money("1"), 3.0, 6.0};

void fastRemaining(benchmark::State& state, const Remaining& r) {
    const Money target = *Money::mul(r.basePrice, r.qty);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::remainingShareSteps(r.basePrice, r.qty, target, r.transferFee,
                                                         r.commission, r.stampDuty));
    }
}

void literalRemaining(benchmark::State& state, const Remaining& r) {
    const Money target = *Money::mul(r.basePrice, r.qty);
    const auto fast = zm::remainingShareSteps(r.basePrice, r.qty, target, r.transferFee,
                                              r.commission, r.stampDuty);
    std::int64_t steps = 0;
    for (auto _ : state) {
        const auto literal = zm::test::literalRemainingShareSteps(
            r.basePrice, r.qty, target, r.transferFee, r.commission, r.stampDuty);
        if (!literal.finished || literal.value != fast) {
            state.SkipWithError("the fast search disagrees with the literal one");
            return;
        }
        steps = literal.steps;
    }
    state.counters["steps"] = static_cast<double>(steps);
}

BENCHMARK_CAPTURE(fastRemaining, typical_500_shares, kRemainTypical);
BENCHMARK_CAPTURE(literalRemaining, typical_500_shares, kRemainTypical);
BENCHMARK_CAPTURE(fastRemaining, base_2000000_x_100, kRemainHigh);
BENCHMARK_CAPTURE(literalRemaining, base_2000000_x_100, kRemainHigh)->Unit(benchmark::kMillisecond);

}  // namespace

// Trade-date rules: the exact search on the sale net of fees rounded half up, for today's rules
// at 0.25 per mille with the 5-yuan minimum; and the target sell price under both kinds of rules.
void eraBreakEvenBench(benchmark::State& state, zm::Money quantity, zm::Money paid) {
    const zm::FeeRules rules{zm::RuleKind::Current, {}, 250, zm::Money::fromYuan(5)};
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::eraBreakEven(rules, zm::Market::ShanghaiA, quantity, paid));
    }
}
BENCHMARK_CAPTURE(eraBreakEvenBench, today_10_x_1000, zm::Money::fromYuan(1000),
                  zm::Money::fromFen(1'000'510));
BENCHMARK_CAPTURE(eraBreakEvenBench, today_largest_price_x_100, zm::Money::fromYuan(100),
                  zm::Money::fromFen(214'748'364'700));
BENCHMARK_CAPTURE(eraBreakEvenBench, today_1_share_fund_window, zm::Money::fromYuan(1),
                  zm::Money::fromFen(1'000));

void targetBench(benchmark::State& state, bool own, zm::Money target) {
    zm::TargetPurchase p;
    p.shares = zm::Money::fromYuan(1000);
    p.amountPaid = own ? zm::Money::fromYuan(10'061) : zm::Money::fromFen(1'000'510);
    p.rules =
        own ? zm::FeeRules{} : zm::FeeRules{zm::RuleKind::Current, {}, 250, zm::Money::fromYuan(5)};
    p.commissionRate = 3.0;
    p.stampDutyRate = 3.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::targetSalePrice(p, zm::TargetKind::Profit, target));
    }
}
BENCHMARK_CAPTURE(targetBench, own_rules_profit_1000, true, zm::Money::fromYuan(1000));
BENCHMARK_CAPTURE(targetBench, today_profit_500, false, zm::Money::fromYuan(500));
BENCHMARK_CAPTURE(targetBench, today_profit_1e9, false, zm::Money::fromYuan(1'000'000'000));

BENCHMARK_MAIN();
