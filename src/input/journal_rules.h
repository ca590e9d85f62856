#pragma once

#include <string_view>

#include "fees/fee_rules.h"
#include "fees/money.h"
#include "input/verdict.h"

// The input rules of the journal's fields (FormRecord, FormEntry, FormJournal), each on the text
// typed there. Numbers are read as every field reads them (number_text.h); a refusal names the
// field. An accepted verdict rewrites the text in the field's format and stores its value.
namespace zm {

// 证券代码: six ASCII digits, kept as text (leading zeros matter); blanks at either end dropped.
// Stores nothing.
Verdict ruleJournalCode(std::string_view text);
// 日期: a date in one of the forms readDateText reads, from 1990-12-19 (the first trading day)
// to `today`. Rewritten "2024-01-31"; stores nothing.
Verdict ruleJournalDate(std::string_view text, TradeDate today);
// 数量: a whole number of shares from 1 to 2,147,483,647. Rewritten "1,000".
Verdict ruleJournalQuantity(std::string_view text);
// 价格 and 现价: yuan per share, 0 or more, at most three decimals. Rewritten "10.00" (or with
// its third decimal, "9.675").
Verdict ruleJournalPrice(std::string_view text);
// The four fees of a trade and the 金额 of a dividend, a tax or a fee: money, 0 or more, at most
// two decimals; an empty field is 0.00. Rewritten "5.00".
enum class JournalMoneyField { Commission, StampDuty, TransferFee, OtherFees, Total };
Verdict ruleJournalMoney(std::string_view text, JournalMoneyField field);
// 每10股派现 (yuan) and 每10股送转 (shares): 0 or more, at most four decimals. Rewritten without
// trailing zeros ("3", "2.5").
enum class PerTenField { Cash, Bonus };
Verdict ruleJournalPerTen(std::string_view text, PerTenField field);
// 年度: a year from 1990 to 9999. Rewritten as four digits; stores the year as whole yuan.
Verdict ruleJournalYear(std::string_view text);

}  // namespace zm
