#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fees/money.h"
#include "journal/dividend_tax.h"
#include "journal/entry.h"

// What the journal's entries add up to for each code: the shares held, their cost by the
// average and by lots (FIFO), the diluted cost, and the profit realised by the sales.
namespace zm::journal {

enum class ProfitMethod { Average, Fifo };

// One sale and what it relieved.
struct SaleOutcome {
    TradeDate date{};
    std::int64_t quantity = 0;
    Money net;                // amount less the fees
    Money relievedAverage;    // the cost of the shares sold at the average
    Money relievedFifo;       // the cost of the lots sold, oldest first
    Money dividendTax;        // the tax due on the dividends of the lots sold
    std::int64_t oversold{};  // shares sold beyond those held (an entry missing before it)
};

struct Position {
    std::string code;
    std::string name;  // of the code's latest entry that names it
    std::int64_t shares = 0;
    // The cost of the shares held by the average: purchases with their fees, less the cost each
    // sale relieved at the average (rounded half up to the fen); bonus shares add none.
    Money averageCost;
    Money realisedAverage;
    Money realisedFifo;
    // Of the current holding period: purchases with fees − sales net of fees − cash dividends
    // + dividend tax and other fees charged.
    Money outlay;
    std::optional<TradeDate> periodStart;  // the first purchase after the position was flat
    std::vector<Lot> lots;                 // oldest first, none empty
    std::vector<SaleOutcome> sales;

    // The cost of the lots held.
    Money fifoCost() const;
    // 持仓成本价: the average cost per share, to 0.001 yuan; nullopt when nothing is held.
    std::optional<Money> averagePrice() const;
    // 摊薄成本价: the outlay per share held, to 0.001 yuan; may be zero or negative.
    std::optional<Money> dilutedPrice() const;
    Money realised(ProfitMethod method) const;
    // The dividend tax that selling every share on `day` would be charged.
    Money dividendTaxIfSoldOn(TradeDate day) const;
};

// `total` ÷ `shares` (positive) to 0.001 yuan, halves away from zero.
Money perShare(Money total, std::int64_t shares);

// The positions of `entries`, one per code in the order of the codes. Entries of a day count in
// the order given; days in date order.
std::vector<Position> positions(const std::vector<Entry>& entries);

}  // namespace zm::journal
