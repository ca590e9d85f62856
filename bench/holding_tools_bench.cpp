// The searches of the holding tools under today's rules at 0.25 per mille: the count of 补仓 for
// a target cost, the lowest sale price (the break-even of 补仓 and 正T), the highest buy-back
// price of 倒T, and the count a sum buys; each for a typical case and at an edge.

#include <benchmark/benchmark.h>

#include "fees/affordable_lots.h"
#include "fees/average_cost.h"
#include "fees/holding_tools.h"
#include "fees/limits.h"

namespace {

using zm::Money;

const zm::FeeBasis kToday{
    {zm::RuleKind::Current, {}, 250, Money::fromYuan(5)}, zm::Market::ShanghaiA, 0, 0};
const zm::FeeBasis kTodayFundNoMinimum{
    {zm::RuleKind::Current, {}, 250, Money()}, zm::Market::FundWarrant, 0, 0};
const zm::FeeBasis kOwn{{}, zm::Market::ShanghaiA, 3.0, 3.0};

struct AverageCase {
    zm::FeeBasis basis;
    zm::Board board;
    Money held, cost, price, target;
};

// 1,000 at 12.000, bought at 9.00 down to 10.50 (1,100 shares).
const AverageCase kAverageTypical{kToday,
                                  zm::Board::Main,
                                  Money::fromYuan(1000),
                                  Money::fromYuan(12),
                                  Money::fromYuan(9),
                                  Money::fromFen(1050)};
// The same under the program's own rules at 3 and 3 per mille.
const AverageCase kAverageOwn{kOwn,
                              zm::Board::Main,
                              Money::fromYuan(1000),
                              Money::fromYuan(12),
                              Money::fromYuan(9),
                              Money::fromFen(1050)};
// A million shares brought down to 9.03 on the 科创板, where every count is legal: 107,375,271
// shares, found from the fee floor's bound in a few tests.
const AverageCase kAverageLarge{kToday,
                                zm::Board::Star,
                                Money::fromYuan(1'000'000),
                                Money::fromYuan(12),
                                Money::fromYuan(9),
                                Money::fromTicks(90'300)};
// A target exactly at the price plus the fee rate: the walk gives up after its budget.
const AverageCase kAverageEdge{
    {{zm::RuleKind::Current, {}, 250, Money()}, zm::Market::ShenzhenA, 0, 0},
    zm::Board::Star,
    Money::fromYuan(10),
    Money::fromTicks(500'140),
    Money::fromYuan(50),
    Money::fromTicks(500'130)};

void averageDownTo(benchmark::State& state, const AverageCase& c) {
    const zm::AverageDownInput in{c.basis, c.board, c.held, c.cost, c.price};
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::averageDownTo(in, c.target));
    }
}
BENCHMARK_CAPTURE(averageDownTo, typical_1000_at_12_to_10_50, kAverageTypical);
BENCHMARK_CAPTURE(averageDownTo, own_rules_1000_at_12_to_10_50, kAverageOwn);
BENCHMARK_CAPTURE(averageDownTo, star_1000000_at_12_to_9_03, kAverageLarge);
BENCHMARK_CAPTURE(averageDownTo, at_the_fee_edge, kAverageEdge)->Unit(benchmark::kMillisecond);

void lowestSalePrice(benchmark::State& state, const zm::FeeBasis& basis, Money shares,
                     Money target) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::lowestSalePrice(basis, shares, target));
    }
}
// The break-even of the typical 补仓: 2,100 shares that cost 21,905.10.
BENCHMARK_CAPTURE(lowestSalePrice, typical_2100_shares, kToday, Money::fromYuan(2100),
                  Money::fromFen(2'190'510));
BENCHMARK_CAPTURE(lowestSalePrice, own_rules_2100_shares, kOwn, Money::fromYuan(2100),
                  Money::fromFen(2'190'510));
// One fund share in steps of 0.001: the widest look-back window (32 steps).
BENCHMARK_CAPTURE(lowestSalePrice, one_fund_share_widest_window, kTodayFundNoMinimum,
                  Money::fromYuan(1), Money::fromYuan(1000));
BENCHMARK_CAPTURE(lowestSalePrice, largest_amount, kToday, Money::fromYuan(100),
                  Money::fromYuan(2'000'000'000));

void highestPurchasePrice(benchmark::State& state, const zm::FeeBasis& basis, Money shares,
                          Money budget) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::highestPurchasePrice(basis, shares, budget));
    }
}
// The 倒T of the worked example: 1,000 shares for what a sale netted, 8,490.66.
BENCHMARK_CAPTURE(highestPurchasePrice, typical_1000_shares, kToday, Money::fromYuan(1000),
                  Money::fromFen(849'066));
BENCHMARK_CAPTURE(highestPurchasePrice, one_fund_share, kTodayFundNoMinimum, Money::fromYuan(1),
                  Money::fromYuan(1000));

void affordableShares(benchmark::State& state, zm::Board board, Money cash, Money price) {
    const zm::AffordableInput in{kToday, board, cash, price};
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::affordableShares(in));
    }
}
BENCHMARK_CAPTURE(affordableShares, typical_10000_at_9_99, zm::Board::Main, Money::fromYuan(10'000),
                  Money::fromFen(999));
// The largest sum at the lowest price: the count limit of 2,147,483,600 shares decides.
BENCHMARK_CAPTURE(affordableShares, star_largest_sum_at_one_fen, zm::Board::Star,
                  zm::limits::kMaxTradeAmount, Money::fromFen(1));

}  // namespace
