#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fees/calc_sell.h"
#include "fees/fee_rules.h"
#include "fees/target_price.h"
#include "input/verdict.h"
#include "session/batch_entry.h"
#include "session/calc_state.h"
#include "session/holding_dialogs.h"
#include "session/journal_import.h"
#include "session/journal_windows.h"
#include "session/kept_tips.h"
#include "session/rules_choice.h"
#include "view/gesture.h"
#include "view/window_model.h"

namespace zm {

// The price and quantity fields of one side of the main window (session_enter.cpp).
struct SideInputs;

// The program's engine: everything the windows do when the user acts, run against a
// WindowModel. Every front end (the Qt program, the Windows program, the in-memory model of the
// tests) reports each gesture of the user through handle(); one dispatch table says what it
// does. The session owns the main window's calculation state, the choice of fee rules and the
// batch dialogs, and it knows where the settings file lives.
class Session {
public:
    // `settingsPath` is the full path of the settings file (chosen at start-up), `journalPath`
    // that of the journal (账本), opened the first time it is used; empty when no folder for it
    // is known (the journal's windows then say so).
    Session(WindowModel& ui, std::string settingsPath, std::string journalPath = {});

    WindowModel& ui() { return m_ui; }
    CalcState& state() { return m_state; }
    const CalcState& state() const { return m_state; }
    const std::string& settingsPath() const { return m_settingsPath; }

    // Form load of the main window, after the windows have painted the banner: StepCount 0, the
    // stored rates or their defaults in the two lists (the windows filled them), the fee rules of
    // the settings file, QK. Shows no message.
    void formLoad();

    // The program starts, the same on every front end: Form1 loaded hidden, its banner painted,
    // the form load, then (with `show`) Form1 shown.
    void start(bool show = true);

    // The one way in: the user did `g` to control (or window) `c`. Gestures the dispatch table
    // has no entry for do nothing.
    void handle(Ctl c, Gesture g);
    // Whether the dispatch table has an entry for the gesture on the control.
    static bool handles(Ctl c, Gesture g);

    // Resets every field, the dialogs' fields and the calculation state (StepCount kept).
    void QK();
    // Writes both rates the main window shows to the settings file; a failed key shows
    // kWriteFailed. Under trade-date rules the [费用规则] section is written instead.
    void SaveRates();
    // Takes the main window's choices (market, rates, batch locks) after the user changed them.
    void takeChoices();

    const FeeRules& rules() const { return m_rules.rules(); }
    // The captured value of a batch dialog's field (index 0 … 5 for Text1 … Text6).
    const std::string& captured(FormId dialog, int index) const {
        return m_batch.captured(dialog, index);
    }
    // Decimals of a price in the market chosen now: 2, or 3 for funds under trade-date rules.
    int priceDecimals() const;

private:
    friend struct Routes;  // the dispatch table (session.cpp)

    // Form1.
    void mainActivated(Ctl);  // a return to Form1 from another of the program's windows
    void closeMain(Ctl);      // the close box or Exit: unload the four windows, end
    void enterMain(Ctl c);    // Enter in the six input fields (session_enter.cpp)
    void selectOnFocus(Ctl);  // a field that selects its whole text when it gets the focus
    // Option1, Option2, Option3: the sides on screen worked again in the market chosen (the
    // fund market takes both rates to zero under the program's own rules).
    void marketChosen(Ctl c);
    // The rate lists: an entry picked, or a rate typed and confirmed by Enter or by leaving the
    // commission list, works the sides on screen again; Enter moves on.
    void commissionChosen(Ctl);
    void commissionEntered(Ctl);
    void commissionLeft(Ctl);
    void stampDutyChosen(Ctl);
    void stampDutyEntered(Ctl);
    void calculate(Ctl);               // Command1 (session_enter.cpp)
    void showAbout(Ctl);               // Command3
    void clearAll(Ctl);                // Command4
    void openBatchDialog(Ctl button);  // Command5 (Form4), Command6 (Form3)
    void chooseOwnRules(Ctl);
    void chooseCurrentRules(Ctl);
    void openRulesDateDialog(Ctl);
    void openMinimumDialog(Ctl);
    // Form2.
    void closeAbout(Ctl);  // OK or the close box
    void openUserGuide(Ctl);
    // Form3, Form4.
    void enterBatch(Ctl c);
    void batchOk(Ctl c);
    void batchClear(Ctl c);
    void hideWindow(Ctl form);
    // FormRules, FormMinimum.
    void rulesDateSet(Ctl);
    void rulesDateOk(Ctl);
    void closeRulesDateDialog(Ctl);
    void minimumOk(Ctl);
    void closeMinimumDialog(Ctl);
    // FormTarget (session_target.cpp).
    void openTargetDialog(Ctl);
    void targetKindChosen(Ctl);
    void calculateTarget(Ctl);
    void useTargetSale(Ctl);
    // The dialogs of the holding tools (HoldingDialogs).
    void openTool(Ctl item);
    void enterTool(Ctl c);
    void calculateTool(Ctl button);
    void toolOptionChosen(Ctl option);
    void toolInputChanged(Ctl c);  // a board picked, a date set
    void exRightsToLimit(Ctl);
    // The journal's menu and windows (JournalWindows, session_journal.cpp).
    void openRecord(Ctl item);
    void recordEnter(Ctl c);
    void recordOk(Ctl);
    void closeRecord(Ctl);
    void openJournal(Ctl);
    void closeJournal(Ctl);
    void journalMethodChosen(Ctl);
    void holdingChosen(Ctl);
    void currentPriceEntered(Ctl);
    void journalEntryChosen(Ctl);
    void journalYearEntered(Ctl);
    void addJournalEntry(Ctl);
    void editJournalEntry(Ctl);
    void deleteJournalEntry(Ctl);
    void undoJournal(Ctl);
    void openExport(Ctl);
    void browseExportFolder(Ctl);
    void exportOk(Ctl);
    void closeExport(Ctl);
    void entryKindChosen(Ctl);
    void entryEnter(Ctl c);
    void entryFocus(Ctl c);
    void entryDateSet(Ctl);
    void entryOk(Ctl);
    void closeEntry(Ctl);
    // FormImport (JournalImport, session_import.cpp).
    void openImport(Ctl);
    void openFeeCheck(Ctl);
    void browseImportFiles(Ctl);
    void readImport(Ctl);
    void importRowChosen(Ctl);
    void takeImportRow(Ctl);
    void checkImportFees(Ctl);
    void importOk(Ctl);
    void closeImport(Ctl);

