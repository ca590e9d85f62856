#include "journal/entry.h"

#include <array>
#include <cstddef>

namespace zm::journal {
namespace {

struct KindNames {
    EntryKind kind;
    std::string_view label;
    std::string_view key;
};

constexpr std::array<KindNames, 6> kKinds{{
    {EntryKind::Buy, "买入", "buy"},
    {EntryKind::Sell, "卖出", "sell"},
    {EntryKind::Dividend, "现金分红", "dividend"},
    {EntryKind::Bonus, "送转股", "bonus"},
    {EntryKind::DividendTax, "红利税", "dividend_tax"},
    {EntryKind::OtherFee, "其他费用", "other_fee"},
}};

constexpr std::array<std::string_view, 3> kSources{"typed", "recorded", "imported"};

}  // namespace

std::string_view kindLabel(EntryKind kind) {
    return kKinds[static_cast<std::size_t>(kind)].label;
}

std::string_view kindKey(EntryKind kind) {
    return kKinds[static_cast<std::size_t>(kind)].key;
}

std::optional<EntryKind> kindFromKey(std::string_view key) {
    for (const auto& k : kKinds) {
        if (k.key == key) {
            return k.kind;
        }
    }
    return std::nullopt;
}

std::string_view sourceKey(EntrySource source) {
    return kSources[static_cast<std::size_t>(source)];
}

std::optional<EntrySource> sourceFromKey(std::string_view key) {
    for (std::size_t i = 0; i < kSources.size(); ++i) {
        if (kSources[i] == key) {
            return static_cast<EntrySource>(i);
        }
    }
    return std::nullopt;
}

bool isStockCode(std::string_view code) {
    if (code.size() != 6) {
        return false;
    }
    for (const char c : code) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace zm::journal
