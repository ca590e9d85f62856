#pragma once

#include <optional>
#include <string_view>

#include "fees/fee_rules.h"
#include "input/verdict.h"

// The rules of the date fields, on the text typed there: the rules dialog's 成交日期 and the
// limit tool's 交易日期. The fields hold text; the calendar only writes a date into it.
namespace zm {

// The date of a typed text in one of the forms people write a date in: "2023-08-27",
// "2023/8/27", "2023.8.27" (a four-digit year, one or two digits for the month and the day, the
// same mark twice) or "20230827". Blanks at either end are ignored, full-width digits and marks
// read as ASCII. nullopt for any other text; a day the calendar does not have (2023-02-30) gives
// a TradeDate that is not valid, so that the caller can tell the two apart.
std::optional<TradeDate> readDateText(std::string_view text);

// The range of a date field, and the messages of its refusals, which name the field.
struct DateRule {
    TradeDate earliest;
    std::string_view notDate;    // no date in any of the forms
    std::string_view noSuchDay;  // a day the calendar does not have
    std::string_view tooEarly;   // before `earliest`
};

// A date from `earliest` on, rewritten "2023-08-27"; stores nothing (the caller reads the
// rewritten text with TradeDate::parse).
Verdict ruleDate(std::string_view text, const DateRule& field);

// 成交日期 of the rules dialog: a trade from 2008-09-19 on, the first day of the dated rules.
Verdict ruleTradeDate(std::string_view text);

}  // namespace zm
