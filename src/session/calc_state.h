#pragma once

#include <cstdint>

#include "fees/money.h"

namespace zm {

// The main window's working record, alive as long as the window; all zero at start.
// The main window's own procedures read and write it; the batch dialogs record their combined
// trade in it as a trade of their side.
struct CalcState {
    // Purchase: set by the buy inputs and CalcBuy.
    Money BuyPrice;
    Money BuyQty;  // whole shares
    Money BuyAmount;
    Money BuyCommission;
    Money BuyStampDuty;
    Money BuyTransferFee;
    Money BuyFeeTotal;
    Money BuyCostPerShare;
    Money AmountPaid;
    // The shares held after the bonus shares; a sale of fewer is a partial sale under trade-date
    // rules (the program's own rules compare with BuyQty).
    Money HeldQty;
    // Sale: set by the sell inputs and CalcSell.
    Money SellPrice;
    Money SellQty;  // whole shares
    Money SellAmount;
    Money SellCommission;
    Money SellStampDuty;
    Money SellTransferFee;
    Money SellFeeTotal;
    Money SellYield;  // percent, two decimals
    Money ProfitLoss;
    Money AmountReceived;
    std::int32_t StepCount = 0;  // steps of the remaining-share price search
    Money RemainBasePrice;
    Money RemainQty;  // whole shares
    Money RemainTarget;
    Money RemainTransferFee;  // whole yuan
};

}  // namespace zm
