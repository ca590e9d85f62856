#include "journal/journal_lists.h"

#include <gtest/gtest.h>

#include "fees/holding_tools.h"
#include "fees/number_text.h"
#include "view/cell_order.h"

namespace zm::journal {
namespace {

using Cells = std::vector<std::string>;

// Shanghai, today's rules, commission 0.25‰ at least 5.00.
const FeeRules kToday{RuleKind::Current, {}, 250, Money::fromYuan(5)};

// An entry of 浦发银行: a trade of `shares` at `fen` with the fees the rules charge it, or a
// dividend of `fen`.
Entry entry(std::int64_t id, TradeDate date, EntryKind kind, std::int64_t shares, int fen) {
    Entry e;
    e.id = id;
    e.date = date;
    e.code = "600000";
    e.name = "浦发银行";
    e.kind = kind;
    e.quantity = shares;
    e.amount = Money::fromFen(shares > 0 ? fen * shares : fen);
    if (shares > 0) {
        e.price = Money::fromFen(fen);
        const auto side = kind == EntryKind::Buy ? TradeSide::Buy : TradeSide::Sell;
        const auto fees =
            eraFees(kToday, Market::ShanghaiA, side, e.amount, Money::fromYuan(shares));
        e.commission = fees->commission;
        e.stampDuty = fees->stampDuty;
        e.transferFee = fees->transferFee;
    }
    return e;
}

// 1,000 @ 10.00, 500 @ 9.00, 1,200 sold @ 10.50, then 10派3 on the 300 left; at last 250 of
// them sold @ 100.00, which pays everything back.
std::vector<Entry> workedExample() {
    return {entry(1, {2024, 3, 1}, EntryKind::Buy, 1000, 1000),
            entry(2, {2024, 3, 5}, EntryKind::Buy, 500, 900),
            entry(3, {2024, 3, 20}, EntryKind::Sell, 1200, 1050),
            entry(4, {2024, 6, 14}, EntryKind::Dividend, 0, 9000),
            entry(5, {2024, 6, 20}, EntryKind::Sell, 250, 10000)};
}

ListSettings settings(ProfitMethod method, FeeRules rules = kToday) {
    ListSettings s;
    s.method = method;
    s.basis.rules = rules;
    s.today = {2024, 6, 20};
    s.currentPrice = [](const std::string&) { return Money::fromYuan(10); };
    return s;
}

struct HoldingCase {
    const char* after;
    std::size_t entries;  // the first this many of the worked example
    ProfitMethod method;
    Cells cells;
};

// 保本价 and 浮动盈亏 (at 10.00) worked by hand from the fees of selling the whole holding.
const HoldingCase kHoldings[] = {
    {"two_purchases",
     2,
     ProfitMethod::Average,
     {"600000", "浦发银行", "1,500", "9.673", "9.673", "9.690", "10.000", "477.20", "0.00", "0.00",
      "0.00"}},
    {"the_sale_average",
     3,
     ProfitMethod::Average,
     {"600000", "浦发银行", "300", "9.673", "6.405", "9.700", "10.000", "91.44", "980.45", "0.00",
      "0.00"}},
    {"the_sale_fifo",
     3,
     ProfitMethod::Fifo,
     {"600000", "浦发银行", "300", "9.010", "6.405", "9.040", "10.000", "290.44", "781.45", "0.00",
      "0.00"}},
    {"the_dividend",
     4,
     ProfitMethod::Average,
     {"600000", "浦发银行", "300", "9.673", "6.105", "9.700", "10.000", "91.44", "980.45", "90.00",
      "9.00"}},
    {"paid_back",
     5,
     ProfitMethod::Average,
     {"600000", "浦发银行", "50", "9.673", "-462.988（已回本）", "9.780", "10.000", "11.07",
      "23,543.09", "15.00", "1.50"}},
};

TEST(JournalLists, holdings_of_the_worked_example) {
    const auto all = workedExample();
    for (const auto& c : kHoldings) {
        const std::vector<Entry> some(all.begin(), all.begin() + static_cast<long>(c.entries));
        const auto rows = holdingListRows(positions(some), settings(c.method));
        ASSERT_EQ(rows.size(), 1u) << c.after;
        EXPECT_EQ(rows[0].code, "600000");
        EXPECT_EQ(rows[0].cells, c.cells) << c.after;
        EXPECT_EQ(rows[0].cells.size(), holdingListHeadings().size());
    }
    const std::vector<Entry> four(all.begin(), all.begin() + 4);
    const auto rows = holdingListRows(positions(four), settings(ProfitMethod::Average));
    EXPECT_EQ(csvText(holdingListCsv(rows)),
              "\xEF\xBB\xBF代码,名称,股数,持仓成本价,摊薄成本价,保本价,现价,浮动盈亏,已实现盈亏,"
              "已收分红,卖出应缴红利税\r\n=\"600000\",浦发银行,300,9.673,6.105,9.700,10.000,91.44,"
              "980.45,90.00,9.00\r\n");
}

// Under each rules in force the 保本价 shown is the lowest step whose sale nets the cost; a
// holding without a price leaves its 现价 and 浮动盈亏 empty, and one sold out has no row.
TEST(JournalLists, break_even_is_the_lowest_step_under_every_rules) {
    FeeRules own;
    FeeRules dated = kToday;
    dated.kind = RuleKind::OnDate;
    dated.date = {2010, 5, 4};
    auto entries = workedExample();
    entries.pop_back();
    for (const FeeRules& rules : {own, kToday, dated}) {
        auto s = settings(ProfitMethod::Average, rules);
        s.basis.commissionRate = 2.7;
        s.basis.stampDutyRate = 1;
        s.basis.market = Market::ShanghaiA;
        s.currentPrice = [](const std::string&) { return std::nullopt; };
        const auto held = positions(entries);
        const auto row = holdingListRows(held, s).at(0);
        EXPECT_EQ(row.cells[6], "");
        EXPECT_EQ(row.cells[7], "");
        const Money price = *numberTextToMoney(row.cells[5]);
        const Money step = Money::fromFen(1);
        const Money shares = Money::fromYuan(300);
        EXPECT_GE(sale(s.basis, price, shares)->net, held[0].averageCost);
        EXPECT_LT(sale(s.basis, price - step, shares)->net, held[0].averageCost);
    }
    entries.push_back(entry(6, {2024, 7, 1}, EntryKind::Sell, 300, 1000));
    EXPECT_TRUE(holdingListRows(positions(entries), settings(ProfitMethod::Fifo)).empty());
}

TEST(JournalLists, entries_show_cash_moved_and_what_each_sale_realised) {
    const auto all = workedExample();
    const std::vector<Cells> expected{
        {"2024-03-01", "600000", "浦发银行", "买入", "1,000", "10.000", "10,000.00", "5.00", "0.00",
         "0.10", "0.00", "-10,005.10", "", ""},
        {"2024-03-05", "600000", "浦发银行", "买入", "500", "9.000", "4,500.00", "5.00", "0.00",
         "0.05", "0.00", "-4,505.05", "", ""},
        {"2024-03-20", "600000", "浦发银行", "卖出", "1,200", "10.500", "12,600.00", "5.00", "6.30",
         "0.13", "0.00", "12,588.57", "781.45", "0.00"},
        {"2024-06-14", "600000", "浦发银行", "现金分红", "", "", "", "", "", "", "", "90.00", "",
         ""},
        {"2024-06-20", "600000", "浦发银行", "卖出", "250", "100.000", "25,000.00", "6.25", "12.50",
         "0.25", "0.00", "24,981.00", "22,728.47", "7.50"},
    };
    const auto rows = entryListRows(all, positions(all), ProfitMethod::Fifo);
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].id, all[i].id);
        EXPECT_EQ(rows[i].cells, expected[i]) << i;
        EXPECT_EQ(rows[i].cells.size(), entryListHeadings().size());
    }
    const auto csv = entryListCsv(rows);
    EXPECT_EQ(csvField(csv[1][11]), "-10005.10");
    EXPECT_EQ(csvField(csv[4][4]), "");
    const auto year =
        yearSummaryTexts(yearSummary(all, positions(all), 2024, ProfitMethod::Average));
    EXPECT_EQ(year, (Cells{"已实现盈亏：23,543.09", "佣金：21.25", "印花税：18.80", "过户费：0.53",
                           "其他费用：0.00", "已收分红：90.00", "红利税：7.50"}));
    EXPECT_EQ(yearSummary(all, positions(all), 2023, ProfitMethod::Fifo).commission, Money());
}

struct OrderCase {
    const char* a;
    const char* b;
    int order;
};

const OrderCase kOrders[] = {
    {"9.690", "10.000", -1},
    {"-10,005.10", "-4,505.05", -1},
    {"1,200", "300", 1},
    {"5.00", "5", 0},
    {"", "-1.00", 1},
    {"0.000（已回本）", "9.673", 1},
    {"", "已回本", 1},
    {"浦发银行", "1.00", 1},
    {"2024-03-20", "2024-10-01", -1},
    {"2024-03-20", "2024-03-20", 0},
    {"卖出", "买入", 1},
    {"", "浦发银行", 1},
};

// The lists' cells in the order every front end sorts a column by.
TEST(JournalLists, cells_sort_as_numbers_then_text_and_empty_last) {
    for (const auto& c : kOrders) {
        EXPECT_EQ(cell_order::before(c.a, c.b), c.order < 0) << c.a << " vs " << c.b;
        EXPECT_EQ(cell_order::before(c.b, c.a), c.order > 0) << c.b << " vs " << c.a;
    }
}

}  // namespace
}  // namespace zm::journal
