#include "input/validation.h"

#include <cmath>
#include <optional>
#include <string>

#include "fees/display_format.h"
#include "fees/limits.h"
#include "fees/messages.h"
#include "fees/money.h"
#include "fees/number_text.h"

namespace zm {
namespace {

constexpr Money kMinPrice = Money::fromFen(1);
constexpr Money kOneShare = Money::fromYuan(1);
constexpr std::int64_t kLotTicks = 100 * Money::kTicksPerYuan;
constexpr std::int64_t kMaxSellShares = 2'147'483'647;
constexpr double kMaxBonus = 10.0;
constexpr double kMinDividend = 0.01;
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

bool refuse(WindowModel& ui, Ctl field, std::string_view message) {
    ShowInputError(ui, field, message);
    return false;
}

bool testMainPrice(WindowModel& ui, Ctl field, Money& stored, const PriceMessages& m) {
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        return refuse(ui, field, m.notNumber);
    }
    const auto money = Money::fromDouble(*value);
    const bool inRange = fenInRange(*value).has_value();
    stored = money && inRange ? *money : Money();
    // A number too large for Money is below the minimum only when it is negative.
    if (money ? *money < kMinPrice : *value < 0) {
        return refuse(ui, field, m.min);
    }
    if (!inRange) {
        return refuse(ui, field, m.max);
    }
    return true;
}

void acceptMainPrice(WindowModel& ui, Ctl field, Money& stored, int decimals) {
    const auto value = numberTextToDouble(ui.text(field));
    const auto fen = value ? fenInRange(*value) : std::nullopt;
    if (!fen) {
        return;  // the tests have refused this text; nothing to accept
    }
    // A price on the step of 0.001: the value × 1000 to the nearest integer, halves to even.
    const auto mills = decimals == 3 ? roundHalfEven(*value * 1000.0) : std::nullopt;
    const Money price = mills ? Money::fromTicks(*mills * 10) : *fen;
    const std::string text = formatPrice(price, decimals);
    ui.setText(field, text);
    stored = numberTextToMoney(text).value_or(Money());
}

void checkBatchPrice(WindowModel& ui, Ctl field, std::int32_t& accepted, const PriceMessages& m) {
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        refuse(ui, field, m.notNumber);
        return;
    }
    if (*value < kMinBatchPrice) {
        refuse(ui, field, m.min);
        return;
    }
    // Rounded to a tenth of a fen: value × 1000 to the nearest integer, halves to even.
    const auto tenthsOfFen = roundHalfEven(*value * 1000.0);
    if (!tenthsOfFen || *tenthsOfFen > limits::kMaxBatchPrice.ticks() / 10) {
        refuse(ui, field, m.max);
        return;
    }
    ui.setText(field, formatMoneyGeneral(Money::fromTicks(*tenthsOfFen * 10)));
    accepted = 1;
}

}  // namespace

void ShowInputError(WindowModel& ui, Ctl field, std::string_view message) {
    ui.showMessage(message);
    ui.setFocus(field);
    ui.selectAllInFocused();
}

bool testText1(WindowModel& ui, CalcState& st) {
    return testMainPrice(ui, f1("Text1"), st.BuyPrice, kMainBuyPrice);
}

void acceptText1(WindowModel& ui, CalcState& st, int decimals) {
    acceptMainPrice(ui, f1("Text1"), st.BuyPrice, decimals);
}

bool ruleText1(WindowModel& ui, CalcState& st, int decimals) {
    if (!testText1(ui, st)) {
        return false;
    }
    acceptText1(ui, st, decimals);
    return true;
}

bool testText2(WindowModel& ui, CalcState& st) {
    const Ctl field = f1("Text2");
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        return refuse(ui, field, msg::kBuyQtyNotNumber);
    }
    const auto money = Money::fromDouble(*value);
    const bool inRange = money && magnitude(*money) <= limits::kMaxBuyQty;
    st.BuyQty = inRange ? *money : Money();
    if (money ? *money <= Money() : *value <= 0) {
        return refuse(ui, field, msg::kBuyQtyNotPositive);
    }
    // Whole board lots: the Money value is an exact multiple of 100 shares. A number too large
    // for Money is tested on its double.
    const bool wholeLots = money ? money->ticks() % kLotTicks == 0 : isWhole(*value / 100.0);
    if (!wholeLots) {
        return refuse(ui, field, msg::kBuyQtyLot);
    }
    if (!inRange) {
        return refuse(ui, field, msg::kBuyQtyMax);
    }
    const auto amount = Money::mul(st.BuyPrice, *money);
    if (!amount || *amount > limits::kMaxTradeAmount) {
        return refuse(ui, field, msg::kBuyAmountMax);
    }
    return true;
}

void acceptText2(WindowModel& ui, CalcState& st) {
    const Ctl field = f1("Text2");
    const auto money = numberTextToMoney(ui.text(field));
    if (!money) {
        return;
    }
    const std::string text = formatGroupedWhole(*money);
    ui.setText(field, text);
    st.BuyQty = numberTextToMoney(text).value_or(Money());
}

bool testText11(WindowModel& ui, CalcState& st) {
    return testMainPrice(ui, f1("Text11"), st.SellPrice, kMainSellPrice);
}

void acceptText11(WindowModel& ui, CalcState& st, int decimals) {
    acceptMainPrice(ui, f1("Text11"), st.SellPrice, decimals);
}

bool ruleText11(WindowModel& ui, CalcState& st, int decimals) {
    if (!testText11(ui, st)) {
        return false;
    }
    acceptText11(ui, st, decimals);
    return true;
}

