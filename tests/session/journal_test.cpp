// The journal's flows through the session's one entry: trades recorded from the main window or
// typed into FormEntry, the lists they give, each refusal, T+1, undo, the export and the files
// the journal cannot use. One table: each row acts and states what the windows then show.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "journal/store.h"
#include "main_window_fixture.h"

namespace zm::test {
namespace {

using Cells = std::vector<std::string>;
using Typed = std::vector<std::pair<Ctl, std::string_view>>;

std::string readAll(const std::string& path) {
    std::ifstream in(pathOf(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class JournalFlow : public MainWindowTest {
public:
    using MainWindowTest::calculate;
    using MainWindowTest::dir;
    using MainWindowTest::journalPath;
    using MainWindowTest::session;
    using MainWindowTest::shown;
    using MainWindowTest::type;
    using MainWindowTest::ui;

    // Today's rules at a commission of 0.25‰ (minimum 5), Shanghai.
    void todaysRules() {
        session.handle(form1::mnuRulesCurrent, Gesture::Click);
        type(form1::Combo1, "0.25");
    }
    // A trade worked out in the main window, then recorded as 600000 on `date`.
    void record(bool buy, std::string_view price, std::string_view quantity, std::string_view date,
                std::string_view code = "600000") {
        session.handle(form1::Command4, Gesture::Click);
        type(buy ? form1::Text1 : form1::Text11, price);
        type(buy ? form1::Text2 : form1::Text12, quantity);
        calculate();
        session.handle(buy ? form1::mnuRecordBuy : form1::mnuRecordSell, Gesture::Click);
        ui.setText(formRecord::TextRecordCode, code);
        ui.setText(formRecord::TextRecordName, "浦发银行");
        ui.setText(formRecord::DateRecord, date);
        session.handle(formRecord::cmdOK, Gesture::Click);
    }
    // FormEntry from the journal window: the kind chosen, each field typed and confirmed by
    // Enter (which proposes a trade's fees), the last one only typed, then 确定.
    void typeEntry(std::string_view kind, const Typed& typed) {
        openJournal();
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
    void typeTrade(std::string_view kind, std::string_view date, std::string_view quantity,
                   std::string_view price, std::string_view code = "600000") {
        typeEntry(kind, {{formEntry::TextEntryCode, code},
                         {formEntry::TextEntryName, "浦发银行"},
                         {formEntry::DateEntry, date},
                         {formEntry::TextEntryQty, quantity},
                         {formEntry::TextEntryPrice, price}});
    }
    void openJournal() { session.handle(form1::mnuJournalOpen, Gesture::Click); }
    void chooseEntry(std::size_t row) {
        ui.chooseRow(formJournal::ListEntries, row);
        session.handle(formJournal::ListEntries, Gesture::Choose);
    }
    // The worked example: two purchases and a sale of 600000, then 10派3 on the 300 left.
    void workedExample(bool typed) {
        todaysRules();
        if (typed) {
            typeTrade("买入", "2024-03-01", "1000", "10.00");
            typeTrade("买入", "2024-03-05", "500", "9.00");
            typeTrade("卖出", "2024-03-20", "1200", "10.50");
        } else {
            record(true, "10.00", "1000", "2024-03-01");
            record(true, "9.00", "500", "2024-03-05");
            record(false, "10.50", "1200", "2024-03-20");
        }
        typeEntry("现金分红", {{formEntry::TextEntryCode, "600000"},
                               {formEntry::DateEntry, "2024-06-14"},
                               {formEntry::TextEntryPerTen, "3"}});
    }
    void exportTo(const std::string& folder) {
        session.handle(form1::mnuJournalExport, Gesture::Click);
        ui.setText(formExport::TextExportFolder, folder);
        session.handle(formExport::cmdOK, Gesture::Click);
    }
    // A journal file written by a later version, or one that is no database at all.
    void newerJournal() {
        {
            journal::Store store;
            ASSERT_EQ(store.open(journalPath).status, journal::OpenStatus::Ok);
        }
        std::string bytes = readAll(journalPath);
        bytes[63] = static_cast<char>(journal::currentSchemaVersion() + 1);  // user_version
        std::ofstream(pathOf(journalPath), std::ios::binary) << bytes;
    }
    void damagedJournal() {
        std::filesystem::create_directories(pathOf(journalPath).parent_path());
        std::ofstream(pathOf(journalPath), std::ios::binary) << std::string(5000, 'x');
    }
    const std::vector<Cells>& rows(Ctl table) { return ui.at(table).rows; }
};

struct JournalRow {
    const char* name;
    std::function<void(JournalFlow&)> act;
    std::vector<std::string> messages;  // exactly these, in order
    // Exactly these questions, in order; none: the row's check looks at them.
    std::optional<std::vector<std::string>> questions;
    // 流水 rows after it, in the journal window opened then; none: not opened.
    std::optional<std::size_t> entries;
    // Cells of the first 持仓 row by column: 代码, 名称, 股数, 持仓成本价, 摊薄成本价, 已实现盈亏,
    // 已收分红 (columns 0, 1, 2, 3, 4, 8, 9); none to skip.
    Cells holding = {};
    std::optional<Ctl> refusedOn = {};  // a refusal: the field focused, its text selected
    std::function<void(JournalFlow&)> check = {};
};

const std::string kDelete(msg::kJournalDeleteQuestion);
const std::string kSameDay(msg::kJournalSameDaySale);

const JournalRow kRows[] = {
    {"worked_example_recorded_from_the_main_window",
     [](JournalFlow& t) { t.workedExample(false); },
     {},
     {},
     4,
     {"600000", "浦发银行", "300", "9.673", "6.105", "980.45", "90.00"},
     {},
     [](JournalFlow& t) {
         const Cells& sale = t.rows(formJournal::ListEntries).at(2);
         EXPECT_EQ(Cells(sale.begin() + 6, sale.begin() + 12),
                   (Cells{"12,600.00", "5.00", "6.30", "0.13", "0.00", "12,588.57"}));
     }},
    {"worked_example_typed_with_its_fees_proposed",
     [](JournalFlow& t) { t.workedExample(true); },
     {},
     {},
     4,
     {"600000", "浦发银行", "300", "9.673", "6.105", "980.45", "90.00"},
     {},
     [](JournalFlow& t) {
         EXPECT_EQ(t.rows(formJournal::ListEntries).at(0).at(11), "-10,005.10");
         EXPECT_EQ(t.rows(formJournal::ListEntries).at(1).at(11), "-4,505.05");
         EXPECT_EQ(t.rows(formJournal::ListEntries).at(2).at(11), "12,588.57");
     }},
    {"worked_example_by_fifo_before_the_dividend",
     [](JournalFlow& t) {
         t.workedExample(true);
         t.chooseEntry(3);
         t.ui.yesNoAnswers = {true};
         t.session.handle(formJournal::cmdDelete, Gesture::Click);
         t.ui.setChecked(formJournal::OptCostFifo, true);
         t.session.handle(formJournal::OptCostFifo, Gesture::Choose);
     },
     {},
     Cells{kDelete},
     3,
     {"600000", "浦发银行", "300", "9.010", "6.405", "781.45", "0.00"}},
    {"year_summary_of_the_worked_example",
     [](JournalFlow& t) {
         t.workedExample(false);
         t.ui.setText(formJournal::TextYear, "2024");
         t.session.handle(formJournal::TextYear, Gesture::Enter);
     },
     {},
     {},
     4,
     {},
     {},
     [](JournalFlow& t) {
         EXPECT_EQ(t.ui.caption(formJournal::LabelYearRealised), "已实现盈亏：980.45");
         EXPECT_EQ(t.ui.caption(formJournal::LabelYearDividends), "已收分红：90.00");
     }},
    {"code_not_six_digits",
     [](JournalFlow& t) { t.typeTrade("买入", "2024-03-01", "100", "10", "60000"); },
     {std::string(msg::kJournalCodeInvalid)},
     {},
     0,
     {},
     formEntry::TextEntryCode},
    {"date_before_the_first_trading_day",
     [](JournalFlow& t) { t.typeTrade("买入", "1990-12-18", "100", "10"); },
     {std::string(msg::kJournalDateTooEarly)},
     {},
     0,
     {},
     formEntry::DateEntry},
    {"date_after_today",
     [](JournalFlow& t) { t.typeTrade("买入", "2999-01-04", "100", "10"); },
     {std::string(msg::kJournalDateFuture)},
     {},
     0,
     {},
     formEntry::DateEntry},
    {"quantity_not_whole_shares",
     [](JournalFlow& t) { t.typeTrade("买入", "2024-03-01", "100.5", "10"); },
     {std::string(msg::kJournalQtyWhole)},
     {},
     0,
     {},
     formEntry::TextEntryQty},
    {"negative_price",
     [](JournalFlow& t) { t.typeTrade("买入", "2024-03-01", "100", "-1"); },
     {std::string(msg::kJournalPriceNegative)},
     {},
     0,
     {},
     formEntry::TextEntryPrice},
    {"sale_of_more_than_is_held",
     [](JournalFlow& t) { t.typeTrade("卖出", "2024-03-01", "100", "10"); },
     {msg::journalSaleOverHeld(0)},
     {},
     0,
     {},
     formEntry::TextEntryQty},
    {"fee_that_is_not_money",
     [](JournalFlow& t) {
         t.typeEntry("其他费用",
                     {{formEntry::TextEntryCode, "600000"}, {formEntry::TextEntryTotal, "5.001"}});
     },
     {std::string(msg::kJournalTotalInvalid)},
     {},
     0,
     {},
     formEntry::TextEntryTotal},
    {"dividend_not_a_number",
     [](JournalFlow& t) {
         t.typeEntry("现金分红",
                     {{formEntry::TextEntryCode, "600000"}, {formEntry::TextEntryPerTen, "三元"}});
     },
     {std::string(msg::kJournalPerTenCashInvalid)},
     {},
     0,
     {},
     formEntry::TextEntryPerTen},
    {"same_day_sale_of_a_stock_refused_at_the_question",
     [](JournalFlow& t) {
         t.todaysRules();
         t.ui.yesNoAnswers = {false};
         t.record(true, "10.00", "1000", TradeDate::today().iso());
         t.record(false, "10.50", "500", TradeDate::today().iso());
     },
     {},
     Cells{kSameDay},
     1},
    {"same_day_sale_of_a_stock_recorded_when_agreed",
     [](JournalFlow& t) {
         t.todaysRules();
         t.ui.yesNoAnswers = {true};
         t.record(true, "10.00", "1000", TradeDate::today().iso());
         t.record(false, "10.50", "500", TradeDate::today().iso());
     },
     {},
     Cells{kSameDay},
     2,
     {"600000", "浦发银行", "500"}},
    {"same_day_sale_of_a_fund_asks_nothing",
     [](JournalFlow& t) {
         t.typeTrade("买入", TradeDate::today().iso(), "1000", "1.000", "510300");
         t.typeTrade("卖出", TradeDate::today().iso(), "1000", "1.010", "510300");
     },
     {},
     {},
     2},
    {"an_entry_changed_keeps_its_fees_and_the_price_typed_is_kept",
     [](JournalFlow& t) {
         t.todaysRules();
         t.typeTrade("买入", "2024-03-01", "1000", "10.00");
         t.chooseEntry(0);
         t.session.handle(formJournal::ListEntries, Gesture::Enter);
         t.ui.setText(formEntry::TextEntryQty, "2000");
         t.session.handle(formEntry::cmdOK, Gesture::Click);
         t.ui.chooseRow(formJournal::ListHoldings, 0);
         t.session.handle(formJournal::ListHoldings, Gesture::Choose);
         t.ui.setText(formJournal::TextCurrentPrice, "11");
         t.session.handle(formJournal::TextCurrentPrice, Gesture::Enter);
     },
     {},
     Cells{},
     1,
     {"600000", "浦发银行", "2,000", "10.003"},
     {},
     [](JournalFlow& t) {
         EXPECT_EQ(t.rows(formJournal::ListEntries).at(0).at(11), "-20,005.10");
         EXPECT_EQ(t.shown(formJournal::TextCurrentPrice), "11.00");
         EXPECT_EQ(t.rows(formJournal::ListHoldings).at(0).at(6), "11.000");
     }},
    {"undo_takes_back_the_last_change",
     [](JournalFlow& t) {
         t.workedExample(false);
         t.session.handle(formJournal::cmdUndo, Gesture::Click);
     },
     {},
     {},
     3,
     {"600000", "浦发银行", "300", "9.673", "6.405", "980.45", "0.00"}},
    {"delete_asks_first_and_no_keeps_the_entry",
     [](JournalFlow& t) {
         t.typeTrade("买入", "2024-03-01", "100", "10");
         t.chooseEntry(0);
         t.ui.yesNoAnswers = {false};
         t.session.handle(formJournal::cmdDelete, Gesture::Click);
     },
     {},
     Cells{kDelete},
     1},
    {"export_writes_both_files_and_replaces_only_when_agreed",
     [](JournalFlow& t) {
         t.workedExample(false);
         t.exportTo(t.dir.path());
         t.ui.yesNoAnswers = {false};
         t.exportTo(t.dir.path());
     },
     {},
     std::nullopt,
     4,
     {},
     {},
     [](JournalFlow& t) {
         const std::string entries = t.dir.file("流水.csv");
         // The question names the file with the system's separators.
         const std::u8string shown =
             std::filesystem::path(std::u8string(entries.begin(), entries.end()))
                 .make_preferred()
                 .u8string();
         EXPECT_EQ(t.ui.questions,
                   Cells{msg::exportReplaceQuestion(std::string(shown.begin(), shown.end()))});
         EXPECT_TRUE(t.ui.visible[FormId::FormExport]) << "refused replacement closes nothing";
         for (const std::string& file : {entries, t.dir.file("持仓.csv")}) {
             EXPECT_TRUE(readAll(file).starts_with("\xEF\xBB\xBF")) << file;
         }
         EXPECT_NE(readAll(t.dir.file("持仓.csv")).find("=\"600000\""), std::string::npos);
     }},
    {"newer_journal_refused_and_the_calculator_works_on",
     [](JournalFlow& t) {
         t.newerJournal();
         t.openJournal();
         t.type(form1::Text1, "10.00");
         t.type(form1::Text2, "1000");
         t.calculate();
     },
     {std::string(msg::kJournalNewerSchema)},
     Cells{},
     std::nullopt,
     {},
     {},
     [](JournalFlow& t) {
         EXPECT_FALSE(t.ui.isLoaded(FormId::FormJournal));
         EXPECT_EQ(t.shown(form1::Text3), "10,000.00");
         EXPECT_TRUE(t.ui.isEnabled(form1::mnuRecordBuy));
         EXPECT_FALSE(t.ui.isEnabled(form1::mnuRecordSell)) << "no sale on screen";
         t.session.handle(form1::Command4, Gesture::Click);
         EXPECT_FALSE(t.ui.isEnabled(form1::mnuRecordBuy)) << "cleared";
     }},
    {"damaged_journal_set_aside_for_a_new_one",
     [](JournalFlow& t) {
         t.damagedJournal();
         t.ui.yesNoAnswers = {true};
         t.openJournal();
     },
     {},
     Cells{std::string(msg::kJournalDamagedQuestion)},
     0,
     {},
     {},
     [](JournalFlow& t) {
         std::vector<std::string> aside;
         for (const auto& file :
              std::filesystem::directory_iterator(pathOf(t.journalPath).parent_path())) {
             const std::u8string name = file.path().filename().u8string();
             if (name.starts_with(u8"journal.sqlite.damaged-")) {
                 aside.push_back(
                     readAll(t.journalPath + std::string(name.begin() + 14, name.end())));
             }
         }
         EXPECT_EQ(aside, Cells{std::string(5000, 'x')}) << "the damaged file kept whole";
     }},
};

class JournalFlowTable : public JournalFlow, public ::testing::WithParamInterface<JournalRow> {};

TEST_P(JournalFlowTable, does_what_the_row_says) {
    const JournalRow& row = GetParam();
    row.act(*this);
    if (row.refusedOn) {
        EXPECT_TRUE(ui.hasFocus(*row.refusedOn)) << "focus is elsewhere";
        EXPECT_TRUE(ui.isWholeTextSelected(*row.refusedOn)) << "text not selected";
    }
    if (row.entries) {
        openJournal();
        EXPECT_EQ(rows(formJournal::ListEntries).size(), *row.entries);
    }
    EXPECT_EQ(ui.messages, row.messages);
    if (row.questions) {
        EXPECT_EQ(ui.questions, *row.questions);
    }
    if (!row.holding.empty()) {
        ASSERT_FALSE(rows(formJournal::ListHoldings).empty());
        const Cells& held = rows(formJournal::ListHoldings).front();
        constexpr std::size_t kColumns[] = {0, 1, 2, 3, 4, 8, 9};
        for (std::size_t i = 0; i < row.holding.size(); ++i) {
            EXPECT_EQ(held.at(kColumns[i]), row.holding[i]) << "column " << kColumns[i];
        }
    }
    if (row.check) {
        row.check(*this);
    }
}

INSTANTIATE_TEST_SUITE_P(Journal, JournalFlowTable, ::testing::ValuesIn(kRows), rowName);

}  // namespace
}  // namespace zm::test
