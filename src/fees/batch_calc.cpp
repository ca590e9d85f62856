#include "fees/batch_calc.h"

#include <cmath>
#include <utility>

#include "fees/break_even.h"
#include "fees/calc_buy.h"
#include "fees/calc_sell.h"
#include "fees/display_format.h"
#include "fees/fee_schedule.h"
#include "fees/limits.h"
#include "fees/number_text.h"
#include "view/messages.h"

namespace zm {
namespace {

constexpr double kMinValid = 0.01;

double toDouble(Money m) {
    return m.toDouble();
}

}  // namespace

bool isValidPriceText(std::string_view text) {
    const auto value = numberTextToDouble(text);
    return value && *value >= kMinValid;
}

double capturedNumber(std::string_view captured) {
    return numberTextToDouble(captured).value_or(0.0);
}

double batchTransferFee(double q1, double q2, double q3) {
    auto fee = [](double q) {
        const double f = q * 0.001;
        return f > 0.0 && f < 1.0 ? 1.0 : f;
    };
    return (fee(q1) + fee(q2)) + fee(q3);
}

std::optional<BatchRefusal> checkBatchRange(BatchSide side, const std::array<double, 6>& values,
                                            double dividend) {
    const bool buy = side == BatchSide::Buy;
    const double maxPrice = toDouble(limits::kMaxBatchPrice);
    const double maxQty = toDouble(buy ? limits::kMaxBuyQty : limits::kMaxSellQty);
    const double maxAmount = toDouble(limits::kMaxTradeAmount);
    const std::string_view priceMax = buy ? msg::kBatchBuyPriceMax : msg::kBatchSellPriceMax;
    const std::string_view qtyMax = buy ? msg::kBuyQtyMax : msg::kSellQtyMax;
    const std::string_view amountMax = buy ? msg::kBuyAmountMax : msg::kSellAmountMax;

    for (int i = 0; i < 6; ++i) {
        const bool price = i % 2 == 0;
        if (values[static_cast<std::size_t>(i)] > (price ? maxPrice : maxQty)) {
            return BatchRefusal{i, price ? priceMax : qtyMax};
        }
    }

    // Every term is at least 0 here (a capture is 0 or a number of at least 0.01), so the running
    // totals only grow and the batch that first passes a limit is the one to correct.
    double quantity = 0.0;
    double sum = 0.0;
    int firstWithShares = -1;
    int lastWithShares = -1;
    for (int batch = 0; batch < 3; ++batch) {
        const double p = values[2 * static_cast<std::size_t>(batch)];
        const double q = values[2 * static_cast<std::size_t>(batch) + 1];
        const int qtyField = 2 * batch + 1;
        if (q > 0.0) {
            lastWithShares = qtyField;
            if (firstWithShares < 0) {
                firstWithShares = qtyField;
            }
        }
        quantity += q;
        sum += p * q;
        if (quantity > maxQty) {
            return BatchRefusal{qtyField, qtyMax};
        }
        if (sum > maxAmount) {
            return BatchRefusal{qtyField, amountMax};
        }
    }
    if (lastWithShares < 0) {
        return std::nullopt;  // nothing to compute
    }

    // The quantity and the price exactly as the main window will show them.
    const Money shownQty =
        numberTextToMoney(formatGroupedWhole(*Money::fromDouble(quantity))).value_or(Money());
    if (shownQty.isZero()) {
        return BatchRefusal{firstWithShares, buy ? msg::kBuyQtyNotPositive : msg::kSellQtyMin};
    }
    const Money shownPrice = fenRound(sum / quantity).value_or(Money());
    const auto shownAmount = Money::mul(shownPrice, shownQty);
    if (!shownAmount || *shownAmount > limits::kMaxTradeAmount) {
        return BatchRefusal{lastWithShares, amountMax};
    }

    if (buy) {
        if (std::fabs(dividend) > toDouble(limits::kMaxPrice)) {
            return BatchRefusal{std::nullopt, msg::kDividendMax};
        }
        if (std::fabs(dividend * shownQty.toDouble() * 0.1) > maxAmount) {
            return BatchRefusal{std::nullopt, msg::kDividendAmountMax};
        }
    }
    return std::nullopt;
}

std::optional<Money> batchCostPerShare(std::string_view amountText, std::string_view feeTotalText,
                                       std::string_view quantityText) {
    const auto t = numberTextToExactMoney(amountText);
    const auto f = numberTextToExactMoney(feeTotalText);
    const auto n = numberTextToExactMoney(quantityText);
    if (t && f && n) {
        const auto sum = Money::add(*t, *f);
        if (!sum || n->isZero()) {
            return std::nullopt;
        }
        return fenCeilQuotient(*sum, *n);
    }
    const auto td = numberTextToDouble(amountText);
    const auto fd = numberTextToDouble(feeTotalText);
    const auto nd = numberTextToDouble(quantityText);
    if (!td || !fd || !nd || *nd == 0.0) {
        return std::nullopt;
    }
    return fenCeil((*td + *fd) / *nd);
}

std::optional<Money> batchYieldPercent(double profitLoss, double amountPaid) {
    // Hundredths of a percent held as fen of Money: keep them well inside its range.
    constexpr std::int64_t kMaxHundredths = 90'000'000'000'000'000;
    return yieldPercent(profitLoss, amountPaid, kMaxHundredths);
}

namespace {

// A text read back as a double; a text that holds no number counts as 0.
double readBack(std::string_view text) {
    return numberTextToDouble(text).value_or(0.0);
}

// Money as a field shows it; every caller has checked the range beforehand.
std::string amountText(double value) {
    return formatAmount(Money::fromDouble(value).value_or(Money()));
}
std::string fenAmountText(double value) {
    return formatAmount(fenRound(value).value_or(Money()));
}

// Steps 2 to 8, alike on both sides but for the transfer fee's text: the combined price rounded
// to fen, the total quantity, the trade sum as computed, then the commission (its minimum
// applied once, to the figure as shown) and the stamp duty, each worked from the trade amount
// as shown, the transfer fee, and the fee total from the three fees as shown, rounded to fen.
CombinedTradeTexts combinedTrade(double S, double Q, const BatchWindowTexts& w,
                                 std::string transferFeeText) {
    CombinedTradeTexts t;
    t.price = formatPrice(fenRound(S / Q).value_or(Money()));
    t.quantity = formatGroupedWhole(Money::fromDouble(Q).value_or(Money()));
    t.amount = formatGeneral(S);
    const double T = readBack(t.amount);
    const Money commission = fenRound(w.commissionRate * T * 0.001).value_or(Money());
    t.commission = formatAmount(commission);
    const Money charged = chargedCommission(commission).value_or(commission);
    if (charged != numberTextToMoney(t.commission)) {
        t.commissionMinimum = formatAmount(charged);
    }
    t.stampDuty = fenAmountText(w.stampDutyRate * T * 0.001);
    t.transferFee = std::move(transferFeeText);
    const double C = readBack(t.commissionMinimum ? *t.commissionMinimum : t.commission);
    t.feeTotal = fenAmountText((C + readBack(t.stampDuty)) + readBack(t.transferFee));
    return t;
}

}  // namespace

std::optional<BatchBuyTexts> batchBuy(const std::array<double, 6>& v, const BatchWindowTexts& w) {
    // 1. Total quantity; no shares, nothing to write. Out-of-range figures are refused by the
    // callers; should anything else call in, it writes nothing either.
    const double Q = (v[1] + v[3]) + v[5];
    if (Q == 0.0 || checkBatchRange(BatchSide::Buy, v, readBack(w.dividend))) {
        return std::nullopt;
    }
    const double S = ((v[0] * v[1]) + v[2] * v[3]) + v[4] * v[5];
    // 2. to 8. The transfer fee is paid per batch in Shanghai, each batch its own 1-yuan minimum.
    BatchBuyTexts r;
    r.trade = combinedTrade(
        S, Q, w, w.shanghai ? formatGeneral(batchTransferFee(v[1], v[3], v[5])) : std::string("0"));
    const CombinedTradeTexts& t = r.trade;
    // 9. Cost per share, raised to the next fen.
    const auto cost = batchCostPerShare(t.amount, t.feeTotal, t.quantity);
    r.costPerShare = cost ? formatMoneyGeneral(*cost) : std::string();
    // 10. Break-even price of the combined purchase as shown.
    const auto breakEven = CalcBreakEven(numberTextToMoney(t.price).value_or(Money()),
                                         numberTextToMoney(t.quantity).value_or(Money()),
                                         w.commissionRate, w.stampDutyRate);
    r.breakEven = breakEven ? formatMoneyGeneral(*breakEven) : std::string();
    // 12. Amount paid, less the cash dividend on the quantity shown, worked exactly and rounded
    // half up to the fen once (a dividend field without a number counts 0).
    const auto quantity = numberTextToMoney(t.quantity);
    const auto dividend =
        quantity ? dividendTotal(numberTextToMoney(w.dividend).value_or(Money()), *quantity)
                 : std::nullopt;
    const auto paid = checkedDifference(
        checkedSum(numberTextToMoney(t.amount), numberTextToMoney(t.feeTotal)), dividend);
    r.amountPaid = formatAmount(paid.value_or(Money()));
    return r;
}

std::optional<BatchSellTexts> batchSell(const std::array<double, 6>& v, const BatchWindowTexts& w) {
    const double Q = (v[1] + v[3]) + v[5];
    if (Q == 0.0 || checkBatchRange(BatchSide::Sell, v, 0.0)) {
        return std::nullopt;
    }
    const double S = ((v[0] * v[1]) + v[2] * v[3]) + v[4] * v[5];
    // 7. The transfer fee, per batch in Shanghai.
    BatchSellTexts r;
    r.trade = combinedTrade(
        S, Q, w,
        w.shanghai ? formatGroupedNoLead(
                         Money::fromDouble(batchTransferFee(v[1], v[3], v[5])).value_or(Money()))
                   : formatPrice(Money()));
    // 9. Amount received.
    r.received = amountText(readBack(r.trade.amount) - readBack(r.trade.feeTotal));
    // 10. The round trip, when the main window shows an amount paid. Text10 is a result field;
    // a text there that holds no number is treated as no purchase.
    if (IsNumberText(w.amountPaid)) {
        const double P = readBack(w.amountPaid);
        const auto profit = Money::fromDouble(readBack(r.received) - P);
        r.profit = profit ? formatAmount(*profit) : std::string();
        // Nothing paid has no yield, and neither has a profit that cannot be shown: the field is
        // emptied rather than left with an earlier trade's figure.
        const auto yield = profit ? batchYieldPercent(readBack(*r.profit), P) : std::nullopt;
        r.yield = yield ? formatAmount(*yield) : std::string();
    }
    // 11. The mark, from whatever Text19 holds now; with no number there it stays as it is.
    if (const auto L = numberTextToDouble(r.profit ? *r.profit : w.profit)) {
        r.loss = *L < 0.0;
    }
    return r;
}

}  // namespace zm
