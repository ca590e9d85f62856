// The date fields' rule on the text alone: the forms read, and each refusal with the message of
// the rules dialog's 成交日期 and of the limit tool's 交易日期.
#include "input/date_rules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "input/holding_rules.h"
#include "support/table_rows.h"
#include "view/messages.h"

namespace zm::test {
namespace {

struct Row {
    const char* name;
    const char* typed;
    const char* shown;  // accepted: the rewritten date; nullptr when refused
    std::string_view tradeMessage;
    std::string_view limitMessage;
    friend void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }
};

class DateRules : public ::testing::TestWithParam<Row> {};

TEST_P(DateRules, read_the_date_as_typed_or_name_the_field) {
    const Row& row = GetParam();
    const std::pair<Verdict, std::string_view> fields[] = {
        {ruleTradeDate(row.typed), row.tradeMessage}, {ruleLimitDate(row.typed), row.limitMessage}};
    for (const auto& [v, message] : fields) {
        EXPECT_EQ(v.accepted, row.shown != nullptr);
        EXPECT_EQ(v.message, message);
        EXPECT_EQ(v.shown, row.shown ? std::optional<std::string>(row.shown) : std::nullopt);
        EXPECT_EQ(v.stored, std::nullopt);
    }
}

using namespace msg;
const Row kRows[] = {
    {"iso", "2023-08-27", "2023-08-27", "", ""},
    {"iso_short_parts", "2019-3-5", "2019-03-05", "", ""},
    {"slashes", "2023/8/27", "2023-08-27", "", ""},
    {"dots", "2023.8.27", "2023-08-27", "", ""},
    {"eight_digits", "20230827", "2023-08-27", "", ""},
    {"blanks_around", " 2019-03-15 ", "2019-03-15", "", ""},
    {"full_width", "２０２６－０７－０６", "2026-07-06", "", ""},
    {"full_width_slashes", "２０２６／７／６", "2026-07-06", "", ""},
    {"leap_day", "2024/2/29", "2024-02-29", "", ""},
    {"first_day", "2008.9.19", "2008-09-19", "", ""},
    {"no_such_day", "2023-02-30", nullptr, kRulesDateInvalid, kLimitDateInvalid},
    {"no_leap_day", "20230229", nullptr, kRulesDateInvalid, kLimitDateInvalid},
    {"month_13", "2023/13/1", nullptr, kRulesDateInvalid, kLimitDateInvalid},
    {"too_early", "2008-09-18", nullptr, kRulesDateTooEarly, kLimitDateTooEarly},
    {"mixed_marks", "2023-8/27", nullptr, kRulesDateNotDate, kLimitDateNotDate},
    {"two_digit_year", "23-8-27", nullptr, kRulesDateNotDate, kLimitDateNotDate},
    {"seven_digits", "2023827", nullptr, kRulesDateNotDate, kLimitDateNotDate},
    {"three_digit_day", "2023-08-270", nullptr, kRulesDateNotDate, kLimitDateNotDate},
    {"words", "yesterday", nullptr, kRulesDateNotDate, kLimitDateNotDate},
    {"empty", "", nullptr, kRulesDateNotDate, kLimitDateNotDate},
};

INSTANTIATE_TEST_SUITE_P(Rows, DateRules, ::testing::ValuesIn(kRows), rowName);

}  // namespace
}  // namespace zm::test
