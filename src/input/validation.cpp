#include "input/validation.h"

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "fees/display_format.h"
#include "fees/fee_rules.h"
#include "fees/limits.h"
#include "fees/money.h"
#include "fees/number_text.h"
#include "view/messages.h"

namespace zm {
namespace {

constexpr Money kMinPrice = Money::fromFen(1);
constexpr Money kOneShare = Money::fromYuan(1);
constexpr std::int64_t kLotTicks = 100 * Money::kTicksPerYuan;
constexpr std::int64_t kMaxSellShares = 2'147'483'647;
constexpr double kMaxBonus = 10.0;
constexpr double kMinBatchPrice = 0.01;

struct PriceMessages {
    std::string_view notNumber;
    std::string_view min;
    std::string_view max;
};
constexpr PriceMessages kMainBuyPrice{msg::kBuyPriceNotNumber, msg::kBuyPriceMin,
                                      msg::kBuyPriceMax};
constexpr PriceMessages kMainSellPrice{msg::kSellPriceNotNumber, msg::kSellPriceMin,
                                       msg::kSellPriceMax};
constexpr PriceMessages kBatchBuyPrice{msg::kBuyPriceNotNumber, msg::kBuyPriceMin,
                                       msg::kBatchBuyPriceMax};
constexpr PriceMessages kBatchSellPrice{msg::kSellPriceNotNumber, msg::kSellPriceMin,
                                        msg::kBatchSellPriceMax};

Money magnitude(Money m) {
    return m < Money() ? -m : m;
}

// True for a finite double without a fractional part.
bool isWhole(double x) {
    return std::isfinite(x) && std::floor(x) == x;
}

// A price or dividend of the main window rounded to fen (halves to even), when the fen count fits
// a signed 32-bit integer, the range the rewritten texts are made for.
std::optional<Money> fenInRange(double value) {
    const auto fen = fenRound(value);
    if (!fen || magnitude(*fen) > limits::kMaxPrice) {
        return std::nullopt;
    }
    return fen;
}

// The value a text that passed the number test stores; zero when `inRange` says the value is
// beyond the supported range.
Money held(std::optional<Money> money, bool inRange) {
    return money && inRange ? *money : Money();
}

Verdict mainPrice(std::string_view text, int decimals, const PriceMessages& m) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, m.notNumber, m.min, m.max, Money());
    }
    const auto money = Money::fromDouble(*value);
    const auto fen = fenInRange(*value);
    const Money stored = held(money, fen.has_value());
    // A number too large for Money is below the minimum only when it is negative.
    if (money ? *money < kMinPrice : *value < 0) {
        return Verdict::refuse(m.min, stored);
    }
    if (!fen) {
        return Verdict::refuse(m.max, stored);
    }
    // A price on the step of 0.001: the value × 1000 to the nearest integer, halves to even.
    const auto mills = decimals == 3 ? roundHalfEven(*value * 1000.0) : std::nullopt;
    const Money price = mills ? Money::fromTicks(*mills * 10) : *fen;
    std::string shown = formatPrice(price, decimals);
    const Money shownValue = numberTextToMoney(shown).value_or(Money());
    return Verdict::accept(std::move(shown), shownValue);
}

// An accepted quantity rewritten "###,###" from `whole` and stored as its rewritten text reads;
// without `whole` the text stays as typed and `stored` stays stored.
Verdict acceptQty(std::optional<Money> whole, Money stored) {
    if (!whole) {
        return Verdict::accept(std::nullopt, stored);
    }
    std::string shown = formatGroupedWhole(*whole);
    const Money value = numberTextToMoney(shown).value_or(Money());
    return Verdict::accept(std::move(shown), value);
}

Verdict batchPrice(std::string_view text, const PriceMessages& m) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, m.notNumber, m.min, m.max);
    }
    if (*value < kMinBatchPrice) {
        return Verdict::refuse(m.min);
    }
    // Rounded to a tenth of a fen: value × 1000 to the nearest integer, halves to even.
    const auto tenthsOfFen = roundHalfEven(*value * 1000.0);
    if (!tenthsOfFen || *tenthsOfFen > limits::kMaxBatchPrice.ticks() / 10) {
        return Verdict::refuse(m.max);
    }
    return Verdict::accept(formatMoneyGeneral(Money::fromTicks(*tenthsOfFen * 10)));
}

// The range and decimals tests of a bonus (shares per 10) that passed the number test: from 0
// to 10, at most four decimals. The message of the first that fails.
std::optional<std::string_view> bonusRefusal(double value, std::string_view text) {
    if (value < 0) {
        return msg::kBonusMin;
    }
    if (value > kMaxBonus) {
        return msg::kBonusMax;
    }
    if (!numberTextToExactMoney(text)) {
        return msg::kBonusDecimals;
    }
    return std::nullopt;
}

