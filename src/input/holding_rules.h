#pragma once

#include <string>
#include <string_view>

#include "fees/holding_tools.h"
#include "fees/money.h"
#include "input/verdict.h"

// The input rules of the fields of the tools for the shares an investor holds, each on the text
// typed there. A text is read as every field reads it (number_text.h: full-width digits, comma
// groups, an exponent), and must then hold its value exactly in the decimals the field allows:
// 9.125 is refused as a price in fen, not rounded. Tests run in order (number, minimum, maximum,
// decimals, then the field's own rule); the first that fails refuses with the message that names
// the field. An accepted verdict rewrites the text in the field's format and stores its value;
// a refused one stores nothing.
namespace zm {

// The four refusals of a number field, each naming the field.
struct FieldMessages {
    std::string_view notNumber;
    std::string_view min;
    std::string_view max;
    std::string_view decimals;
};

using Format = std::string (*)(Money);

// The common rule of a number field: a number from `min` to `max` held exactly with at most
// `decimals` decimals, rewritten by `format` and stored.
Verdict decimalRule(std::string_view text, int decimals, Money min, Money max,
                    const FieldMessages& m, Format format);

// 持有股数: a whole number of shares, 1 to 2,147,483,647. Rewritten "###,###".
Verdict ruleHeldShares(std::string_view text);
// 成本价 and 目标成本价: yuan per share above 0, at most three decimals, at most 21,474,836.47.
// Rewritten "##0.000".
Verdict ruleCostPerShare(std::string_view text);
Verdict ruleTargetCost(std::string_view text);

// The price fields: 买入价格, 卖出价格, and 收盘价 (the close of the limit and ex-rights tools).
enum class PriceField { Buy, Sell, Close };
// A price on `step` (one fen, or 0.001 yuan: priceStep, limitTick), at least one step, at most
// 21,474,836.47. Rewritten "##0.00", or "##0.000" on the step of 0.001.
Verdict ruleToolPrice(std::string_view text, PriceField field, Money step);
// 配股价: a price in fen as above.
Verdict ruleRightsPrice(std::string_view text);

// 可用资金: yuan, at least 0.01, at most two decimals, at most 100,000,000,000. Rewritten
// "###,##0.00".
Verdict ruleCash(std::string_view text);

// The figures per 10 shares of the ex-rights tool: 派现 (yuan), 送股 and 配股 (shares); at least
// 0, at most four decimals, at most 21,474,836.47. Rewritten without grouping or trailing zeros
// (16.5, 280.2423, 0).
enum class Per10Field { Cash, Bonus, Rights };
Verdict rulePer10(std::string_view text, Per10Field field);

// 补仓股数: a purchase the board allows (lotRule): 主板 and 创业板 multiples of 100, 科创板 at
// least 200, 北交所 at least 100; at most 2,147,483,600. Rewritten "###,###".
Verdict ruleAddShares(std::string_view text, Board board);
// 做T股数: a whole number of shares from 1 to `heldShares` (the sale comes out of the holding).
// Rewritten "###,###".
Verdict ruleSwingShares(std::string_view text, Money heldShares);

// 交易日期 of the limit tool: a date in one of the forms readDateText reads, from 2008-09-19 on.
// Rewritten "2026-07-06"; stores nothing (the caller parses the rewritten text).
Verdict ruleLimitDate(std::string_view text);

}  // namespace zm
