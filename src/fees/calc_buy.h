#pragma once

#include <functional>

#include "fees/calc_state.h"
#include "fees/fee_schedule.h"
#include "fees/window_model.h"

namespace zm {

// The market chosen in Form1 (Option1 Shanghai, Option3 fund/warrant, otherwise Shenzhen).
Market chosenMarket(const WindowModel& ui);
// The double value of a rate list's text (Combo1, Combo2); 0 when it holds no number.
double rateOf(const WindowModel& ui, Ctl list);

// The buy side of the main window: from BuyPrice and BuyQty, writes Text3 … Text10 (and "0"
// into a bonus or dividend field that holds no number), turns Label8 red, and ends with
// saveRates. Nothing happens when BuyPrice or BuyQty is zero. Shows no message.
void CalcBuy(WindowModel& ui, CalcState& st, const std::function<void()>& saveRates);

}  // namespace zm
