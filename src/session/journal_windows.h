#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/entry.h"
#include "journal/holdings.h"
#include "journal/journal_lists.h"
#include "journal/store.h"
#include "session/calc_state.h"
#include "session/rules_choice.h"
#include "session/trade_fields.h"
#include "view/window_model.h"

namespace zm {

// The journal (账本) of the user's real trades and its windows: the 账本 menu of the main window,
// FormRecord (the trade on screen taken into the journal), FormJournal (持仓 and 流水, the cost
// method, a holding's current price, a year's summary), FormEntry (one entry added or changed)
// and FormExport (the two lists written as CSV files). The journal file is opened the first
// time one of them needs it, never at start-up; a file it cannot use leaves the calculator
// working as before. Every change is written at once and refreshes the lists.
class JournalWindows {
public:
    // `path` is the journal file's full path; empty when no folder for it is known.
    JournalWindows(WindowModel& ui, const RulesChoice& rules, const CalcState& state,
                   const MainChoices& choices, std::string path);

    // The two recording items follow the sides on screen: each is enabled while its side shows
    // a trade.
    void followTrade();

    // The main window's rules, market or rates changed: the lists' break-even prices follow.
    void followMainChoices() { refresh(); }

    // FormRecord (journal_windows.cpp).
    void openRecord(Ctl item);  // mnuRecordBuy or mnuRecordSell
    void recordEnter(Ctl field);
    void recordOk();
    void closeRecord();

    // FormJournal.
    void openJournal();
    void closeJournal();
    void methodChosen();
    void holdingChosen();
    void currentPriceEntered();
    void entryChosen();
    void yearEntered();
    void addEntry();
    void editEntry();
    void deleteEntry();
    void undo();

    // FormExport (journal_export.cpp).
    void openExport();
    void browseFolder();
    void exportOk();
    void closeExport();

    // FormEntry (journal_entry_form.cpp).
    void entryKindChosen();
    void entryEnter(Ctl field);
    void entryFocus(Ctl field);  // selects the field's text; a fee field gets the fees proposed
    void entryDateSet();
    void entryOk();
    void closeEntry();

private:
    // Opens the journal on first use. A newer or damaged file, or one that cannot be opened, is
    // told (a damaged one may be set aside for a new one); false while no journal is open.
    bool storeReady();
    // The lists, the buttons and the year's summary worked out again from the journal.
    void refresh();
    void showYearSummary(int year);
    void enableEntryButtons();
    journal::ProfitMethod method() const;
    // What the lists are worked out with: the cost method chosen, the main window's rules and
    // rates, today, the current prices kept in the journal.
    journal::ListSettings listSettings() const;
    // The entries as they would be without `without` (an entry being changed).
    std::vector<journal::Entry> entriesWithout(std::optional<std::int64_t> without) const;
    // The shares of `code` held at the end of `date` by the entries (without `without`).
    std::int64_t heldOn(const std::string& code, TradeDate date,
                        std::optional<std::int64_t> without) const;
    // A sale is checked against the holding: more than is held is refused on `field`; selling
    // shares of a stock bought the same day asks first (T+1). True when it may be recorded.
    bool saleAllowed(const journal::Entry& sale, Ctl field, std::optional<std::int64_t> without);
    // Enter in a field: the focus goes to the next field of the window that takes input, its
    // text selected; false when there is none (Enter there is 确定).
    bool focusNextInput(Ctl field);
    // Adds or changes the entry; a failed write is told and changes nothing.
    bool write(const journal::Entry& entry);

    // FormEntry.
    void openEntry(const journal::Entry* entry);
    journal::EntryKind entryKind() const;
    void enableEntryFields();
    void proposeFees();
    bool readEntry(journal::Entry& e);
    bool readTradeFigures(journal::Entry& e);

    // FormExport.
    bool writeExport(const std::string& folder);

    WindowModel& m_ui;
    const RulesChoice& m_rules;
    const CalcState& m_state;
    const MainChoices& m_choices;
    std::string m_path;
    journal::Store m_store;
    journal::ProfitMethod m_method = journal::ProfitMethod::Average;  // as FormJournal shows it
    bool m_refusedNewer = false;  // a newer file was refused: not tried again in this run

    journal::Entry m_pending;                   // what FormRecord records
    std::vector<journal::Entry> m_entries;      // as the lists show them
    std::vector<std::string> m_holdingCodes;    // ListHoldings' rows, in the order set
    std::vector<std::int64_t> m_entryIds;       // ListEntries' rows, in the order set
    std::optional<std::int64_t> m_editing;      // FormEntry changes this entry; none: adds one
    std::string m_proposedFor;                  // the inputs the fees were last proposed for
    std::array<std::string, 4> m_proposedFees;  // the four fee texts then proposed
    std::string m_exportFolder;                 // the folder of the last export
};

}  // namespace zm
