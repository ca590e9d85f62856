#include "fees/fee_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <limits>

#include "fees/display_format.h"
#include "fees/number_text.h"
#include "fees/step_search.h"
#include "view/messages.h"

namespace zm {
namespace {

constexpr std::array<Era, 4> kEras{{
    {kFirstRulesDate, 1000, TransferRule::ShanghaiPerShare, 0},
    {{2015, 8, 1}, 1000, TransferRule::AmountBothMarkets, 20},
    {{2022, 4, 29}, 1000, TransferRule::AmountBothMarkets, 10},
    {{2023, 8, 28}, 500, TransferRule::AmountBothMarkets, 10},
}};

// The daily price limits, each board's entries by the day they took effect.
struct LimitEra {
    LimitBoard board;
    TradeDate from;
    // cppcheck does not follow the reads through limitPercentOn's iterators.
    // cppcheck-suppress unusedStructMember
    int percent;
};
constexpr std::array<LimitEra, 8> kLimitEras{{
    {LimitBoard::Main, kFirstRulesDate, 10},
    {LimitBoard::MainST, kFirstRulesDate, 5},
    {LimitBoard::MainST, {2026, 7, 6}, 10},
    {LimitBoard::ChiNext, kFirstRulesDate, 10},
    {LimitBoard::ChiNext, {2020, 8, 24}, 20},
    {LimitBoard::Star, kFirstRulesDate, 20},
    {LimitBoard::Beijing, kFirstRulesDate, 30},
    {LimitBoard::Fund, kFirstRulesDate, 10},
}};

constexpr Money kMaxMinCommission = Money::fromYuan(100);

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysIn(int year, int month) {
    static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// amount × ppm / 1,000,000 rounded to the fen, halves up: Money ticks × ppm / 10^8 fen.
Money proportionalFen(Money amount, std::int64_t ppm) {
    const Int128 fen = divRoundHalfUp(static_cast<Int128>(amount.ticks()) * ppm, 100'000'000);
    return Money::fromFen(static_cast<std::int64_t>(fen));
}

}  // namespace

std::optional<TradeDate> TradeDate::parse(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    auto number = [&](std::size_t from, std::size_t count) -> int {
        int v = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return -1;
            }
            v = v * 10 + (text[i] - '0');
        }
        return v;
    };
    const TradeDate d{number(0, 4), number(5, 2), number(8, 2)};
    return d.isValid() ? std::optional<TradeDate>(d) : std::nullopt;
}

TradeDate TradeDate::today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool TradeDate::isValid() const {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysIn(year, month);
}

std::string TradeDate::iso() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string TradeDate::chinese() const {
    return std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日";
}

const Era& eraOn(TradeDate date) {
    // The latest era that had begun on the date; the first one for anything earlier.
    const auto it =
        std::find_if(kEras.rbegin(), kEras.rend(), [&](const Era& e) { return e.from <= date; });
    return it == kEras.rend() ? kEras.front() : *it;
}

const Era& currentEra() {
    return kEras.back();
}

int limitPercentOn(LimitBoard board, TradeDate date) {
    // The board's latest entry that had begun on the date, else its first.
    const auto latest =
        std::find_if(kLimitEras.rbegin(), kLimitEras.rend(),
                     [&](const LimitEra& e) { return e.board == board && e.from <= date; });
    if (latest != kLimitEras.rend()) {
        return latest->percent;
    }
    const auto first = std::find_if(kLimitEras.begin(), kLimitEras.end(),
                                    [&](const LimitEra& e) { return e.board == board; });
    return first != kLimitEras.end() ? first->percent : 0;
}

Money priceStep(const FeeRules& rules, Market market) {
    return !rules.own() && market == Market::FundWarrant ? Money::fromTicks(10) : Money::fromFen(1);
}

int stepDecimals(Money step) {
    return step.ticks() < Money::kTicksPerFen ? 3 : 2;
}

std::int64_t lastSearchStep(Money step) {
    constexpr Money kSearchTop = Money::fromFen(std::int64_t{1} << 31);
    return kSearchTop.ticks() / step.ticks() - 1;
}

