#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "statement/statement_text.h"

// The columns of a statement, found by their header names, never by their position.
namespace zm::statement {

enum class Column {
    Date,
    Time,
    Code,
    Name,
    Kind,
    Quantity,
    Price,
    Amount,    // 成交金额
    NetCash,   // 发生金额: negative when cash leaves the account
    Handling,  // 手续费: the commission in some exports, all the fees in others
    Commission,
    StampDuty,
    TransferFee,
    OtherFee,   // every other fee column; their cells add up
    TotalFees,  // 总费用
    TradeId,    // 成交编号
    OrderId,    // 合同编号
    CashBalance,
    ShareBalance,
    Account,   // 股东代码
    Exchange,  // 交易市场
};
inline constexpr std::size_t kColumnCount = static_cast<std::size_t>(Column::Exchange) + 1;

// The meaning of a header name; nullopt for a name the reader does not use.
std::optional<Column> columnOfName(std::string_view name);

// Where each meaning is in a header: the cell index of the column chosen for it (the name
// listed first for that meaning wins, then the leftmost; a name seen twice counts once, at its
// first place), and every 其他费 column.
struct HeaderColumns {
    std::array<std::optional<std::size_t>, kColumnCount> at{};
    std::vector<std::size_t> otherFees;
    std::size_t cellCount = 0;

    std::optional<std::size_t> operator[](Column c) const {
        return at[static_cast<std::size_t>(c)];
    }
    bool has(Column c) const { return (*this)[c].has_value(); }
};
HeaderColumns mapHeader(const std::vector<std::string>& names);

// The header: the first of the first 50 lines that has a date, a code and a kind column.
struct FoundHeader {
    std::size_t lineIndex = 0;  // into the lines given
    char separator = ',';
    HeaderColumns columns;
};
std::optional<FoundHeader> findHeader(const std::vector<TextLine>& lines);

}  // namespace zm::statement
