// The searches of the holding tools (做T, 可买股数): the worked examples, the refusals, and
// on random holdings under both kinds of rules and every board, the answer meets its condition,
// the next legal step does not, and on small cases a plain scan of every step finds the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <tuple>

#include "fees/affordable_lots.h"
#include "fees/display_format.h"
#include "fees/swing_trade.h"
#include "support/table_rows.h"

namespace zm::test {
namespace {

constexpr Board kMain = Board::Main, kStar = Board::Star;
const FeeBasis kToday{{RuleKind::Current, {}, 250, Money::fromYuan(5)}, Market::ShanghaiA, 0, 0};
const FeeBasis kTodayNoMinimum{{RuleKind::Current, {}, 250, Money()}, Market::ShanghaiA, 0, 0};

std::string text(const std::optional<Money>& m) {
    return m ? formatPrice(*m) : "none";
}

// ---------------------------------------------------------------------------------------------
// 做T and 可买股数

struct SwingRow {
    const char* name;
    FeeBasis basis;
    SwingOrder order;
    const char *held, *cost, *qty, *buy, *sell;
    const char *paid, *netted, *profit, *newCost, *breakEven;
    friend void PrintTo(const SwingRow& row, std::ostream* os) { *os << row.name; }
};

const SwingRow kSwingRows[] = {
    {"buy_first", kToday, SwingOrder::BuyFirst, "1000", "10.5", "500", "9.8", "10.1", "4905.05",
     "5042.42", "137.37", "10.363", "9.83"},
    // Without the minimum a sale at 9.81 nets 4,901.27 against 4,901.28 paid.
    {"buy_first_no_minimum", kTodayNoMinimum, SwingOrder::BuyFirst, "1000", "10.5", "500", "9.8",
     "10.1", "4901.28", "5046.16", "144.88", "10.355", "9.82"},
    // The sale's transfer fee 0.085 is charged 0.09.
    {"sell_first", kToday, SwingOrder::SellFirst, "2000", "8", "1000", "8.2", "8.5", "8205.08",
     "8490.66", "285.58", "7.857", "8.48"},
};

class SwingExample : public ::testing::TestWithParam<SwingRow> {};

TEST_P(SwingExample, comes_out_exactly) {
    const SwingRow& r = GetParam();
    const auto s = swingTrade({r.basis, r.order, money(r.held), money(r.cost), money(r.qty),
                               money(r.buy), money(r.sell)});
    ASSERT_TRUE(s);
    EXPECT_EQ(std::tuple(s->bought.net, s->sold.net, s->profit, formatCostPerShare(s->newCost),
                         text(s->breakEven)),
              std::tuple(money(r.paid), money(r.netted), money(r.profit), std::string(r.newCost),
                         std::string(r.breakEven)));
}

INSTANTIATE_TEST_SUITE_P(Rows, SwingExample, ::testing::ValuesIn(kSwingRows), rowName);

TEST(SwingTrade, refuses_a_sale_of_more_than_is_held) {
    const auto s = swingTrade({kToday, SwingOrder::BuyFirst, money("1000"), money("10.5"),
                               money("1001"), money("9.8"), money("10.1")});
    ASSERT_FALSE(s);
    EXPECT_EQ(s.reason(), SwingRefusal::QuantityAboveHolding);
}

struct AffordableRow {
    const char* name;
    Board board;
    const char *cash, *price;
    const char *shares, *paid, *left;  // shares nullptr: refused, not enough for one lot
    friend void PrintTo(const AffordableRow& row, std::ostream* os) { *os << row.name; }
};

const AffordableRow kAffordableRows[] = {
    {"at_9_99", kMain, "10000", "9.99", "1000", "9995.1", "4.9"},
    // 1,000 shares would cost 10,005.10.
    {"at_10", kMain, "10000", "10", "900", "9005.09", "994.91"},
    {"star_any_count_from_200", kStar, "10000", "10", "999", "9995.1", "4.9"},
    {"beijing_any_count_from_100", Board::Beijing, "1004.01", "9.99", "100", "1004.01", "0"},
    {"one_lot_costs_1004_01", kMain, "1004", "9.99", nullptr, nullptr, nullptr},
    {"star_needs_200", kStar, "1999", "9.99", nullptr, nullptr, nullptr},
};

class AffordableExample : public ::testing::TestWithParam<AffordableRow> {};

TEST_P(AffordableExample, comes_out_exactly) {
    const AffordableRow& r = GetParam();
    const auto a = affordableShares({kToday, r.board, money(r.cash), money(r.price)});
    if (!r.shares) {
        ASSERT_FALSE(a);
        EXPECT_EQ(a.reason(), AffordableRefusal::NotEnoughForOneLot);
        return;
    }
    ASSERT_TRUE(a);
    EXPECT_EQ(std::tuple(a->shares, a->purchase.net, a->cashLeft),
              std::tuple(money(r.shares), money(r.paid), money(r.left)));
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

// The break-even of 正T, the highest buy-back price of 倒T, and the count a sum buys.
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
        const auto sell = lowestSalePrice(b, qty, target);
        ASSERT_TRUE(sell) << n;
        ASSERT_GE(netted(b, *sell, qty), target) << n;
        if (*sell > s) {
            ASSERT_LT(netted(b, *sell - s, qty), target) << n;
        }
        ASSERT_EQ(*sell, plainLowestSale(b, qty, target)) << n;

        const auto buy = highestPurchasePrice(b, qty, target);
        ASSERT_EQ(buy.value_or(Money()), plainHighestPurchase(b, qty, target)) << n;
        if (buy) {
            ASSERT_LE(paid(b, *buy, qty), target) << n;
            ASSERT_GT(paid(b, *buy + s, qty), target) << n;
        }

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
        const std::int64_t count = afford->shares.ticks() / Money::kTicksPerYuan;
        ASSERT_TRUE(fits(count)) << n;
        ASSERT_FALSE(fits(count + lot.stride)) << n;
        ASSERT_EQ(count, most) << n;
        ASSERT_EQ(afford->cashLeft, target - paid(b, price, afford->shares)) << n;
    }
    EXPECT_GT(dips, 1000);
}

}  // namespace
}  // namespace zm::test
