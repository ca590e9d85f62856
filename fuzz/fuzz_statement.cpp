// Fuzz target: the broker's statement reader.
//
// The input is a statement file's bytes. Whatever they are, the reader either refuses the file
// with a message or gives rows; every row it would add has a six-digit code and a key of its
// own, every row it leaves out says why, every text it shows is valid UTF-8 (never mojibake from
// a wrong decoding), and reading the file again with the keys of the first reading's new rows
// adds nothing and keeps every other row as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "journal/entry.h"
#include "settings/code_page.h"
#include "statement/reader.h"

namespace {

using zm::statement::RowStatus;
using zm::statement::Statement;

[[noreturn]] void fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "statement reader fault: %s [%.*s]\n", what,
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

bool validUtf8(std::string_view text) {
    return zm::settings::toUtf8(zm::settings::CodePage::Utf8, text).has_value();
}

void checkRows(const Statement& s) {
    if (!s.error.empty() && !s.rows.empty()) {
        fail("a refused file gave rows", s.error);
    }
    if (s.error.empty() && s.rows.empty()) {
        fail("a file was read into no rows without a message");
    }
    int lastLine = 0;
    zm::statement::KeySet keys;
    for (const auto& row : s.rows) {
        if (row.line <= lastLine || row.entry.origin.row != row.line) {
            fail("rows out of the file's order", row.reason);
        }
        lastLine = row.line;
        if (!validUtf8(row.reason) || !validUtf8(row.entry.name) || !validUtf8(row.key())) {
            fail("a text of a row is not UTF-8", row.entry.name);
        }
        const bool kept = row.status == RowStatus::New || row.status == RowStatus::Known;
        if (kept != row.reason.empty()) {
            fail("a row's reason does not go with its status", row.reason);
        }
        if (row.status == RowStatus::New || row.status == RowStatus::Unbalanced) {
            if (!zm::journal::isStockCode(row.entry.code) || row.entry.quantity < 0 ||
                !row.entry.date.isValid() || row.key().empty()) {
                fail("a row to add is no valid entry", row.key());
            }
        }
        if (row.status == RowStatus::New && !keys.insert(row.key()).second) {
            fail("two rows to add share a key", row.key());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Statement first = zm::statement::readStatement(bytes, "交割单.txt", {});
    checkRows(first);
    zm::statement::KeySet known;
    for (const auto& row : first.rows) {
        if (row.status == RowStatus::New) {
            known.insert(row.key());
        }
    }
    const Statement again = zm::statement::readStatement(bytes, "交割单.txt", known);
    if (again.rows.size() != first.rows.size() || again.error != first.error) {
        fail("a second reading gave other rows");
    }
    for (std::size_t i = 0; i < first.rows.size(); ++i) {
        const RowStatus before = first.rows[i].status;
        const RowStatus expected = before == RowStatus::New ? RowStatus::Known : before;
        if (again.rows[i].status != expected) {
            fail("a second reading changed a row", first.rows[i].key());
        }
    }
    return 0;
}
