#include "fees/affordable_lots.h"

#include <algorithm>

#include "fees/fee_rules.h"
#include "fees/limits.h"
#include "fees/step_search.h"

namespace zm {

Outcome<AffordableResult, AffordableRefusal> affordableShares(const AffordableInput& in) {
    if (!basisSupported(in.basis) || in.cash < Money() ||
        !isToolPrice(in.price, priceStep(in.basis.rules, in.basis.market))) {
        return AffordableRefusal::InvalidInput;
    }
    const LotRule lot = lotRule(in.board);
    const std::int64_t maxShares = std::min(limits::kMaxBuyQty.ticks() / Money::kTicksPerYuan,
                                            limits::kMaxTradeAmount.ticks() / in.price.ticks());
    const std::int64_t last = (maxShares - lot.first) / lot.stride;
    auto sharesAt = [&](std::int64_t k) { return Money::fromYuan(lot.first + k * lot.stride); };
    // No fee falls as the count grows, so what a purchase costs rises with every legal count:
    // the first count that costs more than the cash ends the search exactly (window 0).
    auto tooDear = [&](std::int64_t k) {
        const auto p = purchase(in.basis, in.price, sharesAt(k));
        return !p || p->net > in.cash ? StepOutcome::Stop : StepOutcome::Continue;
    };
    const double estimate = in.cash.toDouble() / in.price.toDouble();
    const auto guess = static_cast<std::int64_t>(
        std::clamp((estimate - static_cast<double>(lot.first)) / static_cast<double>(lot.stride),
                   0.0, static_cast<double>(last)));
    const auto dear = lowestStopStep(tooDear, guess, 0, last);
    if (dear && *dear == 0) {
        return AffordableRefusal::NotEnoughForOneLot;
    }
    const Money shares = sharesAt(dear ? *dear - 1 : last);
    const auto bought = purchase(in.basis, in.price, shares);
    if (!bought) {
        return AffordableRefusal::InvalidInput;  // cannot happen within the limits above
    }
    return AffordableResult{shares, *bought, in.cash - bought->net};
}

}  // namespace zm
