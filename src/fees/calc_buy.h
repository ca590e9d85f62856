#pragma once

#include <functional>
#include <optional>
#include <string>

#include "fees/calc_state.h"
#include "fees/fee_rules.h"
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
// Under the program's own rules every figure is worked as it always was, from the two rate
// lists; under trade-date rules from `rules` (exact fees rounded half up, amount paid = amount +
// fees − dividend, cost per share and break-even on the market's price step).
void CalcBuy(WindowModel& ui, CalcState& st, const std::function<void()>& saveRates,
             const FeeRules& rules = {});

// Everything the buy side writes, worked out before the first field changes.
struct BuyResult {
    Money amount;
    std::string amountText;
    Money commission;
    std::string commissionText;
    Money stampDuty;
    std::string stampDutyText;
    Money transferFee;
    std::string transferFeeText;
    Money feeTotal;
    std::string feeTotalText;
    std::optional<std::string> dividendFix;  // "0" for a Text22 that holds no number
    std::optional<std::string> bonusFix;     // "0" for a Text21 that holds no number
    Money costPerShare;
    std::string costPerShareText;
    std::string breakEvenText;
    Money amountPaid;
    std::string amountPaidText;
    Money heldQty;  // the shares after the bonus
};

// The buy side under trade-date rules for a purchase of `quantity` shares for `amount`, with
// the dividend per 10 shares of Text22 and, `withBonus`, the bonus shares per 10 of Text21 (the
// batch purchase passes its combined figures and no bonus). nullopt when a figure leaves the
// supported range.
std::optional<BuyResult> computeRulesBuy(const WindowModel& ui, const FeeRules& rules,
                                         Money amount, Money quantity, bool withBonus = true);
// Writes Text3 … Text10 (and the bonus and dividend fixes) in the buy side's order and turns
// Label8 red.
void writeBuyFields(WindowModel& ui, const BuyResult& r);

}  // namespace zm
