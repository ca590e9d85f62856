#include "input/batch_calc.h"

#include <cmath>

#include "fees/display_format.h"
#include "fees/limits.h"
#include "fees/messages.h"
#include "fees/number_text.h"

namespace zm {
namespace {

constexpr double kMinValid = 0.01;

double toDouble(Money m) {
    return m.toDouble();
}

// A text read back as Money, when Money holds its value exactly. Within the supported range a
// text with more than four decimals has a double that no four-decimal value shares, so comparing
// the two parses tells an exact text from one Money would round.
std::optional<Money> exactMoney(std::string_view text) {
    const auto d = numberTextToDouble(text);
    const auto m = numberTextToMoney(text);
    if (!d || !m || m->toDouble() != *d) {
        return std::nullopt;
    }
    return m;
}

}  // namespace

bool isValidPriceText(std::string_view text) {
    const auto value = numberTextToDouble(text);
    return value && *value >= kMinValid;
}

bool IsValidPrice(const WindowModel& ui, Ctl field) {
    return isValidPriceText(ui.text(field));
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
    const auto t = exactMoney(amountText);
    const auto f = exactMoney(feeTotalText);
    const auto n = exactMoney(quantityText);
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
    if (amountPaid == 0.0) {
        return std::nullopt;
    }
    const auto hundredths = roundHalfEven(profitLoss / amountPaid * 10000.0);
    // Hundredths of a percent held as fen of Money: keep them well inside its range.
    constexpr std::int64_t kMaxHundredths = 90'000'000'000'000'000;
    if (!hundredths || *hundredths > kMaxHundredths || *hundredths < -kMaxHundredths) {
        return std::nullopt;
    }
    return Money::fromFen(*hundredths);
}

}  // namespace zm
