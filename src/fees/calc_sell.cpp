#include "fees/calc_sell.h"

#include <limits>
#include <optional>
#include <string>

#include "fees/break_even.h"
#include "fees/calc_buy.h"
#include "fees/display_format.h"
#include "fees/fee_schedule.h"
#include "fees/number_text.h"
#include "fees/trade_fees.h"
#include "view/messages.h"

namespace zm {
namespace {

// The transfer fee assumed for a later sale of the remaining shares: in Shanghai Q × 0.001
// raised to whole yuan, at least 1; none elsewhere.
std::optional<Money> remainingTransferFee(Market market, Money remainQty) {
    if (market != Market::ShanghaiA) {
        return Money();
    }
    const double x = remainQty.toDouble() * 0.001;
    if (x < 1.0) {
        return kMinTransferFee;
    }
    auto n = roundHalfEven(x);
    if (!n) {
        return std::nullopt;
    }
    const std::int64_t yuan = x > static_cast<double>(*n) ? *n + 1 : *n;
    return Money::fromYuan(yuan);
}

// The sale's fees and what it brought, into r.
bool computeSale(const SellInputs& in, const SaleBasis& st, const FeeRules& rules, SellResult& r) {
    const auto amount = Money::mul(st.sellPrice, st.sellQty);
    const auto fees = amount ? saleFees(rules, in.market, in.commissionRate, in.stampDutyRate,
                                        *amount, st.sellQty)
                             : std::nullopt;
    if (!fees) {
        return false;
    }
    r.amount = *amount;
    r.commission = fees->commission;
    r.stampDuty = fees->stampDuty;
    r.transferFee = fees->transferFee;
    r.feeTotal = fees->total;
    auto received = Money::sub(r.amount, r.feeTotal);
    auto profit = checkedDifference(received, st.amountPaid);
    if (!profit) {
        return false;
    }
    r.received = *received;
    r.profitLoss = *profit;
    return true;
}

// The partial sale: what the remaining shares still have to bring back, and the lowest fen price
// at which selling them does, found by the remaining-share search. The
// search's figures in r are set as far as they can be worked out; the price is nullopt when a
// figure leaves the range or the step counter would pass 2^31 − 1.
std::optional<Money> remainingBreakEven(const SellInputs& in, const SaleBasis& st, SellResult& r) {
    auto remainQty = Money::sub(st.buyQty, st.sellQty);
    if (!remainQty) {
        return std::nullopt;
    }
    r.remainQty = *remainQty;
    // What the purchase cost with its fees, less what the sale brought net of its fees. Bonus
    // shares and the dividend play no part here.
    auto cost =
        checkedSum(checkedSum(Money::sub(st.buyAmount, r.amount), st.buyFeeTotal), r.feeTotal);
    if (!cost) {
        return std::nullopt;
    }
    auto base = Money::fromDouble(cost->toDouble() / r.remainQty.toDouble());
    if (!base) {
        return std::nullopt;
    }
    r.remainBasePrice = *base;
    auto target = Money::mul(r.remainBasePrice, r.remainQty);
    auto transfer = remainingTransferFee(in.market, r.remainQty);
    if (!target || !transfer) {
        return std::nullopt;
    }
    r.remainTarget = *target;
    r.remainTransferFee = *transfer;
    auto steps = remainingShareSteps(r.remainBasePrice, r.remainQty, r.remainTarget,
                                     r.remainTransferFee, in.commissionRate, in.stampDutyRate);
    if (!steps) {
        return std::nullopt;
    }
    r.stepCount = *steps;
    return remainingSharePrice(r.remainBasePrice, *steps);
}

// The remaining shares' break-even under trade-date rules: what they must still bring back is
// the amount paid less what this sale brought; nothing left to bring back shows 0.00.
std::optional<Money> remainingRulesBreakEven(const SellInputs& in, const SaleBasis& st,
                                             const FeeRules& rules, SellResult& r) {
    r.remainQty = st.heldQty - st.sellQty;
    const auto target = Money::sub(st.amountPaid, r.received);
    if (!target) {
        return std::nullopt;
    }
    r.remainTarget = *target;
    if (*target <= Money()) {
        return Money();
    }
    return eraBreakEven(rules, in.market, r.remainQty, *target);
}

}  // namespace

std::optional<TradeFees> saleFees(const FeeRules& rules, Market market, double commissionRate,
                                  double stampDutyRate, Money amount, Money quantity) {
    return tradeFees(FeeBasis{rules, market, commissionRate, stampDutyRate}, TradeSide::Sell,
                     amount, quantity);
}

std::optional<Money> yieldPercent(double profitLoss, double amountPaid,
                                  std::int64_t maxHundredths) {
    if (amountPaid == 0.0) {
        return std::nullopt;
    }
    const auto hundredths = roundHalfEven(profitLoss / amountPaid * 10000.0);
    if (!hundredths || *hundredths > maxHundredths || *hundredths < -maxHundredths) {
        return std::nullopt;
    }
    return Money::fromFen(*hundredths);  // hundredths of a percent held as fen
}

std::optional<Money> roundTripYield(Money profitLoss, Money amountPaid) {
    // Anything Money can hold.
    return yieldPercent(profitLoss.toDouble(), amountPaid.toDouble(),
                        std::numeric_limits<std::int64_t>::max() / Money::kTicksPerFen);
}

std::optional<RealisedSale> realisedSale(Money received, Money amountPaid, Money sold, Money held) {
    if (held <= Money()) {
        return std::nullopt;
    }
    // In ticks: the part is P × S ÷ H, the profit (R × H − P × S) ÷ H. Every product stays far
    // inside 128 bits for figures of the supported range.
    const Int128 h = held.ticks();
    const Int128 carried = static_cast<Int128>(amountPaid.ticks()) * sold.ticks();
    const Int128 gain = static_cast<Int128>(received.ticks()) * h - carried;
    RealisedSale r;
    r.costPart = Money::fromFen(static_cast<std::int64_t>(divRoundHalfUp(carried, h * 100)));
    r.profit = Money::fromFen(static_cast<std::int64_t>(divRoundHalfUp(gain, h * 100)));
    if (carried > 0) {
        // Hundredths of a percent, held as fen.
        r.yield = Money::fromFen(static_cast<std::int64_t>(divRoundHalfUp(gain * 10000, carried)));
    }
    return r;
}

std::optional<SellResult> CalcSell(const SellInputs& in, const SaleBasis& st,
                                   const FeeRules& rules) {
    SellResult r;
    r.remainQty = st.remainQty;
    r.remainBasePrice = st.remainBasePrice;
    r.remainTarget = st.remainTarget;
    r.remainTransferFee = st.remainTransferFee;
    r.stepCount = st.stepCount;
    // The callers refuse sales whose figures leave the supported range before they get here;
    // should one slip through, nothing is written and the rates are not saved.
    if (!computeSale(in, st, rules, r)) {
        return std::nullopt;
    }
    // A loss is marked blue, a gain red; no gain at all counts as a gain. The sign is that of the
    // profit as Text19 shows it: the unrounded transfer fee of a Shanghai sale can leave a loss
    // of less than half a fen, shown as 0.00, and a 0.00 marked as a loss would contradict
    // itself (the batch sale marks the figure it reads back the same way).
    r.loss = numberTextToMoney(formatAmount(r.profitLoss)).value_or(Money()) < Money();

    // The yield needs a purchase: without an amount paid on screen the field keeps its value.
    // With one on screen but nothing paid in the state there is no yield to show, so the field
    // is emptied rather than showing a figure that is none.
    r.yieldShown = in.amountPaidShown;
    if (r.yieldShown) {
        r.yield = roundTripYield(r.profitLoss, st.amountPaid);
    }

    // Fewer shares sold than bought: the remaining shares and their break-even price replace the
    // profit and the buy side's break-even on screen.
    const Money held = rules.own() ? st.buyQty : st.heldQty;
    r.partial = held > st.sellQty;
    if (r.partial) {
        r.remainingShares = held - st.sellQty;
        r.remainingTip = msg::remainingBreakEvenTip(in.quantityText);
        if (const auto realised = realisedSale(r.received, st.amountPaid, st.sellQty, held)) {
            const std::string part = formatAmount(realised->costPart);
            const std::string profit = formatAmount(realised->profit);
            const std::string yield = realised->yield ? formatAmount(*realised->yield) : "";
            r.yieldTip = msg::partialSaleYieldTip(
                in.quantityText, part, profit,
                realised->yield ? std::optional<std::string_view>(yield) : std::nullopt);
        }
        r.remainingPrice =
            rules.own() ? remainingBreakEven(in, st, r) : remainingRulesBreakEven(in, st, rules, r);
        if (!r.remainingPrice) {
            // No price can be given (the search would run past its 32-bit step counter): the
            // field shows none rather than a stale or wrong one.
            r.stepCount = 0;
        }
        r.priceDecimals = stepDecimals(priceStep(rules, in.market));
    }
    return r;
}

}  // namespace zm
