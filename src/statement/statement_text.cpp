#include "statement/statement_text.h"

#include <algorithm>
#include <cstddef>

#include "settings/code_page.h"
#include "statement/messages.h"

namespace zm::statement {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
// How far into the file a web page's <html> or <table> is looked for.
constexpr std::size_t kWebPageProbe = 1024;

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool containsFolded(std::string_view text, std::string_view word) {
    const auto found = std::search(text.begin(), text.end(), word.begin(), word.end(),
                                   [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return found != text.end();
}

// A NUL byte, or more than one byte in ten a control character other than tab, CR and LF.
bool looksBinary(std::string_view bytes) {
    std::size_t controls = 0;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) {
            return true;
        }
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
            ++controls;
        }
    }
    return controls * 10 > bytes.size();
}

// Takes the ="…" off a cell: the form a trading client writes so that a spreadsheet keeps a
// code's leading zeros.
std::string_view unwrapFormula(std::string_view cell) {
    if (cell.size() >= 3 && cell.substr(0, 2) == "=\"" && cell.back() == '"') {
        return cell.substr(2, cell.size() - 3);
    }
    return cell;
}

}  // namespace

std::string_view trimCell(std::string_view cell) {
    for (;;) {
        if (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) {
            cell.remove_prefix(1);
        } else if (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) {
            cell.remove_suffix(1);
        } else if (startsWith(cell, kIdeographicSpace)) {
            cell.remove_prefix(kIdeographicSpace.size());
        } else if (cell.size() >= kIdeographicSpace.size() &&
                   cell.substr(cell.size() - kIdeographicSpace.size()) == kIdeographicSpace) {
            cell.remove_suffix(kIdeographicSpace.size());
        } else {
            return cell;
        }
    }
}

DecodedText decodeStatement(std::string_view bytes) {
    if (bytes.empty()) {
        return {{}, messages::kEmptyFile};
    }
    if (startsWith(bytes, "PK\x03\x04") || startsWith(bytes, "\xD0\xCF\x11\xE0")) {
        return {{}, messages::kSpreadsheetFile};
    }
    const std::string_view probe = bytes.substr(0, kWebPageProbe);
    if (containsFolded(probe, "<html") || containsFolded(probe, "<table")) {
        return {{}, messages::kWebPageFile};
    }
    if (looksBinary(bytes)) {
        return {{}, messages::kBinaryFile};
    }
    if (startsWith(bytes, kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
    }
    // A file cut short may end in part of a character: those bytes go with the rest of the
    // cut line, which the reader then finds short of cells.
    const std::size_t mostCut = bytes.back() == '\n' ? 0 : std::min<std::size_t>(3, bytes.size());
    for (std::size_t cut = 0; cut <= mostCut; ++cut) {
        const std::string_view whole = bytes.substr(0, bytes.size() - cut);
        if (auto utf8 = settings::toUtf8(settings::CodePage::Utf8, whole)) {
            return {std::move(*utf8), {}};
        }
        if (auto converted = settings::toUtf8(settings::CodePage::Gb18030, whole)) {
            return {std::move(*converted), {}};
        }
    }
    return {{}, messages::kUnknownEncoding};
}

std::vector<TextLine> splitLines(std::string_view text) {
    std::vector<TextLine> lines;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back({++number, line});
        pos = next;
    }
    return lines;
}

char separatorOf(std::string_view headerLine) {
    return headerLine.find('\t') != std::string_view::npos ? '\t' : ',';
}

std::vector<std::string> splitCells(std::string_view line, char separator) {
    std::vector<std::string> cells;
    std::size_t pos = 0;
    for (;;) {
        std::string cell;
        // Blanks before an opening quote do not make the quote part of the text.
        std::size_t start = pos;
        while (start < line.size() && line[start] == ' ') {
            ++start;
        }
        if (separator == ',' && start < line.size() && line[start] == '"') {
            // A quoted field: "" inside is one quote; whatever follows the closing quote up to
            // the separator is kept as it is.
            std::size_t i = start + 1;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cell += line[i++];
            }
            const std::size_t end = std::min(line.find(separator, i), line.size());
            cell.append(line.substr(i, end - i));
            pos = end;
        } else {
            const std::size_t end = std::min(line.find(separator, pos), line.size());
            cell.assign(line.substr(pos, end - pos));
            pos = end;
        }
        cells.emplace_back(unwrapFormula(trimCell(cell)));
        if (pos >= line.size()) {
            break;
        }
        ++pos;  // the separator
    }
    return cells;
}

}  // namespace zm::statement
