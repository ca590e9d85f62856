#pragma once

#include <optional>

#include "fees/holding_tools.h"
#include "fees/money.h"

// 补仓: buying more of a holding at a lower price to bring its cost per share down.
namespace zm {

struct AverageDownInput {
    FeeBasis basis;             // the rules, market and rates of the main window
    Board board = Board::Main;  // the purchase's lot rule
    Money heldShares;           // H: whole shares, at least 1
    Money costPerShare;         // C: yuan per share, fees included, at most three decimals
    Money price;                // P: the purchase price, on the market's step
};

struct AverageDownResult {
    Money sharesBought;  // N
    Trade purchase;      // amount P × N, its fees, and paid = amount + fees
    Money sharesHeld;    // H + N
    Money totalCost;     // H × C + paid, exact
    Money newCost;       // totalCost ÷ (H + N), to 0.001 yuan half up
    // The lowest price on the market's step at which selling all H + N shares brings back, net
    // of the sale's fees, at least totalCost; nullopt when no price within the program's ranges
    // (limits.h) does.
    std::optional<Money> breakEven;
};

enum class AverageDownRefusal {
    InvalidInput,         // a figure the input rules refuse, or rates the lists do not offer
    CountNotLegal,        // the count breaks the board's lot rule (averageDownBy)
    HoldingTooLarge,      // H × C above 100,000,000,000 yuan
    AmountTooLarge,       // P × N above 100,000,000,000 yuan (averageDownBy)
    TargetNotBelowCost,   // the target is not below C: no purchase is needed
    TargetNotAbovePrice,  // the target is not above P: no count can bring the cost down to it
    TargetUnreachable,    // no legal count within the ranges of limits.h reaches the target
    // The target lies so close to the price plus the purchase's fees per share that whether a
    // count reaches it turns on single fen of rounding, over more counts than the search tests.
    TargetAtFeeEdge,
};

// The purchase of `shares` (a legal count of the board) and the holding after it.
Outcome<AverageDownResult, AverageDownRefusal> averageDownBy(const AverageDownInput& in,
                                                             Money shares);

// The smallest legal count N whose new cost is at most `targetCost` (yuan, at most three
// decimals), compared exactly: H × C + paid ≤ targetCost × (H + N), never on the rounded new
// cost. Then as averageDownBy.
Outcome<AverageDownResult, AverageDownRefusal> averageDownTo(const AverageDownInput& in,
                                                             Money targetCost);

}  // namespace zm
