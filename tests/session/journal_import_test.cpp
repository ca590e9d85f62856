// Statements imported through the session's one entry, FormImport: what each sample file adds,
// a file refused or missing, importing again, 取消, 撤销, a 不平 row taken, and the fee check in
// FormImport and from FormJournal. One table: each row acts and states what the journal holds.
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "statement/messages.h"

namespace zm::test {
namespace {

using Cells = std::vector<std::string>;
namespace sm = statement::messages;

std::string sample(const char* file) {
    return std::string(ZM_STATEMENT_SAMPLES) + "/" + file;
}

// The two trades of the fee check: 500 Shenzhen shares bought at 9.79, and a fund sale of
// 2,798.40, each charged the minimum of 5.00.
constexpr const char* kTwoTrades =
    "成交日期,证券代码,证券名称,操作,成交数量,成交价格,成交金额,佣金,印花税,过户费,发生金额\n"
    "20210601,000001,平安银行,证券买入,500,9.79,4895.00,5.00,0.00,0.00,-4900.00\n"
    "20210601,159915,创业板ETF,证券卖出,1200,2.332,2798.40,5.00,0.00,0.00,2793.40\n";

class ImportFlow : public MainWindowTest {
public:
    using MainWindowTest::dir;
    using MainWindowTest::session;
    using MainWindowTest::ui;

