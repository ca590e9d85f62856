#include "session/rules_choice.h"

#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "fees/display_format.h"
#include "input/date_rules.h"
#include "input/validation.h"
#include "session/apply_verdict.h"
#include "settings/profile_file.h"
#include "view/messages.h"

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

// The controls that describe each fee of each side (the field, its caption and its unit) and
// each rate list (the list, its caption and its unit; the frame of both tells of the
// commission), with the tool tip they show under a trade date's rules.
struct TipGroup {
    std::array<Ctl, 4> controls;
    std::size_t count;
    std::string RulesTips::*tip;
    std::span<const Ctl> members() const { return std::span(controls).first(count); }
};
constexpr TipGroup kTipGroups[] = {
    {{form1::Text4, form1::Label4, form1::Label19_3}, 3, &RulesTips::buyCommission},
    {{form1::Text5, form1::Label5, form1::Label19_4}, 3, &RulesTips::buyStampDuty},
    {{form1::Text6, form1::Label6, form1::Label19_5}, 3, &RulesTips::buyTransferFee},
    {{form1::Text14, form1::Label13, form1::Label19_12}, 3, &RulesTips::sellCommission},
    {{form1::Text15, form1::Label14, form1::Label19_13}, 3, &RulesTips::sellStampDuty},
    {{form1::Text16, form1::Label15, form1::Label19_14}, 3, &RulesTips::sellTransferFee},
    {{form1::Combo1, form1::Label23, form1::Label20_0, form1::Frame4},
     4,
     &RulesTips::commissionBox},
    {{form1::Combo2, form1::Label24, form1::Label20_1}, 3, &RulesTips::stampDutyBox},
};

}  // namespace

RulesChoice::RulesChoice(WindowModel& ui, const std::string& settingsPath,
                         std::function<void()> changed)
    : m_ui(ui), m_settingsPath(settingsPath), m_changed(std::move(changed)) {}

void RulesChoice::load() {
    for (const TipGroup& group : kTipGroups) {
        m_ownTips.keep(m_ui, group.members());
    }
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
        apply();
    }
}

void RulesChoice::showMenuChecks() {
    const RuleKind kind = m_rules.kind;
    m_ui.setChecked(form1::mnuRulesClassic, kind == RuleKind::Own);
    m_ui.setChecked(form1::mnuRulesCurrent, kind == RuleKind::Current);
    m_ui.setChecked(form1::mnuRulesDate, kind == RuleKind::OnDate);
}

void RulesChoice::apply() {
    m_ui.setCaption(form1::Form1, std::string(msg::kMainTitle) + rulesTitleSuffix(m_rules));
    showMenuChecks();
    m_ui.setEnabled(form1::mnuRulesMinimum, !m_rules.own());
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
    }
    showTips();
}

void RulesChoice::showTips() {
    const std::optional<RulesTips> tips =
        m_rules.own() ? std::nullopt : std::optional(rulesTips(m_rules));
    for (const TipGroup& group : kTipGroups) {
        if (!tips) {
            m_ownTips.restore(m_ui, group.members());
            continue;
        }
        for (Ctl c : group.members()) {
            m_ui.setToolTip(c, (*tips).*group.tip);
        }
    }
}

void RulesChoice::switchTo(FeeRules next) {
    if (m_rules.own()) {
        if (!next.own()) {
            m_ownCommission = m_ui.text(form1::Combo1);
            m_ownStampDuty = m_ui.text(form1::Combo2);
        }
    } else if (const RateVerdict typed = ruleCommissionRate(m_ui.text(form1::Combo1));
               typed.verdict.accepted) {
        next.commissionPpm = typed.ppm;  // a rate typed and not yet left counts
    }
    m_rules = next;
    apply();
    save();
    m_changed();
}

void RulesChoice::chooseOwn() {
    FeeRules next = m_rules;
    next.kind = RuleKind::Own;
    switchTo(next);
}

void RulesChoice::chooseCurrent() {
    FeeRules next = m_rules;
    next.kind = RuleKind::Current;
    switchTo(next);
}

