#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <variant>

#include "fees/money.h"
#include "fees/trade_fees.h"

// What the tools for the shares an investor holds share: the answer-or-reason type, the lot rule
// of a purchase by board, one purchase or sale worked out as the main window works it, the cost
// per share to 0.001 yuan, and the lowest sale price and highest purchase price of a holding.
namespace zm {

// The answer of a tool, or the reason it cannot give one (an enum the caller turns into a
// message).
template <class Result, class Reason>
class Outcome {
public:
    // Not explicit, so that a tool returns its result or its reason as it is.
    // cppcheck-suppress noExplicitConstructor
    Outcome(Result result) : m_value(std::move(result)) {}
    // cppcheck-suppress noExplicitConstructor
    Outcome(Reason reason) : m_value(reason) {}

    bool ok() const { return std::holds_alternative<Result>(m_value); }
    explicit operator bool() const { return ok(); }
    // The answer; only when ok().
    const Result& operator*() const { return std::get<Result>(m_value); }
    const Result* operator->() const { return &std::get<Result>(m_value); }
    // The reason; only when !ok().
    Reason reason() const { return std::get<Reason>(m_value); }

private:
    std::variant<Result, Reason> m_value;
};

// The boards whose purchases follow different lot rules.
enum class Board {
    Main,     // 主板: multiples of 100 shares
    ChiNext,  // 创业板: multiples of 100 shares
    Star,     // 科创板: at least 200 shares, then any whole number
    Beijing,  // 北交所: at least 100 shares, then any whole number
};

// The legal purchase counts of a board, smallest first: first, first + stride, first + 2 ×
// stride, … up to limits::kMaxBuyQty (whole shares).
struct LotRule {
    std::int64_t first;
    std::int64_t stride;
};
LotRule lotRule(Board board);
// True when `shares` is a count the board accepts for a purchase, within limits::kMaxBuyQty.
bool isLegalPurchase(Board board, Money shares);

// One purchase or sale as the main window works it out: the amount (price × shares, exact), its
// fees (tradeFees), and the net figure: for a purchase what it costs (amount + fees, 买入付出),
// for a sale what it brings back (amount − fees, 卖出收回).
struct Trade {
    Money amount;
    TradeFees fees;
    Money net;
};
// nullopt when the price is beyond limits::kMaxPrice, the amount beyond
// limits::kMaxTradeAmount, or a fee beyond Money's range.
std::optional<Trade> purchase(const FeeBasis& basis, Money price, Money shares);
std::optional<Trade> sale(const FeeBasis& basis, Money price, Money shares);

// True for rates the lists offer (commission 0 to 3 per mille, stamp duty 0 to 6) under the
// program's own rules, or a commission of 0 to 3 per mille and a minimum of 0 to 100 yuan under
// trade-date rules. The searches' look-back windows are worked out for these.
bool basisSupported(const FeeBasis& basis);

// A price the tools accept: at least one step, at most limits::kMaxPrice, on the step.
bool isToolPrice(Money price, Money step);
// A whole number of shares from 1 on.
bool isWholeShares(Money shares);
// A cost per share the tools accept: above 0, at most limits::kMaxPrice, at most three decimals.
bool isCostPerShare(Money cost);

// A cost per share: total ÷ shares (whole shares) to 0.001 yuan, halves up (四舍五入; away from
// zero for a negative total). nullopt for no shares or a result beyond Money's range.
std::optional<Money> costPerShare(Money total, Money shares);

// The lowest price on the market's step (priceStep) at which selling `shares` brings back, net
// of that sale's fees, at least `target`; the break-even of a holding that cost `target`. Exact:
// the sale's net is tested at every price the answer could be. nullopt when no price within the
// program's ranges (a price of at most 21,474,836.47, an amount of at most 100,000,000,000)
// does.
std::optional<Money> lowestSalePrice(const FeeBasis& basis, Money shares, Money target);
// The highest price on the market's step at which buying `shares` costs, fees included, at most
// `budget`. nullopt when even one step costs more, or the shares are no whole number.
std::optional<Money> highestPurchasePrice(const FeeBasis& basis, Money shares, Money budget);

}  // namespace zm
