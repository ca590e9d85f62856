#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "fees/calc_state.h"
#include "fees/window_model.h"

namespace zm {

// The program's engine: everything the windows do when the user acts, run against a
// WindowModel. The Qt windows forward their events here; tests drive it on an in-memory model.
// It owns the main window's calculation state, the flag InputAccepted and the batch dialogs'
// captured values, and it knows where the settings file lives.
class Session {
public:
    // `settingsPath` is the full path of the settings file (settings::settingsFileForProgram
    // chooses it at start-up).
    Session(WindowModel& ui, std::string settingsPath);

    WindowModel& ui() { return m_ui; }
    CalcState& state() { return m_state; }
    const CalcState& state() const { return m_state; }
    std::int32_t& inputAccepted() { return m_inputAccepted; }
    const std::string& settingsPath() const { return m_settingsPath; }

    // Main window Form1.
    // Form load, after the windows have painted the banner: StepCount 0, the two rate lists,
    // the stored rates or their defaults, QK. Shows no message.
    void formLoad();
    // Resets every field, the dialogs' fields and the calculation state (StepCount kept).
    void QK();
    // Writes both rates to the settings file; a failed key shows kWriteFailed.
    void SaveRates();
    // Form1 became active again after another of the program's own windows (not after a
    // message box, not when coming back from another application): focus to Text1.
    void form1Activated();
    // A field of any window received the focus: the six input fields of Form1 and the six
    // fields of each batch dialog select their whole text.
    void focusGained(Ctl c);
    // Enter (character code 13) in a field of Form1, Form3 or Form4.
    void enterPressed(Ctl c);
    void option3Click();
    void command1Click();  // Calculate
    void command2Click();  // Exit
    void command3Click();  // About
    void command4Click();  // Clear
    void command5Click();  // multi-batch buy
    void command6Click();  // multi-batch sell
    // Form1 closes (close box or Exit): unloads Form1, Form2, Form3, Form4 in this order and
    // ends the program. Runs once; later calls do nothing.
    void form1Unload();

    // About box Form2: its OK button or its close box.
    void aboutOkClick();

    // Batch dialogs Form3 (sell) and Form4 (buy).
    // Form load of a dialog: empties text and captured value of Text1 … Text6.
    void batchFormLoad(FormId dialog);
    void batchOkClick(FormId dialog);
    void batchClearClick(FormId dialog);
    // The captured value of a dialog field (index 0 … 5 for Text1 … Text6).
    const std::string& captured(FormId dialog, int index) const;

private:
    // The pieces behind the public handlers, kept in separate files by subsystem.
    void enterMain(Ctl c);   // Enter in Form1's six input fields
    void enterBatch(Ctl c);  // Enter in a batch dialog's six fields
    void ensureLoaded(FormId dialog);
    void StoreBatchInputs(FormId dialog);
    void CalcBatchBuy();
    void CalcBatchSell();
    std::array<std::string, 6>& capturedOf(FormId dialog);
    // Enter flow and Calculate (session_enter.cpp).
    void moveTo(Ctl field);  // focus to the field, then select the focused control's text
    void prefillSellQty();   // Text12 ← the bought quantity plus the bonus shares
    void runCalcBuy();       // the bonus and dividend check, then CalcBuy
    void calculateBuySide();
    void calculateSellSide();

    WindowModel& m_ui;
    std::string m_settingsPath;
    CalcState m_state;
    std::int32_t m_inputAccepted = 0;
    std::array<std::string, 6> m_capturedSell;  // Form3
    std::array<std::string, 6> m_capturedBuy;   // Form4
    bool m_unloading = false;
};

}  // namespace zm
