#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fees/fee_rules.h"
#include "fees/money.h"
#include "journal/entry.h"

// The values of a statement's cells, read strictly: a cell that is not what its column holds
// gives nullopt, and the row is then skipped with the reason; nothing is guessed.
namespace zm::statement {

// "20240301", "2024-03-01", "2024/3/1" or "2024.03.01", a day the calendar has.
std::optional<TradeDate> parseStatementDate(std::string_view cell);
// "09:30:15", "093015" or eight digits (to the hundredth of a second), as "09:30:15"; a
// morning hour may have lost its leading zero.
std::optional<std::string> parseStatementTime(std::string_view cell);
// A stock code: digits only, with the leading zeros a spreadsheet took off put back.
std::optional<std::string> parseStatementCode(std::string_view cell);
// A decimal number with an optional sign and thousands commas, at most four decimals after
// trailing zeros are dropped; an empty cell, "-" and "--" are zero.
std::optional<Money> parseStatementMoney(std::string_view cell);
// A whole number of shares ("100", "-100", "100.00"); its size, since the kind says the way.
std::optional<std::int64_t> parseStatementQuantity(std::string_view cell);

// What a row's kind text makes of it.
enum class KindClass {
    Entry,    // a trade, a dividend, its tax or bonus shares: `entryKind` says which
    Skipped,  // a bank transfer, interest, a subscription, a repo, …: not kept in the journal
    Unknown,  // never guessed
};
struct KindReading {
    KindClass kindClass = KindClass::Unknown;
    journal::EntryKind entryKind = journal::EntryKind::Buy;
};
KindReading classifyKind(std::string_view kindText);

}  // namespace zm::statement
