// The searches of the holding tools (补仓, 做T, 可买股数): the worked examples, the refusals, and
// on random holdings under both kinds of rules and every board, the answer against a plain scan
// of every step or count (from a bound that needs no fee), or where that is too long, the answer
// meets its condition and the next legal step does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <ostream>
#include <random>
#include <string>

#include "fees/affordable_lots.h"
#include "fees/average_cost.h"
#include "fees/display_format.h"
#include "support/table_rows.h"

namespace zm::test {
namespace {

constexpr Board kMain = Board::Main, kStar = Board::Star;
const FeeBasis kToday{{RuleKind::Current, {}, 250, Money::fromYuan(5)}, Market::ShanghaiA, 0, 0};
const FeeBasis kTodayNoMinimum{{RuleKind::Current, {}, 250, Money()}, Market::ShanghaiA, 0, 0};

// The figures of an answer as the tools' fields would show them, in one line.
std::string shown(const std::optional<Money>& price) {
    return price ? formatPrice(*price) : "none";
}
std::string shown(const AverageDownResult& a) {
    return formatGroupedWhole(a.sharesBought) + " " + formatAmount(a.purchase.amount) + " " +
           formatAmount(a.purchase.fees.total) + " " + formatAmount(a.purchase.net) + " " +
           formatGroupedWhole(a.sharesHeld) + " " + formatCostPerShare(a.newCost) + " " +
           shown(a.breakEven);
}
std::string shown(const AffordableResult& a) {
    return formatGroupedWhole(a.shares) + " " + formatAmount(a.purchase.net) + " " +
           formatAmount(a.cashLeft);
}

// A row's expected answer, or with `figures` nullptr the reason it is refused.
template <class Answer, class Reason>
void expectAnswer(const Answer& a, const char* figures, Reason reason) {
    if (!figures) {
        ASSERT_FALSE(a);
        EXPECT_EQ(a.reason(), reason);
        return;
    }
    ASSERT_TRUE(a);
    EXPECT_EQ(shown(*a), figures);
}

// 补仓: shares bought, amount, fees, paid, all shares, new cost, new break-even.
struct AverageRow {
    const char* name;
    FeeBasis basis;
    Board board;
    const char *held, *cost, *price;
    bool byCount;  // `given` is the count bought, else the target cost
    const char* given;
    const char* figures;
    AverageDownRefusal reason = {};
    friend void PrintTo(const AverageRow& row, std::ostream* os) { *os << row.name; }
};

using R = AverageDownRefusal;
// The worked examples and the refusals a dialog can reach run through the dialog
// (tests/session/holding_tools_test.cpp); these are the engine's own edges.
const AverageRow kAverageRows[] = {
    // 9.003 is reachable in principle, but only beyond 2,147,483,600 shares.
    {"target_beyond_the_count_limit", kToday, kMain, "1000000", "12", "9", false, "9.003", nullptr,
     R::TargetUnreachable},
    // 50.013 is exactly 50 plus 0.26 per mille: each count's fees round a fen or so either way
    // of the 1 fen the holding needs, for ever.
    {"target_on_the_fee_edge", FeeBasis{kTodayNoMinimum.rules, Market::ShenzhenA, 0, 0}, kStar,
     "10", "50.014", "50", false, "50.013", nullptr, R::TargetAtFeeEdge},
    {"holding_above_the_limit", kToday, kMain, "2000000000", "100", "9", false, "50", nullptr,
     R::HoldingTooLarge},
};

class AverageExample : public ::testing::TestWithParam<AverageRow> {};

TEST_P(AverageExample, comes_out_exactly) {
    const AverageRow& r = GetParam();
    const AverageDownInput in{r.basis, r.board, money(r.held), money(r.cost), money(r.price)};
    expectAnswer(r.byCount ? averageDownBy(in, money(r.given)) : averageDownTo(in, money(r.given)),
                 r.figures, r.reason);
}

INSTANTIATE_TEST_SUITE_P(Rows, AverageExample, ::testing::ValuesIn(kAverageRows), rowName);

// 可买股数: shares, paid, cash left.
struct AffordableRow {
    const char* name;
    Board board;
    const char *cash, *price;
    const char* figures;  // nullptr: not enough for one lot
    friend void PrintTo(const AffordableRow& row, std::ostream* os) { *os << row.name; }
};

const AffordableRow kAffordableRows[] = {
    {"star_any_count_from_200", kStar, "10000", "10", "999 9,995.10 4.90"},
    {"beijing_any_count_from_100", Board::Beijing, "1004.01", "9.99", "100 1,004.01 0.00"},
    {"one_lot_costs_1004_01", kMain, "1004", "9.99", nullptr},
    {"star_needs_200", kStar, "1999", "9.99", nullptr},
};

class AffordableExample : public ::testing::TestWithParam<AffordableRow> {};

TEST_P(AffordableExample, comes_out_exactly) {
    const AffordableRow& r = GetParam();
    expectAnswer(affordableShares({kToday, r.board, money(r.cash), money(r.price)}), r.figures,
                 AffordableRefusal::NotEnoughForOneLot);
}

INSTANTIATE_TEST_SUITE_P(Rows, AffordableExample, ::testing::ValuesIn(kAffordableRows), rowName);

// ---------------------------------------------------------------------------------------------
// Random holdings: own rules with list rates, today's, trade dates with and without the minimum,
// every market and board.

struct Random {
    std::mt19937_64 rng;
    std::int64_t operator()(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
    }
    FeeBasis basis(int n) {
        const FeeRules rules[] = {
            FeeRules{}, FeeRules{RuleKind::Current, {}, (*this)(0, 3000), Money::fromYuan(5)},
            FeeRules{RuleKind::OnDate, {2012, 5, 2}, (*this)(0, 3000), Money::fromYuan(5)},
            FeeRules{RuleKind::OnDate, {2016, 1, 4}, (*this)(0, 3000), Money()},
            FeeRules{RuleKind::Current, {}, 250, Money()}};
        return {rules[n % 5], static_cast<Market>((*this)(0, 2)),
                static_cast<double>((*this)(0, 30)) / 10, static_cast<double>((*this)(0, 6))};
    }
};

Money paid(const FeeBasis& b, Money price, Money shares) {
    const Money amount = *Money::mul(price, shares);
    return amount + tradeFees(b, TradeSide::Buy, amount, shares)->total;
}
Money netted(const FeeBasis& b, Money price, Money shares) {
    const Money amount = *Money::mul(price, shares);
    return amount - tradeFees(b, TradeSide::Sell, amount, shares)->total;
}
Money step(const FeeBasis& b) {
    return priceStep(b.rules, b.market);
}
Money shares(std::int64_t n) {
    return Money::fromYuan(n);
}

// A third of the targets lie a few mills above the price, near what the fees per share allow:
// the new cost then falls slowly and unevenly, or never reaches them.
TEST(AverageDownTo, is_the_first_legal_count_that_reaches_the_target) {
    Random rnd{std::mt19937_64(41)};
    int found = 0, scanned = 0, unreachable = 0, edge = 0;
    for (int n = 0; n < 4000; ++n) {
        const FeeBasis b = rnd.basis(n);
        const Board board = static_cast<Board>(n % 4);
        const LotRule lot = lotRule(board);
        const Money p = Money::fromTicks(step(b).ticks() * rnd(1, n % 2 ? 3000 : 300'000));
        const Money c = p + Money::fromTicks(10 * rnd(1, 200'000));
        const std::int64_t above = n % 3 == 0 ? rnd(1, 40) : rnd(1, (c - p).ticks() / 10);
        const Money t = std::min(c - Money::fromTicks(10), p + Money::fromTicks(10 * above));
        const AverageDownInput in{b, board, shares(rnd(1, n % 2 ? 3000 : 500'000)), c, p};
        const Money hc = *Money::mul(in.heldShares, c);
        const auto reaches = [&](std::int64_t count) {
            return hc + paid(b, p, shares(count)) <= *Money::mul(t, in.heldShares + shares(count));
        };
        // No fee is negative, so no count below D ÷ E = H × (C − T) ÷ (T − P) reaches the target:
        // the plain scan starts at the first legal count from there.
        const std::int64_t bound =
            t > p ? static_cast<std::int64_t>(
                        divCeil(Money::mul(in.heldShares, c - t)->ticks(), (t - p).ticks()))
                  : 0;
        const std::int64_t from =
            lot.first +
            std::max<std::int64_t>(0, (bound - lot.first + lot.stride - 1) / lot.stride) *
                lot.stride;
        const auto a = averageDownTo(in, t);
        if (!a) {
            unreachable += a.reason() == AverageDownRefusal::TargetUnreachable;
            edge += a.reason() == AverageDownRefusal::TargetAtFeeEdge;
            // Refused as out of reach: no count within the limits from the bound on does.
            for (std::int64_t m = from; m < from + 3000 * lot.stride && t > p; m += lot.stride) {
                if (!isLegalPurchase(board, shares(m)) || !purchase(b, p, shares(m))) {
                    break;
                }
                ASSERT_FALSE(reaches(m)) << n;
            }
            continue;
        }
        ++found;
        const std::int64_t count = a->sharesBought.ticks() / Money::kTicksPerYuan;
        ASSERT_TRUE(reaches(count)) << n;
        if (count > lot.first) {
            ASSERT_FALSE(reaches(count - lot.stride)) << n;
        }
        if (count - from <= 20000 * lot.stride) {
            for (std::int64_t m = from; m < count; m += lot.stride) {
                ASSERT_FALSE(reaches(m)) << n << " " << m;
            }
            ++scanned;
        }
    }
    std::cout << "[ averages ] " << found << " found (" << scanned << " against a plain scan), "
              << unreachable << " out of reach, " << edge << " at the fee edge\n";
    EXPECT_GT(found, 2000);
    EXPECT_GT(scanned, 2000);
    EXPECT_GT(unreachable, 500);
    EXPECT_LT(edge, 10);
}

// Plain scans, one step at a time. No fee is negative, so no price below target ÷ shares nets
// the target and no price above budget ÷ shares fits the budget: each scan starts there.
Money plainLowestSale(const FeeBasis& b, Money qty, Money target) {
    Money p = std::max(step(b), stepCeilQuotient(target, qty, step(b)).value());
    while (netted(b, p, qty) < target) {
        p += step(b);
    }
    return p;
}
Money plainHighestPurchase(const FeeBasis& b, Money qty, Money budget) {
    Money p = Money::fromTicks(std::max<std::int64_t>(0, budget.ticks()) * Money::kTicksPerYuan /
                               qty.ticks() / step(b).ticks() * step(b).ticks());
    while (p > Money() && paid(b, p, qty) > budget) {
        p -= step(b);
    }
    return p;  // 0: not even one step fits
}

// The break-even of 补仓 and 正T, the highest buy-back price of 倒T, and the count a sum buys.
TEST(HoldingSearches, meet_their_condition_where_the_next_step_does_not) {
    Random rnd{std::mt19937_64(7)};
    int dips = 0;
    for (int n = 0; n < 6000; ++n) {
        FeeBasis b = rnd.basis(n);
        if (n % 4 == 1) {
            // Funds without a minimum commission, in steps of 0.001 yuan: one fee rounding up a
            // fen outweighs a step of 1 to 3 shares, and the net dips every few hundred steps.
            b.market = Market::FundWarrant;
            b.rules = FeeRules{n % 8 == 1 ? RuleKind::Current : RuleKind::OnDate,
                               {2016, 1, 4},
                               rnd(100, 3000),
                               Money()};
        }
        const Money s = step(b);
        const Money qty = shares(n % 2 ? rnd(1, 3) : rnd(1, 200'000));
        Money target = Money::fromTicks(10 * rnd(-5000, n % 2 ? 300'000 : 400'000'000));
        // Half the small sales aim at the net of a price just before the net dips: an earlier
        // price nets it too, where a search that trusts the net to rise would miss it.
        Money p = Money::fromTicks(s.ticks() * rnd(1, 500'000));
        for (int i = 0; i < 3000 && n % 4 == 1; ++i, p += s) {
            if (netted(b, p + s, qty) < netted(b, p, qty)) {
                target = netted(b, p, qty);
                ++dips;
                break;
            }
        }
        ASSERT_EQ(lowestSalePrice(b, qty, target), plainLowestSale(b, qty, target)) << n;
        ASSERT_EQ(highestPurchasePrice(b, qty, target).value_or(Money()),
                  plainHighestPurchase(b, qty, target))
            << n;

        const Board board = static_cast<Board>(n % 4);
        const LotRule lot = lotRule(board);
        const Money price = Money::fromTicks(s.ticks() * rnd(1, n % 2 ? 200 : 100'000));
        const auto afford = affordableShares({b, board, target, price});
        const auto fits = [&](std::int64_t count) {
            return paid(b, price, shares(count)) <= target;
        };
        // The plain scan down from the most the cash could buy without fees.
        std::int64_t most = target.ticks() / price.ticks();
        most = most < lot.first ? 0 : most - (most - lot.first) % lot.stride;
        while (most >= lot.first && !fits(most)) {
            most -= lot.stride;
        }
        if (!afford) {
            ASSERT_LT(most, lot.first) << n;
            continue;
        }
        ASSERT_EQ(afford->shares, shares(most)) << n;
        ASSERT_EQ(afford->cashLeft, target - paid(b, price, afford->shares)) << n;
    }
    EXPECT_GT(dips, 1000);
}

}  // namespace
}  // namespace zm::test
