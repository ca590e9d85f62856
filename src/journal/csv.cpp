#include "journal/csv.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zm::journal {
namespace {

// A field that holds a separator, a quote or a line break is quoted, its quotes doubled.
std::string quoted(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

// Spreadsheets run a cell that starts with one of these as a formula.
bool looksLikeFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string::npos;
}

}  // namespace

CsvCell CsvCell::money(Money value) {
    const std::int64_t ticks = value.ticks();
    const std::uint64_t magnitude =
        ticks < 0 ? 0 - static_cast<std::uint64_t>(ticks) : static_cast<std::uint64_t>(ticks);
    std::string fraction = std::to_string(magnitude % Money::kTicksPerYuan + Money::kTicksPerYuan);
    fraction.erase(0, 1);
    while (fraction.size() > 2 && fraction.back() == '0') {
        fraction.pop_back();
    }
    return {Kind::Number, (ticks < 0 ? "-" : "") +
                              std::to_string(magnitude / Money::kTicksPerYuan) + "." + fraction};
}

std::string csvField(const CsvCell& cell) {
    switch (cell.kind) {
        case CsvCell::Kind::Number:
            return cell.text;
        case CsvCell::Kind::Code:
            // Written bare, as spreadsheets expect this form; six digits need no quoting.
            if (isStockCode(cell.text)) {
                return "=\"" + cell.text + "\"";
            }
            break;
        case CsvCell::Kind::Text:
            break;
    }
    return quoted(looksLikeFormula(cell.text) ? "'" + cell.text : cell.text);
}

std::string csvText(const std::vector<CsvRow>& rows) {
    std::string out = "\xEF\xBB\xBF";
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                out += ',';
            }
            out += csvField(row[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::vector<CsvRow> entryRows(const std::vector<Entry>& entries) {
    static constexpr std::array<const char*, 12> kHeadings{"日期",   "代码",   "名称",     "类别",
                                                           "数量",   "价格",   "金额",     "佣金",
                                                           "印花税", "过户费", "其他费用", "来源"};
    CsvRow heading(kHeadings.size());
    std::transform(kHeadings.begin(), kHeadings.end(), heading.begin(),
                   [](const char* title) { return CsvCell::plain(title); });
    std::vector<CsvRow> rows{heading};
    for (const auto& e : entries) {
        std::string source;
        switch (e.origin.source) {
            case EntrySource::Typed:
                source = "手工录入";
                break;
            case EntrySource::Recorded:
                source = "计算记录";
                break;
            case EntrySource::Imported:
                source = e.origin.file + " 第" + std::to_string(e.origin.row) + "行";
                break;
        }
        rows.push_back({CsvCell::plain(e.date.iso()), CsvCell::code(e.code), CsvCell::plain(e.name),
                        CsvCell::plain(std::string(kindLabel(e.kind))), CsvCell::whole(e.quantity),
                        CsvCell::money(e.price), CsvCell::money(e.amount),
                        CsvCell::money(e.commission), CsvCell::money(e.stampDuty),
                        CsvCell::money(e.transferFee), CsvCell::money(e.otherFees),
                        CsvCell::plain(source)});
    }
    return rows;
}

}  // namespace zm::journal
