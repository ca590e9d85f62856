#include "input/journal_rules.h"

#include <string>

#include "fees/display_format.h"
#include "fees/limits.h"
#include "fees/number_text.h"
#include "input/date_rules.h"
#include "input/holding_rules.h"
#include "view/messages.h"

namespace zm {
namespace {

constexpr Money kMaxShares = Money::fromYuan(2'147'483'647);
// The largest sum of money a journal field takes: the largest trade amount the program works.
constexpr Money kMaxMoney = limits::kMaxTradeAmount;

std::string sharesText(Money m) {
    return formatGroupedWhole(m);
}
// Two decimals, or three when the price has a third (a fund's price step).
std::string priceText(Money m) {
    return formatPrice(m, m.isWholeFen() ? 2 : 3);
}
std::string moneyText(Money m) {
    return formatPrice(m, 2);
}
std::string perTenText(Money m) {
    return formatMoneyGeneral(m);
}
std::string yearText(Money m) {
    return formatWhole(m);
}

constexpr FieldMessages kQuantity{msg::kJournalQtyNotNumber, msg::kJournalQtyMin,
                                  msg::kJournalQtyMax, msg::kJournalQtyWhole};
constexpr FieldMessages kPrice{msg::kJournalPriceNotNumber, msg::kJournalPriceNegative,
                               msg::kJournalPriceMax, msg::kJournalPriceDecimals};

// A field whose every refusal says the same: what it must hold.
constexpr FieldMessages allSay(std::string_view message) {
    return {message, message, message, message};
}

}  // namespace

Verdict ruleJournalCode(std::string_view text) {
    const std::string_view code = trimBlanks(text);
    if (code.size() != 6 || code.find_first_not_of("0123456789") != std::string_view::npos) {
        return Verdict::refuse(msg::kJournalCodeInvalid);
    }
    return Verdict::accept(std::string(code));
}

Verdict ruleJournalDate(std::string_view text, TradeDate today) {
    static constexpr DateRule kJournalDate{kFirstTradingDay, msg::kJournalDateNotDate,
                                           msg::kJournalDateNoSuchDay, msg::kJournalDateTooEarly};
    Verdict verdict = ruleDate(text, kJournalDate);
    if (verdict.accepted && today < *TradeDate::parse(*verdict.shown)) {
        return Verdict::refuse(msg::kJournalDateFuture);
    }
    return verdict;
}

Verdict ruleJournalQuantity(std::string_view text) {
    return decimalRule(text, 0, Money::fromYuan(1), kMaxShares, kQuantity, sharesText);
}

Verdict ruleJournalPrice(std::string_view text) {
    return decimalRule(text, 3, Money(), limits::kMaxPrice, kPrice, priceText);
}

Verdict ruleJournalMoney(std::string_view text, JournalMoneyField field) {
    if (trimBlanks(text).empty()) {
        return Verdict::accept(moneyText(Money()), Money());
    }
    static constexpr FieldMessages kMessages[] = {
        allSay(msg::kJournalCommissionInvalid), allSay(msg::kJournalStampInvalid),
        allSay(msg::kJournalTransferInvalid), allSay(msg::kJournalOtherInvalid),
        allSay(msg::kJournalTotalInvalid)};
    return decimalRule(text, 2, Money(), kMaxMoney, kMessages[static_cast<int>(field)], moneyText);
}

Verdict ruleJournalPerTen(std::string_view text, PerTenField field) {
    static constexpr FieldMessages kCash = allSay(msg::kJournalPerTenCashInvalid);
    static constexpr FieldMessages kBonus = allSay(msg::kJournalPerTenBonusInvalid);
    return decimalRule(text, 4, Money(), limits::kMaxPrice,
                       field == PerTenField::Cash ? kCash : kBonus, perTenText);
}

Verdict ruleJournalYear(std::string_view text) {
    static constexpr FieldMessages kYear = allSay(msg::kJournalYearInvalid);
    return decimalRule(text, 0, Money::fromYuan(1990), Money::fromYuan(9999), kYear, yearText);
}

}  // namespace zm
