#pragma once

#include "fees/fee_rules.h"
#include "fees/holding_tools.h"
#include "fees/money.h"

// 涨跌停: the highest and lowest prices a share may trade at on a day.
namespace zm {

struct PriceLimits {
    Money upper;  // 涨停
    Money lower;  // 跌停
    int percent;  // the limit in percent of the close (limitPercentOn)
    Money tick;   // the quote step: 0.01, or 0.001 yuan for funds
};

enum class PriceLimitRefusal {
    InvalidInput,  // a close off the tick, below one tick or above 21,474,836.47, or no date
    DateTooEarly,  // before 2008-09-19, where the dated tables begin
};

// The quote step of a board: one fen, or 0.001 yuan for funds.
Money limitTick(LimitBoard board);

// The limits of a share that closed at `close` the day before `date`: close × (1 ± percent)
// rounded half up to the tick, in exact decimals (a float 涨停 of 1.15 at 10 % gives 1.26 where
// the exchange shows 1.27). A limit that would move less than one tick from the close (a close of
// a few ticks) is the close ± one tick. The lower limit is never below one tick, the lowest price
// that can be quoted: a share closing at one tick has a 跌停 equal to its close.
Outcome<PriceLimits, PriceLimitRefusal> priceLimits(Money close, LimitBoard board, TradeDate date);

}  // namespace zm
