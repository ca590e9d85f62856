#include "statement/cell_values.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <numeric>

namespace zm::statement {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

std::optional<int> smallNumber(std::string_view digits) {
    if (!allDigits(digits) || digits.size() > 4) {
        return std::nullopt;
    }
    return std::accumulate(digits.begin(), digits.end(), 0,
                           [](int value, char c) { return value * 10 + (c - '0'); });
}

struct KindName {
    std::string_view text;
    // Read through the iterator classifyKind finds, which cppcheck does not follow.
    // cppcheck-suppress unusedStructMember
    journal::EntryKind kind;
};

constexpr std::array<KindName, 21> kEntryKinds{{
    {"证券买入", journal::EntryKind::Buy},
    {"买入", journal::EntryKind::Buy},
    {"买", journal::EntryKind::Buy},
    {"担保品买入", journal::EntryKind::Buy},
    {"证券卖出", journal::EntryKind::Sell},
    {"卖出", journal::EntryKind::Sell},
    {"卖", journal::EntryKind::Sell},
    {"担保品卖出", journal::EntryKind::Sell},
    {"红利入账", journal::EntryKind::Dividend},
    {"股息入账", journal::EntryKind::Dividend},
    {"股息入帐", journal::EntryKind::Dividend},
    {"红利发放", journal::EntryKind::Dividend},
    {"派息", journal::EntryKind::Dividend},
    {"股息红利税补缴", journal::EntryKind::DividendTax},
    {"股息红利差异扣税", journal::EntryKind::DividendTax},
    {"红利差异税扣税", journal::EntryKind::DividendTax},
    {"红利补税", journal::EntryKind::DividendTax},
    {"红股入账", journal::EntryKind::Bonus},
    {"送股入账", journal::EntryKind::Bonus},
    {"红股入帐", journal::EntryKind::Bonus},
    {"送股入帐", journal::EntryKind::Bonus},
}};

// Words of the kinds that move cash or shares but are no trade of the journal's: bank
// transfers, interest, subscriptions and allotments, repo and securities lending, designation
// and freezes.
constexpr std::array<std::string_view, 16> kSkippedWords{
    "银行转证券", "证券转银行", "银证转", "转账", "利息归本", "结息", "申购", "配号",
    "中签",       "配股",       "回购",   "融券", "指定交易", "冻结", "解冻", "撤指"};

}  // namespace

std::optional<TradeDate> parseStatementDate(std::string_view cell) {
    std::optional<int> year, month, day;
    if (cell.size() == 8 && allDigits(cell)) {
        year = smallNumber(cell.substr(0, 4));
        month = smallNumber(cell.substr(4, 2));
        day = smallNumber(cell.substr(6, 2));
    } else {
        const std::size_t first = cell.find_first_of("-/.");
        if (first != 4) {
            return std::nullopt;
        }
        const std::size_t second = cell.find(cell[first], first + 1);
        if (second == std::string_view::npos || second - first > 3 || cell.size() - second > 3) {
            return std::nullopt;
        }
        year = smallNumber(cell.substr(0, first));
        month = smallNumber(cell.substr(first + 1, second - first - 1));
        day = smallNumber(cell.substr(second + 1));
    }
    if (!year || !month || !day) {
        return std::nullopt;
    }
    const TradeDate date{*year, *month, *day};
    return date.isValid() ? std::optional<TradeDate>(date) : std::nullopt;
}

std::optional<std::string> parseStatementTime(std::string_view cell) {
    // A spreadsheet drops the leading zero of a morning hour: "93015", "9:30:15".
    std::string padded;
    if (cell.size() == 5 || cell.size() == 7) {
        padded = "0" + std::string(cell);
        cell = padded;
    }
    std::string digits;
    if (cell.size() == 8 && cell[2] == ':' && cell[5] == ':') {
        digits = std::string(cell.substr(0, 2)) + std::string(cell.substr(3, 2)) +
                 std::string(cell.substr(6, 2));
    } else if (cell.size() == 6 || cell.size() == 8) {
        digits = cell.substr(0, 6);
        if (!allDigits(cell)) {
            return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    const auto h = smallNumber(digits.substr(0, 2));
    const auto m = smallNumber(digits.substr(2, 2));
    const auto s = smallNumber(digits.substr(4, 2));
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) {
        return std::nullopt;
    }
    return digits.substr(0, 2) + ":" + digits.substr(2, 2) + ":" + digits.substr(4, 2);
}

std::optional<std::string> parseStatementCode(std::string_view cell) {
    if (!allDigits(cell) || cell.size() > 6) {
        return std::nullopt;
    }
    return std::string(6 - cell.size(), '0') + std::string(cell);
}

std::optional<Money> parseStatementMoney(std::string_view cell) {
    if (cell.empty() || cell == "-" || cell == "--") {
        return Money();
    }
    bool negative = false;
    if (cell.front() == '-' || cell.front() == '+') {
        negative = cell.front() == '-';
        cell.remove_prefix(1);
    }
    const std::size_t point = cell.find('.');
    std::string_view whole = cell.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : cell.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    if (whole.empty() || fraction.size() > 4 || !(fraction.empty() || allDigits(fraction))) {
        return std::nullopt;
    }
    // Thousands commas: groups of three after the first group.
    std::string digits;
    std::size_t group = 0;
    bool grouped = false;
    for (const char c : whole) {
        if (c == ',') {
            if (digits.empty() || (grouped && group != 3)) {
                return std::nullopt;
            }
            grouped = true;
            group = 0;
        } else if (isDigit(c)) {
            digits += c;
            ++group;
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty() || (grouped && group != 3) || digits.size() > 14) {
        return std::nullopt;
    }
    std::int64_t ticks =
        std::accumulate(digits.begin(), digits.end(), std::int64_t{0},
                        [](std::int64_t value, char c) { return value * 10 + (c - '0'); });
    for (std::size_t i = 0; i < 4; ++i) {
        ticks = ticks * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    }
    return Money::fromTicks(negative ? -ticks : ticks);
}

std::optional<std::int64_t> parseStatementQuantity(std::string_view cell) {
    const auto value = parseStatementMoney(cell);
    if (!value || value->ticks() % Money::kTicksPerYuan != 0) {
        return std::nullopt;
    }
    const std::int64_t shares = value->ticks() / Money::kTicksPerYuan;
    return shares < 0 ? -shares : shares;
}

KindReading classifyKind(std::string_view kindText) {
    const auto entry = std::find_if(kEntryKinds.begin(), kEntryKinds.end(),
                                    [&](const KindName& k) { return k.text == kindText; });
    if (entry != kEntryKinds.end()) {
        return {KindClass::Entry, entry->kind};
    }
    const bool skipped = std::any_of(
        kSkippedWords.begin(), kSkippedWords.end(),
        [&](std::string_view word) { return kindText.find(word) != std::string_view::npos; });
    return skipped ? KindReading{KindClass::Skipped, {}} : KindReading{};
}

}  // namespace zm::statement
