#pragma once

#include <optional>

#include "fees/fee_rules.h"
#include "fees/fee_schedule.h"
#include "fees/money.h"

namespace zm {

// What the fees of a trade depend on besides the trade itself: the rules in force, the market
// chosen in the main window, and the two list rates, which only the program's own rules use.
struct FeeBasis {
    FeeRules rules;
    Market market = Market::ShanghaiA;
    double commissionRate = 0.0;  // per mille, the commission list (Combo1)
    double stampDutyRate = 0.0;   // per mille, the stamp-duty list (Combo2)
};

// The fees of one purchase or sale of `quantity` shares for `amount` yuan, exactly as the main
// window charges them. This is the one place that picks the arithmetic of the rules in force:
//  - the program's own rules, purchase: the commission fen-rounded from the list rate and raised
//    to 5.00 when it shows below that, the stamp duty except in the fund market, the Shanghai
//    transfer fee unrounded, and the total rounded to the fen, halves to even (what the buy side
//    shows and adds to the amount paid);
//  - the program's own rules, sale: the same commission, the stamp duty in every market, the
//    Shanghai transfer fee, and the total kept exact (it may have a third decimal);
//  - trade-date rules: eraFees, every fee rounded to the fen half up.
// nullopt when a fee leaves the supported range.
std::optional<TradeFees> tradeFees(const FeeBasis& basis, TradeSide side, Money amount,
                                   Money quantity);

}  // namespace zm
