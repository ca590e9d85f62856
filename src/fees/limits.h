#pragma once

#include "fees/money.h"

// The range the calculations are built for. Inside it every Money value, fee and rounding is
// exact (amounts stay below 2^53 ten-thousandths of a yuan, so doubles carry them without loss);
// inputs beyond it are refused with the messages of messages.h.
namespace zm::limits {

// A price or dividend of the main window, in yuan: 2^31 - 1 fen.
inline constexpr Money kMaxPrice = Money::fromFen(2'147'483'647);
// A price of a batch dialog (rewritten to a tenth of a fen): 2^31 - 1 tenths of a fen.
inline constexpr Money kMaxBatchPrice = Money::fromTicks(2'147'483'647LL * 10);
// Shares: the largest whole board lot count for a purchase, 2^31 - 1 for a sale.
inline constexpr Money kMaxBuyQty = Money::fromYuan(2'147'483'600);
inline constexpr Money kMaxSellQty = Money::fromYuan(2'147'483'647);
// A trade amount (price × quantity): one hundred billion yuan.
inline constexpr Money kMaxTradeAmount = Money::fromYuan(100'000'000'000);

}  // namespace zm::limits
