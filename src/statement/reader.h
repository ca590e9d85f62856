#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "fees/money.h"
#include "journal/entry.h"

// A broker's statement (交割单) read into rows for the journal: each data row with what the
// import will do with it and why. The reader neither opens files nor writes the journal; it is
// given the bytes and the identity keys the journal already holds.
namespace zm::statement {

enum class RowStatus {
    New,         // 新增: to be added
    Known,       // 已有: the journal (or an earlier file of the same import) has it
    Skipped,     // 跳过: not a journal entry, or a row that cannot be read; see the reason
    Unbalanced,  // 不平: its figures do not add up; both figures are in the reason
};
std::string_view statusLabel(RowStatus status);

struct StatementRow {
    int line = 0;      // the line of the file, from 1
    std::string time;  // "09:30:15", or empty when the file gives none
    RowStatus status = RowStatus::Skipped;
    std::string reason;
    journal::Entry entry;  // origin Imported, with the file, line and identity key
    std::string tradeId;   // 成交编号
    std::string orderId;   // 合同编号
    std::optional<Money> netCash;
    std::optional<Money> cashBalance;
    std::optional<std::int64_t> shareBalance;
    // Finds the row in the journal: its ids and date when the file has a trade id, otherwise
    // its figures and its place among identical rows of the file.
    const std::string& key() const { return entry.origin.key; }
};

// How a file's 手续费 column was read: as the commission alone, or as all the fees, whichever
// makes more of its trade rows balance.
enum class HandlingFee { Commission, AllFees };

struct Statement {
    std::string_view error;  // a message box text when the file cannot be read; rows then empty
    std::vector<StatementRow> rows;
    HandlingFee handlingFee = HandlingFee::Commission;

    int count(RowStatus status) const;
    // The entries of the rows to add, in the order of the file.
    std::vector<journal::Entry> newEntries() const;
};

using KeySet = std::unordered_set<std::string>;

// Reads one file's bytes; `fileName` goes into each entry's origin. A row whose key is in
// `journalKeys` is 已有.
Statement readStatement(std::string_view bytes, const std::string& fileName,
                        const KeySet& journalKeys);

// Several files imported together: a row an earlier file already adds is 已有 in a later one,
// so that overlapping files add each trade once.
struct StatementFile {
    std::string name;
    std::string bytes;
};
std::vector<Statement> readStatements(const std::vector<StatementFile>& files,
                                      const KeySet& journalKeys);

}  // namespace zm::statement
