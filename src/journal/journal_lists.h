#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fees/money.h"
#include "fees/trade_fees.h"
#include "journal/csv.h"
#include "journal/entry.h"
#include "journal/holdings.h"

// The journal window's two lists, 持仓 (what is held) and 流水 (every entry), as the texts of
// their cells, and the summary of one year. No toolkit: both front ends show these rows as they
// are and sort them by the one cell order of view/cell_order.h.
namespace zm::journal {

// What the lists are worked out with besides the entries.
struct ListSettings {
    ProfitMethod method = ProfitMethod::Average;
    // The rules in force and the two list rates of the program's own rules; the market is each
    // code's own (marketOfCode), whatever basis.market says.
    FeeBasis basis;
    // The day a sale would be made on, for the dividend tax it would be charged.
    TradeDate today{};
    // The current price the user typed for a code; nullopt when none.
    std::function<std::optional<Money>(const std::string& code)> currentPrice;
};

// One row of 持仓, keyed by its code.
struct HoldingRow {
    std::string code;
    std::vector<std::string> cells;
};

// One row of 流水, keyed by its entry's id.
struct EntryRow {
    std::int64_t id = 0;
    std::vector<std::string> cells;
};

// 代码, 名称, 股数, 持仓成本价, 摊薄成本价, 保本价, 现价, 浮动盈亏, 已实现盈亏, 已收分红,
// 卖出应缴红利税.
const std::vector<std::string>& holdingListHeadings();
// 日期, 代码, 名称, 类别, 数量, 价格, 成交金额, 佣金, 印花税, 过户费, 其他费用, 发生金额,
// 实现盈亏, 红利税.
const std::vector<std::string>& entryListHeadings();

// Shown after a diluted cost per share of zero or less: the dividends and sales have brought
// back everything the holding cost.
inline constexpr std::string_view kPaidBackMark = "（已回本）";

// One row per position with shares held, in the order of `held`. 持仓成本价 and the cost that
// 保本价 and 浮动盈亏 are set against are the average cost or the lots' cost (FIFO) as
// settings.method says; 保本价 is the lowest price on the code's price step at which selling
// every share brings back that cost net of the sale's fees; 浮动盈亏 is what selling every share
// at 现价 would bring back less that cost (empty without a price); 已收分红 are the cash dividends
// the shares held received.
std::vector<HoldingRow> holdingListRows(const std::vector<Position>& held,
                                        const ListSettings& settings);

// One row per entry in the order given. 发生金额 is the cash the entry moved, negative when it
// left the account; a sale's 实现盈亏 (by `method`) and 红利税 come from `held`, the positions of
// these same entries.
std::vector<EntryRow> entryListRows(const std::vector<Entry>& entries,
                                    const std::vector<Position>& held, ProfitMethod method);

// What one calendar year brought: the profit its sales realised, the fees it paid by kind (an
// 其他费用 entry's amount counts as other fees), the cash dividends received and the dividend tax
// its sales were charged.
struct YearSummary {
    Money realised;
    Money commission;
    Money stampDuty;
    Money transferFee;
    Money otherFees;
    Money dividends;
    Money dividendTax;
};
YearSummary yearSummary(const std::vector<Entry>& entries, const std::vector<Position>& held,
                        int year, ProfitMethod method);
// The summary's label texts, one per figure: "已实现盈亏：980.45", "佣金：10.00", …
std::vector<std::string> yearSummaryTexts(const YearSummary& summary);

// A list as the CSV export writes it: the headings, then the rows' cells; a cell that reads as a
// number is written as a number without its grouping commas, the code in its code form, every
// other cell as a text.
std::vector<CsvRow> holdingListCsv(const std::vector<HoldingRow>& rows);
std::vector<CsvRow> entryListCsv(const std::vector<EntryRow>& rows);

}  // namespace zm::journal
