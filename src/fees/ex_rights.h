#pragma once

#include "fees/holding_tools.h"
#include "fees/money.h"

// 除权参考价: the reference price of a share after a cash dividend, bonus shares and a rights
// issue.
namespace zm {

struct ExRightsInput {
    Money close;        // the close before the ex-date, yuan, above 0
    Money cashPer10;    // 派现: yuan per 10 shares, at least 0
    Money bonusPer10;   // 送转: shares per 10 shares, at least 0
    Money rightsPer10;  // 配股: shares per 10 shares, at least 0
    Money rightsPrice;  // 配股价: yuan per rights share, at least 0
};

enum class ExRightsRefusal {
    InvalidInput,  // a figure below 0 (a close of 0) or above 21,474,836.47
    NotAboveZero,  // the cash paid out leaves no positive price
};

// ((close − cash ÷ 10) + rightsPrice × rights ÷ 10) ÷ (1 + (bonus + rights) ÷ 10), rounded half
// up to the fen. Worked exactly: multiplied through by 10, it is (10 × close − cash + rightsPrice ×
// rights) ÷ (10 + bonus + rights), one division of 128-bit integers. A price that rounds to 0.00
// or below is refused.
Outcome<Money, ExRightsRefusal> exRightsPrice(const ExRightsInput& in);

}  // namespace zm
