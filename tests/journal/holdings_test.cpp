#include "journal/holdings.h"

#include <gtest/gtest.h>

namespace zm::journal {
namespace {

TradeDate day(const char* iso) {
    return *TradeDate::parse(iso);
}

Money yuan(double v) {
    return *Money::fromDouble(v);
}

Entry event(const char* date, EntryKind kind, std::int64_t quantity, double amount,
            double fees = 0) {
    Entry e;
    e.date = day(date);
    e.code = "600000";
    e.kind = kind;
    e.quantity = quantity;
    e.amount = yuan(amount);
    e.commission = yuan(fees);
    return e;
}

struct StepRow {
    const char* after;
    std::size_t entries;  // the first this many of the worked example
    std::int64_t shares;
    double averagePrice, dilutedPrice, realisedAverage, realisedFifo, fifoCost;
};

// Shanghai, today's rules, 0.25‰ at least 5: 1,000 @ 10.00 cost 10,005.10; 500 @ 9.00 cost
// 4,505.05; 1,200 sold @ 10.50 bring 12,588.57; then 10派3 on the 300 left (90.00).
const StepRow kSteps[] = {
    {"two_purchases", 2, 1500, 9.673, 9.673, 0, 0, 14510.15},
    {"the_sale", 3, 300, 9.673, 6.405, 980.45, 781.45, 2703.03},
    {"the_dividend", 4, 300, 9.673, 6.105, 980.45, 781.45, 2703.03},
};

TEST(Holdings, worked_example_by_average_fifo_and_diluted) {
    const std::vector<Entry> all{event("2024-03-01", EntryKind::Buy, 1000, 10000, 5.10),
                                 event("2024-03-05", EntryKind::Buy, 500, 4500, 5.05),
                                 event("2024-03-20", EntryKind::Sell, 1200, 12600, 11.43),
                                 event("2024-06-14", EntryKind::Dividend, 0, 90.00)};
    for (const auto& r : kSteps) {
        const auto p = positions({all.begin(), all.begin() + static_cast<long>(r.entries)});
        ASSERT_EQ(p.size(), 1u);
        EXPECT_EQ(p[0].shares, r.shares) << r.after;
        EXPECT_EQ(p[0].averagePrice(), yuan(r.averagePrice)) << r.after;
        EXPECT_EQ(p[0].dilutedPrice(), yuan(r.dilutedPrice)) << r.after;
        EXPECT_EQ(p[0].realised(ProfitMethod::Average), yuan(r.realisedAverage)) << r.after;
        EXPECT_EQ(p[0].realised(ProfitMethod::Fifo), yuan(r.realisedFifo)) << r.after;
        EXPECT_EQ(p[0].fifoCost(), yuan(r.fifoCost)) << r.after;
    }
    // The 300 left were bought on 03-05 and received the whole 90.00: 10 % within a year.
    const auto p = positions(all);
    EXPECT_EQ(p[0].dividendTaxIfSoldOn(day("2025-03-05")), yuan(9.00));
    EXPECT_EQ(p[0].dividendTaxIfSoldOn(day("2025-03-06")), Money());
}

struct PeriodRow {
    const char* name;
    std::vector<Entry> entries;
    const char* periodStart;
    double dilutedPrice;
};

// A holding period starts again only after a day that ended with nothing held.
const PeriodRow kPeriods[] = {
    {"flat_overnight_starts_anew",
     {event("2024-01-02", EntryKind::Buy, 100, 1000),
      event("2024-01-03", EntryKind::Sell, 100, 1500),
      event("2024-01-04", EntryKind::Buy, 100, 800)},
     "2024-01-04",
     8.00},
    {"bought_back_the_same_day_continues",
     {event("2024-01-02", EntryKind::Buy, 100, 1000),
      event("2024-01-03", EntryKind::Sell, 100, 1500),
      event("2024-01-03", EntryKind::Buy, 100, 800)},
     "2024-01-02",
     3.00},
    {"bonus_shares_dilute_both_costs",
     {event("2024-01-02", EntryKind::Buy, 100, 1000), event("2024-02-01", EntryKind::Bonus, 50, 0),
      event("2024-03-01", EntryKind::DividendTax, 0, 1.5)},
     "2024-01-02",
     6.677},
    {"cost_relieved_to_the_fen",
     {event("2024-01-02", EntryKind::Buy, 3, 10), event("2024-01-03", EntryKind::Sell, 1, 5)},
     "2024-01-02",
     2.50},
};

TEST(Holdings, holding_period_and_diluted_cost) {
    for (const auto& r : kPeriods) {
        const auto p = positions(r.entries);
        ASSERT_EQ(p.size(), 1u) << r.name;
        EXPECT_EQ(p[0].periodStart, day(r.periodStart)) << r.name;
        EXPECT_EQ(p[0].dilutedPrice(), yuan(r.dilutedPrice)) << r.name;
        EXPECT_EQ(p[0].averageCost, p[0].fifoCost()) << r.name;
        EXPECT_TRUE(p[0].fifoCost().isWholeFen()) << r.name;
    }
}

}  // namespace
}  // namespace zm::journal
