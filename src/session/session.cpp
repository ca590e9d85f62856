#include "session/session.h"
#include "session/apply_verdict.h"
#include "session/trade_fields.h"

#include <algorithm>
#include <utility>

#include "fees/calc_sell.h"
#include "fees/fee_schedule.h"
#include "fees/messages.h"
#include "settings/profile_file.h"

namespace zm {
namespace {

constexpr std::string_view kSection = "TIP";
constexpr std::string_view kCommissionKey = "手续费";
constexpr std::string_view kStampDutyKey = "印花税";

bool isOneOf(Ctl c, const auto& controls) {
    return std::ranges::find(controls, c) != std::ranges::end(controls);
}

}  // namespace

Session::Session(WindowModel& ui, std::string settingsPath)
    : m_ui(ui), m_settingsPath(std::move(settingsPath)) {}

void Session::formLoad() {
    m_state.StepCount = 0;
    // The windows fill the lists with commissionRateEntries() and stampDutyRateEntries() when
    // they build them; here the stored rates are chosen. A stored text that is no entry of its
    // list, or no stored text at all, gives the list's default.
    const settings::ProfileFile file(m_settingsPath);
    const auto commission = file.readString(kSection, kCommissionKey);
    m_ui.setText(form1::Combo1, commission && isCommissionRateEntry(*commission)
                                    ? std::string_view(*commission)
                                    : kDefaultCommissionRate);
    const auto stampDuty = file.readString(kSection, kStampDutyKey);
    m_ui.setText(form1::Combo2, stampDuty && isStampDutyRateEntry(*stampDuty)
                                    ? std::string_view(*stampDuty)
                                    : kDefaultStampDutyRate);
    loadRules();
    QK();
}

void Session::QK() {
    for (Ctl field : kMainFields) {
        m_ui.setText(field, "");
    }
    m_ui.setText(form1::Text21, "0");
    m_ui.setText(form1::Text22, "0.00");
    for (FormId dialog : {FormId::Form3, FormId::Form4}) {
        ensureLoaded(dialog);
        for (Ctl field : batchFields(dialog)) {
            m_ui.setText(field, "");
        }
    }
    const std::int32_t steps = m_state.StepCount;
    m_state = CalcState{};
    m_state.StepCount = steps;
}

void Session::SaveRates() {
    // Under trade-date rules the lists show that rule set's rates; the program's own rates stay
    // in the file as they were.
    if (!m_rules.own()) {
        saveRules();
        return;
    }
    settings::ProfileFile file(m_settingsPath);
    if (!file.writeString(kSection, kCommissionKey, m_ui.text(form1::Combo1))) {
        m_ui.showMessage(msg::kWriteFailed);
    }
    if (!file.writeString(kSection, kStampDutyKey, m_ui.text(form1::Combo2))) {
        m_ui.showMessage(msg::kWriteFailed);
    }
}

void Session::form1Activated() {
    m_ui.setFocus(form1::Text1);
    m_ui.selectAllInFocused();
}

void Session::focusGained(Ctl c) {
    const bool mainInput = c.form() == FormId::Form1 && isOneOf(c, kMainInputs);
    const bool batchField = (c.form() == FormId::Form3 || c.form() == FormId::Form4) &&
                            isOneOf(c, batchFields(c.form()));
    if (mainInput || batchField) {
        m_ui.selectAllInFocused();
    }
}

void Session::enterPressed(Ctl c) {
    if (c.form() == FormId::Form1) {
        if (isOneOf(c, kMainInputs)) {
            enterMain(c);
        }
    } else if (c.form() == FormId::Form3 || c.form() == FormId::Form4) {
        if (isOneOf(c, batchFields(c.form()))) {
            enterBatch(c);
        }
    }
}

void Session::option3Click() {
    // Funds pay commission under trade-date rules; their other fees are nil by rule.
    if (!m_rules.own()) {
        return;
    }
    m_ui.setText(form1::Combo1, "0.0");
    m_ui.setText(form1::Combo2, "0");
}

void Session::command2Click() {
    form1Unload();
}

void Session::command3Click() {
    m_ui.show(FormId::Form2);
    m_ui.hide(FormId::Form1);
}

void Session::command4Click() {
    QK();
    for (Ctl field : {form1::Text1, form1::Text2, form1::Text11, form1::Text12}) {
        m_ui.setReadOnly(field, false);
        m_ui.setBackground(field, Background::Window);
    }
    m_ui.unload(FormId::Form3);
    m_ui.unload(FormId::Form4);
    resetSellMarks();
    m_ui.setFocus(form1::Text1);
    m_ui.selectAllInFocused();
}

void Session::resetSellMarks() {
    writeSellMark(m_ui, msg::kProfitLossCaption, kBlack);
    m_ui.setForeColor(form1::Label8, kBlack);
    m_ui.setToolTip(form1::Label8, msg::kBreakEvenTip);
    m_ui.setCaption(form1::Label19_17, msg::kYuanUnit);
}

void Session::command5Click() {
    ensureLoaded(FormId::Form4);
    m_ui.show(FormId::Form4);
    m_ui.setFocus(form4::Text1);
    m_ui.selectAllInFocused();
}

void Session::command6Click() {
    ensureLoaded(FormId::Form3);
    m_ui.show(FormId::Form3);
    m_ui.setFocus(form3::Text1);
    m_ui.selectAllInFocused();
}

void Session::form1Unload() {
    if (m_unloading) {
        return;
    }
    m_unloading = true;
    m_ui.unload(FormId::Form1);
    m_ui.unload(FormId::Form2);
    m_ui.unload(FormId::Form3);
    m_ui.unload(FormId::Form4);
    m_ui.quit();
}

void Session::aboutOkClick() {
    m_ui.show(FormId::Form1);
    m_ui.unload(FormId::Form2);
}

void Session::ensureLoaded(FormId dialog) {
    if (!m_ui.isLoaded(dialog)) {
        m_ui.load(dialog);
        batchFormLoad(dialog);
    }
}

std::array<std::string, 6>& Session::capturedOf(FormId dialog) {
    return dialog == FormId::Form3 ? m_capturedSell : m_capturedBuy;
}

const std::string& Session::captured(FormId dialog, int index) const {
    const auto& values = dialog == FormId::Form3 ? m_capturedSell : m_capturedBuy;
    return values.at(static_cast<std::size_t>(index));
}

}  // namespace zm
