// The batch dialogs' combined trades under the rules in force: the program's own rules work them
// as batch_calc.cpp does, from the figures as shown; a trade date's rules take the batches as
// fills of one order, in exact Money: one commission with one minimum, stamp duty and transfer
// fee on the combined amount (the 2008 Shanghai fee on the combined quantity), each half up.
#include <optional>

#include "fees/batch_calc.h"
#include "fees/calc_buy.h"
#include "fees/calc_sell.h"
#include "fees/display_format.h"
#include "fees/number_text.h"

namespace zm {
namespace {

struct CombinedTrade {
    Money amount;
    Money quantity;
};

std::optional<CombinedTrade> combinedTrade(const std::array<double, 6>& v) {
    CombinedTrade t;
    for (std::size_t b = 0; b < 3; ++b) {
        const auto price = Money::fromDouble(v[2 * b]);
        const auto qty = Money::fromDouble(v[2 * b + 1]);
        const auto amount = price && qty ? Money::mul(*price, *qty) : std::nullopt;
        if (!amount) {
            return std::nullopt;
        }
        t.amount += *amount;
        t.quantity += *qty;
    }
    if (t.quantity <= Money()) {
        return std::nullopt;
    }
    return t;
}

// The combined price (amount ÷ quantity to the nearest step, halves up like every figure of these
// rules) and the total quantity, as the price and quantity fields of one side show them.
void combinedPrice(CombinedTradeTexts& texts, const CombinedTrade& t, Money step) {
    const Int128 steps =
        divRoundHalfUp(static_cast<Int128>(t.amount.ticks()) * Money::kTicksPerYuan,
                       static_cast<Int128>(t.quantity.ticks()) * step.ticks());
    const Money price = Money::fromTicks(static_cast<std::int64_t>(steps) * step.ticks());
    texts.price = formatPrice(price, stepDecimals(step));
    texts.quantity = formatGroupedWhole(t.quantity);
}

std::optional<BatchBuyTexts> batchBuyRules(const FeeRules& rules, const std::array<double, 6>& v,
                                           const BatchWindowTexts& w) {
    const auto trade = combinedTrade(v);
    if (!trade || checkBatchRange(BatchSide::Buy, v, numberTextToDouble(w.dividend).value_or(0))) {
        return std::nullopt;
    }
    // Bonus shares play no part in a batch purchase.
    const BuyInputs in{w.commissionRate, w.stampDutyRate, w.market, {}, w.dividend, {}};
    const std::optional<BuyResult> r =
        computeRulesBuy(in, rules, trade->amount, trade->quantity, false);
    if (!r) {
        return std::nullopt;
    }
    BatchBuyTexts texts;
    combinedPrice(texts.trade, *trade, priceStep(rules, w.market));
    texts.trade.amount = r->amountText;
    texts.trade.commission = r->commissionText;
    texts.trade.stampDuty = r->stampDutyText;
    texts.trade.transferFee = r->transferFeeText;
    texts.trade.feeTotal = r->feeTotalText;
    texts.dividendFix = r->dividendFix;
    texts.costPerShare = r->costPerShareText;
    texts.breakEven = r->breakEvenText;
    texts.amountPaid = r->amountPaidText;
    return texts;
}

std::optional<BatchSellTexts> batchSellRules(const FeeRules& rules, const std::array<double, 6>& v,
                                             const BatchWindowTexts& w) {
    const auto trade = combinedTrade(v);
    if (!trade || checkBatchRange(BatchSide::Sell, v, 0.0)) {
        return std::nullopt;
    }
    const auto fees = eraFees(rules, w.market, TradeSide::Sell, trade->amount, trade->quantity);
    if (!fees) {
        return std::nullopt;
    }
    BatchSellTexts r;
    combinedPrice(r.trade, *trade, priceStep(rules, w.market));
    const Money received = trade->amount - fees->total;
    r.trade.amount = formatAmount(trade->amount);
    r.trade.commission = formatAmount(fees->commission);
    r.trade.stampDuty = formatAmount(fees->stampDuty);
    r.trade.transferFee = formatAmount(fees->transferFee);
    r.trade.feeTotal = formatAmount(fees->total);
    r.received = formatAmount(received);
    // The round trip against the amount paid the main window shows, when it shows one.
    if (const auto paid = numberTextToMoney(w.amountPaid)) {
        const Money profit = received - *paid;
        r.profit = formatAmount(profit);
        const auto yield = roundTripYield(profit, *paid);
        r.yield = yield ? formatAmount(*yield) : std::string();
    }
    if (const auto shown = numberTextToMoney(r.profit ? *r.profit : w.profit)) {
        r.loss = *shown < Money();
    }
    return r;
}

}  // namespace

std::optional<BatchBuyTexts> batchBuy(const FeeRules& rules, const std::array<double, 6>& values,
                                      const BatchWindowTexts& w) {
    return rules.own() ? batchBuy(values, w) : batchBuyRules(rules, values, w);
}

std::optional<BatchSellTexts> batchSell(const FeeRules& rules, const std::array<double, 6>& values,
                                        const BatchWindowTexts& w) {
    return rules.own() ? batchSell(values, w) : batchSellRules(rules, values, w);
}

}  // namespace zm
