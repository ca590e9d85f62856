#include "settings/ini_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace zm::settings {
namespace {

// The two keys in GBK: 手续费 and 印花税.
const std::string kFee = "\xCA\xD6\xD0\xF8\xB7\xD1";
const std::string kDuty = "\xD3\xA1\xBB\xA8\xCB\xB0";
// GBK characters whose second byte is an ASCII character: 乚 ends in ']', 丄 in 'A', 乤 in 'a'.
const std::string kBracketChar = "\x81\x5D";
const std::string kUpperAChar = "\x81\x41";
const std::string kLowerAChar = "\x81\x61";

struct LookupRow {
    const char* name;
    std::string text;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

void PrintTo(const LookupRow& row, std::ostream* os) {
    *os << row.name;
}

class IniLookup : public ::testing::TestWithParam<LookupRow> {};

TEST_P(IniLookup, finds_the_value_as_the_classic_profile_functions_do) {
    const LookupRow& row = GetParam();
    const IniText ini(row.text);
    const auto value = ini.value(row.section, row.key);
    ASSERT_EQ(value.has_value(), row.expected.has_value());
    if (row.expected) {
        EXPECT_EQ(std::string(*value), *row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniLookup,
    ::testing::Values(
        LookupRow{"crlf", "[TIP]\r\n" + kFee + "=2.5\r\n" + kDuty + "=1\r\n", "TIP", kDuty, "1"},
        LookupRow{"lf", "[TIP]\n" + kFee + "=2.5\n" + kDuty + "=1\n", "TIP", kFee, "2.5"},
        LookupRow{"lone_cr", "[TIP]\r" + kFee + "=2.5\r" + kDuty + "=1\r", "TIP", kDuty, "1"},
        LookupRow{"no_line_end_at_file_end", "[TIP]\r\n" + kFee + "=2.5", "TIP", kFee, "2.5"},
        LookupRow{"blanks_around_everything", "  [ TIP ]  \r\n \t" + kFee + " \t= \t2.5 \t\r\n",
                  "TIP", kFee, "2.5"},
        LookupRow{"section_in_lower_case", "[tip]\r\n" + kFee + "=2.5\r\n", "TIP", kFee, "2.5"},
        LookupRow{"key_in_other_case", "[TIP]\r\nRate=2.5\r\n", "TIP", "rATE", "2.5"},
        LookupRow{"double_quotes_dropped", "[TIP]\r\n" + kFee + "=\" 2.5 \"\r\n", "TIP", kFee,
                  " 2.5 "},
        LookupRow{"single_quotes_dropped", "[TIP]\r\n" + kFee + "='2.5'\r\n", "TIP", kFee, "2.5"},
        LookupRow{"unmatched_quote_kept", "[TIP]\r\n" + kFee + "=\"2.5'\r\n", "TIP", kFee,
                  "\"2.5'"},
        LookupRow{"lone_quote_kept", "[TIP]\r\n" + kFee + "=\"\r\n", "TIP", kFee, "\""},
        LookupRow{"empty_value_is_found_empty", "[TIP]\r\n" + kFee + "=  \r\n", "TIP", kFee, ""},
        LookupRow{"value_keeps_later_equals_signs", "[TIP]\r\nk=a=b\r\n", "TIP", "k", "a=b"},
        LookupRow{"value_keeps_inner_zero_byte", "[TIP]\r\nk=2." + std::string(1, '\0') + "7\r\n",
                  "TIP", "k", "2." + std::string(1, '\0') + "7"},
        LookupRow{"key_without_equals_is_no_key", "[TIP]\r\n" + kFee + "\r\n", "TIP", kFee,
                  std::nullopt},
        LookupRow{"commented_key_is_no_key", "[TIP]\r\n;" + kFee + "=2.5\r\n", "TIP", kFee,
                  std::nullopt},
        LookupRow{"key_before_any_section", kFee + "=2.5\r\n[TIP]\r\n", "TIP", kFee, std::nullopt},
        LookupRow{"key_of_another_section", "[TIP]\r\n[Other]\r\n" + kFee + "=2.5\r\n", "TIP", kFee,
                  std::nullopt},
        LookupRow{"missing_section", "[Other]\r\n" + kFee + "=2.5\r\n", "TIP", kFee, std::nullopt},
        LookupRow{"first_key_of_a_name_wins", "[TIP]\r\nk=1\r\nK=2\r\n", "TIP", "k", "1"},
        LookupRow{"only_the_first_section_of_a_name_counts", "[TIP]\r\na=1\r\n[tip]\r\nk=2\r\n",
                  "TIP", "k", std::nullopt},
        LookupRow{"text_after_the_bracket_ignored", "[TIP] ; rates\r\nk=1\r\n", "TIP", "k", "1"},
        LookupRow{"name_runs_to_the_last_bracket", "[a]b]\r\nk=1\r\n", "a]b", "k", "1"},
        LookupRow{"bracket_never_closed_is_no_section", "[TIP\r\nk=1\r\n", "TIP", "k",
                  std::nullopt},
        LookupRow{"gbk_second_byte_bracket_is_no_bracket",
                  "[" + kBracketChar + "\r\nk=1\r\n[" + kBracketChar + "]\r\nk=2\r\n", kBracketChar,
                  "k", "2"},
        LookupRow{"gbk_second_byte_letters_not_folded", "[TIP]\r\n" + kUpperAChar + "=1\r\n", "TIP",
                  kLowerAChar, std::nullopt},
        LookupRow{"utf8_byte_order_mark_does_not_hide_the_first_section",
                  "\xEF\xBB\xBF[TIP]\r\n手续费=2.5\r\n", "TIP", "手续费", "2.5"},
        LookupRow{"byte_order_mark_only_at_the_start", "[Other]\r\n\xEF\xBB\xBF[TIP]\r\nk=1\r\n",
                  "TIP", "k", std::nullopt},
        LookupRow{"empty_text", "", "TIP", "k", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IniText, byte_order_mark_selects_utf8_and_its_absence_gbk) {
    EXPECT_EQ(IniText("\xEF\xBB\xBF[TIP]").codePage(), CodePage::Utf8);
    EXPECT_EQ(IniText("[TIP]").codePage(), CodePage::Gbk);
    EXPECT_EQ(IniText("\xEF\xBB[TIP]").codePage(), CodePage::Gbk);
}

struct EditRow {
    const char* name;
    std::string before;
    std::string key;
    std::string value;
    std::string after;
};

void PrintTo(const EditRow& row, std::ostream* os) {
    *os << row.name;
}

class IniEdit : public ::testing::TestWithParam<EditRow> {};

TEST_P(IniEdit, changes_only_the_key_line_and_keeps_every_other_byte) {
    const EditRow& row = GetParam();
    EXPECT_EQ(IniText(row.before).withValue("TIP", row.key, row.value), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IniEdit,
    ::testing::Values(
        EditRow{"empty_file_gets_section_and_key_with_crlf", "", kFee, "2.7",
                "[TIP]\r\n" + kFee + "=2.7\r\n"},
        EditRow{"value_replaced_in_place_keeping_the_spacing",
                "[TIP]\r\n  " + kFee + " = 2.5  \r\n" + kDuty + "=1\r\n", kFee, "2.7",
                "[TIP]\r\n  " + kFee + " = 2.7\r\n" + kDuty + "=1\r\n"},
        EditRow{"quoted_value_replaced_whole", "[TIP]\nk=\"2.5\"\n", "k", "2.7", "[TIP]\nk=2.7\n"},
        EditRow{"empty_value_filled", "[TIP]\r\nk=\r\n", "k", "3", "[TIP]\r\nk=3\r\n"},
        EditRow{"key_in_lower_case_section_and_other_case_kept", "[tip]\nK = 1\n", "k", "2",
                "[tip]\nK = 2\n"},
        EditRow{"missing_key_after_the_last_line_of_its_section",
                "; top\r\n[TIP]\r\n" + kFee + "=2.5\r\n\r\n[Other]\r\nx=1\r\n", kDuty, "3",
                "; top\r\n[TIP]\r\n" + kFee + "=2.5\r\n" + kDuty + "=3\r\n\r\n[Other]\r\nx=1\r\n"},
        EditRow{"missing_key_after_a_comment_inside_the_section", "[TIP]\n; mine\n\n\n[Other]\n",
                "k", "1", "[TIP]\n; mine\nk=1\n\n\n[Other]\n"},
        EditRow{"missing_key_in_an_empty_section", "[TIP]\r\n[Other]\r\n", "k", "1",
                "[TIP]\r\nk=1\r\n[Other]\r\n"},
        EditRow{"missing_section_appended_with_the_files_lf", "[Other]\nx=1\n", "k", "1",
                "[Other]\nx=1\n[TIP]\nk=1\n"},
        EditRow{"missing_section_after_a_last_line_without_end", "[Other]\r\nx=1", "k", "1",
                "[Other]\r\nx=1\r\n[TIP]\r\nk=1\r\n"},
        EditRow{"missing_key_after_a_last_line_without_end", "[TIP]\nx=1", "k", "1",
                "[TIP]\nx=1\nk=1\n"},
        EditRow{"header_without_end_gets_one", "[TIP]", "k", "1", "[TIP]\r\nk=1\r\n"},
        EditRow{"lone_cr_file_keeps_cr", "[TIP]\rx=1\r", "k", "1", "[TIP]\rx=1\rk=1\r"},
        EditRow{"first_line_end_decides", "[A]\r\nx=1\ny=2\n", "k", "1",
                "[A]\r\nx=1\ny=2\n[TIP]\r\nk=1\r\n"},
        EditRow{"only_the_first_section_of_a_name_is_written", "[TIP]\na=1\n[TIP]\nk=9\n", "k", "1",
                "[TIP]\na=1\nk=1\n[TIP]\nk=9\n"},
        EditRow{"byte_order_mark_kept", "\xEF\xBB\xBF[TIP]\r\nk=1\r\n", "k", "2",
                "\xEF\xBB\xBF[TIP]\r\nk=2\r\n"},
        EditRow{"byte_order_mark_alone_needs_no_line_end", "\xEF\xBB\xBF", "k", "2",
                "\xEF\xBB\xBF[TIP]\r\nk=2\r\n"},
        EditRow{"garbage_kept_and_section_appended", std::string("\xFF\xFE\x00\x81=\x01[", 7), "k",
                "1", std::string("\xFF\xFE\x00\x81=\x01[", 7) + "\r\n[TIP]\r\nk=1\r\n"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IniText, edit_of_a_ten_megabyte_line_keeps_it_and_finds_the_key_after_it) {
    const std::string longLine(10 * 1024 * 1024, 'x');
    const std::string before = "[TIP]\n" + longLine + "\n" + kFee + "=2.5\n";
    const IniText ini(before);
    ASSERT_EQ(ini.value("TIP", kFee), std::optional<std::string_view>("2.5"));
    EXPECT_EQ(ini.withValue("TIP", kFee, "2.7"), "[TIP]\n" + longLine + "\n" + kFee + "=2.7\n");
    const std::string header = "[" + longLine + "]\n";
    EXPECT_EQ(IniText(header).withValue("TIP", "k", "1"), header + "[TIP]\nk=1\n");
}

TEST(IniText, blanks_are_trimmed_but_gbk_and_other_bytes_stay) {
    EXPECT_EQ(trimBlanks(" \t\v\f" + kFee + " \t"), kFee);
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks("\x01"
                         "a\x1A"),
              "\x01"
              "a\x1A");
}

}  // namespace
}  // namespace zm::settings