// The same for a dividend (yuan per 10 shares): from 0 (no dividend) to 21,474,836.47, at most
// four decimals.
std::optional<std::string_view> dividendRefusal(double value, std::string_view text) {
    if (value < 0) {
        return msg::kDividendNegative;
    }
    if (value > limits::kMaxPrice.toDouble()) {
        return msg::kDividendMax;
    }
    if (!numberTextToExactMoney(text)) {
        return msg::kDividendDecimals;
    }
    return std::nullopt;
}

}  // namespace

Verdict refuseUnreadable(std::string_view text, std::string_view notNumber, std::string_view min,
                         std::string_view max, std::optional<Money> storedIfOversized) {
    const int sign = oversizedNumberSign(text);
    if (sign == 0) {
        return Verdict::refuse(notNumber);
    }
    return Verdict::refuse(sign < 0 ? min : max, storedIfOversized);
}

Verdict buyPriceRule(std::string_view text, int decimals) {
    return mainPrice(text, decimals, kMainBuyPrice);
}

Verdict buyQuantityRule(std::string_view text, Money buyPrice) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, msg::kBuyQtyNotNumber, msg::kBuyQtyNotPositive,
                                msg::kBuyQtyMax, Money());
    }
    const auto money = Money::fromDouble(*value);
    const bool inRange = money && magnitude(*money) <= limits::kMaxBuyQty;
    const Money stored = held(money, inRange);
    if (money ? *money <= Money() : *value <= 0) {
        return Verdict::refuse(msg::kBuyQtyNotPositive, stored);
    }
    // Whole board lots: the Money value is an exact multiple of 100 shares. A number too large
    // for Money is tested on its double.
    const bool wholeLots = money ? money->ticks() % kLotTicks == 0 : isWhole(*value / 100.0);
    if (!wholeLots) {
        return Verdict::refuse(msg::kBuyQtyLot, stored);
    }
    if (!inRange) {
        return Verdict::refuse(msg::kBuyQtyMax, stored);
    }
    const auto amount = Money::mul(buyPrice, *money);
    if (!amount || *amount > limits::kMaxTradeAmount) {
        return Verdict::refuse(msg::kBuyAmountMax, stored);
    }
    return acceptQty(numberTextToMoney(text), stored);
}

Verdict sellPriceRule(std::string_view text, int decimals) {
    return mainPrice(text, decimals, kMainSellPrice);
}

Verdict sellQuantityRule(std::string_view text, Money sellPrice) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, msg::kSellQtyNotNumber, msg::kSellQtyMin, msg::kSellQtyMax,
                                Money());
    }
    const auto money = Money::fromDouble(*value);
    // The quantity sold is the whole number of the text; that is what must fit.
    const auto whole = roundHalfEven(*value);
    const bool inRange = whole && *whole <= kMaxSellShares && *whole >= -kMaxSellShares;
    const Money stored = held(money, inRange);
    if (money ? *money < kOneShare : *value < 0) {
        return Verdict::refuse(msg::kSellQtyMin, stored);
    }
    if (!inRange) {
        return Verdict::refuse(msg::kSellQtyMax, stored);
    }
    const auto amount = Money::mul(sellPrice, Money::fromYuan(*whole));
    if (!amount || *amount > limits::kMaxTradeAmount) {
        return Verdict::refuse(msg::kSellAmountMax, stored);
    }
    const auto shares = numberTextToWhole(text);
    const bool sharesFit = shares && *shares <= kMaxSellShares && *shares >= -kMaxSellShares;
    return acceptQty(sharesFit ? std::optional(Money::fromYuan(*shares)) : std::nullopt, stored);
}

Verdict bonusRule(std::string_view text) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, msg::kBonusNotNumber, msg::kBonusMin, msg::kBonusMax);
    }
    if (const auto refusal = bonusRefusal(*value, text)) {
        return Verdict::refuse(*refusal);
    }
    return Verdict::accept(formatMoneyGeneral(*numberTextToExactMoney(text)));
}

Verdict dividendRule(std::string_view text) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, msg::kDividendNotNumber, msg::kDividendNegative,
                                msg::kDividendMax);
    }
    if (const auto refusal = dividendRefusal(*value, text)) {
        return Verdict::refuse(*refusal);
    }
    // Two decimals at least, as the field has always shown a dividend; a third and fourth as
    // announced.
    const Money dividend = *numberTextToExactMoney(text);
    return Verdict::accept(dividend.isWholeFen() ? formatPrice(dividend)
                                                 : formatMoneyGeneral(dividend));
}