bool RulesChoice::chooseOnDate(std::string_view date) {
    const Verdict verdict = ruleTradeDate(date);
    if (!applyVerdict(m_ui, formRules::DateTrade, verdict)) {
        return false;
    }
    const auto parsed = TradeDate::parse(*verdict.shown);
    FeeRules next = m_rules;
    next.kind = RuleKind::OnDate;
    next.date = *parsed;
    switchTo(next);
    return true;
}

void RulesChoice::openDateDialog() {
    showMenuChecks();
    m_ui.load(FormId::FormRules);
    const TradeDate shown = m_rules.kind == RuleKind::OnDate ? m_rules.date : TradeDate::today();
    m_ui.setText(formRules::DateTrade, shown.iso());
    dateSet();
    m_ui.show(FormId::FormRules);
    m_ui.setFocus(formRules::DateTrade);
    m_ui.selectAllInFocused();
}

void RulesChoice::dateSet() {
    // The summary follows the text while it is typed: a text that is no date yet shows none.
    const auto date = readDateText(m_ui.text(formRules::DateTrade));
    std::string summary;
    if (date && date->isValid() && *date < kFirstRulesDate) {
        summary = msg::trimmed(msg::kRulesDateTooEarly);
    } else if (date && date->isValid()) {
        const Era& era = eraOn(*date);
        summary = "自" + era.from.chinese() + "起：\n" + rulesSummary(era, m_rules.minCommission);
    }
    m_ui.setCaption(formRules::LabelRules, summary);
}

void RulesChoice::dateOk() {
    if (chooseOnDate(m_ui.text(formRules::DateTrade))) {
        m_ui.unload(FormId::FormRules);
    }
}

void RulesChoice::closeDateDialog() {
    m_ui.unload(FormId::FormRules);
    showMenuChecks();
}

void RulesChoice::openMinimumDialog() {
    m_ui.load(FormId::FormMinimum);
    m_ui.setText(formMinimum::TextMinimum, formatAmount(m_rules.minCommission));
    m_ui.show(FormId::FormMinimum);
    m_ui.setFocus(formMinimum::TextMinimum);
    m_ui.selectAllInFocused();
}

void RulesChoice::minimumOk() {
    const auto minimum = parseMinCommission(m_ui.text(formMinimum::TextMinimum));
    if (!minimum) {
        ShowInputError(m_ui, formMinimum::TextMinimum, msg::kMinCommissionInvalid);
        return;
    }
    m_ui.unload(FormId::FormMinimum);
    m_rules.minCommission = *minimum;
    showTips();  // the commission's tool tips name the minimum
    save();
    m_changed();
}

void RulesChoice::closeMinimumDialog() {
    m_ui.unload(FormId::FormMinimum);
}

RulesChoice::RateCheck RulesChoice::confirmCommission() {
    if (m_rules.own() || m_checkingCommission) {
        return RateCheck::Unchanged;
    }
    const std::int64_t before = m_rules.commissionPpm;
    if (!checkTypedCommission()) {
        return RateCheck::Refused;
    }
    if (m_rules.commissionPpm == before) {
        return RateCheck::Unchanged;
    }
    save();
    return RateCheck::Changed;
}

bool RulesChoice::commissionReady() {
    return m_rules.own() || checkTypedCommission();
}

bool RulesChoice::commissionPasses() const {
    return m_rules.own() || ruleCommissionRate(m_ui.text(form1::Combo1)).verdict.accepted;
}

bool RulesChoice::checkTypedCommission() {
    const RateVerdict rate = ruleCommissionRate(m_ui.text(form1::Combo1));
    if (!rate.verdict.accepted) {
        // The message box takes the focus from the list; that is no second leaving of it.
        m_checkingCommission = true;
        ShowInputError(m_ui, form1::Combo1, rate.verdict.message);
        m_checkingCommission = false;
        return false;
    }
    if (rate.verdict.shown) {
        m_ui.setText(form1::Combo1, *rate.verdict.shown);
    }
    m_rules.commissionPpm = rate.ppm;
    return true;
}

void RulesChoice::save() {
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

}  // namespace zm
