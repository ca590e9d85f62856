#pragma once

#include <string>
#include <string_view>
#include <vector>

// The bytes of a statement file as lines of cells: what kind of file it is, its encoding, its
// lines and the cells of a line. Nothing here knows what a column means.
namespace zm::statement {

// The file's text in UTF-8, or the message box text saying why it cannot be read: an empty
// file, a real spreadsheet (xlsx or xls), a web page, a binary file, or text that is neither
// UTF-8 nor GB18030. Judged by the bytes alone, never by the file's name.
struct DecodedText {
    std::string utf8;
    std::string_view error;  // empty when utf8 holds the text
};
DecodedText decodeStatement(std::string_view bytes);

// One line of the text, without its CR LF or LF; `number` counts from 1. A last line without an
// end is a line too.
struct TextLine {
    int number = 0;
    std::string_view text;
};
std::vector<TextLine> splitLines(std::string_view text);

// The separator a header line uses: a tab when it holds one (some .csv files are tab-separated),
// a comma otherwise.
char separatorOf(std::string_view headerLine);

// The cells of a line: RFC 4180 quotes taken off for a comma-separated line, the ="…" a trading
// client writes to keep leading zeros unwrapped, blanks (and the ideographic space) trimmed. The
// empty cell after a trailing separator is kept: the reader drops it when the header has none.
std::vector<std::string> splitCells(std::string_view line, char separator);

// Blanks, tabs and the ideographic space (U+3000) taken off both ends.
std::string_view trimCell(std::string_view cell);

}  // namespace zm::statement
