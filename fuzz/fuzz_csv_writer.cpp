// Fuzz target: the journal's CSV writer read back by a strict RFC 4180 reader.
//
// The input is split into rows at 0x1E and into cells at 0x1F. A cell's first byte chooses its
// kind: 0 a text, 1 a code, 2 a Money figure and 3 a whole number (their value from the next
// eight bytes), anything else a text of the whole cell. The file must start with the byte-order
// mark, end every row with CR LF, and read back to the same cells: a text with the ' that
// defuses a formula before it, a six-digit code in its ="000001" form (the one field left
// unquoted though it holds quotes), a number as written and unquoted, a number text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fees/number_text.h"
#include "journal/csv.h"

namespace {

using zm::journal::CsvCell;
using zm::journal::CsvRow;

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "csv writer fault: %s: [%.*s]\n", what, static_cast<int>(text.size()),
                 text.data());
    std::abort();
}

struct Read {
    std::string value;
    bool quoted = false;
};

// The records of an RFC 4180 text: fields split by commas, records ended by CR LF (the last one
// too), a quoted field's quotes doubled. An unquoted field holds no comma, CR, LF or quote, but
// for the code form ="dddddd".
std::vector<std::vector<Read>> readCsv(std::string_view s) {
    std::vector<std::vector<Read>> records;
    std::vector<Read> record;
    std::size_t i = 0;
    while (i < s.size()) {
        Read field;
        if (s[i] == '"') {
            field.quoted = true;
            for (++i;; ++i) {
                if (i >= s.size()) {
                    fail("a quoted field runs to the end", s);
                }
                if (s[i] == '"') {
                    if (i + 1 < s.size() && s[i + 1] == '"') {
                        field.value += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.value += s[i];
            }
        } else {
            const std::size_t end = s.find_first_of(",\r\n", i);
            field.value = std::string(s.substr(i, end == std::string_view::npos ? end : end - i));
            i = end == std::string_view::npos ? s.size() : end;
            const bool codeForm = field.value.size() == 9 && field.value.rfind("=\"", 0) == 0 &&
                                  field.value.back() == '"' &&
                                  zm::journal::isStockCode(field.value.substr(2, 6));
            if (field.value.find('"') != std::string::npos && !codeForm) {
                fail("an unquoted field holds a quote", field.value);
            }
        }
        record.push_back(field);
        if (i < s.size() && s[i] == ',') {
            ++i;
            if (i == s.size()) {
                fail("the file ends after a comma", s);
            }
        } else if (s.substr(i, 2) == "\r\n") {
            i += 2;
            records.push_back(record);
            record.clear();
        } else {
            fail("a field is followed by neither a comma nor CR LF", s.substr(i));
        }
    }
    if (!record.empty()) {
        fail("the last row has no CR LF", s);
    }
    return records;
}

bool looksLikeFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

CsvCell cellOf(std::string_view bytes) {
    std::int64_t n = 0;
    const std::size_t tail = bytes.size() > 1 ? bytes.size() - 1 : 0;
    std::memcpy(&n, bytes.data() + (bytes.empty() ? 0 : 1), tail < 8 ? tail : 8);
    const char kind = bytes.empty() ? '\0' : bytes.front();
    const std::string rest(bytes.empty() ? bytes : bytes.substr(1));
    switch (kind) {
        case 0:
            return CsvCell::plain(rest);
        case 1:
            return CsvCell::code(rest);
        case 2:
            return CsvCell::money(zm::Money::fromTicks(n));
        case 3:
            return CsvCell::whole(n);
        default:
            return CsvCell::plain(std::string(bytes));
    }
}

void checkReadBack(const CsvCell& cell, const Read& read) {
    if (cell.kind == CsvCell::Kind::Number) {
        if (read.quoted || read.value != cell.text || !zm::IsNumberText(read.value)) {
            fail("a number does not read back as written", read.value);
        }
        return;
    }
    if (cell.kind == CsvCell::Kind::Code && zm::journal::isStockCode(cell.text)) {
        if (read.quoted || read.value != "=\"" + cell.text + "\"") {
            fail("a code is not in its =\"dddddd\" form", read.value);
        }
        return;
    }
    const std::string expected = (looksLikeFormula(cell.text) ? "'" : "") + cell.text;
    if (read.value != expected) {
        fail("a text does not read back to itself", read.value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<CsvRow> rows(1);
    for (std::size_t start = 0;;) {
        const std::size_t end = input.find_first_of("\x1E\x1F", start);
        rows.back().push_back(cellOf(input.substr(start, end - start)));
        if (end == std::string_view::npos) {
            break;
        }
        if (input[end] == '\x1E') {
            rows.emplace_back();
        }
        start = end + 1;
    }
    const std::string text = zm::journal::csvText(rows);
    if (text.rfind("\xEF\xBB\xBF", 0) != 0) {
        fail("no byte-order mark", text);
    }
    const auto records = readCsv(std::string_view(text).substr(3));
    if (records.size() != rows.size()) {
        fail("the rows do not read back one for one", text);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (records[r].size() != rows[r].size()) {
            fail("a row does not read back cell for cell", text);
        }
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            checkReadBack(rows[r][c], records[r][c]);
        }
    }
    return 0;
}
