#include "fees/swing_trade.h"

#include "fees/fee_rules.h"
#include "fees/limits.h"

namespace zm {

Outcome<SwingResult, SwingRefusal> swingTrade(const SwingInput& in) {
    const Money step = priceStep(in.basis.rules, in.basis.market);
    if (!basisSupported(in.basis) || !isWholeShares(in.heldShares) ||
        in.heldShares > limits::kMaxSellQty || !isCostPerShare(in.costPerShare) ||
        !isWholeShares(in.quantity) || !isToolPrice(in.buyPrice, step) ||
        !isToolPrice(in.sellPrice, step)) {
        return SwingRefusal::InvalidInput;
    }
    if (in.quantity > in.heldShares) {
        return SwingRefusal::QuantityAboveHolding;
    }
    const auto held = Money::mul(in.heldShares, in.costPerShare);
    if (!held || *held > limits::kMaxTradeAmount) {
        return SwingRefusal::HoldingTooLarge;
    }
    const auto bought = purchase(in.basis, in.buyPrice, in.quantity);
    if (!bought) {
        return SwingRefusal::BuyAmountTooLarge;
    }
    const auto sold = sale(in.basis, in.sellPrice, in.quantity);
    if (!sold) {
        return SwingRefusal::SellAmountTooLarge;
    }
    SwingResult r;
    r.bought = *bought;
    r.sold = *sold;
    r.profit = sold->net - bought->net;
    // The holding keeps H shares; what the round trip gained or lost comes off their cost.
    r.newCost = costPerShare(*held - r.profit, in.heldShares).value_or(Money());
    r.breakEven = in.order == SwingOrder::BuyFirst
                      ? lowestSalePrice(in.basis, in.quantity, bought->net)
                      : highestPurchasePrice(in.basis, in.quantity, sold->net);
    return r;
}

}  // namespace zm
