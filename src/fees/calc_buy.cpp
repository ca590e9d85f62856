#include "fees/calc_buy.h"

#include <optional>
#include <string>
#include <utility>

#include "fees/break_even.h"
#include "fees/display_format.h"
#include "fees/number_text.h"
#include "fees/trade_fees.h"

namespace zm {

namespace {

// Bonus shares and cash dividend per 10 shares; a field that holds no number counts as 0 and is
// shown as 0 (recorded in r's fixes).
std::pair<double, double> bonusAndDividend(const BuyInputs& in, BuyResult& r) {
    const auto value = [](const std::string& text, std::optional<std::string>& fix) {
        if (IsNumberText(text)) {
            return numberTextToDouble(text).value_or(0.0);
        }
        fix = "0";
        return 0.0;
    };
    const double dividend = value(in.dividendText, r.dividendFix);
    return {dividend, value(in.bonusText, r.bonusFix)};
}

std::optional<BuyResult> computeOwnBuy(const BuyInputs& in, Money price, Money qty) {
    const double commissionRate = in.commissionRate;
    const double stampDutyRate = in.stampDutyRate;
    const Market market = in.market;
    BuyResult r;

    auto amount = Money::mul(price, qty);
    if (!amount) {
        return std::nullopt;
    }
    r.amount = *amount;
    r.amountText = formatAmount(r.amount);

    const auto fees = tradeFees(FeeBasis{FeeRules{}, market, commissionRate, stampDutyRate},
                                TradeSide::Buy, r.amount, qty);
    if (!fees) {
        return std::nullopt;
    }
    r.commission = fees->commission;
    r.commissionText = formatAmount(r.commission);
    r.stampDuty = fees->stampDuty;
    // The fund and warrant market pays no stamp duty on a purchase, and its field shows a bare 0.
    r.stampDutyText = market == Market::FundWarrant ? "0" : formatAmount(r.stampDuty);
    // Not rounded to fen: 1,234 shares in Shanghai pay 1.234, shown as 1.23.
    r.transferFee = fees->transferFee;
    r.transferFeeText = formatAmount(r.transferFee);
    r.feeTotal = fees->total;
    r.feeTotalText = formatAmount(r.feeTotal);

    const auto [dividend, bonus] = bonusAndDividend(in, r);
    const double q = qty.toDouble();

    // Cost per share after bonus shares and dividend, raised to the next fen on the exact quotient
    // (an exact 10.05 stays 10.05).
    auto num =
        checkedDifference(checkedSum(r.amount, r.feeTotal), Money::fromDouble(dividend * q / 10));
    auto den = checkedSum(qty, Money::fromDouble(bonus * q / 10));
    if (!num || !den || *den <= Money()) {
        return std::nullopt;
    }
    r.heldQty = *den;  // the shares held after the bonus
    auto cost = fenCeilQuotient(*num, *den);
    if (!cost) {
        return std::nullopt;
    }
    r.costPerShare = *cost;
    r.costPerShareText = formatAmount(r.costPerShare);

    // The break-even price starts from the trade amount less the dividend, spread over the shares
    // after bonus shares; CalcBreakEven adds the fees of both sides itself.
    auto shares = checkedSum(qty, Money::fromDouble(bonus * q * 0.1));
    auto netAmount = checkedDifference(r.amount, Money::fromDouble(dividend * q * 0.1));
    if (!shares || !netAmount || *shares <= Money()) {
        return std::nullopt;
    }
    auto adjustedPrice = Money::fromDouble(netAmount->toDouble() / shares->toDouble());
    if (!adjustedPrice) {
        return std::nullopt;
    }
    auto breakEven = CalcBreakEven(*adjustedPrice, *shares, commissionRate, stampDutyRate);
    if (!breakEven) {
        return std::nullopt;
    }
    r.breakEvenText = formatPrice(*breakEven);

    // The amount paid is worked from the texts as the fields show them: the trade amount and the
    // fen-rounded fee total, less the dividend on the quantity as Text2 shows it.
    auto shownAmount = numberTextToDouble(r.amountText);
    auto shownFees = numberTextToDouble(r.feeTotalText);
    auto shownQty = numberTextToDouble(in.quantityText);
    if (!shownAmount || !shownFees || !shownQty) {
        return std::nullopt;
    }
    const double paid = (*shownAmount + *shownFees) - dividend * *shownQty * 0.1;
    auto amountPaid = Money::fromDouble(paid);
    if (!amountPaid) {
        return std::nullopt;
    }
    r.amountPaid = *amountPaid;
    r.amountPaidText = formatAmount(r.amountPaid);
    return r;
}

}  // namespace

std::optional<BuyResult> computeRulesBuy(const BuyInputs& in, const FeeRules& rules, Money amount,
                                         Money quantity, bool withBonus) {
    const Market market = in.market;
    const Money step = priceStep(rules, market);
    const int decimals = stepDecimals(step);
    BuyResult r;
    const auto fees = eraFees(rules, market, TradeSide::Buy, amount, quantity);
    if (!fees) {
        return std::nullopt;
    }
    r.amount = amount;
    r.amountText = formatAmount(amount);
    r.commission = fees->commission;
    r.commissionText = formatAmount(fees->commission);
    r.stampDuty = fees->stampDuty;
    r.stampDutyText = formatAmount(fees->stampDuty);
    r.transferFee = fees->transferFee;
    r.transferFeeText = formatAmount(fees->transferFee);
    r.feeTotal = fees->total;
    r.feeTotalText = formatAmount(fees->total);

    auto [dividend, bonus] = bonusAndDividend(in, r);
    if (!withBonus) {
        bonus = 0.0;
        r.bonusFix.reset();
    }
    // The dividend is paid in fen: per 10 shares × shares ÷ 10, rounded half up.
    const auto perTen = Money::fromDouble(dividend);
    const auto dividendTotal = perTen ? Money::mul(*perTen, quantity) : std::nullopt;
    if (!dividendTotal) {
        return std::nullopt;
    }
    const Int128 fen = divRoundHalfUp(dividendTotal->ticks(), 1000);  // ticks of 10 shares → fen
    auto paid = checkedDifference(checkedSum(amount, fees->total),
                                  Money::fromFen(static_cast<std::int64_t>(fen)));
    auto held = checkedSum(quantity, Money::fromDouble(bonus * quantity.toDouble() / 10));
    if (!paid || !held || *held <= Money()) {
        return std::nullopt;
    }
    r.amountPaid = *paid;
    r.amountPaidText = formatAmount(*paid);
    r.heldQty = *held;
    // Cost per share: what was paid spread over the shares held, raised to the price step.
    const auto cost = stepCeilQuotient(*paid, *held, step);
    if (!cost) {
        return std::nullopt;
    }
    r.costPerShare = *cost;
    r.costPerShareText = formatAmount(*cost, decimals);
    // Break-even: the lowest price at which selling every share brings back what was paid.
    const auto breakEven = eraBreakEven(rules, market, *held, *paid);
    r.breakEvenText = breakEven ? formatPrice(*breakEven, decimals) : std::string();
    return r;
}

std::optional<BuyResult> CalcBuy(const BuyInputs& in, const FeeRules& rules, Money price,
                                 Money quantity) {
    if (price.isZero() || quantity.isZero()) {
        return std::nullopt;
    }
    if (rules.own()) {
        return computeOwnBuy(in, price, quantity);
    }
    const auto amount = Money::mul(price, quantity);
    return amount ? computeRulesBuy(in, rules, *amount, quantity) : std::nullopt;
}

}  // namespace zm
