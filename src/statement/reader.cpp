#include "statement/reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <unordered_map>
#include <utility>

#include "journal/csv.h"
#include "statement/cell_values.h"
#include "statement/columns.h"
#include "statement/messages.h"
#include "statement/statement_text.h"

namespace zm::statement {
namespace {

// A cell longer than this is no value of a statement.
constexpr std::size_t kMaxCellBytes = 200;
// How far two figures of a row may differ and still agree: one fen.
constexpr Money kTolerance = Money::fromFen(1);

// The fee cells of a row as the file gives them.
struct FeeCells {
    std::optional<Money> handling;  // 手续费
    std::optional<Money> commission;
    std::optional<Money> total;  // 总费用
    Money stampDuty;
    Money transferFee;
    Money other;  // every other fee column added up
};

struct FeeSplit {
    Money commission, stampDuty, transferFee, other;
};

// The fees of a row under a reading of its 手续费 column. A total (总费用, or 手续费 read as all
// the fees) that is more than the listed parts leaves the rest to the commission when the file
// lists none, otherwise to the other fees.
FeeSplit splitFees(const FeeCells& f, HandlingFee reading) {
    FeeSplit split{Money(), f.stampDuty, f.transferFee, f.other};
    std::optional<Money> commission = f.commission;
    std::optional<Money> total = f.total;
    if (f.handling) {
        if (reading == HandlingFee::AllFees) {
            total = f.handling;
        } else if (!commission) {
            commission = f.handling;
        } else {
            split.other += *f.handling;
        }
    }
    const Money listed = split.stampDuty + split.transferFee + split.other;
    if (total && !commission) {
        commission = *total - listed;
    } else if (total) {
        split.other += *total - listed - *commission;
    }
    split.commission = commission.value_or(Money());
    return split;
}

bool agree(Money a, Money b) {
    const Money gap = a - b;
    return gap <= kTolerance && -gap <= kTolerance;
}

std::string moneyText(Money m) {
    return journal::CsvCell::money(m).text;
}

// The cash a trade moves: the amount less the fees for a sale, the amount and the fees paid
// out for a purchase.
Money expectedNetCash(journal::EntryKind kind, Money amount, Money fees) {
    return kind == journal::EntryKind::Sell ? amount - fees : -(amount + fees);
}

// One data row on its way: what the cells hold, before the file-wide decisions.
struct PendingRow {
    StatementRow row;
    bool readable = false;  // a journal entry whose cells all read
    std::optional<Money> amount;
    FeeCells fees;
};

class RowReader {
public:
    RowReader(const HeaderColumns& columns, char separator)
        : m_columns(columns), m_separator(separator) {}

