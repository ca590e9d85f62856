#include "statement/columns.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace zm::statement {
namespace {

constexpr std::size_t kHeaderSearchLines = 50;

struct ColumnName {
    std::string_view name;
    Column column;
};

// For each meaning, its names in the order they are preferred when a file has more than one.
constexpr ColumnName kNames[] = {
    {"成交日期", Column::Date},
    {"交割日期", Column::Date},
    {"交收日期", Column::Date},
    {"发生日期", Column::Date},
    {"业务日期", Column::Date},
    {"日期", Column::Date},
    {"委托日期", Column::Date},
    {"成交时间", Column::Time},
    {"时间", Column::Time},
    {"委托时间", Column::Time},
    {"证券代码", Column::Code},
    {"股票代码", Column::Code},
    {"代码", Column::Code},
    {"证券名称", Column::Name},
    {"股票名称", Column::Name},
    {"名称", Column::Name},
    {"证券简称", Column::Name},
    {"操作", Column::Kind},
    {"买卖标志", Column::Kind},
    {"买卖方向", Column::Kind},
    {"买卖类别", Column::Kind},
    {"委托类别", Column::Kind},
    {"业务名称", Column::Kind},
    {"摘要", Column::Kind},
    {"备注", Column::Kind},
    {"交易类别", Column::Kind},
    {"方向", Column::Kind},
    {"成交数量", Column::Quantity},
    {"成交股数", Column::Quantity},
    {"发生数量", Column::Quantity},
    {"数量", Column::Quantity},
    {"成交价格", Column::Price},
    {"成交均价", Column::Price},
    {"成交价", Column::Price},
    {"均价", Column::Price},
    {"成交金额", Column::Amount},
    {"发生金额", Column::NetCash},
    {"清算金额", Column::NetCash},
    {"总发生金额", Column::NetCash},
    {"本次金额", Column::NetCash},
    {"手续费", Column::Handling},
    {"佣金", Column::Commission},
    {"净佣金", Column::Commission},
    {"交易佣金", Column::Commission},
    {"印花税", Column::StampDuty},
    {"过户费", Column::TransferFee},
    {"其他费", Column::OtherFee},
    {"其他费用", Column::OtherFee},
    {"其他杂费", Column::OtherFee},
    {"规费", Column::OtherFee},
    {"交易规费", Column::OtherFee},
    {"经手费", Column::OtherFee},
    {"证管费", Column::OtherFee},
    {"清算费", Column::OtherFee},
    {"结算费", Column::OtherFee},
    {"总费用", Column::TotalFees},
    {"成交编号", Column::TradeId},
    {"成交号", Column::TradeId},
    {"流水号", Column::TradeId},
    {"合同编号", Column::OrderId},
    {"合同号", Column::OrderId},
    {"委托编号", Column::OrderId},
    {"资金余额", Column::CashBalance},
    {"资金本次余额", Column::CashBalance},
    {"余额", Column::CashBalance},
    {"股份余额", Column::ShareBalance},
    {"剩余数量", Column::ShareBalance},
    {"股东代码", Column::Account},
    {"股东帐户", Column::Account},
    {"股东账户", Column::Account},
    {"交易市场", Column::Exchange},
};

// The place of a name in kNames: lower is preferred.
std::optional<std::size_t> rankOfName(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        if (kNames[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Column> columnOfName(std::string_view name) {
    const auto rank = rankOfName(name);
    return rank ? std::optional<Column>(kNames[*rank].column) : std::nullopt;
}

HeaderColumns mapHeader(const std::vector<std::string>& names) {
    HeaderColumns found;
    // A header ended by a tab (or comma) has an empty last cell that is no column.
    found.cellCount = names.size();
    while (found.cellCount > 0 && names[found.cellCount - 1].empty()) {
        --found.cellCount;
    }
    std::array<std::size_t, kColumnCount> bestRank{};
    bestRank.fill(std::size(kNames));
    for (std::size_t cell = 0; cell < names.size(); ++cell) {
        const auto rank = rankOfName(names[cell]);
        if (!rank) {
            continue;
        }
        bool seenBefore = false;
        for (std::size_t earlier = 0; earlier < cell; ++earlier) {
            seenBefore = seenBefore || names[earlier] == names[cell];
        }
        if (seenBefore) {
            continue;  // a second 发生金额 and the like: the first is the one meant
        }
        const Column column = kNames[*rank].column;
        if (column == Column::OtherFee) {
            found.otherFees.push_back(cell);
        }
        const auto index = static_cast<std::size_t>(column);
        if (*rank < bestRank[index]) {
            bestRank[index] = *rank;
            found.at[index] = cell;
        }
    }
    return found;
}

std::optional<FoundHeader> findHeader(const std::vector<TextLine>& lines) {
    const std::size_t limit = std::min(lines.size(), kHeaderSearchLines);
    for (std::size_t i = 0; i < limit; ++i) {
        const char separator = separatorOf(lines[i].text);
        HeaderColumns columns = mapHeader(splitCells(lines[i].text, separator));
        if (columns.has(Column::Date) && columns.has(Column::Code) && columns.has(Column::Kind)) {
            return FoundHeader{i, separator, std::move(columns)};
        }
    }
    return std::nullopt;
}

}  // namespace zm::statement
