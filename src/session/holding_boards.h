#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "fees/fee_rules.h"
#include "fees/holding_tools.h"

// The boards the tools' lists offer, as they show them: the lot rules of a purchase (补仓,
// 可买股数) and the daily price limits (涨跌停价). The first entry is chosen when a list is made.
namespace zm {

template <class Value>
struct BoardEntry {
    std::string_view text;
    Value value;
};

inline constexpr std::array<BoardEntry<Board>, 4> kBoards = {{
    {"主板", Board::Main},
    {"创业板", Board::ChiNext},
    {"科创板", Board::Star},
    {"北交所", Board::Beijing},
}};

inline constexpr std::array<BoardEntry<LimitBoard>, 6> kLimitBoards = {{
    {"主板", LimitBoard::Main},
    {"主板ST", LimitBoard::MainST},
    {"创业板", LimitBoard::ChiNext},
    {"科创板", LimitBoard::Star},
    {"北交所", LimitBoard::Beijing},
    {"基金", LimitBoard::Fund},
}};

// The board a list shows; the first one for a text that is none (a list takes no other).
template <class Value, std::size_t N>
Value boardOf(const std::array<BoardEntry<Value>, N>& boards, std::string_view text) {
    const auto it = std::ranges::find(boards, text, &BoardEntry<Value>::text);
    return it != boards.end() ? it->value : boards.front().value;
}

}  // namespace zm
