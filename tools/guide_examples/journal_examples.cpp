#include "guide_examples/journal_examples.h"

#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "statement/messages.h"
#include "view/controls.h"

namespace zm::guide {
namespace {

using Typed = std::vector<std::pair<Ctl, std::string_view>>;

// FormEntry from the journal window: the kind chosen, each field typed and confirmed by Enter
// (which proposes a trade's fees), the last one only typed, then 确定.
void typeEntry(Session& session, WindowModel& ui, std::string_view kind, const Typed& typed) {
    session.handle(formJournal::cmdAdd, Gesture::Click);
    ui.setText(formEntry::ComboEntryKind, kind);
    session.handle(formEntry::ComboEntryKind, Gesture::Choose);
    for (const auto& [field, text] : typed) {
        ui.setFocus(field);
        ui.setText(field, text);
        if (field != typed.back().first) {
            session.handle(field, Gesture::Enter);
        }
    }
    session.handle(formEntry::cmdOK, Gesture::Click);
}

void typeTrade(Session& session, WindowModel& ui, std::string_view kind, std::string_view date,
               std::string_view quantity, std::string_view price) {
    typeEntry(session, ui, kind,
              {{formEntry::TextEntryCode, "600000"},
               {formEntry::TextEntryName, "浦发银行"},
               {formEntry::DateEntry, date},
               {formEntry::TextEntryQty, quantity},
               {formEntry::TextEntryPrice, price}});
}

// Enter typed into a field of FormJournal, as the user confirms it.
void enterIn(Session& session, WindowModel& ui, Ctl field, std::string_view text) {
    ui.setFocus(field);
    ui.setText(field, text);
    session.handle(field, Gesture::Enter);
}

}  // namespace

std::string journalExample(Session& session, WindowModel& ui, const CellReader& cell) {
    session.handle(form1::mnuRulesCurrent, Gesture::Click);
    ui.setText(form1::Combo1, "0.25");
    session.handle(form1::Combo1, Gesture::Enter);
    session.handle(form1::mnuJournalOpen, Gesture::Click);
    if (!ui.isLoaded(FormId::FormJournal)) {
        return "the journal window did not open";
    }
    typeTrade(session, ui, "买入", "2024-03-01", "1000", "10.00");
    typeTrade(session, ui, "买入", "2024-03-05", "500", "9.00");
    typeTrade(session, ui, "卖出", "2024-06-03", "1200", "10.50");
    typeEntry(session, ui, "现金分红",
              {{formEntry::TextEntryCode, "600000"},
               {formEntry::DateEntry, "2024-07-10"},
               {formEntry::TextEntryPerTen, "3"}});
    if (cell(formJournal::ListEntries, 3, 0).empty()) {
        return "the four entries were not all taken";
    }
    ui.chooseRow(formJournal::ListHoldings, 0);
    session.handle(formJournal::ListHoldings, Gesture::Choose);
    enterIn(session, ui, formJournal::TextCurrentPrice, "10.20");
    enterIn(session, ui, formJournal::TextYear, "2024");
    const std::string held = cell(formJournal::ListHoldings, 0, 2);
    const std::string cost = cell(formJournal::ListHoldings, 0, 3);
    if (held != "300" || cost != "9.673") {
        return "600000 shows " + held + " shares at a cost of " + cost + ", not 300 at 9.673";
    }
    if (ui.text(formJournal::TextCurrentPrice) != "10.20") {
        return "the current price shows '" + ui.text(formJournal::TextCurrentPrice) + "'";
    }
    return {};
}

std::string importExample(Session& session, WindowModel& ui, const CellReader& cell,
                          const std::string& statements) {
    namespace sm = statement::messages;
    session.handle(form1::mnuJournalImport, Gesture::Click);
    if (!ui.isLoaded(FormId::FormImport)) {
        return "the import window did not open";
    }
    ui.setText(formImport::TextImportFile, statements);
    session.handle(formImport::cmdRead, Gesture::Click);
    ui.setText(formImport::TextAgreedRate, "0.1");
    ui.setText(formImport::TextAgreedMinimum, "5");
    session.handle(formImport::cmdCheckFees, Gesture::Click);
    std::set<std::string> statuses;
    for (std::size_t row = 0;; ++row) {
        const std::string status = cell(formImport::ListImport, row, 0);
        if (status.empty()) {
            break;
        }
        statuses.insert(status);
    }
    for (std::string_view wanted : {sm::kStatusNew, sm::kStatusSkipped, sm::kStatusUnbalanced}) {
        if (!statuses.contains(std::string(wanted))) {
            return "the preview has no " + std::string(wanted) + " row";
        }
    }
    if (ui.text(formImport::TextOverCharged).empty()) {
        return "the fee check reported nothing";
    }
    return {};
}

}  // namespace zm::guide