bool testText12(WindowModel& ui, CalcState& st) {
    const Ctl field = f1("Text12");
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        return refuse(ui, field, msg::kSellQtyNotNumber);
    }
    const auto money = Money::fromDouble(*value);
    // The quantity sold is the whole number of the text; that is what must fit.
    const auto whole = roundHalfEven(*value);
    const bool inRange = whole && *whole <= kMaxSellShares && *whole >= -kMaxSellShares;
    st.SellQty = money && inRange ? *money : Money();
    if (money ? *money < kOneShare : *value < 0) {
        return refuse(ui, field, msg::kSellQtyMin);
    }
    if (!inRange) {
        return refuse(ui, field, msg::kSellQtyMax);
    }
    const auto amount = Money::mul(st.SellPrice, Money::fromYuan(*whole));
    if (!amount || *amount > limits::kMaxTradeAmount) {
        return refuse(ui, field, msg::kSellAmountMax);
    }
    return true;
}

void acceptText12(WindowModel& ui, CalcState& st) {
    const Ctl field = f1("Text12");
    const auto whole = numberTextToWhole(ui.text(field));
    if (!whole || *whole > kMaxSellShares || *whole < -kMaxSellShares) {
        return;
    }
    const std::string text = formatGroupedWhole(Money::fromYuan(*whole));
    ui.setText(field, text);
    st.SellQty = numberTextToMoney(text).value_or(Money());
}

bool ruleText21(WindowModel& ui) {
    const Ctl field = f1("Text21");
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        return refuse(ui, field, msg::kBonusNotNumber);
    }
    if (*value < 0) {
        return refuse(ui, field, msg::kBonusMin);
    }
    if (*value > kMaxBonus) {
        return refuse(ui, field, msg::kBonusMax);
    }
    const auto whole = roundHalfEven(*value);  // 0 … 10, always representable
    ui.setText(field, formatWhole(Money::fromYuan(whole.value_or(0))));
    return true;
}

bool ruleText22(WindowModel& ui) {
    const Ctl field = f1("Text22");
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        return refuse(ui, field, msg::kDividendNotNumber);
    }
    if (*value < kMinDividend) {
        return refuse(ui, field, msg::kDividendMin);
    }
    const auto fen = fenInRange(*value);
    if (!fen) {
        return refuse(ui, field, msg::kDividendMax);
    }
    ui.setText(field, formatPrice(*fen));
    return true;
}

bool checkBonusAndDividend(WindowModel& ui, Money buyQty) {
    const Ctl bonusField = f1("Text21");
    if (const auto bonus = numberTextToDouble(ui.text(bonusField))) {
        if (*bonus < 0) {
            return refuse(ui, bonusField, msg::kBonusMin);
        }
        if (*bonus > kMaxBonus) {
            return refuse(ui, bonusField, msg::kBonusMax);
        }
    }
    const Ctl dividendField = f1("Text22");
    if (const auto dividend = numberTextToDouble(ui.text(dividendField))) {
        if (*dividend < 0) {
            return refuse(ui, dividendField, msg::kDividendMin);
        }
        if (!fenInRange(*dividend)) {
            return refuse(ui, dividendField, msg::kDividendMax);
        }
        if (*dividend * buyQty.toDouble() * 0.1 > limits::kMaxTradeAmount.toDouble()) {
            return refuse(ui, dividendField, msg::kDividendAmountMax);
        }
    }
    return true;
}

void CheckBuyPrice(WindowModel& ui, Ctl field, std::int32_t& InputAccepted) {
    checkBatchPrice(ui, field, InputAccepted, kBatchBuyPrice);
}

void CheckSellPrice(WindowModel& ui, Ctl field, std::int32_t& InputAccepted) {
    checkBatchPrice(ui, field, InputAccepted, kBatchSellPrice);
}

void CheckBuyQty(WindowModel& ui, Ctl field, std::int32_t& InputAccepted) {
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        refuse(ui, field, msg::kBuyQtyNotNumber);
        return;
    }
    if (*value <= 0) {
        refuse(ui, field, msg::kBuyQtyNotPositive);
        return;
    }
    // The quotient against its whole-number conversion; a quotient beyond the 64-bit range is
    // whole anyway (every double that large is) and meets the upper limit next.
    const double lots = *value / 100.0;
    const auto wholeLots = roundHalfEven(lots);
    if (wholeLots ? static_cast<double>(*wholeLots) != lots : !isWhole(lots)) {
        refuse(ui, field, msg::kBuyQtyLot);
        return;
    }
    if (*value > limits::kMaxBuyQty.toDouble()) {
        refuse(ui, field, msg::kBuyQtyMax);
        return;
    }
    // Left as typed, but typed full-width digits are shown in the ASCII form that was read.
    const std::string typed = ui.text(field);
    if (std::string ascii = asciiNumberText(typed); ascii != typed) {
        ui.setText(field, ascii);
    }
    InputAccepted = 1;
}

void CheckSellQty(WindowModel& ui, Ctl field, std::int32_t& InputAccepted) {
    const auto value = numberTextToDouble(ui.text(field));
    if (!value) {
        refuse(ui, field, msg::kSellQtyNotNumber);
        return;
    }
    if (*value < 1) {
        refuse(ui, field, msg::kSellQtyMin);
        return;
    }
    const auto whole = roundHalfEven(*value);
    if (!whole || *whole > kMaxSellShares) {
        refuse(ui, field, msg::kSellQtyMax);
        return;
    }
    ui.setText(field, std::to_string(*whole));
    InputAccepted = 1;
}

}  // namespace zm