std::optional<std::int64_t> parseCommissionRate(std::string_view text) {
    text = trimBlanks(text);
    std::int64_t whole = 0;
    std::int64_t thousandths = 0;
    int digits = 0;
    int decimals = -1;  // -1 before the decimal point
    for (char ch : text) {
        if (ch == '.') {
            if (decimals >= 0) {
                return std::nullopt;
            }
            decimals = 0;
        } else if (ch >= '0' && ch <= '9') {
            ++digits;
            if (decimals < 0) {
                whole = std::min<std::int64_t>(whole * 10 + (ch - '0'), 1000);
            } else if (++decimals > 3) {
                return std::nullopt;
            } else {
                thousandths = thousandths * 10 + (ch - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    for (int d = std::max(decimals, 0); d < 3; ++d) {
        thousandths *= 10;
    }
    const std::int64_t ppm = whole * 1000 + thousandths;
    return ppm <= kMaxCommissionPpm ? std::optional<std::int64_t>(ppm) : std::nullopt;
}

std::string formatCommissionRate(std::int64_t ppm) {
    std::string frac = std::to_string(1000 + ppm % 1000).substr(1);
    while (frac.size() > 1 && frac.back() == '0') {
        frac.pop_back();
    }
    return std::to_string(ppm / 1000) + "." + frac;
}

std::optional<Money> parseMinCommission(std::string_view text) {
    const auto value = numberTextToMoney(text);
    if (!value || *value < Money() || *value > kMaxMinCommission) {
        return std::nullopt;
    }
    return Money::fromFen(
        static_cast<std::int64_t>(divRoundHalfUp(value->ticks(), Money::kTicksPerFen)));
}

std::optional<TradeFees> eraFees(const FeeRules& rules, Market market, TradeSide side, Money amount,
                                 Money quantity) {
    if (amount > Money::fromYuan(100'000'000'000'000) || amount < Money()) {
        return std::nullopt;  // far beyond any trade; keeps every product below
    }
    TradeFees f;
    f.commission = std::max(proportionalFen(amount, rules.commissionPpm), rules.minCommission);
    if (market != Market::FundWarrant) {
        const Era& era = rules.era();
        if (side == TradeSide::Sell) {
            f.stampDuty = proportionalFen(amount, era.stampDutyPpm);
        }
        if (era.transfer == TransferRule::AmountBothMarkets) {
            f.transferFee = proportionalFen(amount, era.transferPpm);
        } else if (market == Market::ShanghaiA) {
            // shares × 0.001 yuan is shares ÷ 10 fen.
            constexpr Int128 kTicksPerTenShares = Int128{10} * Money::kTicksPerYuan;
            const Int128 fen =
                divRoundHalfUp(std::max<std::int64_t>(quantity.ticks(), 0), kTicksPerTenShares);
            f.transferFee =
                std::max(Money::fromFen(static_cast<std::int64_t>(fen)), kMinTransferFee);
        }
    }
    f.total = f.commission + f.stampDuty + f.transferFee;
    return f;
}

std::optional<Money> eraBreakEven(const FeeRules& rules, Market market, Money quantity,
                                  Money target) {
    if (quantity <= Money()) {
        return std::nullopt;
    }
    const Money step = priceStep(rules, market);
    // Step i is the price (i + 1) × step; the search stops where the net sale reaches the target.
    auto test = [&](std::int64_t i) {
        const auto price = Money::fromTicks((i + 1) * step.ticks());
        const auto amount = Money::mul(price, quantity);
        const auto fees =
            amount ? eraFees(rules, market, TradeSide::Sell, *amount, quantity) : std::nullopt;
        if (!fees) {
            return StepOutcome::OutOfRange;
        }
        return *amount - fees->total >= target ? StepOutcome::Stop : StepOutcome::Continue;
    };
    // A start near the answer: the target plus the fees at their straight-line rates.
    const Era& era = rules.era();
    const double lot = quantity.toDouble() * step.toDouble();
    const double rate =
        static_cast<double>(rules.commissionPpm + era.stampDutyPpm + era.transferPpm) / 1e6;
    const double guess = (target.toDouble() + 1.0) / (1.0 - rate) / lot - 1.0;
    // Three fees rounded to the fen can together lower the net by less than 3 fen from one step
    // to the next; a larger sale makes that up within this many steps.
    const double window = std::ceil(0.031 / lot);
    const std::int64_t last = lastSearchStep(step);
    const auto found = lowestStopStep(test, clampStep(guess, last),
                                      static_cast<std::int64_t>(std::min(window, 4000.0)), last);
    if (!found) {
        return std::nullopt;
    }
    return Money::fromTicks((*found + 1) * step.ticks());
}

std::string stampDutyRateText(const Era& era) {
    return era.stampDutyPpm % 1000 == 0 ? std::to_string(era.stampDutyPpm / 1000)
                                        : formatCommissionRate(era.stampDutyPpm);
}

std::string rulesTitleSuffix(const FeeRules& rules) {
    switch (rules.kind) {
        case RuleKind::Own:
            return {};
        case RuleKind::Current:
            return std::string(msg::kCurrentRulesNote);
        case RuleKind::OnDate:
            return msg::datedRulesNote(rules.date.chinese());
    }
    return {};
}

std::string rulesSummary(const Era& era, Money minCommission) {
    const std::string transferRate = formatCommissionRate(era.transferPpm);
    return msg::rulesSummary(stampDutyRateText(era),
                             era.transfer == TransferRule::ShanghaiPerShare
                                 ? std::nullopt
                                 : std::optional<std::string_view>(transferRate),
                             formatAmount(minCommission));
}

namespace {

// The first day from which a fee has been charged as `era` charges it: the start of the earliest
// era of an unbroken run up to `era` in which `same` holds.
template <class Same>
TradeDate chargedSince(const Era& era, Same same) {
    TradeDate since = era.from;
    for (std::size_t i = kEras.size(); i-- > 0;) {  // latest era first
        const Era& earlier = kEras[i];
        if (earlier.from > era.from) {
            continue;
        }
        if (!same(earlier)) {
            break;
        }
        since = earlier.from;
    }
    return since;
}

}  // namespace

RulesTips rulesTips(const FeeRules& rules) {
    const Era& era = rules.era();
    const std::string stampFrom = chargedSince(era, [&](const Era& e) {
                                      return e.stampDutyPpm == era.stampDutyPpm;
                                  }).chinese();
    const std::string transferFrom =
        chargedSince(era, [&](const Era& e) {
            return e.transfer == era.transfer && e.transferPpm == era.transferPpm;
        }).chinese();
    const std::string stamp = stampDutyRateText(era);
    const std::string transfer = era.transfer == TransferRule::ShanghaiPerShare
                                     ? std::string()
                                     : formatCommissionRate(era.transferPpm);
    const std::string minimum = formatAmount(rules.minCommission);
    return RulesTips{msg::commissionRulesTip("买入", minimum),
                     msg::buyStampDutyRulesTip(stamp, stampFrom),
                     msg::transferRulesTip("买入", transfer, transferFrom),
                     msg::commissionRulesTip("卖出", minimum),
                     msg::sellStampDutyRulesTip(stamp, stampFrom),
                     msg::transferRulesTip("卖出", transfer, transferFrom),
                     msg::commissionBoxRulesTip(minimum),
                     msg::stampDutyBoxRulesTip(stamp, stampFrom)};
}

}  // namespace zm