    // FormImport from the menu, the files typed and read, then `button` (none: left open).
    void import(const std::string& files, std::optional<Ctl> button = formImport::cmdOK) {
        session.handle(form1::mnuJournalImport, Gesture::Click);
        ui.setText(formImport::TextImportFile, files);
        session.handle(formImport::cmdRead, Gesture::Click);
        if (button) {
            session.handle(*button, Gesture::Click);
        }
    }
    std::string twoTrades() {
        const std::string path = dir.path() + "/two.csv";
        std::ofstream(pathOf(path), std::ios::binary) << kTwoTrades;
        return path;
    }
    void agree(const char* rate, const char* minimum, bool feesIncluded) {
        ui.setText(formImport::TextAgreedRate, rate);
        ui.setText(formImport::TextAgreedMinimum, minimum);
        ui.setChecked(formImport::ChkFeesIncluded, feesIncluded);
        session.handle(formImport::cmdCheckFees, Gesture::Click);
    }
    // 状态, then 佣金率 and 多收 of a previewed row.
    Cells checked(std::size_t row) {
        const Cells& cells = ui.at(formImport::ListImport).rows.at(row);
        return {cells.at(0), cells.at(14), cells.at(15)};
    }
};

struct ImportRow {
    const char* name;
    std::function<void(ImportFlow&)> act;
    std::size_t entries;                // 流水 rows afterwards
    std::vector<std::string> messages;  // exactly these, in order
    std::optional<Ctl> refusedOn = {};  // a refusal: the field focused, its text selected
    std::function<void(ImportFlow&)> check = {};
};

// Each sample file imported on its own: the rows it adds, or the message refusing it.
ImportRow sampleRow(const char* file, std::size_t added, std::string_view refusal = {}) {
    std::vector<std::string> messages;
    if (!refusal.empty()) {
        messages.push_back(msg::importFileRefused(sample(file), refusal));
    }
    return {file, [file](ImportFlow& t) { t.import(sample(file)); }, added, messages};
}

const ImportRow kRows[] = {
    sampleRow("tab_gbk_quoted.txt", 5),
    sampleRow("utf8_bom_signed.csv", 3),
    sampleRow("gb18030_two_amounts.csv", 2),
    sampleRow("twin_fills.csv", 3),
    sampleRow("unbalanced.csv", 1),
    sampleRow("every_kind.csv", 19),
    sampleRow("bad_rows.csv", 1),
    sampleRow("cut_mid_line.txt", 1),
    sampleRow("empty.csv", 0, sm::kEmptyFile),
    sampleRow("binary.csv", 0, sm::kBinaryFile),
    sampleRow("header_only.csv", 0, sm::kNoRows),
    sampleRow("no_header.csv", 0, sm::kNoHeader),
    sampleRow("neither_encoding.csv", 0, sm::kUnknownEncoding),
    sampleRow("spreadsheet.csv", 0, sm::kSpreadsheetFile),
    sampleRow("web_page.xls", 0, sm::kWebPageFile),
    {"overlapping_files_together_add_each_trade_once",
     [](ImportFlow& t) {
         t.import(sample("overlap_first.txt") + " ; " + sample("overlap_second.txt"));
     },
     4,
     {}},
    {"imported_again_adds_nothing",
     [](ImportFlow& t) {
         t.import(sample("twin_fills.csv"));
         t.import(sample("twin_fills.csv"));
         for (std::size_t row = 0; row < 3; ++row) {
             EXPECT_EQ(t.checked(row).front(), "已有");
         }
     },
     3,
     {}},
    {"cancel_adds_nothing",
     [](ImportFlow& t) { t.import(sample("every_kind.csv"), formImport::cmdCancel); },
     0,
     {}},
    {"one_undo_takes_the_import_back",
     [](ImportFlow& t) {
         t.import(sample("every_kind.csv"));
         t.session.handle(form1::mnuJournalOpen, Gesture::Click);
         t.session.handle(formJournal::cmdUndo, Gesture::Click);
     },
     0,
     {}},
    {"an_unbalanced_row_taken_is_imported",
     [](ImportFlow& t) {
         t.import(sample("unbalanced.csv"), std::nullopt);
         t.ui.chooseRow(formImport::ListImport, 1);
         t.session.handle(formImport::ListImport, Gesture::Choose);
         t.session.handle(formImport::cmdTakeRow, Gesture::Click);
         EXPECT_EQ(t.checked(1).front(), msg::kImportTakenStatus);
         t.session.handle(formImport::cmdOK, Gesture::Click);
     },
     2,
     {}},
    {"a_file_that_is_not_there",
     [](ImportFlow& t) { t.import("no such file.csv", std::nullopt); },
     0,
     {msg::importCannotRead("no such file.csv")},
     formImport::TextImportFile},
    {"a_file_of_100_megabytes_is_refused_unread",
     [](ImportFlow& t) {
         const std::string big = t.dir.path() + "/big.txt";
         std::ofstream(pathOf(big), std::ios::binary) << kTwoTrades;
         std::filesystem::resize_file(pathOf(big), std::uintmax_t{100} * 1024 * 1024);
         t.import(big, std::nullopt);
         EXPECT_EQ(t.ui.messages, Cells{msg::importFileTooLarge(big, 100)});
         t.ui.messages.clear();
     },
     0,
     {},
     formImport::TextImportFile},
    {"fee_check_in_the_preview",
     [](ImportFlow& t) {
         t.import(t.twoTrades(), std::nullopt);
         t.agree("0.1", "5", true);
         EXPECT_EQ(t.checked(0), (Cells{"新增", "万10.21", ""}));
         t.agree("0.22", "5", false);
         EXPECT_EQ(t.checked(1), (Cells{"新增", "万17.87", "4.38"}));
         EXPECT_EQ(
             t.ui.text(formImport::TextOverCharged).rfind("核对2笔，其中1笔多收，共多收4.38元", 0),
             0U);
     },
     0,
     {}},
    {"fee_check_refuses_a_bad_rate",
     [](ImportFlow& t) {
         t.import(t.twoTrades(), std::nullopt);
         t.agree("abc", "5", false);
     },
     0,
     {std::string(msg::kCommissionRateInvalid)},
     formImport::TextAgreedRate},
    {"fee_check_refuses_a_bad_minimum",
     [](ImportFlow& t) {
         t.import(t.twoTrades(), std::nullopt);
         t.agree("0.1", "500", false);
     },
     0,
     {std::string(msg::kMinCommissionInvalid)},
     formImport::TextAgreedMinimum},
    {"fee_check_of_the_journal_year",
     [](ImportFlow& t) {
         t.import(t.twoTrades(), std::nullopt);
         t.agree("0.22", "5", false);
         t.session.handle(formImport::cmdOK, Gesture::Click);
         t.session.handle(form1::mnuJournalOpen, Gesture::Click);
         t.ui.setText(formJournal::TextYear, "2021");
         t.session.handle(formJournal::cmdCheckFees, Gesture::Click);
         EXPECT_FALSE(t.ui.isEnabled(formImport::cmdOK)) << "the check alone imports nothing";
         ASSERT_EQ(t.ui.at(formImport::ListImport).rows.size(), 2U);
         EXPECT_EQ(t.checked(1), (Cells{"", "万17.87", "4.38"}));
         t.ui.setText(formJournal::TextYear, "2022");
         t.session.handle(formJournal::cmdCheckFees, Gesture::Click);
         EXPECT_TRUE(t.ui.at(formImport::ListImport).rows.empty());
     },
     2,
     {}},
};

class ImportFlowTable : public ImportFlow, public ::testing::WithParamInterface<ImportRow> {};

TEST_P(ImportFlowTable, does_what_the_row_says) {
    const ImportRow& row = GetParam();
    row.act(*this);
    if (row.refusedOn) {
        EXPECT_TRUE(ui.hasFocus(*row.refusedOn)) << "focus is elsewhere";
        EXPECT_TRUE(ui.isWholeTextSelected(*row.refusedOn)) << "text not selected";
    }
    EXPECT_EQ(ui.messages, row.messages);
    session.handle(form1::mnuJournalOpen, Gesture::Click);
    EXPECT_EQ(ui.at(formJournal::ListEntries).rows.size(), row.entries);
}

std::string rowNameOf(const ::testing::TestParamInfo<ImportRow>& info) {
    std::string name = info.param.name;
    for (char& c : name) {
        c = (std::isalnum(static_cast<unsigned char>(c)) != 0) ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Import, ImportFlowTable, ::testing::ValuesIn(kRows), rowNameOf);

}  // namespace
}  // namespace zm::test
