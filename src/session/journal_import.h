#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/entry.h"
#include "session/journal_windows.h"
#include "statement/reader.h"
#include "view/window_model.h"

namespace zm {

// FormImport: brokers' statements (交割单) read from the files typed or picked, every row listed
// with what the import does with it, the fees of the trades checked against the commission
// agreed with the broker, and the new rows (with the 不平 rows the user takes) added to the
// journal in one change that one 撤销 takes back. Opened from FormJournal's 核对费用 it lists the
// journal's own trades instead, for the check alone.
class JournalImport {
public:
    JournalImport(WindowModel& ui, JournalWindows& journal);

    void open();       // mnuJournalImport, FormJournal's cmdImport
    void openCheck();  // FormJournal's cmdCheckFees: the trades of the year in TextYear, or all
    void browse();
    // Reads every file typed and lists its rows; false after a message when nothing was read.
    bool read();
    void rowChosen();
    void takeRow();  // a 不平 row chosen is imported, or no longer
    void checkFees();
    void ok();
    void close();

private:
    struct Row {
        statement::RowStatus status = statement::RowStatus::Skipped;
        bool taken = false;  // a 不平 row the user chose to import
        bool checkable = false;
        std::string orderId;
        journal::Entry entry;
        WindowModel::Cells cells;
    };
    // Loads and shows the window with its controls for importing or for the check alone.
    void prepare(bool importing);
    void addRow(statement::RowStatus status, std::string_view statusText, std::string reason,
                const journal::Entry& entry, std::string orderId, bool checkable);
    void showRows();
    std::optional<std::size_t> chosenRow() const;

    WindowModel& m_ui;
    JournalWindows& m_journal;
    std::vector<Row> m_rows;  // ListImport's rows, in the order set
    std::string m_readFrom;   // TextImportFile as the rows were read from it
};

}  // namespace zm
