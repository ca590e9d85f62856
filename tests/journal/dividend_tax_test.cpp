#include "journal/dividend_tax.h"

#include <gtest/gtest.h>

namespace zm::journal {
namespace {

TradeDate day(const char* iso) {
    return *TradeDate::parse(iso);
}

struct TermRow {
    const char* bought;
    const char* sold;
    int percent;  // charged on a dividend of 2024, when nothing was withheld
};

// The month and the year end on the same day of the month, or on the last day of a shorter one.
const TermRow kTerms[] = {
    {"2024-01-10", "2024-02-10", 20}, {"2024-01-10", "2024-02-11", 10},
    {"2024-01-31", "2024-02-29", 20}, {"2024-01-31", "2024-03-01", 10},
    {"2024-04-30", "2024-05-31", 10}, {"2023-02-28", "2024-02-29", 0},
    {"2024-01-10", "2025-01-10", 10}, {"2024-01-10", "2025-01-11", 0},
    {"2024-02-29", "2025-02-28", 10}, {"2024-02-29", "2025-03-01", 0},
    {"2024-12-31", "2025-01-31", 20}, {"2024-03-05", "2024-03-05", 20},
};

TEST(DividendTax, holding_term_sets_the_rate_of_a_dividend_since_2015) {
    for (const auto& r : kTerms) {
        const HoldingTerm term = holdingTerm(day(r.bought), day(r.sold));
        EXPECT_EQ(taxRateAtSale(day("2024-01-05"), term), r.percent * 19)
            << r.bought << " to " << r.sold;
    }
}

struct EraRow {
    const char* dividendDate;
    const char* bought;
    const char* sold;
    Money tax;  // on a dividend of 95.00 as recorded
};

const EraRow kEras[] = {
    {"2012-12-31", "2012-06-01", "2013-01-02", Money()},             // the 10 % withheld was final
    {"2013-01-01", "2012-06-01", "2013-01-02", Money::fromYuan(5)},  // 5 % of 100.00 before tax
    {"2015-09-07", "2015-08-10", "2015-09-09", Money::fromYuan(15)},
    {"2015-09-08", "2015-08-10", "2015-09-09", Money::fromYuan(19)},  // 20 % of what was received
    {"2015-09-08", "2015-08-10", "2015-09-20", Money::fromFen(950)},
    {"2015-09-08", "2015-08-10", "2016-08-11", Money()},
};

TEST(DividendTax, the_dividends_date_chooses_what_was_withheld_and_what_a_sale_charges) {
    for (const auto& r : kEras) {
        const Lot lot{day(r.bought), 1000, Money(), {{day(r.dividendDate), Money::fromYuan(95)}}};
        EXPECT_EQ(dividendTaxOnLots({lot}, day(r.sold)), r.tax) << r.dividendDate << " " << r.sold;
    }
}

}  // namespace
}  // namespace zm::journal
