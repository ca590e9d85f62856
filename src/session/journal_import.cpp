#include "session/journal_import.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "fees/number_text.h"
#include "input/journal_rules.h"
#include "journal/journal_lists.h"
#include "session/apply_verdict.h"
#include "settings/file_io.h"
#include "statement/fee_check.h"
#include "view/messages.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using namespace formImport;
using statement::RowStatus;

// ListImport's columns: 状态, 原因, then the 流水 list's 日期 … 发生金额, then 佣金率 and 多收.
constexpr std::size_t kEntryCells = 12;
constexpr std::size_t kRateCell = 2 + kEntryCells;
constexpr std::size_t kOverChargedCell = kRateCell + 1;

fs::path pathOf(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// The paths typed, separated by semicolons, without blanks around them.
std::vector<std::string> typedPaths(std::string_view text) {
    std::vector<std::string> paths;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        if (const std::string_view path = trimBlanks(text.substr(0, end)); !path.empty()) {
            paths.emplace_back(path);
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return paths;
}

bool isTrade(journal::EntryKind kind) {
    return kind == journal::EntryKind::Buy || kind == journal::EntryKind::Sell;
}

}  // namespace

JournalImport::JournalImport(WindowModel& ui, JournalWindows& journal)
    : m_ui(ui), m_journal(journal) {}

void JournalImport::prepare(bool importing) {
    if (!m_ui.isLoaded(FormId::FormImport)) {
        m_ui.load(FormId::FormImport);
        // The agreement starts as the main window's commission rate, at the usual minimum.
        m_ui.setText(TextAgreedRate, m_ui.text(form1::Combo1));
        m_ui.setText(TextAgreedMinimum, "5");
    }
    for (Ctl c : {TextImportFile, cmdBrowse, cmdRead, cmdOK}) {
        m_ui.setEnabled(c, importing);
    }
    m_ui.setEnabled(cmdTakeRow, false);
    m_rows.clear();
    m_readFrom.clear();
    m_ui.setText(TextOverCharged, "");
}

void JournalImport::open() {
    if (m_journal.readyStore() == nullptr) {
        return;
    }
    prepare(true);
    showRows();
    m_ui.show(FormId::FormImport);
    m_ui.setFocus(TextImportFile);
    m_ui.selectAllInFocused();
}

void JournalImport::openCheck() {
    journal::Store* store = m_journal.readyStore();
    if (store == nullptr) {
        return;
    }
    // The year typed under the lists, or every year when none is.
    std::optional<int> year;
    if (!trimBlanks(m_ui.text(formJournal::TextYear)).empty()) {
        const Verdict verdict = ruleJournalYear(m_ui.text(formJournal::TextYear));
        if (!applyVerdict(m_ui, formJournal::TextYear, verdict)) {
            return;
        }
        year = static_cast<int>(verdict.stored->ticks() / Money::kTicksPerYuan);
    }
    prepare(false);
    for (const journal::Entry& e : store->entries()) {
        if (isTrade(e.kind) && (!year || e.date.year == *year)) {
            addRow(RowStatus::Known, {}, {}, e, {}, true);
        }
    }
    showRows();
    m_ui.show(FormId::FormImport);
    // With an agreement that reads, the check is shown at once.
    if (statement::agreementFromText(m_ui.text(TextAgreedRate), m_ui.text(TextAgreedMinimum), false,
                                     false)) {
        checkFees();
    }
    m_ui.setFocus(TextAgreedRate);
    m_ui.selectAllInFocused();
}

void JournalImport::browse() {
    const std::vector<std::string> typed = typedPaths(m_ui.text(TextImportFile));
    std::error_code error;
    const std::string start =
        typed.empty() ? utf8Of(fs::current_path(error))
                      : utf8Of(fs::absolute(pathOf(typed.front()), error).parent_path());
    const std::vector<std::string> files =
        m_ui.chooseFiles(msg::kImportFilesTitle, start, msg::kImportFilesFilter);
    if (files.empty()) {
        return;
    }
    std::string joined;
    for (const std::string& file : files) {
        joined += (joined.empty() ? "" : ";") + file;
    }
    m_ui.setText(TextImportFile, joined);
    read();
}

namespace {
// The largest statement file read: ten years of daily trading stays far below it.
constexpr std::uintmax_t kBytesPerMegabyte = std::uintmax_t{1024} * 1024;
constexpr std::uintmax_t kMaxStatementBytes = 16 * kBytesPerMegabyte;
}  // namespace

bool JournalImport::read() {
    const std::string text = m_ui.text(TextImportFile);
    const std::vector<std::string> paths = typedPaths(text);
    if (paths.empty()) {
        ShowInputError(m_ui, TextImportFile, msg::kImportFileMissing);
        return false;
    }
    std::vector<statement::StatementFile> files;
    for (const std::string& path : paths) {
        // A relative path is taken from the current folder.
        std::error_code error;
        const fs::path file = fs::absolute(pathOf(path), error);
        if (const std::uintmax_t size = fs::file_size(file, error);
            !error && size > kMaxStatementBytes) {
            ShowInputError(m_ui, TextImportFile,
                           msg::importFileTooLarge(path, size / kBytesPerMegabyte));
            return false;
        }
        settings::FileContents contents = settings::readWholeFile(utf8Of(file));
        if (error || contents.state != settings::FileState::Regular) {
            ShowInputError(m_ui, TextImportFile, msg::importCannotRead(path));
            return false;
        }
        files.push_back({utf8Of(file.filename()), std::move(contents.bytes)});
    }
    journal::Store* store = m_journal.readyStore();
    if (store == nullptr) {
        return false;
    }
    const std::vector<statement::Statement> read =
        statement::readStatements(files, store->importKeys());
    m_rows.clear();
    m_ui.setText(TextOverCharged, "");
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (!read[i].error.empty()) {
            m_ui.showMessage(msg::importFileRefused(paths[i], read[i].error));
            continue;
        }
        for (const statement::StatementRow& row : read[i].rows) {
            addRow(row.status, statement::statusLabel(row.status), row.reason, row.entry,
                   row.orderId, row.status != RowStatus::Skipped && isTrade(row.entry.kind));
        }
    }
    m_readFrom = text;
    showRows();
    return true;
}

