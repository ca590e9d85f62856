#include "input/holding_rules.h"

#include <string>

#include "fees/display_format.h"
#include "fees/fee_rules.h"
#include "fees/limits.h"
#include "fees/number_text.h"
#include "input/date_rules.h"
#include "input/validation.h"
#include "view/messages.h"

namespace zm {
namespace {

constexpr Money kOneShare = Money::fromYuan(1);
constexpr Money kMill = Money::fromTicks(10);
constexpr Money kMaxHeld = limits::kMaxSellQty;

std::string sharesText(Money m) {
    return formatGroupedWhole(m);
}
std::string fenPriceText(Money m) {
    return formatPrice(m, 2);
}
std::string millPriceText(Money m) {
    return formatPrice(m, 3);
}
std::string cashText(Money m) {
    return formatAmount(m);
}

constexpr FieldMessages kHeld{msg::kHeldNotNumber, msg::kHeldMin, msg::kHeldMax, msg::kHeldWhole};
constexpr FieldMessages kCost{msg::kCostNotNumber, msg::kCostMin, msg::kCostMax,
                              msg::kCostDecimals};
constexpr FieldMessages kTargetCost{msg::kTargetCostNotNumber, msg::kTargetCostMin,
                                    msg::kTargetCostMax, msg::kTargetCostDecimals};
constexpr FieldMessages kCash{msg::kCashNotNumber, msg::kCashMin, msg::kCashMax,
                              msg::kCashDecimals};
constexpr FieldMessages kRightsPrice{msg::kRightsPriceNotNumber, msg::kRightsPriceMin,
                                     msg::kRightsPriceMax, msg::kRightsPriceFen};

// A price field's messages on a step of a fen and of 0.001 yuan.
struct PriceMessages {
    FieldMessages fen;
    FieldMessages mill;
};
constexpr PriceMessages kBuyPrice{
    {msg::kBuyPriceNotNumber, msg::kBuyPriceMin, msg::kBuyPriceMax, msg::kBuyPriceFen},
    {msg::kBuyPriceNotNumber, msg::kBuyPriceMinMill, msg::kBuyPriceMax, msg::kBuyPriceMill}};
constexpr PriceMessages kSellPrice{
    {msg::kSellPriceNotNumber, msg::kToolSellPriceMin, msg::kSellPriceMax, msg::kSellPriceFen},
    {msg::kSellPriceNotNumber, msg::kSellPriceMinMill, msg::kSellPriceMax, msg::kSellPriceMill}};
constexpr PriceMessages kClosePrice{
    {msg::kCloseNotNumber, msg::kCloseMin, msg::kCloseMax, msg::kCloseFen},
    {msg::kCloseNotNumber, msg::kCloseMinMill, msg::kCloseMax, msg::kCloseMill}};

constexpr FieldMessages kPer10Cash{msg::kPer10CashNotNumber, msg::kPer10CashMin, msg::kPer10CashMax,
                                   msg::kPer10CashDecimals};
constexpr FieldMessages kPer10Bonus{msg::kPer10BonusNotNumber, msg::kPer10BonusMin,
                                    msg::kPer10BonusMax, msg::kPer10BonusDecimals};
constexpr FieldMessages kPer10Rights{msg::kPer10RightsNotNumber, msg::kPer10RightsMin,
                                     msg::kPer10RightsMax, msg::kPer10RightsDecimals};

// Ticks in one unit of the last decimal allowed: 10^(4 − decimals).
std::int64_t unitTicks(int decimals) {
    std::int64_t unit = 1;
    for (int d = decimals; d < 4; ++d) {
        unit *= 10;
    }
    return unit;
}

}  // namespace

// The value is Money of the text's double; the text holds more decimals than Money when that
// double is not the double of the Money value (within the limits here, below 2^53 ticks, every
// four-decimal value has its own double).
Verdict decimalRule(std::string_view text, int decimals, Money min, Money max,
                    const FieldMessages& m, Format format) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, m.notNumber, m.min, m.max);
    }
    const auto money = Money::fromDouble(*value);
    // A number too large for Money is below the minimum only when it is negative.
    if (money ? *money < min : *value < 0) {
        return Verdict::refuse(m.min);
    }
    if (!money || *money > max) {
        return Verdict::refuse(m.max);
    }
    if (money->toDouble() != *value || money->ticks() % unitTicks(decimals) != 0) {
        return Verdict::refuse(m.decimals);
    }
    return Verdict::accept(format(*money), *money);
}

Verdict ruleHeldShares(std::string_view text) {
    return decimalRule(text, 0, kOneShare, kMaxHeld, kHeld, sharesText);
}

Verdict ruleCostPerShare(std::string_view text) {
    return decimalRule(text, 3, kMill, limits::kMaxPrice, kCost, formatCostPerShare);
}

Verdict ruleTargetCost(std::string_view text) {
    return decimalRule(text, 3, kMill, limits::kMaxPrice, kTargetCost, formatCostPerShare);
}

Verdict ruleToolPrice(std::string_view text, PriceField field, Money step) {
    const PriceMessages& m = field == PriceField::Buy    ? kBuyPrice
                             : field == PriceField::Sell ? kSellPrice
                                                         : kClosePrice;
    const bool mill = stepDecimals(step) == 3;
    return decimalRule(text, mill ? 3 : 2, step, limits::kMaxPrice, mill ? m.mill : m.fen,
                       mill ? millPriceText : fenPriceText);
}

Verdict ruleRightsPrice(std::string_view text) {
    return decimalRule(text, 2, Money::fromFen(1), limits::kMaxPrice, kRightsPrice, fenPriceText);
}

Verdict ruleCash(std::string_view text) {
    return decimalRule(text, 2, Money::fromFen(1), limits::kMaxTradeAmount, kCash, cashText);
}

Verdict rulePer10(std::string_view text, Per10Field field) {
    const FieldMessages& m = field == Per10Field::Cash    ? kPer10Cash
                             : field == Per10Field::Bonus ? kPer10Bonus
                                                          : kPer10Rights;
    return decimalRule(text, 4, Money(), limits::kMaxPrice, m, formatMoneyGeneral);
}

Verdict ruleAddShares(std::string_view text, Board board) {
    const LotRule lot = lotRule(board);
    const FieldMessages m{msg::kAddSharesNotNumber,
                          board == Board::Star ? msg::kAddSharesStarMin : msg::kAddSharesMin,
                          msg::kAddSharesMax, msg::kAddSharesWhole};
    Verdict v = decimalRule(text, 0, Money::fromYuan(lot.first), limits::kMaxBuyQty, m, sharesText);
    if (v.accepted && !isLegalPurchase(board, *v.stored)) {
        return Verdict::refuse(msg::kAddSharesLot);
    }
    return v;
}

Verdict ruleSwingShares(std::string_view text, Money heldShares) {
    const FieldMessages m{msg::kSwingSharesNotNumber, msg::kSwingSharesMin,
                          msg::kSwingSharesAboveHeld, msg::kSwingSharesWhole};
    return decimalRule(text, 0, kOneShare, heldShares, m, sharesText);
}

Verdict ruleLimitDate(std::string_view text) {
    static constexpr DateRule kLimitDate{kFirstRulesDate, msg::kLimitDateNotDate,
                                         msg::kLimitDateInvalid, msg::kLimitDateTooEarly};
    return ruleDate(text, kLimitDate);
}

}  // namespace zm
