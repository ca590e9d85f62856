#include "fees/average_cost.h"

#include <algorithm>
#include <cmath>

#include "fees/fee_rules.h"
#include "fees/limits.h"

namespace zm {
namespace {

using Refusal = AverageDownRefusal;
using Answer = Outcome<AverageDownResult, AverageDownRefusal>;

constexpr std::int64_t kShare = Money::kTicksPerYuan;

// The counts the walk of averageDownTo may test before it gives up on a target at the edge of
// the fees. Ordinary targets take a handful.
constexpr int kMaxWalk = 1 << 16;

std::optional<Refusal> checkInput(const AverageDownInput& in) {
    if (!basisSupported(in.basis) || !isWholeShares(in.heldShares) ||
        in.heldShares > limits::kMaxSellQty || !isCostPerShare(in.costPerShare) ||
        !isToolPrice(in.price, priceStep(in.basis.rules, in.basis.market))) {
        return Refusal::InvalidInput;
    }
    const auto held = Money::mul(in.heldShares, in.costPerShare);
    if (!held || *held > limits::kMaxTradeAmount) {
        return Refusal::HoldingTooLarge;
    }
    return std::nullopt;
}

Answer resultFor(const AverageDownInput& in, Money shares, const Trade& bought) {
    AverageDownResult r;
    r.sharesBought = shares;
    r.purchase = bought;
    r.sharesHeld = in.heldShares + shares;
    // H × C ≤ 10^11 and paid ≤ 10^11 plus its fees: far inside Money's range.
    r.totalCost = *Money::mul(in.heldShares, in.costPerShare) + bought.net;
    r.newCost = costPerShare(r.totalCost, r.sharesHeld).value_or(Money());
    r.breakEven = lowestSalePrice(in.basis, r.sharesHeld, r.totalCost);
    return r;
}

// The fees of a purchase of N shares are at least N × (rate × P + perShare) − slack, every fee
// counted at its straight-line rate: rate in billionths of the amount, rounded down, perShare
// in ticks (the Shanghai fee per share), and slack the most that rounding to the fen (half a fen
// per fee and for the total) and the doubles of the program's own rules can take off them.
struct FeeFloor {
    Int128 ratePpb = 0;
    Int128 perShare = 0;
    static constexpr Int128 kSlack = Int128{2} * Money::kTicksPerFen;
};

FeeFloor feeFloor(const FeeBasis& b) {
    FeeFloor f;
    const bool fund = b.market == Market::FundWarrant;
    const auto ppb = [](double perMille) {
        return std::max<Int128>(0, static_cast<Int128>(std::floor(perMille * 1e6)) - 1);
    };
    if (b.rules.own()) {
        f.ratePpb = ppb(b.commissionRate) + (fund ? 0 : ppb(b.stampDutyRate));
        f.perShare = b.market == Market::ShanghaiA ? kShare / 1000 : 0;
        return f;
    }
    const Era& era = b.rules.era();
    f.ratePpb = Int128{b.rules.commissionPpm} * 1000;
    if (!fund && era.transfer == TransferRule::AmountBothMarkets) {
        f.ratePpb += Int128{era.transferPpm} * 1000;
    }
    if (b.market == Market::ShanghaiA && era.transfer == TransferRule::ShanghaiPerShare) {
        f.perShare = kShare / 1000;
    }
    return f;
}

}  // namespace

Answer averageDownBy(const AverageDownInput& in, Money shares) {
    if (const auto refusal = checkInput(in)) {
        return *refusal;
    }
    if (!isLegalPurchase(in.board, shares)) {
        return Refusal::CountNotLegal;
    }
    const auto bought = purchase(in.basis, in.price, shares);
    if (!bought) {
        return Refusal::AmountTooLarge;
    }
    return resultFor(in, shares, *bought);
}

// The count is searched on h(N) = T × (H + N) − H × C − paid(N) = E × N − D − fees(N), with
// E = T − P and D = H × (C − T): the first legal N with h(N) ≥ 0. h does not rise steadily with
// N (a fee rounded up a fen can outweigh the step), and near the fee rate it barely rises at all,
// so no bisection can be trusted. The walk is exact instead, on two facts:
//  - no fee falls as N grows: where h(N) < 0, no count below (fees(N) + D) ÷ E can reach the
//    target, so the walk jumps there (the fees at the counts it jumps over are at least
//    fees(N), so their h stays below 0);
//  - the fees are at least their straight-line floor (FeeFloor): h(N) ≤ s × N − D + slack, with
//    s = E − rate × P − perShare, which bounds where an answer can lie at all.
// Each jump closes most of the gap to the answer, so an ordinary target takes a few tests; a
// target within a few fen of what the fees allow takes one count at a time, and is given up
// after kMaxWalk tests.
Answer averageDownTo(const AverageDownInput& in, Money targetCost) {
    if (const auto refusal = checkInput(in)) {
        return *refusal;
    }
    if (!isCostPerShare(targetCost)) {
        return Refusal::InvalidInput;
    }
    if (targetCost >= in.costPerShare) {
        return Refusal::TargetNotBelowCost;
    }
    if (targetCost <= in.price) {
        return Refusal::TargetNotAbovePrice;
    }
    const LotRule lot = lotRule(in.board);
    const Int128 held = in.heldShares.ticks() / kShare;
    const Int128 e = targetCost.ticks() - in.price.ticks();                  // ticks per share, > 0
    const Int128 d = held * (in.costPerShare.ticks() - targetCost.ticks());  // ticks, > 0
    // Legal counts first + k × stride for k = 0 … last, within the quantity and amount limits.
    const Int128 maxShares = std::min<Int128>(limits::kMaxBuyQty.ticks() / kShare,
                                              limits::kMaxTradeAmount.ticks() / in.price.ticks());
    Int128 last = (maxShares - lot.first) / lot.stride;

    // Where the fee floor lets an answer lie, in billionths of a tick: h(N) × 10^9 is at most
    // slope × N − (D − slack) × 10^9.
    const FeeFloor floor = feeFloor(in.basis);
    constexpr Int128 kBillion = 1'000'000'000;
    const Int128 slope = (e - floor.perShare) * kBillion - floor.ratePpb * in.price.ticks();
    const Int128 gap = (d - FeeFloor::kSlack) * kBillion;
    Int128 fromShares = 0;
    if (slope <= 0) {
        if (gap > 0) {
            return Refusal::TargetUnreachable;  // the fees per share eat all of E
        }
        if (slope < 0) {
            const Int128 toShares = -gap / -slope;
            last = std::min(
                last, toShares < lot.first ? Int128{-1} : (toShares - lot.first) / lot.stride);
        }
    } else if (gap > 0) {
        fromShares = divCeil(gap, slope);
    }
    auto stepOf = [&](Int128 shares) {
        return shares <= lot.first ? Int128{0} : divCeil(shares - lot.first, lot.stride);
    };

    Int128 k = stepOf(fromShares);
    for (int tests = 0; k <= last; ++tests) {
        if (tests == kMaxWalk) {
            return Refusal::TargetAtFeeEdge;
        }
        const Money shares = Money::fromYuan(static_cast<std::int64_t>(lot.first + k * lot.stride));
        const auto bought = purchase(in.basis, in.price, shares);
        if (!bought) {
            break;  // cannot happen within the limits above
        }
        const Int128 fees = bought->fees.total.ticks();
        if (e * (shares.ticks() / kShare) - d - fees >= 0) {
            return resultFor(in, shares, *bought);
        }
        k = std::max(k + 1, stepOf(divCeil(fees + d, e)));
    }
    return Refusal::TargetUnreachable;
}

}  // namespace zm