    // Nullopt for a line with nothing in it.
    std::optional<PendingRow> read(const TextLine& line, const std::string& fileName) const {
        m_cells = splitCells(line.text, m_separator);
        if (std::all_of(m_cells.begin(), m_cells.end(),
                        [](const std::string& c) { return c.empty(); })) {
            return std::nullopt;
        }
        PendingRow p;
        p.row.line = line.number;
        p.row.entry.origin = {journal::EntrySource::Imported, fileName, line.number, {}};
        if (std::any_of(m_cells.begin(), m_cells.end(),
                        [](const std::string& c) { return c.size() > kMaxCellBytes; })) {
            return skipped(std::move(p), messages::kCellTooLong);
        }
        // The empty cells after a trailing tab or comma, beyond the header's last column.
        while (m_cells.size() > m_columns.cellCount && m_cells.back().empty()) {
            m_cells.pop_back();
        }
        if (m_cells.size() != m_columns.cellCount) {
            return skipped(std::move(p), messages::kCellCount);
        }
        // Balances are read on every row, transfers included: the next trade's balance follows
        // from them.
        p.row.netCash = optionalMoney(Column::NetCash);
        p.row.cashBalance = optionalMoney(Column::CashBalance);
        const std::string kindText(cell(Column::Kind));
        const KindReading kind = classifyKind(kindText);
        if (kind.kindClass == KindClass::Unknown) {
            return skipped(std::move(p), messages::kUnknownKind);
        }
        if (kind.kindClass == KindClass::Skipped) {
            return skipped(std::move(p), std::string(messages::kNotImported) + kindText);
        }
        journal::Entry& e = p.row.entry;
        e.kind = kind.entryKind;
        const auto date = parseStatementDate(cell(Column::Date));
        if (!date) {
            return skipped(std::move(p), bad(messages::kBadDate, Column::Date));
        }
        e.date = *date;
        if (m_columns.has(Column::Time) && !cell(Column::Time).empty()) {
            const auto time = parseStatementTime(cell(Column::Time));
            if (!time) {
                return skipped(std::move(p), bad(messages::kBadTime, Column::Time));
            }
            p.row.time = *time;
        }
        const auto code = parseStatementCode(cell(Column::Code));
        if (!code) {
            return skipped(std::move(p), bad(messages::kBadCode, Column::Code));
        }
        e.code = *code;
        e.name = std::string(cell(Column::Name));
        p.row.tradeId = std::string(cell(Column::TradeId));
        p.row.orderId = std::string(cell(Column::OrderId));

        // Every figure the row has must be a number.
        const auto quantity = parseStatementQuantity(cell(Column::Quantity));
        if (!quantity) {
            return skipped(std::move(p), bad(messages::kBadNumber, Column::Quantity));
        }
        e.quantity = *quantity;
        if (m_columns.has(Column::ShareBalance)) {
            p.row.shareBalance = parseStatementQuantity(cell(Column::ShareBalance));
            if (!p.row.shareBalance) {
                return skipped(std::move(p), bad(messages::kBadNumber, Column::ShareBalance));
            }
        }
        constexpr std::array kFigures{Column::Price,       Column::Amount,     Column::NetCash,
                                      Column::Handling,    Column::Commission, Column::StampDuty,
                                      Column::TransferFee, Column::TotalFees,  Column::CashBalance};
        const auto notNumber = std::find_if(kFigures.begin(), kFigures.end(), [&](Column c) {
            return m_columns.has(c) && !parseStatementMoney(cell(c));
        });
        if (notNumber != kFigures.end()) {
            return skipped(std::move(p), bad(messages::kBadNumber, *notNumber));
        }
        for (const std::size_t index : m_columns.otherFees) {
            const auto fee = parseStatementMoney(m_cells[index]);
            if (!fee) {
                return skipped(std::move(p), std::string(messages::kBadNumber) + m_cells[index]);
            }
            p.fees.other += *fee;
        }
        e.price = money(Column::Price).value_or(Money());
        p.amount = money(Column::Amount);
        p.fees.handling = money(Column::Handling);
        p.fees.commission = money(Column::Commission);
        p.fees.total = money(Column::TotalFees);
        p.fees.stampDuty = money(Column::StampDuty).value_or(Money());
        p.fees.transferFee = money(Column::TransferFee).value_or(Money());
        p.readable = true;
        return p;
    }

private:
    std::string_view cell(Column c) const {
        const auto index = m_columns[c];
        return index ? std::string_view(m_cells[*index]) : std::string_view();
    }
    // The value of a column the file has; nullopt when it has none.
    std::optional<Money> money(Column c) const {
        return m_columns.has(c) ? parseStatementMoney(cell(c)) : std::nullopt;
    }
    // Like money(), but an empty cell is no value either.
    std::optional<Money> optionalMoney(Column c) const {
        return cell(c).empty() ? std::nullopt : money(c);
    }
    std::string bad(std::string_view reason, Column c) const {
        return std::string(reason) + std::string(cell(c));
    }
    static PendingRow skipped(PendingRow p, std::string reason) {
        p.row.status = RowStatus::Skipped;
        p.row.reason = std::move(reason);
        return p;
    }
    static PendingRow skipped(PendingRow p, std::string_view reason) {
        return skipped(std::move(p), std::string(reason));
    }

