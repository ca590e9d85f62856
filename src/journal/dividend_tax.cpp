#include "journal/dividend_tax.h"

#include <algorithm>
#include <numeric>

namespace zm::journal {
namespace {

constexpr TradeDate kDifferentiatedTaxStart{2013, 1, 1};
constexpr TradeDate kNoWithholdingStart{2015, 9, 8};

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// whole × count / of, rounded half up to `unit` ticks; `of` is positive.
Money proportion(Money whole, std::int64_t count, std::int64_t of, std::int64_t unit) {
    const Int128 units = divRoundHalfUp(Int128{whole.ticks()} * count, Int128{of} * unit);
    return Money::fromTicks(static_cast<std::int64_t>(units * unit));
}

}  // namespace

Lot takeShares(Lot& lot, std::int64_t shares) {
    Lot taken{lot.acquired, std::min(shares, lot.shares), Money(), {}};
    if (taken.shares >= lot.shares) {
        taken = lot;
        lot.shares = 0;
        lot.cost = Money();
        lot.dividends.clear();
        return taken;
    }
    taken.cost = proportion(lot.cost, taken.shares, lot.shares, Money::kTicksPerFen);
    lot.cost -= taken.cost;
    for (auto& d : lot.dividends) {
        const Money portion = proportion(d.amount, taken.shares, lot.shares, 1);
        taken.dividends.push_back({d.date, portion});
        d.amount -= portion;
    }
    lot.shares -= taken.shares;
    return taken;
}

TradeDate addCalendarMonths(TradeDate date, int months) {
    const int index = date.year * 12 + (date.month - 1) + months;
    TradeDate moved{index / 12, index % 12 + 1, 0};
    moved.day = std::min(date.day, daysInMonth(moved.year, moved.month));
    return moved;
}

HoldingTerm holdingTerm(TradeDate bought, TradeDate sold) {
    if (sold <= addCalendarMonths(bought, 1)) {
        return HoldingTerm::UpToOneMonth;
    }
    if (sold <= addCalendarMonths(bought, 12)) {
        return HoldingTerm::UpToOneYear;
    }
    return HoldingTerm::OverOneYear;
}

std::int64_t taxRateAtSale(TradeDate dividendDate, HoldingTerm term) {
    if (term == HoldingTerm::OverOneYear || dividendDate < kDifferentiatedTaxStart) {
        return 0;
    }
    const bool shortTerm = term == HoldingTerm::UpToOneMonth;
    if (dividendDate >= kNoWithholdingStart) {
        return shortTerm ? 380 : 190;  // 20 % and 10 % of the amount received
    }
    // The amount received is 95 % of the dividend: 15 % and 5 % of it are 15/95 and 5/95.
    return shortTerm ? 300 : 100;
}

Money dividendTaxOnLots(const std::vector<Lot>& sold, TradeDate saleDate) {
    Int128 units = 0;
    for (const auto& lot : sold) {
        const HoldingTerm term = holdingTerm(lot.acquired, saleDate);
        units =
            std::accumulate(lot.dividends.begin(), lot.dividends.end(), units,
                            [&](Int128 sum, const LotDividend& d) {
                                return sum + Int128{d.amount.ticks()} * taxRateAtSale(d.date, term);
                            });
    }
    const Int128 fen = divRoundHalfUp(units, Int128{kTaxRateDenominator} * Money::kTicksPerFen);
    return Money::fromFen(static_cast<std::int64_t>(fen));
}

Money dividendTaxOnSale(const std::vector<Lot>& lots, std::int64_t quantity, TradeDate saleDate) {
    std::vector<Lot> sold;
    for (Lot lot : lots) {
        if (quantity <= 0) {
            break;
        }
        const std::int64_t take = std::min(quantity, lot.shares);
        sold.push_back(takeShares(lot, take));
        quantity -= take;
    }
    return dividendTaxOnLots(sold, saleDate);
}

}  // namespace zm::journal
