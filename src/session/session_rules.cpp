// The fee rules: the program's own (the two rate lists) or those in force on a trade date, the
// way the main window shows them, and the settings section that remembers them.
#include <array>
#include <string>
#include <vector>

#include "fees/calc_buy.h"
#include "fees/calc_sell.h"
#include "fees/display_format.h"
#include "fees/messages.h"
#include "fees/number_text.h"
#include "input/validation.h"
#include "session/apply_verdict.h"
#include "session/session.h"
#include "session/trade_fields.h"
#include "settings/profile_file.h"

namespace zm {
namespace {

constexpr std::string_view kSection = "费用规则";
constexpr std::string_view kRuleKey = "规则";
constexpr std::string_view kCommissionKey = "佣金";
constexpr std::string_view kMinimumKey = "最低佣金";
constexpr std::string_view kOwnValue = "本程序";
constexpr std::string_view kCurrentValue = "现行";

// The commission list under trade-date rules: the rates brokers commonly charge today, and the
// user may type any other from 0 to 3.
const std::vector<std::string>& rulesCommissionEntries() {
    static const std::vector<std::string> entries{
        "3.0",  "2.5", "2.0",  "1.5",  "1.0",  "0.8", "0.6",   "0.5",  "0.4", "0.3",
        "0.25", "0.2", "0.18", "0.15", "0.12", "0.1", "0.085", "0.05", "0.0"};
    return entries;
}

template <std::size_t N>
std::vector<std::string> toVector(const std::array<std::string, N>& a) {
    return {a.begin(), a.end()};
}

}  // namespace

void Session::loadRules() {
    m_ownCommission = m_ui.text(form1::Combo1);
    m_ownStampDuty = m_ui.text(form1::Combo2);
    const settings::ProfileFile file(m_settingsPath);
    FeeRules stored;
    const std::string kind = file.readString(kSection, kRuleKey).value_or(std::string());
    if (kind == kCurrentValue) {
        stored.kind = RuleKind::Current;
    } else if (const auto date = TradeDate::parse(kind); date && *date >= kFirstRulesDate) {
        stored.kind = RuleKind::OnDate;
        stored.date = *date;
    }
    // A stored value that does not read back falls back: the rate to the one the commission list
    // shows, the minimum to 5 yuan.
    const auto rate = parseCommissionRate(file.readString(kSection, kCommissionKey).value_or(""));
    stored.commissionPpm = rate.value_or(parseCommissionRate(m_ownCommission).value_or(2700));
    const auto minimum = parseMinCommission(file.readString(kSection, kMinimumKey).value_or(""));
    stored.minCommission = minimum.value_or(kMinCommission);
    m_rules = stored;
    if (!m_rules.own()) {
        applyRules();
    }
}

void Session::applyRules() {
    const RuleKind kind = m_rules.kind;
    m_ui.setCaption(form1::Form1, std::string(msg::kMainTitle) + rulesTitleSuffix(m_rules));
    m_ui.setChecked(form1::mnuRulesClassic, kind == RuleKind::Own);
    m_ui.setChecked(form1::mnuRulesCurrent, kind == RuleKind::Current);
    m_ui.setChecked(form1::mnuRulesDate, kind == RuleKind::OnDate);
    m_ui.setEnabled(form1::mnuRulesMinimum, kind != RuleKind::Own);
    std::string_view stampTip = msg::kCombo2Tip;
    if (m_rules.own()) {
        m_ui.setEditable(form1::Combo1, false);
        m_ui.setEntries(form1::Combo1, toVector(commissionRateEntries()));
        m_ui.setText(form1::Combo1, m_ownCommission);
        m_ui.setEntries(form1::Combo2, toVector(stampDutyRateEntries()));
        m_ui.setText(form1::Combo2, m_ownStampDuty);
        m_ui.setEnabled(form1::Combo2, true);
    } else {
        // The commission is the broker's: pick a common rate or type one. The stamp duty is the
        // law's, charged on sales only, so its list shows the one rate and takes no choice.
        m_ui.setEntries(form1::Combo1, rulesCommissionEntries());
        m_ui.setEditable(form1::Combo1, true);
        m_ui.setText(form1::Combo1, formatCommissionRate(m_rules.commissionPpm));
        const std::string stamp = stampDutyRateText(m_rules.era());
        m_ui.setEntries(form1::Combo2, {stamp});
        m_ui.setText(form1::Combo2, stamp);
        m_ui.setEnabled(form1::Combo2, false);
        stampTip = msg::kCombo2RulesTip;
    }
    for (Ctl c : {form1::Combo2, form1::Label24, form1::Label20_1}) {
        m_ui.setToolTip(c, stampTip);
    }
}

void Session::switchRules(FeeRules next) {
    if (m_rules.own()) {
        if (!next.own()) {
            m_ownCommission = m_ui.text(form1::Combo1);
            m_ownStampDuty = m_ui.text(form1::Combo2);
        }
    } else if (const auto typed = parseCommissionRate(m_ui.text(form1::Combo1))) {
        next.commissionPpm = *typed;  // a rate typed and not yet left counts
    }
    m_rules = next;
    applyRules();
    saveRules();
    recomputeShownSides();
}

void Session::chooseOwnRules() {
    FeeRules next = m_rules;
    next.kind = RuleKind::Own;
    switchRules(next);
}

void Session::chooseCurrentRules() {
    FeeRules next = m_rules;
    next.kind = RuleKind::Current;
    switchRules(next);
}

bool Session::chooseRulesOnDate(std::string_view date) {
    const auto parsed = TradeDate::parse(date);
    if (!parsed) {
        m_ui.showMessage(msg::kRulesDateInvalid);
        return false;
    }
    if (*parsed < kFirstRulesDate) {
        m_ui.showMessage(msg::kRulesDateTooEarly);
        return false;
    }
    FeeRules next = m_rules;
    next.kind = RuleKind::OnDate;
    next.date = *parsed;
    switchRules(next);
    return true;
}

bool Session::setMinimumCommission(std::string_view text) {
    const auto minimum = parseMinCommission(text);
    if (!minimum) {
        m_ui.showMessage(msg::kMinCommissionInvalid);
        return false;
    }
    m_rules.minCommission = *minimum;
    saveRules();
    recomputeShownSides();
    return true;
}

void Session::combo1Left() {
    if (m_rules.own() || m_checkingCommission) {
        return;
    }
    const std::int64_t before = m_rules.commissionPpm;
    if (checkTypedCommission() && m_rules.commissionPpm != before) {
        saveRules();
    }
}

bool Session::checkTypedCommission() {
    const auto rate = parseCommissionRate(m_ui.text(form1::Combo1));
    if (!rate) {
        // The message box takes the focus from the list; that is no second leaving of it.
        m_checkingCommission = true;
        applyRefusal(m_ui, form1::Combo1, Verdict::refuse(msg::kCommissionRateInvalid));
        m_checkingCommission = false;
        return false;
    }
    m_rules.commissionPpm = *rate;
    return true;
}

void Session::saveRules() {
    settings::ProfileFile file(m_settingsPath);
    const std::string kind = m_rules.kind == RuleKind::Own       ? std::string(kOwnValue)
                             : m_rules.kind == RuleKind::Current ? std::string(kCurrentValue)
                                                                 : m_rules.date.iso();
    const bool written =
        file.writeString(kSection, kRuleKey, kind) &&
        file.writeString(kSection, kCommissionKey, formatCommissionRate(m_rules.commissionPpm)) &&
        file.writeString(kSection, kMinimumKey, formatAmount(m_rules.minCommission));
    if (!written) {
        m_ui.showMessage(msg::kWriteFailed);
    }
}

std::optional<TargetSale> Session::targetSale(TargetKind kind, std::string_view text) {
    if (m_state.HeldQty.isZero()) {
        m_ui.showMessage(msg::kTargetNoPurchase);
        return std::nullopt;
    }
    const auto target = numberTextToMoney(text);
    if (!target || (kind == TargetKind::Yield && *target < Money::fromYuan(-100))) {
        m_ui.showMessage(msg::kTargetNotNumber);
        return std::nullopt;
    }
    if (!m_rules.own() && !checkTypedCommission()) {
        return std::nullopt;
    }
    const TargetPurchase purchase{m_state.AmountPaid,
                                  m_state.HeldQty,
                                  m_rules,
                                  chosenMarket(m_ui),
                                  rateOf(m_ui, form1::Combo1),
                                  rateOf(m_ui, form1::Combo2)};
    auto sale = targetSalePrice(purchase, kind, *target);
    if (!sale) {
        m_ui.showMessage(msg::kTargetUnreachable);
    }
    return sale;
}

void Session::useTargetSale(const TargetSale& sale) {
    if (m_ui.isReadOnly(form1::Text11)) {
        m_ui.showMessage(msg::kClearFirst);
        return;
    }
    m_ui.setText(form1::Text11, formatPrice(sale.price, priceDecimals()));
    m_ui.setText(form1::Text12, formatGroupedWhole(m_state.HeldQty));
    m_ui.setFocus(form1::Text12);
    enterPressed(form1::Text12);
}

int Session::priceDecimals() const {
    return stepDecimals(priceStep(m_rules, chosenMarket(m_ui)));
}

void Session::recomputeShownSides() {
    // Each side on screen is worked again: one a batch dialog filled (and locked) from the
    // dialog's batches, the others from the main window's stored purchase or sale (its trade
    // amount is set by the calculation and cleared whenever an input of that side is entered
    // again, so a refused input leaves none) while its price and quantity fields still show them
    // (not changed since without Enter). Its figures are cleared first, so that a side that
    // cannot be worked again (a check refuses, the batches hold no shares any more) keeps none
    // of the other rules'.
    const auto shows = [this](Ctl field, Money value) {
        return numberTextToMoney(m_ui.text(field)) == value;
    };
    const bool buyLocked = m_ui.isReadOnly(form1::Text1);
    const bool sellLocked = m_ui.isReadOnly(form1::Text11);
    const bool buyStored = !m_state.BuyAmount.isZero() && shows(form1::Text1, m_state.BuyPrice) &&
                           shows(form1::Text2, m_state.BuyQty);
    const bool sellStored = !m_state.SellAmount.isZero() &&
                            shows(form1::Text11, m_state.SellPrice) &&
                            shows(form1::Text12, m_state.SellQty);
    const bool buyShown = !m_ui.text(form1::Text3).empty();
    const bool sellShown = !m_ui.text(form1::Text13).empty();
    if (sellShown) {
        for (Ctl field : kSellResults) {
            m_ui.setText(field, "");
        }
        resetSellMarks();
    }
    if (buyShown) {
        for (Ctl field : kBuyResults) {
            m_ui.setText(field, "");
        }
        m_ui.setForeColor(form1::Label8, kBlack);
        if (buyLocked) {
            CalcBatchBuy();
        } else if (buyStored) {
            runCalcBuy();
        }
    }
    if (sellShown) {
        if (sellLocked) {
            CalcBatchSell();
        } else if (sellStored) {
            runCalcSell();
        }
    }
}

}  // namespace zm
