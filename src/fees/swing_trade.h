#pragma once

#include <optional>

#include "fees/holding_tools.h"
#include "fees/money.h"

// 做T: buying and selling the same quantity of a holding on one day to lower its cost.
namespace zm {

enum class SwingOrder {
    BuyFirst,   // 正T: buy Q, then sell Q of the shares held before
    SellFirst,  // 倒T: sell Q of the shares held, then buy Q back
};

struct SwingInput {
    FeeBasis basis;  // the rules, market and rates of the main window
    SwingOrder order = SwingOrder::BuyFirst;
    Money heldShares;    // H: whole shares, at least 1
    Money costPerShare;  // C: yuan per share, fees included, at most three decimals
    // Q: whole shares, at most H. A share bought today cannot be sold today, so the sale of a
    // 正T comes out of the holding too.
    Money quantity;
    Money buyPrice;   // B, on the market's step
    Money sellPrice;  // S, on the market's step
};

struct SwingResult {
    Trade bought;   // B × Q, its fees, and paid = amount + fees (买入付出)
    Trade sold;     // S × Q, its fees, and netted = amount − fees (卖出收回)
    Money profit;   // netted − paid (做T盈亏), exact
    Money newCost;  // (H × C − profit) ÷ H, to 0.001 yuan half up
    // 正T: the lowest sell price on the step at which the sale nets at least what the purchase
    // paid. 倒T: the highest buy-back price on the step at which the purchase costs at most what
    // the sale netted. nullopt when no price within the program's ranges does.
    std::optional<Money> breakEven;
};

enum class SwingRefusal {
    InvalidInput,          // a figure the input rules refuse, or rates the lists do not offer
    QuantityAboveHolding,  // Q > H
    HoldingTooLarge,       // H × C above 100,000,000,000 yuan
    BuyAmountTooLarge,     // B × Q above 100,000,000,000 yuan
    SellAmountTooLarge,    // S × Q above 100,000,000,000 yuan
};

Outcome<SwingResult, SwingRefusal> swingTrade(const SwingInput& in);

}  // namespace zm