Verdict checkBonus(std::string_view text) {
    if (const int sign = oversizedNumberSign(text)) {
        return Verdict::refuse(sign < 0 ? msg::kBonusMin : msg::kBonusMax);
    }
    if (const auto bonus = numberTextToDouble(text)) {
        if (const auto refusal = bonusRefusal(*bonus, text)) {
            return Verdict::refuse(*refusal);
        }
    }
    return Verdict::accept(std::nullopt);
}

Verdict checkDividend(std::string_view text, Money buyQty) {
    if (const int sign = oversizedNumberSign(text)) {
        return Verdict::refuse(sign < 0 ? msg::kDividendNegative : msg::kDividendMax);
    }
    if (const auto dividend = numberTextToDouble(text)) {
        if (const auto refusal = dividendRefusal(*dividend, text)) {
            return Verdict::refuse(*refusal);
        }
        if (*dividend * buyQty.toDouble() * 0.1 > limits::kMaxTradeAmount.toDouble()) {
            return Verdict::refuse(msg::kDividendAmountMax);
        }
    }
    return Verdict::accept(std::nullopt);
}

RateVerdict ruleCommissionRate(std::string_view text) {
    const std::string ascii = asciiNumberText(text);
    std::string_view rate = ascii;
    while (!rate.empty() && (rate.front() == ' ' || rate.front() == '\t')) {
        rate.remove_prefix(1);
    }
    while (!rate.empty() && (rate.back() == ' ' || rate.back() == '\t')) {
        rate.remove_suffix(1);
    }
    // Zeros after the last significant decimal add no decimal: "0.2500" is 0.25.
    const auto point = rate.find('.');
    if (point != std::string_view::npos) {
        while (rate.size() > point + 1 && rate.back() == '0') {
            rate.remove_suffix(1);
        }
    }
    if (const auto ppm = parseCommissionRate(rate)) {
        std::optional<std::string> shown;
        if (ascii != text) {
            shown = ascii;  // typed in full-width forms: shown in the ASCII form that was read
        }
        return {Verdict::accept(std::move(shown)), *ppm};
    }
    // A rate from 0 to 3 that only its fourth or later decimal keeps out.
    if (point != std::string_view::npos && rate.size() > point + 4) {
        const auto kept = parseCommissionRate(rate.substr(0, point + 4));
        if (kept && *kept < kMaxCommissionPpm) {
            return {Verdict::refuse(msg::kCommissionRateDecimals), 0};
        }
    }
    // A number from 0 to 3 written in a form the rate box does not take ("1e-1").
    if (const auto value = numberTextToDouble(rate); value && *value >= 0 && *value <= 3) {
        return {Verdict::refuse(msg::kCommissionRateForm), 0};
    }
    return {Verdict::refuse(msg::kCommissionRateInvalid), 0};
}

Verdict CheckBuyPrice(std::string_view text) {
    return batchPrice(text, kBatchBuyPrice);
}

Verdict CheckSellPrice(std::string_view text) {
    return batchPrice(text, kBatchSellPrice);
}

Verdict CheckBuyQty(std::string_view text) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, msg::kBuyQtyNotNumber, msg::kBuyQtyNotPositive,
                                msg::kBuyQtyMax);
    }
    if (*value <= 0) {
        return Verdict::refuse(msg::kBuyQtyNotPositive);
    }
    // The quotient against its whole-number conversion; a quotient beyond the 64-bit range is
    // whole anyway (every double that large is) and meets the upper limit next.
    const double lots = *value / 100.0;
    const auto wholeLots = roundHalfEven(lots);
    if (wholeLots ? static_cast<double>(*wholeLots) != lots : !isWhole(lots)) {
        return Verdict::refuse(msg::kBuyQtyLot);
    }
    if (*value > limits::kMaxBuyQty.toDouble()) {
        return Verdict::refuse(msg::kBuyQtyMax);
    }
    // Left as typed, but typed full-width digits are shown in the ASCII form that was read.
    std::string ascii = asciiNumberText(text);
    if (ascii == text) {
        return Verdict::accept(std::nullopt);
    }
    return Verdict::accept(std::move(ascii));
}

Verdict CheckSellQty(std::string_view text) {
    const auto value = numberTextToDouble(text);
    if (!value) {
        return refuseUnreadable(text, msg::kSellQtyNotNumber, msg::kSellQtyMin, msg::kSellQtyMax);
    }
    if (*value < 1) {
        return Verdict::refuse(msg::kSellQtyMin);
    }
    const auto whole = roundHalfEven(*value);
    if (!whole || *whole > kMaxSellShares) {
        return Verdict::refuse(msg::kSellQtyMax);
    }
    return Verdict::accept(std::to_string(*whole));
}

}  // namespace zm
