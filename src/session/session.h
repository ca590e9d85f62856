#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fees/fee_rules.h"
#include "fees/target_price.h"
#include "input/verdict.h"
#include "session/calc_state.h"
#include "session/window_model.h"

namespace zm {

// The price and quantity fields of one side of the main window (session_enter.cpp).
struct SideInputs;

// The program's engine: everything the windows do when the user acts, run against a
// WindowModel. The Qt windows forward their events here; tests drive it on an in-memory model.
// It owns the main window's calculation state and the batch dialogs' captured values, and it
// knows where the settings file lives.
class Session {
public:
    // `settingsPath` is the full path of the settings file (settings::settingsFileForProgram
    // chooses it at start-up).
    Session(WindowModel& ui, std::string settingsPath);

    WindowModel& ui() { return m_ui; }
    CalcState& state() { return m_state; }
    const CalcState& state() const { return m_state; }
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

    // Fee rules (the rules menu and its two dialogs).
    const FeeRules& rules() const { return m_rules; }
    // The program's own rules: both rate lists come back exactly as they were.
    void chooseOwnRules();
    // Today's rules.
    void chooseCurrentRules();
    // The rules in force on a trade date typed as "2019-03-15". A date before 2008-09-19 or one
    // the calendar does not have is refused with its message (false; the rules stay as they were).
    bool chooseRulesOnDate(std::string_view date);
    // The minimum commission of the trade-date rules, 0 to 100 yuan; anything else is refused
    // with its message (false).
    bool setMinimumCommission(std::string_view text);
    // The focus left the commission list Combo1. Under trade-date rules the user may have typed a
    // rate there: it is checked now (a refusal puts the focus back) and remembered.
    void combo1Left();

    // Target sell price (the tools menu's dialog). The lowest price at which selling every share
    // of the computed purchase meets the target typed as `text` (yuan, or percent for a yield);
    // a refusal shows its message and gives nullopt: no purchase computed, a target that is no
    // number or a yield below −100 %, a target no price in range reaches.
    std::optional<TargetSale> targetSale(TargetKind kind, std::string_view text);
    // The target sale into the sell side: its price into Text11, the shares held into Text12,
    // then the sell side as Enter in Text12 runs it.
    void useTargetSale(const TargetSale& sale);
    // The shares a target sale sells: those held after the bonus.
    Money heldShares() const { return m_state.HeldQty; }
    // Decimals of a price in the market chosen now: 2, or 3 for funds under trade-date rules.
    int priceDecimals() const;

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
    void runCalcSell();      // CalcSell under the chosen rules
    void calculateBuySide();
    void calculateSellSide();
    // The price rule of a side applied (refused, or rewritten and stored), then the quantity
    // rule taken against the stored price. A refusal of either is applied and gives nullopt; an
    // accepted quantity comes back for the flow to apply where it does.
    std::optional<Verdict> judgeSide(const SideInputs& side);
    // Fee rules (session_rules.cpp).
    void loadRules();   // the [费用规则] section, at form load
    void applyRules();  // the lists, the title and the rules menu for m_rules
    void switchRules(FeeRules next);
    void saveRules();             // the [费用规则] section; a failed write shows kWriteFailed
    bool checkTypedCommission();  // Combo1 under trade-date rules; refuses on Combo1
    void recomputeShownSides();   // the sides on screen again, after a change of rules
    // The sell side's captions and colours and Label8 as the window opens with them.
    void resetSellMarks();
    void calcBatchBuyRules();

    WindowModel& m_ui;
    std::string m_settingsPath;
    CalcState m_state;
    std::array<std::string, 6> m_capturedSell;  // Form3
    std::array<std::string, 6> m_capturedBuy;   // Form4
    bool m_unloading = false;
    FeeRules m_rules;
    // The rate lists' texts under the program's own rules, kept while trade-date rules show
    // other entries there.
    std::string m_ownCommission;
    std::string m_ownStampDuty;
    bool m_checkingCommission = false;
};

}  // namespace zm
