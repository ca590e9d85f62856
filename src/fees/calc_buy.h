#pragma once

#include <optional>
#include <string>

#include "fees/fee_rules.h"
#include "fees/fee_schedule.h"

namespace zm {

// What the buy side reads from the main window besides the purchase itself: the two list rates,
// the market, the bonus shares (Text21) and cash dividend (Text22) per 10 shares as typed, and
// the quantity as Text2 shows it.
struct BuyInputs {
    double commissionRate = 0.0;
    double stampDutyRate = 0.0;
    Market market = Market::ShenzhenA;
    std::string bonusText;
    std::string dividendText;
    std::string quantityText;
};

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

// The cash dividend `shares` receive for `perTen` yuan per 10 shares: perTen × shares ÷ 10 worked
// exactly and rounded half up to the fen once (10派2.356 on 1,000 shares is 235.60, on 100 shares
// 23.56; 10派0.0005 on 100 shares is 0.01). nullopt beyond Money's range.
std::optional<Money> dividendTotal(Money perTen, Money shares);
// The bonus shares `shares` receive for `perTen` per 10 shares: the whole shares of
// perTen × shares ÷ 10, the fraction dropped as the depository drops it (10送4.8 on 1,000 shares
// is 480, on 125 shares 60). nullopt beyond Money's range.
std::optional<Money> bonusShares(Money perTen, Money shares);

// The buy side of the main window for a purchase of `quantity` shares at `price`. Under the
// program's own rules every figure is worked as it always was, from the two list rates (the
// commission minimum and the amount paid tested on the figures as their fields show them);
// under trade-date rules from `rules` (exact fees rounded half up, amount paid = amount + fees −
// dividend, cost per share and break-even on the market's price step). Under both, the bonus
// shares and the dividend are those of bonusShares and dividendTotal. A bonus or dividend text
// that holds no number counts as 0 and is shown as "0". nullopt when the price or quantity is
// zero or a figure leaves the supported range: then nothing is written.
std::optional<BuyResult> CalcBuy(const BuyInputs& in, const FeeRules& rules, Money price,
                                 Money quantity);
// The buy side under trade-date rules for a purchase of `quantity` shares for `amount`, with the
// dividend of `in` and, `withBonus`, its bonus shares (the batch purchase passes its combined
// figures and no bonus). nullopt when a figure leaves the supported range.
std::optional<BuyResult> computeRulesBuy(const BuyInputs& in, const FeeRules& rules, Money amount,
                                         Money quantity, bool withBonus = true);

}  // namespace zm
