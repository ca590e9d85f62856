#pragma once

#include <cstdint>
#include <vector>

#include "fees/fee_rules.h"
#include "fees/money.h"

// 差别化红利税: the tax on cash dividends that depends on how long the shares were held, charged
// when they are sold, worked out lot by lot in the order the shares were acquired (FIFO).
namespace zm::journal {

// The portion of one cash dividend that a lot's remaining shares received.
struct LotDividend {
    TradeDate date{};
    Money amount;
    friend bool operator==(const LotDividend&, const LotDividend&) = default;
};

// Shares acquired together: a purchase (its cost is the amount plus the fees), or bonus shares
// (acquired on the day of their entry, at no cost).
struct Lot {
    TradeDate acquired{};
    std::int64_t shares = 0;
    Money cost;
    std::vector<LotDividend> dividends;
    friend bool operator==(const Lot&, const Lot&) = default;
};

// `shares` (at most lot.shares) taken out of `lot`: the cost they carry is the lot's cost in
// proportion, rounded half up to the fen, and the lot keeps the rest; each dividend is split the
// same way to the ten-thousandth. Taking every share takes the whole cost.
Lot takeShares(Lot& lot, std::int64_t shares);

// `date` moved by whole calendar months; where the target month is shorter, its last day
// (2024-01-31 plus one month is 2024-02-29).
TradeDate addCalendarMonths(TradeDate date, int months);

enum class HoldingTerm { UpToOneMonth, UpToOneYear, OverOneYear };
// The holding period of shares bought on `bought` and sold on `sold`: at most one month when the
// sale is on or before the purchase day plus one calendar month, at most one year when it is on
// or before the purchase day plus one year.
HoldingTerm holdingTerm(TradeDate bought, TradeDate sold);

// The tax charged at sale on a dividend as recorded, in units of 1/kTaxRateDenominator of its
// amount. From 2015-09-08 nothing was withheld and the sale charges 20 %, 10 % or nothing. From
// 2013-01-01 to 2015-09-07, 5 % of the dividend was withheld when paid (the entry holds the 95 %
// credited) and the sale charges 15 %, 5 % or nothing more of the dividend before that tax. Before
// 2013 the 10 % withheld was final.
inline constexpr std::int64_t kTaxRateDenominator = 1900;
std::int64_t taxRateAtSale(TradeDate dividendDate, HoldingTerm term);

// The tax on the dividends `sold` lots received, all sold on `saleDate`, rounded half up to the
// fen.
Money dividendTaxOnLots(const std::vector<Lot>& sold, TradeDate saleDate);

// The tax on selling `quantity` shares on `saleDate` out of `lots` (oldest first), taken first in,
// first out; `lots` itself stays as it is. Selling more than the lots hold taxes all of them.
Money dividendTaxOnSale(const std::vector<Lot>& lots, std::int64_t quantity, TradeDate saleDate);

}  // namespace zm::journal
