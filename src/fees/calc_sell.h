#pragma once

#include <functional>
#include <optional>

#include "fees/calc_state.h"
#include "fees/fee_rules.h"
#include "fees/window_model.h"

namespace zm {

// The sell side of the main window: from SellPrice and SellQty and the purchase in the state,
// writes Text13 … Text20, the gain or loss mark, the yield, and for a partial sale the remaining
// shares and their break-even price in Text9; ends with saveRates. Shows no message.
// Under trade-date rules the fees are those of `rules`, a partial sale is one of fewer shares
// than were held after the bonus, and the remaining shares' break-even is the lowest price on
// the market's step at which selling them brings back the amount paid less this sale's proceeds.
void CalcSell(WindowModel& ui, CalcState& st, const std::function<void()>& saveRates,
              const FeeRules& rules = {});

// The fees of a sale of `quantity` shares for `amount`: under the program's own rules from the
// two list rates (the commission rounded to fen, raised to 5.00 when it shows below that, the
// stamp duty, the Shanghai transfer fee unrounded, an exact total), else those of `rules`.
std::optional<TradeFees> saleFees(const FeeRules& rules, Market market, double commissionRate,
                                  double stampDutyRate, Money amount, Money quantity);

// The yield of a round trip in percent, to two decimals: profit ÷ amount paid × 10000 rounded to
// a whole number (halves to even), then ÷ 100. nullopt when nothing was paid or the figure
// leaves Money's range.
std::optional<Money> roundTripYield(Money profitLoss, Money amountPaid);

// The gain or loss mark of the sell side: "大亏特亏" in blue on Label17 and Label18 when the
// profit as shown is below zero, "大赚特赚" in red otherwise.
void writeGainLossMark(WindowModel& ui, bool loss);

}  // namespace zm
