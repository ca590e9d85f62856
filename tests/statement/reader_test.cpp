#include "statement/reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "journal/csv.h"
#include "journal/store.h"
#include "statement/messages.h"
#include "support/temp_dir.h"

namespace zm::statement {
namespace {

std::string sampleBytes(const std::string& name) {
    std::ifstream in(std::string(ZM_STATEMENT_SAMPLES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string money(Money m) {
    return journal::CsvCell::money(m).text;
}

// The fields of a row the table below checks, as text.
using Field = std::string (*)(const StatementRow&);
const std::map<std::string_view, Field> kFields{
    {"code", [](const StatementRow& r) { return r.entry.code; }},
    {"name", [](const StatementRow& r) { return r.entry.name; }},
    {"kind", [](const StatementRow& r) { return std::string(journal::kindLabel(r.entry.kind)); }},
    {"quantity", [](const StatementRow& r) { return std::to_string(r.entry.quantity); }},
    {"price", [](const StatementRow& r) { return money(r.entry.price); }},
    {"amount", [](const StatementRow& r) { return money(r.entry.amount); }},
    {"commission", [](const StatementRow& r) { return money(r.entry.commission); }},
    {"stamp", [](const StatementRow& r) { return money(r.entry.stampDuty); }},
    {"transfer", [](const StatementRow& r) { return money(r.entry.transferFee); }},
    {"net", [](const StatementRow& r) { return r.netCash ? money(*r.netCash) : "none"; }},
    {"reason", [](const StatementRow& r) { return r.reason; }},
    {"time", [](const StatementRow& r) { return r.time; }},
    {"line",
     [](const StatementRow& r) {
         return std::to_string(r.line) + " " + std::to_string(r.entry.origin.row);
     }},
    {"key", [](const StatementRow& r) { return r.key(); }},
    {"order", [](const StatementRow& r) { return r.key().substr(r.key().rfind('#') + 1); }},
};

struct ChosenCell {
    std::size_t row;
    std::string_view what;
    std::string expected;
};

struct SampleCase {
    const char* file;
    std::string_view error;
    int added, known, skipped, unbalanced;
    std::vector<ChosenCell> cells;
};

const std::vector<SampleCase> kSamples{
    {"tab_gbk_quoted.txt",
     {},
     5,
     0,
     2,
     0,
     {{0, "reason", "不计入账本：银行转证券"},
      {1, "code", "000001"},
      {1, "time", "09:31:05"},
      {4, "time", ""},
      {1, "commission", "5.00"},
      {1, "transfer", "0.11"},
      {1, "line", "5 5"},
      {1, "key", "成交|2024-03-04|000001|501|1001"},
      {4, "kind", "现金分红"},
      {4, "amount", "820.00"},
      {5, "kind", "红利税"},
      {5, "amount", "82.00"},
      {6, "reason", "不计入账本：证券转银行"}}},
    // 手续费 is all the fees here: the commission is what is left of it.
    {"utf8_bom_signed.csv",
     {},
     3,
     0,
     0,
     0,
     {{0, "amount", "10200.00"},
      {0, "commission", "5.00"},
      {2, "quantity", "500"},
      {2, "kind", "卖出"},
      {2, "stamp", "2.70"},
      {2, "commission", "5.00"}}},
    {"gb18030_two_amounts.csv",
     {},
     2,
     0,
     0,
     0,
     {{0, "name", "䶮科技"}, {0, "net", "-10005.10"}, {1, "net", "10389.70"}}},
    {"overlap_first.txt", {}, 3, 0, 0, 0, {{2, "kind", "卖出"}, {2, "stamp", "9.50"}}},
    {"overlap_second.txt",
     {},
     3,
     0,
     1,
     0,
     {{2, "code", "510300"}, {2, "price", "3.60"}, {3, "reason", "不计入账本：银行转证券"}}},
    {"twin_fills.csv", {}, 3, 0, 0, 0, {{0, "order", "1"}, {1, "order", "2"}}},
    {"unbalanced.csv",
     {},
     1,
     0,
     0,
     2,
     {{1, "reason", "成交金额与费用合计 -3555.04，发生金额 -3565.04"},
      {2, "reason", "上一余额加发生金额 82522.69，资金余额 82600.00"}}},
    {"every_kind.csv",
     {},
     19,
     0,
     15,
     0,
     {{3, "kind", "买入"},
      {7, "kind", "卖出"},
      {12, "kind", "现金分红"},
      {12, "amount", "41.00"},
      {16, "kind", "红利税"},
      {17, "kind", "送转股"},
      {17, "quantity", "40"},
      {19, "reason", "不计入账本：银行转证券"},
      {33, "reason", "未知业务"}}},
    {"bad_rows.csv",
     {},
     1,
     0,
     8,
     0,
     {{0, "reason", "日期不对：2024-13-01"},
      {1, "reason", "日期不对：20240230"},
      {2, "reason", "证券代码不对：60000A"},
      {3, "reason", "单元格数与表头不符"},
      {4, "reason", "单元格数与表头不符"},
      {5, "reason", "单元格过长"},
      {6, "reason", "数字不对：12.3.4"},
      {7, "reason", "数字不对：abc"},
      {8, "line", "10 10"}}},
    {"cut_mid_line.txt",
     {},
     1,
     0,
     1,
     0,
     {{0, "name", "万科Ａ"}, {1, "reason", "单元格数与表头不符"}}},
    {"empty.csv", messages::kEmptyFile, 0, 0, 0, 0, {}},
    {"binary.csv", messages::kBinaryFile, 0, 0, 0, 0, {}},
    {"header_only.csv", messages::kNoRows, 0, 0, 0, 0, {}},
    {"no_header.csv", messages::kNoHeader, 0, 0, 0, 0, {}},
    {"neither_encoding.csv", messages::kUnknownEncoding, 0, 0, 0, 0, {}},
    {"spreadsheet.csv", messages::kSpreadsheetFile, 0, 0, 0, 0, {}},
    {"old_spreadsheet.txt", messages::kSpreadsheetFile, 0, 0, 0, 0, {}},
    {"web_page.xls", messages::kWebPageFile, 0, 0, 0, 0, {}},
};

// Each sample read on its own, then added to a journal and read again: the second reading adds
// nothing, and one undo takes the whole import back.
TEST(StatementReader, sample_files_read_as_expected_and_import_once) {
    for (const SampleCase& c : kSamples) {
        SCOPED_TRACE(c.file);
        const Statement s = readStatement(sampleBytes(c.file), c.file, {});
        EXPECT_EQ(s.error, c.error);
        EXPECT_EQ(s.count(RowStatus::New), c.added);
        EXPECT_EQ(s.count(RowStatus::Known), c.known);
        EXPECT_EQ(s.count(RowStatus::Skipped), c.skipped);
        EXPECT_EQ(s.count(RowStatus::Unbalanced), c.unbalanced);
        for (const ChosenCell& cell : c.cells) {
            ASSERT_LT(cell.row, s.rows.size());
            EXPECT_EQ(kFields.at(cell.what)(s.rows[cell.row]), cell.expected)
                << "row " << cell.row << " " << cell.what;
        }
        for (const StatementRow& row : s.rows) {
            EXPECT_EQ(row.entry.origin.file, c.file);
            EXPECT_EQ(row.reason.empty(),
                      row.status == RowStatus::New || row.status == RowStatus::Known);
        }
        if (!c.error.empty()) {
            continue;
        }
        test::TempDir dir;
        journal::Store store;
        ASSERT_EQ(store.open(dir.file("journal.sqlite")).status, journal::OpenStatus::Ok);
        const auto ids = store.addAll(s.newEntries());
        ASSERT_TRUE(ids);
        EXPECT_EQ(static_cast<int>(ids->size()), c.added);
        const Statement again = readStatement(sampleBytes(c.file), c.file, store.importKeys());
        EXPECT_EQ(again.count(RowStatus::New), 0);
        EXPECT_EQ(again.count(RowStatus::Known), c.added + c.known);
        EXPECT_EQ(store.addAll(s.newEntries()), std::vector<std::int64_t>{});
        ASSERT_TRUE(store.undo());
        EXPECT_TRUE(store.entries().empty());
    }
}

TEST(StatementReader, overlapping_files_imported_together_add_each_trade_once) {
    const std::vector<StatementFile> files{{"first", sampleBytes("overlap_first.txt")},
                                           {"second", sampleBytes("overlap_second.txt")}};
    const std::vector<Statement> both = readStatements(files, {});
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[1].count(RowStatus::New), 1);
    EXPECT_EQ(both[1].count(RowStatus::Known), 2);

    test::TempDir dir;
    journal::Store store;
    ASSERT_EQ(store.open(dir.file("journal.sqlite")).status, journal::OpenStatus::Ok);
    std::vector<journal::Entry> entries = both[0].newEntries();
    for (const journal::Entry& e : both[1].newEntries()) {
        entries.push_back(e);
    }
    // An entry the journal refuses takes the whole batch with it.
    std::vector<journal::Entry> refused = entries;
    refused.back().quantity = -1;
    EXPECT_EQ(store.addAll(refused), std::nullopt);
    EXPECT_TRUE(store.entries().empty());
    ASSERT_TRUE(store.addAll(entries));
    EXPECT_EQ(store.entries().size(), 4u);
    for (const Statement& s : readStatements(files, store.importKeys())) {
        EXPECT_EQ(s.count(RowStatus::New), 0);
    }
    // The import is one change, also after the journal was closed and opened again.
    store.close();
    ASSERT_EQ(store.open(dir.file("journal.sqlite")).status, journal::OpenStatus::Ok);
    EXPECT_EQ(store.importKeys().size(), 4u);
    ASSERT_TRUE(store.undo());
    EXPECT_TRUE(store.entries().empty());
    EXPECT_FALSE(store.canUndo());
}

}  // namespace
}  // namespace zm::statement
