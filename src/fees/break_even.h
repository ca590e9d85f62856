#pragma once

#include <cstdint>
#include <optional>

#include "fees/money.h"

namespace zm {

// The break-even price per share of a purchase of `quantity` shares at `price`: the lowest price
// on a grid of whole fen at which selling every share brings back the trade amount plus the fees
// of both sides, the minimums the purchase paid included (three searches; see break_even.cpp).
// Rates are per mille, 0 to 100 in all. The result equals the one-fen-per-step search, but is found
// by galloping from an estimate and bisecting on the same stop test, so its cost does not grow
// with the price (at most 66 evaluations of the stop test per search, about three for most inputs).
// nullopt when the inputs leave the supported range (quantity not positive, rates outside it,
// figures beyond Money's range, or no step within 2^31 − 1 fen).
std::optional<Money> CalcBreakEven(Money price, Money quantity, double commissionRate,
                                   double stampDutyRate);

// The break-even of the shares left after a partial sale, on the grid of whole fen from
// RemainBasePrice raised to whole fen: the lowest step at which A − F > RemainTarget, with
// A = (that fen price + step × 0.01) × RemainQty and F the proportional fees plus
// RemainTransferFee; a second search with the 5-yuan commission minimum when the commission found
// is below 5. Returns the StepCount of the last search that ran. Same result as the
// one-step-at-a-time search, at most 66 evaluations per search. nullopt when no step up to
// 2^31 − 1 stops (StepCount is 32 bits) or a figure leaves Money's range.
std::optional<std::int32_t> remainingShareSteps(Money remainBasePrice, Money remainQty,
                                                Money remainTarget, Money remainTransferFee,
                                                double commissionRate, double stampDutyRate);
// The price of step `steps` of that grid: RemainBasePrice raised to whole fen, plus `steps` fen.
std::optional<Money> remainingSharePrice(Money remainBasePrice, std::int32_t steps);

// The stop tests evaluated by the searches above on this thread since it started, all searches
// together; it only ever grows. Tests read it before and after a calculation to bound the work
// the calculation did, whatever its input.
std::int64_t breakEvenEvaluations();

}  // namespace zm
