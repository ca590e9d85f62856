#pragma once

#include <functional>

#include "fees/calc_state.h"
#include "fees/window_model.h"

namespace zm {

// The sell side of the main window: from SellPrice and SellQty and the purchase in the state,
// writes Text13 … Text20, the gain or loss mark, the yield, and for a partial sale the remaining
// shares and their break-even price in Text9; ends with saveRates. Shows no message.
void CalcSell(WindowModel& ui, CalcState& st, const std::function<void()>& saveRates);

}  // namespace zm
