#pragma once

#include <array>
#include <optional>
#include <string>

#include "session/calc_state.h"
#include "session/rules_choice.h"
#include "session/trade_fields.h"
#include "view/window_model.h"

namespace zm {

// The two batch dialogs, Form4 (a purchase filled in up to three batches) and Form3 (a sale):
// their fields' captured values, their Enter flow, OK and Clear, and the combined trade they
// write into one side of the main window, whose price and quantity fields they then lock, and
// record in the main window's calculation state as a trade of that side.
class BatchEntry {
public:
    // `choices`: the main window's market and rates as the session keeps them.
    BatchEntry(WindowModel& ui, RulesChoice& rules, CalcState& state, const MainChoices& choices)
        : m_ui(ui), m_rules(rules), m_state(state), m_choices(choices) {}

    // Loads the dialog hidden, with empty fields, unless it is loaded.
    void ensureLoaded(FormId dialog);
    // Form load of a dialog: empties text and captured value of Text1 … Text6.
    void formLoad(FormId dialog);
    // Enter in one of a dialog's six fields.
    void enter(Ctl field);
    void ok(FormId dialog);     // Command1 "确 定"
    void clear(FormId dialog);  // Command2 "清 空"
    // The combined trades written into the main window from the captured values, and recorded.
    void CalcBatchBuy();
    // The break-even price of the combined purchase as CalcBatchBuy shows it; nullopt when it
    // cannot be worked out.
    std::optional<std::string> batchBuyBreakEven();
    void CalcBatchSell();
    // The captured value of a dialog field (index 0 … 5 for Text1 … Text6).
    const std::string& captured(FormId dialog, int index) const;

private:
    void StoreBatchInputs(FormId dialog);
    // The combined trade of `dialog` computed and its side locked: false when a rate typed into
    // the commission list or a figure beyond the supported range was refused.
    bool computeAndLock(FormId dialog);
    std::array<std::string, 6>& capturedOf(FormId dialog);

    WindowModel& m_ui;
    RulesChoice& m_rules;
    CalcState& m_state;
    const MainChoices& m_choices;
    std::array<std::string, 6> m_capturedSell;  // Form3
    std::array<std::string, 6> m_capturedBuy;   // Form4
};

}  // namespace zm
