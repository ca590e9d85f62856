#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fees/money.h"
#include "journal/entry.h"

// The journal's CSV export as spreadsheet programs read it: UTF-8 with a byte-order mark, rows
// ended by CR LF, fields quoted as RFC 4180 asks.
namespace zm::journal {

struct CsvCell {
    enum class Kind {
        Text,    // a text; one that a spreadsheet would take for a formula is defused with '
        Number,  // written as it is: digits, an optional sign and decimal point, no grouping
        Code,    // a stock code, written ="000001" so that its leading zeros stay (others: Text)
    };
    Kind kind = Kind::Text;
    std::string text;

    static CsvCell plain(std::string text) { return {Kind::Text, std::move(text)}; }
    static CsvCell code(std::string text) { return {Kind::Code, std::move(text)}; }
    static CsvCell whole(std::int64_t value) { return {Kind::Number, std::to_string(value)}; }
    // Money exactly: two decimals, or as many more as it has (12345.6789, -9.674, 100.00).
    static CsvCell money(Money value);
};

using CsvRow = std::vector<CsvCell>;

// One field as the file holds it, without the separator.
std::string csvField(const CsvCell& cell);
// The whole file: the byte-order mark, then each row's fields joined by commas and ended by CR LF.
std::string csvText(const std::vector<CsvRow>& rows);

// The journal's entries as a table: a heading row (日期, 代码, 名称, 类别, 数量, 价格, 金额, 佣金,
// 印花税, 过户费, 其他费用, 来源), then one row per entry; an imported entry's source names its
// file and row ("交割单.csv 第7行").
std::vector<CsvRow> entryRows(const std::vector<Entry>& entries);

}  // namespace zm::journal
