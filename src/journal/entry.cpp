#include "journal/entry.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace zm::journal {
namespace {

// In the order of EntryKind.
struct KindNames {
    std::string_view label;
    std::string_view key;
};

constexpr std::array<KindNames, 6> kKinds{{
    {"买入", "buy"},
    {"卖出", "sell"},
    {"现金分红", "dividend"},
    {"送转股", "bonus"},
    {"红利税", "dividend_tax"},
    {"其他费用", "other_fee"},
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
    const auto found = std::find_if(kKinds.begin(), kKinds.end(),
                                    [&](const KindNames& k) { return k.key == key; });
    return found == kKinds.end()
               ? std::nullopt
               : std::optional<EntryKind>(static_cast<EntryKind>(found - kKinds.begin()));
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
    return code.size() == 6 &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<Market> marketOfCode(std::string_view code) {
    if (!isStockCode(code)) {
        return std::nullopt;
    }
    const std::string_view two = code.substr(0, 2);
    if (two == "60" || two == "68" || two == "90") {
        return Market::ShanghaiA;
    }
    if (two == "00" || two == "30" || two == "20" || two == "92" || code[0] == '4' ||
        code[0] == '8') {
        return Market::ShenzhenA;
    }
    if (code[0] == '5' || code[0] == '1') {
        return Market::FundWarrant;
    }
    return std::nullopt;
}

bool isFundCode(std::string_view code) {
    return marketOfCode(code) == Market::FundWarrant;
}

}  // namespace zm::journal
