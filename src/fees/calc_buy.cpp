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

// Bonus shares and cash dividend per 10 shares as typed; a field that holds no number counts as 0
// and is shown as 0 (recorded in r's fixes). nullopt for a number Money cannot hold, which the
// checks before every calculation refuse.
// cppcheck reads no member through the std::optional this is returned in.
struct PerTen {
    Money dividend;  // cppcheck-suppress unusedStructMember
    Money bonus;     // cppcheck-suppress unusedStructMember
};
std::optional<PerTen> perTenFigures(const BuyInputs& in, BuyResult& r) {
    const auto value = [](const std::string& text,
                          std::optional<std::string>& fix) -> std::optional<Money> {
        if (IsNumberText(text)) {
            return numberTextToMoney(text);
        }
        fix = "0";
        return Money();
    };
    const auto dividend = value(in.dividendText, r.dividendFix);
    const auto bonus = value(in.bonusText, r.bonusFix);
    if (!dividend || !bonus) {
        return std::nullopt;
    }
    return PerTen{*dividend, *bonus};
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

    const auto perTen = perTenFigures(in, r);
    if (!perTen) {
        return std::nullopt;
    }
    const auto dividend = dividendTotal(perTen->dividend, qty);

    // Cost per share after bonus shares and dividend, raised to the next fen on the exact quotient
    // (an exact 10.05 stays 10.05).
    auto num = checkedDifference(checkedSum(r.amount, r.feeTotal), dividend);
    auto den = checkedSum(qty, bonusShares(perTen->bonus, qty));
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
    const Money shares = *den;
    auto netAmount = checkedDifference(r.amount, dividend);
    if (!netAmount) {
        return std::nullopt;
    }
    auto adjustedPrice = Money::fromDouble(netAmount->toDouble() / shares.toDouble());
    if (!adjustedPrice) {
        return std::nullopt;
    }
    auto breakEven = CalcBreakEven(*adjustedPrice, shares, commissionRate, stampDutyRate);
    if (!breakEven) {
        return std::nullopt;
    }
    r.breakEvenText = formatPrice(*breakEven);

    // The amount paid is worked from the texts as the fields show them: the trade amount and the
    // fen-rounded fee total, less the dividend on the quantity as Text2 shows it.
    const auto shownAmount = numberTextToMoney(r.amountText);
    const auto shownFees = numberTextToMoney(r.feeTotalText);
    const auto shownQty = numberTextToMoney(in.quantityText);
    const auto shownDividend = shownQty ? dividendTotal(perTen->dividend, *shownQty) : std::nullopt;
    auto amountPaid = checkedDifference(checkedSum(shownAmount, shownFees), shownDividend);
    if (!amountPaid) {
        return std::nullopt;
    }
    r.amountPaid = *amountPaid;
    r.amountPaidText = formatAmount(r.amountPaid);
    return r;
}

}  // namespace

std::optional<Money> dividendTotal(Money perTen, Money shares) {
    const auto total = Money::mul(perTen, shares);  // ten times the dividend
    if (!total) {
        return std::nullopt;
    }
    constexpr Int128 kTicksPerTenFen = Int128{10} * Money::kTicksPerFen;
    return Money::fromFen(
        static_cast<std::int64_t>(divRoundHalfUp(total->ticks(), kTicksPerTenFen)));
}

std::optional<Money> bonusShares(Money perTen, Money shares) {
    const auto total = Money::mul(perTen, shares);  // ten times the bonus shares
    if (!total) {
        return std::nullopt;
    }
    return Money::fromYuan(total->ticks() / (10 * Money::kTicksPerYuan));
}

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

    const auto perTen = perTenFigures(in, r);
    if (!perTen) {
        return std::nullopt;
    }
    Money bonus = perTen->bonus;
    if (!withBonus) {
        bonus = Money();
        r.bonusFix.reset();
    }
    auto paid = checkedDifference(checkedSum(amount, fees->total),
                                  dividendTotal(perTen->dividend, quantity));
    auto held = checkedSum(quantity, bonusShares(bonus, quantity));
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
