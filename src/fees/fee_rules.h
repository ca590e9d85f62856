#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fees/fee_schedule.h"
#include "fees/money.h"

namespace zm {

// A calendar date of a trade (proleptic Gregorian, years 1 to 9999).
struct TradeDate {
    int year = 0;
    int month = 0;
    int day = 0;
    // clang-tidy 14 takes the 0 that a defaulted <=> compares with for a null pointer.
    // NOLINTNEXTLINE(modernize-use-nullptr)
    friend constexpr auto operator<=>(const TradeDate&, const TradeDate&) = default;

    // "2019-03-15" exactly (four-digit year, two-digit month and day, blanks at either end
    // ignored); nullopt for any other text and for a day the calendar does not have (2023-02-30).
    static std::optional<TradeDate> parse(std::string_view text);
    // Today in the computer's local time.
    static TradeDate today();
    bool isValid() const;
    std::string iso() const;      // "2019-03-15"
    std::string chinese() const;  // "2019年3月15日"
};

// Stamp duty on purchases ended on this day; the trade-date rules start here.
inline constexpr TradeDate kFirstRulesDate{2008, 9, 19};
inline constexpr std::string_view kFirstRulesDateText = "2008-09-19";
// The first day of trading on the exchanges: no trade of the journal is older.
inline constexpr TradeDate kFirstTradingDay{1990, 12, 19};
inline constexpr std::string_view kFirstTradingDayText = "1990-12-19";

// How the transfer fee (过户费) was charged.
enum class TransferRule {
    ShanghaiPerShare,  // Shanghai only: shares × 0.001 yuan, at least 1 yuan
    AmountBothMarkets  // a share of the trade amount, in both exchanges
};

// The fee rules set by law and the exchanges from `from` on. Rates in millionths of the trade
// amount: 1‰ is 1,000, 0.01‰ is 10.
struct Era {
    TradeDate from;
    std::int64_t stampDutyPpm;  // on sales only
    TransferRule transfer;
    std::int64_t transferPpm;  // AmountBothMarkets only
};

// The rules in force on `date` (a date before kFirstRulesDate gets the first era), and today's.
const Era& eraOn(TradeDate date);
const Era& currentEra();

// Which rules the calculator computes with: its own (the default, every figure as it always
// was), today's, or those in force on a trade date.
enum class RuleKind { Own, Current, OnDate };

struct FeeRules {
    RuleKind kind = RuleKind::Own;
    TradeDate date{};  // OnDate only
    // The broker's commission, in millionths of the trade amount (0.25‰ is 250), and its
    // minimum per trade (0 for brokers without one, 免五). Not used by the program's own rules,
    // whose rates are the two lists'.
    std::int64_t commissionPpm = 2700;
    Money minCommission = kMinCommission;

    bool own() const { return kind == RuleKind::Own; }
    const Era& era() const { return kind == RuleKind::OnDate ? eraOn(date) : currentEra(); }
};

// The boards whose daily price limits (涨跌停) differ.
enum class LimitBoard {
    Main,     // 主板
    MainST,   // 主板 ST and *ST shares
    ChiNext,  // 创业板
    Star,     // 科创板
    Beijing,  // 北交所
    Fund,     // 基金, quoted in steps of 0.001 yuan
};
// The daily price limit of a board on `date`, in percent of the previous close (a date before
// kFirstRulesDate gets the first entry): 主板 10; 主板ST 5, from 2026-07-06 10; 创业板 10, from
// 2020-08-24 20; 科创板 20; 北交所 30; 基金 10.
int limitPercentOn(LimitBoard board, TradeDate date);

// The price step of a market under these rules: one fen, or 0.001 yuan for funds and warrants
// under trade-date rules (they trade in that step).
Money priceStep(const FeeRules& rules, Market market);
// Decimals of that step: 2 or 3.
int stepDecimals(Money step);
// The last index i of a search over the prices (i + 1) × step: the step of 21,474,836.48, one fen
// above the highest price accepted, whatever the step (0.001-yuan steps need a 64-bit index
// there).
std::int64_t lastSearchStep(Money step);

// The highest commission the law allows, 3‰, in millionths of the trade amount.
inline constexpr std::int64_t kMaxCommissionPpm = 3000;

// A typed commission rate in per mille: 0 to 3 with at most three decimals, plain digits only
// ("0.25", "0.085", "3", ".5"; blanks at either end ignored). Its millionths of the amount;
// nullopt for anything else ("", "-1", "3.001", "0.0001", "1e-3", full-width digits).
std::optional<std::int64_t> parseCommissionRate(std::string_view text);
// The rate as the list shows it: 250 → "0.25", 3000 → "3.0", 85 → "0.085" (at least one decimal).
std::string formatCommissionRate(std::int64_t ppm);
// A minimum commission from 0 to 100 yuan (any number text), rounded to the fen half up.
std::optional<Money> parseMinCommission(std::string_view text);

// The fees of one trade under trade-date rules, each rounded to the fen half up (四舍五入).
struct TradeFees {
    Money commission;
    Money stampDuty;
    Money transferFee;
    Money total;
};
enum class TradeSide { Buy, Sell };
// Commission = rate × amount, at least the minimum; stamp duty on sales only; transfer fee as the
// era charges it (the per-share fee on `quantity`). Funds and warrants pay the commission only.
// nullopt when a figure leaves Money's range.
std::optional<TradeFees> eraFees(const FeeRules& rules, Market market, TradeSide side, Money amount,
                                 Money quantity);

// The lowest price on the market's step at which selling `quantity` shares brings back, net of
// that sale's fees under `rules`, at least `target`. Exact, in O(log n) fee evaluations; nullopt
// when no price up to 2^31 − 1 steps does.
std::optional<Money> eraBreakEven(const FeeRules& rules, Market market, Money quantity,
                                  Money target);

// The era's stamp-duty rate in per mille as the stamp-duty list shows it: "1", "0.5".
std::string stampDutyRateText(const Era& era);
// The title suffix of the main window: "" (own rules), "（现行规则）" or
// "（按2019年3月15日的规则）".
std::string rulesTitleSuffix(const FeeRules& rules);
// The summary of the rules in force on a trade date, as the date dialog shows it.
std::string rulesSummary(const Era& era, Money minCommission);

// The tool tips that describe a trade date's rules in force: the commission, stamp duty and
// transfer fee of each side, and the two rate boxes. Each fee is said to be charged so from the
// day it has been (the stamp duty of 1‰ on sales only from 2008-09-19 on, though the era of a
// 2019 trade began in 2015).
struct RulesTips {
    std::string buyCommission, buyStampDuty, buyTransferFee;
    std::string sellCommission, sellStampDuty, sellTransferFee;
    std::string commissionBox, stampDutyBox;
};
RulesTips rulesTips(const FeeRules& rules);

}  // namespace zm
