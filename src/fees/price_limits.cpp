#include "fees/price_limits.h"

#include <algorithm>

#include "fees/limits.h"

namespace zm {

Money limitTick(LimitBoard board) {
    return board == LimitBoard::Fund ? Money::fromTicks(10) : Money::fromFen(1);
}

Outcome<PriceLimits, PriceLimitRefusal> priceLimits(Money close, LimitBoard board, TradeDate date) {
    const Money tick = limitTick(board);
    if (!date.isValid() || !isToolPrice(close, tick)) {
        return PriceLimitRefusal::InvalidInput;
    }
    if (date < kFirstRulesDate) {
        return PriceLimitRefusal::DateTooEarly;
    }
    const int percent = limitPercentOn(board, date);
    // close × (100 ± percent) ÷ 100 in ticks of the quote step, halves up.
    const auto limit = [&](int hundredths) {
        const Int128 ticks = divRoundHalfUp(static_cast<Int128>(close.ticks()) * hundredths,
                                            Int128{100} * tick.ticks());
        return Money::fromTicks(static_cast<std::int64_t>(ticks) * tick.ticks());
    };
    PriceLimits r{limit(100 + percent), limit(100 - percent), percent, tick};
    if (r.upper - close < tick) {
        r.upper = close + tick;
    }
    if (close - r.lower < tick) {
        r.lower = close - tick;
    }
    r.lower = std::max(r.lower, tick);
    return r;
}

}  // namespace zm
