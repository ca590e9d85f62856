#include "fees/break_even.h"

#include <algorithm>
#include <cmath>

#include "fees/fee_schedule.h"
#include "fees/step_search.h"

namespace zm {
namespace {

// Stop tests evaluated on this thread (breakEvenEvaluations).
thread_local std::int64_t t_evaluations = 0;

// Rates outside this range do not come from the rate lists (at most 3.0 and 6 per mille). Up to
// it the net proceeds of every search still rise with every step, which the fast search needs.
constexpr double kMaxRateSum = 100.0;

bool ratesSupported(double commissionRate, double stampDutyRate) {
    return std::isfinite(commissionRate) && std::isfinite(stampDutyRate) && commissionRate >= 0.0 &&
           stampDutyRate >= 0.0 && commissionRate + stampDutyRate <= kMaxRateSum;
}

// The price of step i of a grid that starts at `start`: start + i fen.
std::optional<Money> gridPrice(Money start, std::int64_t i) {
    if (i > kLastStep32) {
        return std::nullopt;
    }
    return Money::add(start, Money::fromFen(i));
}

// The amount of selling `quantity` shares at step i of that grid; nullopt when it leaves
// Money's range.
std::optional<Money> gridSaleAmount(Money start, Money quantity, std::int64_t i) {
    auto p = gridPrice(start, i);
    return p ? Money::mul(*p, quantity) : std::nullopt;
}

// How the sell fees G of one break-even search are counted, for a sale amount S (yuan):
enum class SellFees {
    Proportional,   // Q × 0.001 + (s × S × 0.001 + c × S × 0.001)
    MinCommission,  // Q × 0.001 + (s × S × 0.001 + 5)
    // s × S × 0.001 + max(c × S × 0.001, 5) + 1: both minimums, and the proportional commission
    // where it is above its minimum.
    BothMinimums,
};

struct BreakEvenSearch {
    Money start;        // p0, the rounded buy cost per share
    Money quantity;     // Q
    Money amount;       // A, the trade amount that the sale must bring back
    Money buyFees;      // F
    double qtyTerm;     // Q × 0.001
    double commission;  // c, per mille
    double stampDuty;   // s, per mille

    std::optional<Money> saleAmount(std::int64_t i) const {
        return gridSaleAmount(start, quantity, i);
    }

    StepOutcome test(std::int64_t i, SellFees fees) const {
        ++t_evaluations;
        auto sale = saleAmount(i);
        if (!sale) {
            return StepOutcome::OutOfRange;
        }
        const double s = sale->toDouble();
        double g = 0.0;
        switch (fees) {
            case SellFees::Proportional:
                g = qtyTerm + (stampDuty * s * 0.001 + commission * s * 0.001);
                break;
            case SellFees::MinCommission:
                g = qtyTerm + (stampDuty * s * 0.001 + kMinCommissionYuan);
                break;
            case SellFees::BothMinimums:
                g = stampDuty * s * 0.001 + std::max(commission * s * 0.001, kMinCommissionYuan) +
                    1.0;
                break;
        }
        auto sellFees = Money::fromDouble(g);
        if (!sellFees) {
            return StepOutcome::OutOfRange;
        }
        auto net = checkedDifference(Money::sub(*sale, buyFees), sellFees);
        if (!net) {
            return StepOutcome::OutOfRange;
        }
        return *net >= amount ? StepOutcome::Stop : StepOutcome::Continue;
    }

    // Where the search will roughly stop: the sale amount at which the net proceeds, the fees
    // taken as straight lines, reach the trade amount. Only a starting point for firstStopStep.
    std::int64_t estimate(SellFees fees) const {
        const double a = amount.toDouble() + buyFees.toDouble();
        double sale = 0.0;
        switch (fees) {
            case SellFees::Proportional:
                sale = (a + qtyTerm) / (1.0 - (stampDuty + commission) * 0.001);
                break;
            case SellFees::MinCommission:
                sale = (a + qtyTerm + kMinCommissionYuan) / (1.0 - stampDuty * 0.001);
                break;
            case SellFees::BothMinimums:
                sale = std::max((a + 6.0) / (1.0 - stampDuty * 0.001),
                                (a + 1.0) / (1.0 - (stampDuty + commission) * 0.001));
                break;
        }
        return clampStep((sale / quantity.toDouble() - start.toDouble()) * 100.0, kLastStep32);
    }

