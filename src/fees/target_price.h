#pragma once

#include <optional>

#include "fees/fee_rules.h"
#include "fees/money.h"

namespace zm {

// What the investor aims for: a profit in yuan, or a yield in percent as the yield field shows
// it (two decimals). A negative target is a stop-loss: the loss may be no larger.
enum class TargetKind { Profit, Yield };

// The purchase a target sale is set against, and the rules and rates it sells under.
struct TargetPurchase {
    Money amountPaid;  // AmountPaid of the buy side
    Money shares;      // the shares held after the bonus
    FeeRules rules;
    Market market = Market::ShanghaiA;
    double commissionRate = 0;  // the lists' rates, per mille (the program's own rules)
    double stampDutyRate = 0;
};

// The sale of every held share at the target price, as the sell side would show it.
struct TargetSale {
    Money price;
    Money amount;
    Money fees;
    Money profit;
    std::optional<Money> yield;
};

// The lowest price on the market's step (one fen; 0.001 yuan for funds under trade-date rules)
// at which selling every held share, with every fee, minimum and rounding of the sell side,
// shows a profit of at least `target` yuan, or a yield of at least `target` percent. Exact, in
// O(log n) sale evaluations. nullopt when no price within the program's ranges (a price of at
// most 21,474,836.47, a trade amount of at most 100,000,000,000) reaches the target, or when a
// yield is asked of a purchase that cost nothing.
std::optional<TargetSale> targetSalePrice(const TargetPurchase& purchase, TargetKind kind,
                                          Money target);

}  // namespace zm