void JournalImport::addRow(RowStatus status, std::string_view statusText, std::string reason,
                           const journal::Entry& entry, std::string orderId, bool checkable) {
    Row row{status, false, checkable, std::move(orderId), entry, {}};
    row.cells.assign(kOverChargedCell + 1, std::string());
    row.cells[0] = statusText;
    row.cells[1] = std::move(reason);
    // A skipped row has no entry to show.
    if (status != RowStatus::Skipped) {
        const auto shown = journal::entryListRows({entry}, {}, journal::ProfitMethod::Average);
        std::copy_n(shown.front().cells.begin(), kEntryCells, row.cells.begin() + 2);
    }
    m_rows.push_back(std::move(row));
}

void JournalImport::showRows() {
    std::vector<WindowModel::Cells> cells(m_rows.size());
    std::ranges::transform(m_rows, cells.begin(), &Row::cells);
    m_ui.setRows(ListImport, cells);
    m_ui.setEnabled(cmdTakeRow, false);
}

std::optional<std::size_t> JournalImport::chosenRow() const {
    const auto row = m_ui.chosenRow(ListImport);
    return row && *row < m_rows.size() ? row : std::nullopt;
}

void JournalImport::rowChosen() {
    const auto row = chosenRow();
    m_ui.setEnabled(cmdTakeRow,
                    m_ui.isEnabled(cmdOK) && row && m_rows[*row].status == RowStatus::Unbalanced);
}

void JournalImport::takeRow() {
    const auto row = chosenRow();
    if (!row || m_rows[*row].status != RowStatus::Unbalanced) {
        return;
    }
    Row& r = m_rows[*row];
    r.taken = !r.taken;
    r.cells[0] = r.taken ? msg::kImportTakenStatus : statement::statusLabel(r.status);
    showRows();
    m_ui.chooseRow(ListImport, *row);
    rowChosen();
}

void JournalImport::checkFees() {
    const bool feesIncluded = m_ui.isChecked(ChkFeesIncluded);
    const bool fundMinimum = m_ui.isChecked(ChkFundMinimum);
    // The rate is judged first, so that the message names the field at fault.
    if (!statement::agreementFromText(m_ui.text(TextAgreedRate), "0", false, false)) {
        ShowInputError(m_ui, TextAgreedRate, msg::kCommissionRateInvalid);
        return;
    }
    const auto agreement = statement::agreementFromText(
        m_ui.text(TextAgreedRate), m_ui.text(TextAgreedMinimum), feesIncluded, fundMinimum);
    if (!agreement) {
        ShowInputError(m_ui, TextAgreedMinimum, msg::kMinCommissionInvalid);
        return;
    }
    std::vector<statement::TradeToCheck> trades;
    std::vector<std::size_t> rowOfTrade;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].checkable) {
            trades.push_back({m_rows[i].entry, m_rows[i].orderId});
            rowOfTrade.push_back(i);
        }
    }
    const statement::FeeCheckResult result = statement::checkFees(*agreement, trades);
    for (std::size_t t = 0; t < result.trades.size(); ++t) {
        WindowModel::Cells& cells = m_rows[rowOfTrade[t]].cells;
        cells[kRateCell] = result.trades[t].rateText();
        cells[kOverChargedCell] = result.trades[t].overChargedText();
    }
    const auto chosen = chosenRow();
    showRows();
    m_ui.chooseRow(ListImport, chosen);
    rowChosen();
    m_ui.setText(TextOverCharged, result.summary());
}

void JournalImport::ok() {
    // Rows not yet read from what the file box says are read first.
    if (m_readFrom.empty() || m_readFrom != m_ui.text(TextImportFile)) {
        if (!read()) {
            return;
        }
    }
    std::vector<journal::Entry> entries;
    for (const Row& row : m_rows) {
        if (row.status == RowStatus::New || (row.status == RowStatus::Unbalanced && row.taken)) {
            entries.push_back(row.entry);
        }
    }
    journal::Store* store = m_journal.readyStore();
    if (store == nullptr) {
        return;
    }
    if (!entries.empty() && !store->addAll(entries)) {
        m_ui.showMessage(msg::kJournalWriteFailed);
        return;
    }
    m_ui.hide(FormId::FormImport);
    m_journal.refreshLists();
}

void JournalImport::close() {
    m_ui.hide(FormId::FormImport);
}

}  // namespace zm
