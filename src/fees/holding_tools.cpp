#include "fees/holding_tools.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "fees/fee_rules.h"
#include "fees/limits.h"
#include "fees/step_search.h"

namespace zm {
namespace {

constexpr std::int64_t kShare = Money::kTicksPerYuan;  // one share held as Money

std::optional<Trade> trade(const FeeBasis& basis, TradeSide side, Money price, Money shares) {
    if (price > limits::kMaxPrice || price < Money() || shares < Money()) {
        return std::nullopt;
    }
    const auto amount = Money::mul(price, shares);
    if (!amount || *amount > limits::kMaxTradeAmount) {
        return std::nullopt;
    }
    const auto fees = tradeFees(basis, side, *amount, shares);
    if (!fees) {
        return std::nullopt;
    }
    const Money net = side == TradeSide::Buy ? *amount + fees->total : *amount - fees->total;
    return Trade{*amount, *fees, net};
}

// The fees of a sale per yuan of its amount at their straight-line rates (commission, stamp
// duty, a transfer fee charged on the amount), for the searches' starting guesses and windows.
double saleRate(const FeeBasis& b) {
    if (b.rules.own()) {
        return (b.commissionRate + b.stampDutyRate) / 1000.0;
    }
    const Era& era = b.rules.era();
    const std::int64_t ppm =
        b.rules.commissionPpm +
        (b.market == Market::FundWarrant ? 0 : era.stampDutyPpm + era.transferPpm);
    return static_cast<double>(ppm) / 1e6;
}

// The last step index i of the price grid (i + 1) × step for a trade of `shares`: the price at
// most limits::kMaxPrice and the amount at most limits::kMaxTradeAmount.
std::int64_t lastPriceStep(Money step, Money shares) {
    const Int128 byPrice = limits::kMaxPrice.ticks() / step.ticks();
    // amount ticks = price ticks × shares ticks ÷ 10^4.
    const Int128 byAmount = static_cast<Int128>(limits::kMaxTradeAmount.ticks()) * kShare /
                            (static_cast<Int128>(shares.ticks()) * step.ticks());
    return static_cast<std::int64_t>(std::min(byPrice, byAmount)) - 1;
}

Money priceAt(Money step, std::int64_t i) {
    return Money::fromTicks((i + 1) * step.ticks());
}

// A step index from a double estimate of the price, clamped to 0 … last.
std::int64_t stepNear(double price, Money step, std::int64_t last) {
    const double i = price / step.toDouble() - 1.0;
    if (!(i > 0.0)) {
        return 0;
    }
    return i >= static_cast<double>(last) ? last : static_cast<std::int64_t>(i);
}

}  // namespace

LotRule lotRule(Board board) {
    switch (board) {
        case Board::Star:
            return {200, 1};
        case Board::Beijing:
            return {100, 1};
        case Board::Main:
        case Board::ChiNext:
            break;
    }
    return {100, 100};
}

bool isLegalPurchase(Board board, Money shares) {
    if (!isWholeShares(shares) || shares > limits::kMaxBuyQty) {
        return false;
    }
    const LotRule rule = lotRule(board);
    const std::int64_t n = shares.ticks() / kShare;
    return n >= rule.first && (n - rule.first) % rule.stride == 0;
}

std::optional<Trade> purchase(const FeeBasis& basis, Money price, Money shares) {
    return trade(basis, TradeSide::Buy, price, shares);
}

std::optional<Trade> sale(const FeeBasis& basis, Money price, Money shares) {
    return trade(basis, TradeSide::Sell, price, shares);
}

bool basisSupported(const FeeBasis& b) {
    if (b.rules.own()) {
        return std::isfinite(b.commissionRate) && std::isfinite(b.stampDutyRate) &&
               b.commissionRate >= 0.0 && b.commissionRate <= 3.0 && b.stampDutyRate >= 0.0 &&
               b.stampDutyRate <= 6.0;
    }
    return b.rules.commissionPpm >= 0 && b.rules.commissionPpm <= 3000 &&
           b.rules.minCommission >= Money() && b.rules.minCommission <= Money::fromYuan(100) &&
           (b.rules.kind != RuleKind::OnDate || b.rules.date.isValid());
}

bool isToolPrice(Money price, Money step) {
    return price >= step && price <= limits::kMaxPrice && price.ticks() % step.ticks() == 0;
}

bool isWholeShares(Money shares) {
    return shares >= Money::fromYuan(1) && shares.ticks() % kShare == 0;
}

bool isCostPerShare(Money cost) {
    return cost > Money() && cost <= limits::kMaxPrice && cost.ticks() % 10 == 0;
}

std::optional<Money> costPerShare(Money total, Money shares) {
    if (!isWholeShares(shares)) {
        return std::nullopt;
    }
    // total ÷ shares yuan is total ticks × 10^4 ÷ share ticks ticks, counted in mills (10 ticks).
    constexpr std::int64_t kTicksPerMill = 10;
    const Int128 mills = divRoundHalfUp(static_cast<Int128>(total.ticks()) * kShare,
                                        static_cast<Int128>(shares.ticks()) * kTicksPerMill);
    const Int128 ticks = mills * kTicksPerMill;
    if (ticks > std::numeric_limits<std::int64_t>::max() ||
        ticks < std::numeric_limits<std::int64_t>::min()) {
        return std::nullopt;
    }
    return Money::fromTicks(static_cast<std::int64_t>(ticks));
}

std::optional<Money> lowestSalePrice(const FeeBasis& basis, Money shares, Money target) {
    if (!isWholeShares(shares) || !basisSupported(basis)) {
        return std::nullopt;
    }
    const Money step = priceStep(basis.rules, basis.market);
    const std::int64_t last = lastPriceStep(step, shares);
    auto stops = [&](std::int64_t i) {
        const auto s = sale(basis, priceAt(step, i), shares);
        return s && s->net >= target ? StepOutcome::Stop : StepOutcome::Continue;
    };
    // The net proceeds rise by the step's amount (the lot) less its fees from one step to the
    // next, but each of the three fees rounded to the fen can jump by a fen more than its rate:
    // the net may dip by up to 3 fen. The lot less the fees at their rates (below 1 % with the
    // supported rates) makes that up within this many steps: once a price nets the target, every
    // price this many steps above it does too.
    const double lot = shares.toDouble() * step.toDouble();
    const double rate = saleRate(basis);
    const auto window = static_cast<std::int64_t>(std::ceil(0.031 / (lot * (1.0 - rate))));
    // A start near the answer: the target and the minimum commission at straight-line rates.
    const double guess =
        (target.toDouble() + kMinCommissionYuan) / (1.0 - rate) / shares.toDouble();
    const auto found = lowestStopStep(stops, stepNear(guess, step, last), window, last);
    return found ? std::optional<Money>(priceAt(step, *found)) : std::nullopt;
}

std::optional<Money> highestPurchasePrice(const FeeBasis& basis, Money shares, Money budget) {
    if (!isWholeShares(shares) || !basisSupported(basis)) {
        return std::nullopt;
    }
    const Money step = priceStep(basis.rules, basis.market);
    const std::int64_t last = lastPriceStep(step, shares);
    // No fee falls as the price rises, so what a purchase costs rises with every step: the
    // first step that costs more than the budget ends the search exactly (window 0).
    auto tooDear = [&](std::int64_t i) {
        const auto p = purchase(basis, priceAt(step, i), shares);
        return !p || p->net > budget ? StepOutcome::Stop : StepOutcome::Continue;
    };
    const double guess = budget.toDouble() / (1.0 + saleRate(basis)) / shares.toDouble();
    const auto dear = lowestStopStep(tooDear, stepNear(guess, step, last), 0, last);
    if (dear && *dear == 0) {
        return std::nullopt;
    }
    return priceAt(step, dear ? *dear - 1 : last);
}

}  // namespace zm
