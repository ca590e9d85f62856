#include "fees/target_price.h"

#include <algorithm>
#include <cmath>

#include "fees/calc_sell.h"
#include "fees/display_format.h"
#include "fees/limits.h"
#include "fees/number_text.h"
#include "fees/step_search.h"

namespace zm {
namespace {

// The sale at `price`, with the figures as the sell side shows them; nullopt beyond the ranges.
std::optional<TargetSale> saleAt(const TargetPurchase& p, Money price) {
    if (price > limits::kMaxPrice) {
        return std::nullopt;
    }
    const auto amount = Money::mul(price, p.shares);
    if (!amount || *amount > limits::kMaxTradeAmount) {
        return std::nullopt;
    }
    const auto fees =
        saleFees(p.rules, p.market, p.commissionRate, p.stampDutyRate, *amount, p.shares);
    if (!fees) {
        return std::nullopt;
    }
    TargetSale s;
    s.price = price;
    s.amount = *amount;
    s.fees = fees->total;
    // The profit and the yield as their fields show them (a Shanghai transfer fee of the
    // program's own rules can leave a third decimal).
    s.profit =
        numberTextToMoney(formatAmount(*amount - fees->total - p.amountPaid)).value_or(Money());
    s.yield = roundTripYield(*amount - fees->total - p.amountPaid, p.amountPaid);
    return s;
}

}  // namespace

std::optional<TargetSale> targetSalePrice(const TargetPurchase& p, TargetKind kind, Money target) {
    if (p.shares <= Money() || (kind == TargetKind::Yield && p.amountPaid <= Money())) {
        return std::nullopt;
    }
    const Money step = priceStep(p.rules, p.market);
    const auto reached = [&](const TargetSale& s) {
        return kind == TargetKind::Profit ? s.profit >= target : s.yield && *s.yield >= target;
    };
    // Step i is the price (i + 1) × step.
    auto test = [&](std::int64_t i) {
        const auto sale = saleAt(p, Money::fromTicks((i + 1) * step.ticks()));
        if (!sale) {
            return StepOutcome::OutOfRange;
        }
        return reached(*sale) ? StepOutcome::Stop : StepOutcome::Continue;
    };
    // A start near the answer: the net proceeds the target asks for, at straight-line fees.
    const double lot = p.shares.toDouble() * step.toDouble();
    const double wanted = kind == TargetKind::Profit
                              ? p.amountPaid.toDouble() + target.toDouble()
                              : p.amountPaid.toDouble() * (1.0 + target.toDouble() / 100.0);
    const double guess = (wanted + kMinCommissionYuan) / 0.99 / lot - 1.0;
    // The fees are each rounded to the fen, so the net can dip by a few fen from one step to the
    // next; a larger sale makes that up within this many steps (see lowestStopStep).
    const double window = std::ceil(0.031 / lot);
    const std::int64_t last = lastSearchStep(step);
    const auto found = lowestStopStep(test, clampStep(guess, last),
                                      static_cast<std::int64_t>(std::min(window, 4000.0)), last);
    if (!found) {
        return std::nullopt;
    }
    return saleAt(p, Money::fromTicks((*found + 1) * step.ticks()));
}

}  // namespace zm
