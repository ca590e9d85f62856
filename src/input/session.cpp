#include "input/session.h"

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

// The six input fields of the main window, in their Enter and tab order.
constexpr std::array<std::string_view, 6> kMainInputs = {"Text1",  "Text2",  "Text11",
                                                         "Text12", "Text21", "Text22"};
constexpr std::array<std::string_view, 6> kBatchFields = {"Text1", "Text2", "Text3",
                                                          "Text4", "Text5", "Text6"};

// Every field name of the main window, Text1 … Text20, in the order of their numbers.
constexpr std::array<std::string_view, 20> kMainFields = {
    "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",
    "Text8",  "Text9",  "Text10", "Text11", "Text12", "Text13", "Text14",
    "Text15", "Text16", "Text17", "Text18", "Text19", "Text20"};

bool isOneOf(std::string_view name, const auto& names) {
    return std::ranges::find(names, name) != std::ranges::end(names);
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
    m_ui.setText(f1("Combo1"), commission && isCommissionRateEntry(*commission)
                                   ? std::string_view(*commission)
                                   : kDefaultCommissionRate);
    const auto stampDuty = file.readString(kSection, kStampDutyKey);
    m_ui.setText(f1("Combo2"), stampDuty && isStampDutyRateEntry(*stampDuty)
                                   ? std::string_view(*stampDuty)
                                   : kDefaultStampDutyRate);
    loadRules();
    QK();
}

void Session::QK() {
    for (auto name : kMainFields) {
        m_ui.setText(f1(name), "");
    }
    m_ui.setText(f1("Text21"), "0");
    m_ui.setText(f1("Text22"), "0.00");
    for (FormId dialog : {FormId::Form3, FormId::Form4}) {
        ensureLoaded(dialog);
        for (auto name : kBatchFields) {
            m_ui.setText(Ctl{dialog, name}, "");
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
    if (!file.writeString(kSection, kCommissionKey, m_ui.text(f1("Combo1")))) {
        m_ui.showMessage(msg::kWriteFailed);
    }
    if (!file.writeString(kSection, kStampDutyKey, m_ui.text(f1("Combo2")))) {
        m_ui.showMessage(msg::kWriteFailed);
    }
}

void Session::form1Activated() {
    m_ui.setFocus(f1("Text1"));
    m_ui.selectAllInFocused();
}

void Session::focusGained(Ctl c) {
    const bool mainInput = c.form == FormId::Form1 && isOneOf(c.name, kMainInputs);
    const bool batchField =
        (c.form == FormId::Form3 || c.form == FormId::Form4) && isOneOf(c.name, kBatchFields);
    if (mainInput || batchField) {
        m_ui.selectAllInFocused();
    }
}

void Session::enterPressed(Ctl c) {
    if (c.form == FormId::Form1) {
        if (isOneOf(c.name, kMainInputs)) {
            enterMain(c);
        }
    } else if (c.form == FormId::Form3 || c.form == FormId::Form4) {
        if (isOneOf(c.name, kBatchFields)) {
            enterBatch(c);
        }
    }
}

void Session::option3Click() {
    // Funds pay commission under trade-date rules; their other fees are nil by rule.
    if (!m_rules.own()) {
        return;
    }
    m_ui.setText(f1("Combo1"), "0.0");
    m_ui.setText(f1("Combo2"), "0");
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
    for (auto name : {"Text1", "Text2", "Text11", "Text12"}) {
        m_ui.setReadOnly(f1(name), false);
        m_ui.setBackground(f1(name), Background::Window);
    }
    m_ui.unload(FormId::Form3);
    m_ui.unload(FormId::Form4);
    resetSellMarks();
    m_ui.setFocus(f1("Text1"));
    m_ui.selectAllInFocused();
}

void Session::resetSellMarks() {
    writeSellMark(m_ui, msg::kProfitLossCaption, kBlack);
    m_ui.setForeColor(f1("Label8"), kBlack);
    m_ui.setToolTip(f1("Label8"), msg::kBreakEvenTip);
    m_ui.setCaption(f1("Label19_17"), msg::kYuanUnit);
}

void Session::command5Click() {
    ensureLoaded(FormId::Form4);
    m_ui.show(FormId::Form4);
    m_ui.setFocus(Ctl{FormId::Form4, "Text1"});
    m_ui.selectAllInFocused();
}

void Session::command6Click() {
    ensureLoaded(FormId::Form3);
    m_ui.show(FormId::Form3);
    m_ui.setFocus(Ctl{FormId::Form3, "Text1"});
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