    // Enter flow and Calculate (session_enter.cpp).
    void moveTo(Ctl field);  // focus to the field, then select the focused control's text
    void prefillSellQty();   // Text12 ← the bought quantity plus the bonus shares
    std::optional<Money> heldAfterBonus() const;  // Text2 plus its bonus shares (Text21)
    void followBonusInSellQty();                  // the prefilled Text12 after a new bonus
    void showPurchaseBreakEven();                 // Text9 ← the purchase's break-even price
    // Whether a calculation saves the rates afterwards (those the user starts do).
    enum class Save { Rates, Nothing };
    void saveRates();                           // SaveRates with the choices taken
    void runCalcBuy(Save save = Save::Rates);   // the bonus and dividend check, then CalcBuy
    void runCalcSell(Save save = Save::Rates);  // CalcSell under the chosen rules
    // The yield's tool tips after a sale: what a partial sale's yield is, with the realised
    // profit of the shares sold; the standard ones otherwise.
    void showYieldTips(const SellResult& r);
    void calculateBuySide();
    void calculateSellSide();
    // The price rule of a side applied (refused, or rewritten and stored), then the quantity
    // rule taken against the stored price. A refusal of either is applied and gives nullopt; an
    // accepted quantity comes back for the flow to apply where it does. A side worked again from
    // what it shows has its price rewritten only when the verdict shows it otherwise (the
    // market's price step changed), so that a field the user is in keeps its selection.
    enum class Rewrite { Always, WhenChanged };
    std::optional<Verdict> judgeSide(const SideInputs& side, Rewrite rewrite = Rewrite::Always);
    // The sides on screen worked again, after a change of the rules, the minimum commission, a
    // rate, the market, the bonus or the dividend.
    void recomputeShownSides();
    // The user changed the main window's rules, market, a rate, the bonus or the dividend: the
    // choices are taken, the sides on screen and the open dialogs that show results follow.
    void mainChanged();
    // FormTarget's rules line, and its sale worked out again without a message while it shows
    // one (cleared when its target no longer passes).
    void followTarget();
    // The sell side's captions, colours and the yield's tool tips, and Label8, as the window
    // opens with them.
    void resetSellMarks();
    // The target sale for the target typed in FormTarget, or nullopt after its message.
    // `quiet`: a refusal clears the sale without a message.
    std::optional<TargetSale> targetSale(TargetKind kind, std::string_view text,
                                         bool quiet = false);
    void showTargetSale(const std::optional<TargetSale>& sale);

    WindowModel& m_ui;
    std::string m_settingsPath;
    CalcState m_state;
    RulesChoice m_rules;
    MainChoices m_choices;  // the market, the rates and the batch locks as the user set them
    BatchEntry m_batch;
    HoldingDialogs m_tools;
    JournalWindows m_journal;
    JournalImport m_import;
    bool m_unloading = false;
    std::optional<TargetSale> m_targetSale;  // what FormTarget shows, for cmdUse
    KeptTips m_yieldTips;                    // Text18's and Label18's as the window opens
    std::optional<Money> m_sellQtyPrefill;   // what prefillSellQty last wrote into Text12
};

}  // namespace zm