    const HeaderColumns& m_columns;
    char m_separator;
    mutable std::vector<std::string> m_cells;
};

bool isTrade(const PendingRow& p) {
    return p.readable && (p.row.entry.kind == journal::EntryKind::Buy ||
                          p.row.entry.kind == journal::EntryKind::Sell);
}

// Whether a trade row's amount and fees give its net cash under a reading of 手续费; nullopt
// when the row lacks either figure.
std::optional<bool> tradeBalances(const PendingRow& p, HandlingFee reading) {
    if (!isTrade(p) || !p.amount || !p.row.netCash) {
        return std::nullopt;
    }
    const FeeSplit f = splitFees(p.fees, reading);
    const Money fees = f.commission + f.stampDuty + f.transferFee + f.other;
    return agree(expectedNetCash(p.row.entry.kind, *p.amount, fees), *p.row.netCash);
}

// 手续费 is the commission alone unless reading it as all the fees balances more trade rows.
HandlingFee chooseHandlingFee(const std::vector<PendingRow>& rows, const HeaderColumns& columns) {
    if (!columns.has(Column::Handling)) {
        return HandlingFee::Commission;
    }
    int asCommission = 0;
    int asAllFees = 0;
    for (const PendingRow& p : rows) {
        asCommission += tradeBalances(p, HandlingFee::Commission).value_or(false) ? 1 : 0;
        asAllFees += tradeBalances(p, HandlingFee::AllFees).value_or(false) ? 1 : 0;
    }
    return asAllFees > asCommission ? HandlingFee::AllFees : HandlingFee::Commission;
}

// The entry's figures from the cells, by its kind.
void fillFigures(PendingRow& p, HandlingFee reading) {
    journal::Entry& e = p.row.entry;
    const auto absolute = [](Money m) { return m < Money() ? -m : m; };
    switch (e.kind) {
        case journal::EntryKind::Buy:
        case journal::EntryKind::Sell: {
            const FeeSplit f = splitFees(p.fees, reading);
            e.commission = f.commission;
            e.stampDuty = f.stampDuty;
            e.transferFee = f.transferFee;
            e.otherFees = f.other;
            e.amount =
                p.amount
                    ? *p.amount
                    : fenRound(Money::mul(e.price, Money::fromYuan(e.quantity)).value_or(Money()));
            break;
        }
        case journal::EntryKind::Dividend:
        case journal::EntryKind::DividendTax:
            e.amount = absolute(p.row.netCash.value_or(p.amount.value_or(Money())));
            break;
        case journal::EntryKind::Bonus:
        case journal::EntryKind::OtherFee:
            break;
    }
}

// The reason a trade row does not reconcile, or empty when it does (or has nothing to check).
std::string imbalance(const PendingRow& p, std::optional<Money> previousBalance) {
    if (!isTrade(p) || !p.row.netCash) {
        return {};
    }
    const journal::Entry& e = p.row.entry;
    const Money expected = expectedNetCash(e.kind, e.amount, e.fees());
    if (p.amount && !agree(expected, *p.row.netCash)) {
        return std::string(messages::kTradeUnbalanced) + " " + moneyText(expected) + "，" +
               std::string(messages::kNetCash) + " " + moneyText(*p.row.netCash);
    }
    if (previousBalance && p.row.cashBalance) {
        const Money reached = *previousBalance + *p.row.netCash;
        if (!agree(reached, *p.row.cashBalance)) {
            return std::string(messages::kBalanceUnbalanced) + " " + moneyText(reached) + "，" +
                   std::string(messages::kBalance) + " " + moneyText(*p.row.cashBalance);
        }
    }
    return {};
}

bool isBlankId(std::string_view id) {
    return id.find_first_not_of('0') == std::string_view::npos;
}

// The row's figures as one text: the key of a row without a trade id, before its place among
// identical rows is added.
std::string figuresKey(const PendingRow& p) {
    const journal::Entry& e = p.row.entry;
    auto ticks = [](std::optional<Money> m) { return m ? std::to_string(m->ticks()) : "-"; };
    std::string key = "行|" + e.date.iso() + "|" + p.row.time + "|" + e.code + "|" +
                      std::string(journal::kindKey(e.kind)) + "|" + std::to_string(e.quantity) +
                      "|" + ticks(e.price) + "|" + ticks(e.amount) + "|" + ticks(p.row.netCash) +
                      "|" + ticks(p.row.cashBalance) + "|";
    if (p.row.shareBalance) {
        key += std::to_string(*p.row.shareBalance);
    }
    return key;
}

}  // namespace

std::string_view statusLabel(RowStatus status) {
    switch (status) {
        case RowStatus::New:
            return messages::kStatusNew;
        case RowStatus::Known:
            return messages::kStatusKnown;
        case RowStatus::Skipped:
            return messages::kStatusSkipped;
        case RowStatus::Unbalanced:
            break;
    }
    return messages::kStatusUnbalanced;
}

int Statement::count(RowStatus status) const {
    return static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [&](const StatementRow& r) { return r.status == status; }));
}