    std::optional<std::int64_t> firstStep(SellFees fees) const {
        return firstStopStep([&](std::int64_t i) { return test(i, fees); }, estimate(fees),
                             kLastStep32);
    }
};

}  // namespace

// The break-even price is searched in up to three rounds on the grid p0, p0 + 0.01, …, each from
// the start again; the last round that runs gives the result:
//   1. sell fees with the proportional commission;
//   2. when the commission at that price is below 5 yuan, again with the 5-yuan minimum;
//   3. when Q × 0.001 is below 1 (fewer than 1,000 shares), again with the 5-yuan minimum (or the
//      proportional commission above it) and the 1-yuan transfer-fee minimum.
// The buy fees count the commission at least at its 5-yuan minimum and, below 1,000 shares, the
// transfer fee at its 1-yuan minimum: those are what a purchase really pays, and leaving them out
// gave prices at which selling lost money (5.00 × 100 at 3.0‰ and 3‰ gave 5.11, a loss; it is
// 5.16). The transfer fee is counted on both sides in every market, on the safe side.
std::optional<Money> CalcBreakEven(Money price, Money quantity, double commissionRate,
                                   double stampDutyRate) {
    if (quantity <= Money() || !ratesSupported(commissionRate, stampDutyRate)) {
        return std::nullopt;
    }
    auto amount = Money::mul(price, quantity);
    if (!amount) {
        return std::nullopt;
    }
    const double qtyTerm = quantity.toDouble() * 0.001;
    const bool belowTransferMinimum = qtyTerm < 1.0;

    // Buy fees, fen-rounded as the purchase pays them, with both minimums.
    auto commission = proportionalFee(commissionRate, *amount);
    auto stampDuty = proportionalFee(stampDutyRate, *amount);
    auto transfer =
        belowTransferMinimum ? std::optional<Money>(kMinTransferFee) : Money::fromDouble(qtyTerm);
    if (!commission || !stampDuty || !transfer) {
        return std::nullopt;
    }
    const Money buyCommission = withCommissionMinimum(*commission);
    const auto rateFees = Money::add(*stampDuty, buyCommission);
    auto total = checkedSum(checkedSum(amount, rateFees), transfer);
    if (!total) {
        return std::nullopt;
    }
    // Start at the buy cost per share, rounded to the nearest fen.
    auto start = fenRound(total->toDouble() / quantity.toDouble());
    auto buyFees = Money::fromDouble((belowTransferMinimum ? 1.0 : qtyTerm) + rateFees->toDouble());
    if (!start || !buyFees) {
        return std::nullopt;
    }

    const BreakEvenSearch search{*start,  quantity,       *amount,      *buyFees,
                                 qtyTerm, commissionRate, stampDutyRate};
    auto step = search.firstStep(SellFees::Proportional);
    if (!step) {
        return std::nullopt;
    }
    auto sale = search.saleAmount(*step);
    if (!sale) {
        return std::nullopt;
    }
    if (commissionRate * sale->toDouble() * 0.001 < kMinCommissionYuan) {
        step = search.firstStep(SellFees::MinCommission);
        if (!step) {
            return std::nullopt;
        }
    }
    if (belowTransferMinimum) {
        step = search.firstStep(SellFees::BothMinimums);
    }
    return step ? gridPrice(*start, *step) : std::nullopt;
}

namespace {

// How the fees F of a later sale of the remaining shares are counted, for its amount A (yuan):
enum class RemainFees {
    Proportional,   // (s × A × 0.001 + c × A × 0.001) as Money, plus the transfer fee
    MinCommission,  // (s × A × 0.001 + 5) as Money, plus the transfer fee
};

struct RemainSearch {
    Money start;  // the base price raised to whole fen: the lowest fen price the search can give
    Money quantity;
    Money target;
    Money transferFee;
    double commission;
    double stampDuty;

    std::optional<Money> saleAmount(std::int64_t i) const {
        return gridSaleAmount(start, quantity, i);
    }

    StepOutcome test(std::int64_t i, RemainFees fees) const {
        ++t_evaluations;
        auto sale = saleAmount(i);
        if (!sale) {
            return StepOutcome::OutOfRange;
        }
        const double a = sale->toDouble();
        const double rateFees = fees == RemainFees::Proportional
                                    ? stampDuty * a * 0.001 + commission * a * 0.001
                                    : stampDuty * a * 0.001 + kMinCommissionYuan;
        auto net = checkedDifference(sale, checkedSum(Money::fromDouble(rateFees), transferFee));
        if (!net) {
            return StepOutcome::OutOfRange;
        }
        return *net > target ? StepOutcome::Stop : StepOutcome::Continue;
    }

    // Where the search will roughly stop, the fees taken as straight lines.
    std::int64_t estimate(RemainFees fees) const {
        const double t = target.toDouble() + transferFee.toDouble();
        const double sale = fees == RemainFees::Proportional
                                ? t / (1.0 - (stampDuty + commission) * 0.001)
                                : (t + kMinCommissionYuan) / (1.0 - stampDuty * 0.001);
        return clampStep((sale / quantity.toDouble() - start.toDouble()) * 100.0, kLastStep32);
    }

    // The fees are a share of the amount below one, rounded to the tick, not to the fen: they
    // never rise by more than the amount does, so the net proceeds never fall from one step to
    // the next and the first stop is the lowest (no look-back window).
    std::optional<std::int64_t> lowestStep(RemainFees fees) const {
        return lowestStopStep([&](std::int64_t i) { return test(i, fees); }, estimate(fees), 0,
                              kLastStep32);
    }
};

}  // namespace

std::optional<std::int32_t> remainingShareSteps(Money remainBasePrice, Money remainQty,
                                                Money remainTarget, Money remainTransferFee,
                                                double commissionRate, double stampDutyRate) {
    const auto start = fenCeilQuotient(remainBasePrice, Money::fromYuan(1));
    if (remainQty <= Money() || !start || !ratesSupported(commissionRate, stampDutyRate)) {
        return std::nullopt;
    }
    const RemainSearch search{*start,         remainQty,    remainTarget, remainTransferFee,
                              commissionRate, stampDutyRate};
    auto step = search.lowestStep(RemainFees::Proportional);
    if (!step) {
        return std::nullopt;
    }
    auto sale = search.saleAmount(*step);
    if (!sale) {
        return std::nullopt;
    }
    if (commissionRate * sale->toDouble() * 0.001 < kMinCommissionYuan) {
        step = search.lowestStep(RemainFees::MinCommission);
    }
    return step ? std::optional<std::int32_t>(static_cast<std::int32_t>(*step)) : std::nullopt;
}

std::optional<Money> remainingSharePrice(Money remainBasePrice, std::int32_t steps) {
    const auto start = fenCeilQuotient(remainBasePrice, Money::fromYuan(1));
    return start ? gridPrice(*start, steps) : std::nullopt;
}

std::int64_t breakEvenEvaluations() {
    return t_evaluations;
}

}  // namespace zm
