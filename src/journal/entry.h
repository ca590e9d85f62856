#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fees/fee_rules.h"
#include "fees/fee_schedule.h"
#include "fees/money.h"

// One line of the journal (账本): a trade or another event of the user's real account.
namespace zm::journal {

enum class EntryKind {
    Buy,          // 买入: quantity shares bought for amount, plus the fees
    Sell,         // 卖出: quantity shares sold for amount, less the fees
    Dividend,     // 现金分红: amount received in cash (as credited, after any tax withheld)
    Bonus,        // 送转股: quantity shares received at no cost
    DividendTax,  // 红利税: amount charged afterwards on dividends of the code
    OtherFee,     // 其他费用: amount charged, not tied to a trade
};

// The label the user sees: "买入", "卖出", "现金分红", "送转股", "红利税", "其他费用".
std::string_view kindLabel(EntryKind kind);
// The word the journal file keeps ("buy", "sell", "dividend", "bonus", "dividend_tax",
// "other_fee"), and back.
std::string_view kindKey(EntryKind kind);
std::optional<EntryKind> kindFromKey(std::string_view key);

// Where an entry came from: typed into the journal, recorded from a calculation of the
// program, or read from a broker's statement (the file and its row).
enum class EntrySource { Typed, Recorded, Imported };
std::string_view sourceKey(EntrySource source);  // "typed", "recorded", "imported"
std::optional<EntrySource> sourceFromKey(std::string_view key);

struct EntryOrigin {
    EntrySource source = EntrySource::Typed;
    std::string file;  // Imported only
    int row = 0;       // Imported only: the statement's row, from 1
    // Imported only: the row's identity in its statement, by which a later import of the same
    // statement (or of one overlapping it) finds the entry already in the journal.
    std::string key = {};
    friend bool operator==(const EntryOrigin&, const EntryOrigin&) = default;
};

// Every figure is Money, exact in ten-thousandths of a yuan; the quantity is whole shares.
struct Entry {
    std::int64_t id = 0;  // the journal's key; 0 for an entry not yet stored
    TradeDate date{};
    std::string code;  // six digits
    std::string name;
    EntryKind kind = EntryKind::Buy;
    std::int64_t quantity = 0;
    Money price;
    Money amount;
    Money commission;
    Money stampDuty;
    Money transferFee;
    Money otherFees;
    EntryOrigin origin;

    // Commission, stamp duty, transfer fee and other fees together.
    Money fees() const { return commission + stampDuty + transferFee + otherFees; }
    friend bool operator==(const Entry&, const Entry&) = default;
};

// Six ASCII digits: "600000", "000001".
bool isStockCode(std::string_view code);

// Where a code trades, which sets its fees: 60, 68 and 90 Shanghai; 00, 30 and 20 Shenzhen;
// 4 and 8 (and 92) Beijing, charged as Shenzhen is; 5 (Shanghai) and 1 (Shenzhen) funds, which
// pay the commission only. nullopt for a code that is not six digits or that no market uses.
std::optional<Market> marketOfCode(std::string_view code);
// Whether the code is a fund's, which may be sold the day it was bought (T+0).
bool isFundCode(std::string_view code);

}  // namespace zm::journal
