#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "journal/holdings.h"

namespace zm::journal {
namespace {

// One share as a plain recount sees it: the day it came and each dividend per share it received.
struct Share {
    TradeDate acquired;
    std::vector<std::pair<TradeDate, std::int64_t>> dividends;  // date, ticks per share
};

TradeDate later(TradeDate d, int days) {
    while (days-- > 0) {
        if (!TradeDate{d.year, d.month, ++d.day}.isValid()) {
            d.day = 1;
            d.year += d.month / 12;
            d.month = d.month % 12 + 1;
        }
    }
    return d;
}

// The tax on the shares taken, each dividend of each share at its own rate, rounded once.
Money recountTax(const std::deque<Share>& shares, std::size_t count, TradeDate sold) {
    Int128 units = 0;
    for (std::size_t i = 0; i < count && i < shares.size(); ++i) {
        for (const auto& [date, ticks] : shares[i].dividends) {
            units += Int128{ticks} * taxRateAtSale(date, holdingTerm(shares[i].acquired, sold));
        }
    }
    return Money::fromFen(static_cast<std::int64_t>(
        divRoundHalfUp(units, Int128{kTaxRateDenominator} * Money::kTicksPerFen)));
}

// Random buys, sales, per-share dividends and bonus shares from late 2012 on, across the three
// tax eras: average and FIFO agree on the shares held and on realised profit less remaining cost
// (both the sales' net less every purchase's cost), and each sale's tax is the plain recount.
TEST(JournalProperty, average_and_fifo_agree_and_the_tax_is_a_plain_recount) {
    std::mt19937_64 rng(2026);
    auto pick = [&](std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
    };
    for (int run = 0; run < 300; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        std::vector<Entry> entries;
        std::deque<Share> held;
        std::vector<Money> expectedTax;
        Money netOfAll;
        TradeDate date{2012, 10, 1};
        for (int step = 0, steps = static_cast<int>(pick(1, 60)); step < steps; ++step) {
            date = later(date, static_cast<int>(pick(0, 40)));
            Entry e;
            e.date = date;
            e.code = "000001";
            e.commission = Money::fromFen(pick(0, 800));
            const std::int64_t what = held.empty() ? 0 : pick(0, 5);
            if (what <= 1 || what == 5) {  // a purchase, or bonus shares at no cost
                e.kind = what == 5 ? EntryKind::Bonus : EntryKind::Buy;
                e.quantity = pick(1, 300);
                e.amount = what == 5 ? Money() : Money::fromTicks(pick(0, 100'000'000));
                e.commission = what == 5 ? Money() : e.commission;
                held.insert(held.end(), static_cast<std::size_t>(e.quantity), Share{date, {}});
                netOfAll -= e.amount + e.fees();
            } else if (what <= 3) {
                e.kind = EntryKind::Sell;
                e.quantity = pick(1, static_cast<std::int64_t>(held.size()));
                e.amount = Money::fromTicks(pick(0, 100'000'000));
                expectedTax.push_back(recountTax(held, static_cast<std::size_t>(e.quantity), date));
                held.erase(held.begin(), held.begin() + static_cast<long>(e.quantity));
                netOfAll += e.amount - e.fees();
            } else {
                e.kind = EntryKind::Dividend;
                e.commission = Money();
                const std::int64_t perShare = pick(1, 20'000);
                for (auto& s : held) {
                    if (s.acquired < date) {
                        s.dividends.emplace_back(date, perShare);
                        e.amount += Money::fromTicks(perShare);
                    }
                }
            }
            entries.push_back(e);
        }
        const auto p = positions(entries);
        ASSERT_EQ(p.size(), 1u);
        std::int64_t inLots = 0;
        for (const auto& lot : p[0].lots) {
            inLots += lot.shares;
        }
        EXPECT_EQ(p[0].shares, static_cast<std::int64_t>(held.size()));
        EXPECT_EQ(inLots, p[0].shares);
        EXPECT_EQ(p[0].realisedAverage - p[0].averageCost, netOfAll);
        EXPECT_EQ(p[0].realisedFifo - p[0].fifoCost(), netOfAll);
        ASSERT_EQ(p[0].sales.size(), expectedTax.size());
        for (std::size_t i = 0; i < expectedTax.size(); ++i) {
            EXPECT_EQ(p[0].sales[i].dividendTax, expectedTax[i]) << "sale " << i;
        }
        const TradeDate today = later(date, static_cast<int>(pick(0, 500)));
        EXPECT_EQ(p[0].dividendTaxIfSoldOn(today), recountTax(held, held.size(), today));
    }
}

}  // namespace
}  // namespace zm::journal
