// Temporary: the calculations replace this file.
#include "fees/break_even.h"
#include "fees/calc_buy.h"
#include "fees/calc_sell.h"

namespace zm {
std::optional<Money> CalcBreakEven(Money, Money, double, double) { return std::nullopt; }
std::optional<std::int32_t> remainingShareSteps(Money, Money, Money, Money, double, double) {
    return std::nullopt;
}
Market chosenMarket(const WindowModel&) { return Market::ShanghaiA; }
double rateOf(const WindowModel&, Ctl) { return 0.0; }
void CalcBuy(WindowModel&, CalcState&, const std::function<void()>&) {}
void CalcSell(WindowModel&, CalcState&, const std::function<void()>&) {}
}  // namespace zm
