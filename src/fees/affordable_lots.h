#pragma once

#include "fees/holding_tools.h"
#include "fees/money.h"

// 可买股数: how many shares a sum of cash buys, fees included.
namespace zm {

struct AffordableInput {
    FeeBasis basis;             // the rules, market and rates of the main window
    Board board = Board::Main;  // the purchase's lot rule
    Money cash;                 // yuan, at least 0
    Money price;                // on the market's step
};

struct AffordableResult {
    Money shares;    // the largest legal count whose purchase, fees included, fits the cash
    Trade purchase;  // its amount, fees, and paid = amount + fees
    Money cashLeft;  // cash − paid
};

enum class AffordableRefusal {
    InvalidInput,        // a figure the input rules refuse, or rates the lists do not offer
    NotEnoughForOneLot,  // not even the board's smallest purchase fits (可用资金不够买入一手)
};

// Counts beyond limits::kMaxBuyQty or an amount beyond limits::kMaxTradeAmount are not
// offered, however much cash there is.
Outcome<AffordableResult, AffordableRefusal> affordableShares(const AffordableInput& in);

}  // namespace zm