std::vector<journal::Entry> Statement::newEntries() const {
    std::vector<journal::Entry> entries;
    for (const StatementRow& r : rows) {
        if (r.status == RowStatus::New) {
            entries.push_back(r.entry);
        }
    }
    return entries;
}

Statement readStatement(std::string_view bytes, const std::string& fileName,
                        const KeySet& journalKeys) {
    Statement result;
    const DecodedText decoded = decodeStatement(bytes);
    if (!decoded.error.empty()) {
        result.error = decoded.error;
        return result;
    }
    const std::vector<TextLine> lines = splitLines(decoded.utf8);
    const auto header = findHeader(lines);
    if (!header) {
        result.error = messages::kNoHeader;
        return result;
    }
    const RowReader reader(header->columns, header->separator);
    std::vector<PendingRow> pending;
    for (std::size_t i = header->lineIndex + 1; i < lines.size(); ++i) {
        if (auto p = reader.read(lines[i], fileName)) {
            pending.push_back(std::move(*p));
        }
    }
    if (pending.empty()) {
        result.error = messages::kNoRows;
        return result;
    }
    result.handlingFee = chooseHandlingFee(pending, header->columns);
    const bool hasTradeIds = header->columns.has(Column::TradeId);
    std::unordered_map<std::string, int> identicalRows;
    KeySet fileKeys;
    std::optional<Money> previousBalance;
    for (PendingRow& p : pending) {
        StatementRow& row = p.row;
        if (p.readable) {
            fillFigures(p, result.handlingFee);
            if (hasTradeIds && !isBlankId(row.tradeId)) {
                row.entry.origin.key = "成交|" + row.entry.date.iso() + "|" + row.entry.code + "|" +
                                       row.orderId + "|" + row.tradeId;
            } else {
                std::string key = figuresKey(p);
                const int order = ++identicalRows[key];
                row.entry.origin.key = key + "#" + std::to_string(order);
            }
            std::string unbalanced = imbalance(p, previousBalance);
            if (journalKeys.count(row.key()) != 0 || !fileKeys.insert(row.key()).second) {
                row.status = RowStatus::Known;
            } else if (!unbalanced.empty()) {
                row.status = RowStatus::Unbalanced;
                row.reason = std::move(unbalanced);
            } else {
                row.status = RowStatus::New;
            }
        }
        if (row.cashBalance) {
            previousBalance = row.cashBalance;
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

std::vector<Statement> readStatements(const std::vector<StatementFile>& files,
                                      const KeySet& journalKeys) {
    std::vector<Statement> statements;
    KeySet known = journalKeys;
    for (const StatementFile& file : files) {
        statements.push_back(readStatement(file.bytes, file.name, known));
        for (const StatementRow& row : statements.back().rows) {
            if (row.status == RowStatus::New) {
                known.insert(row.key());
            }
        }
    }
    return statements;
}

}  // namespace zm::statement
