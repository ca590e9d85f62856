#include "statement/fee_check.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <numeric>
#include <tuple>

#include "fees/display_format.h"
#include "fees/fee_rules.h"

namespace zm::statement {
namespace {

namespace text = fee_check_text;

constexpr std::int64_t kMillion = 1'000'000;

bool isTrade(const journal::Entry& e) {
    return e.kind == journal::EntryKind::Buy || e.kind == journal::EntryKind::Sell;
}

// ticks × ppm / 10^6 rounded half up to the fen.
Money rateOfAmount(Money amount, std::int64_t ppm) {
    const Int128 fen = divRoundHalfUp(static_cast<Int128>(amount.ticks()) * ppm,
                                      Int128{kMillion} * Money::kTicksPerFen);
    return Money::fromFen(static_cast<std::int64_t>(fen));
}

Money roundedToFen(Money m) {
    return Money::fromFen(
        static_cast<std::int64_t>(divRoundHalfUp(m.ticks(), Money::kTicksPerFen)));
}

// The part of a charge above what was allowed, to the fen; zero when it is not above.
Money excess(Money charged, Money allowed) {
    return charged > allowed ? roundedToFen(charged - allowed) : Money();
}

std::optional<std::int64_t> ratePpm(Money commission, Money amount) {
    if (amount <= Money()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(
        divRoundHalfUp(static_cast<Int128>(commission.ticks()) * kMillion, amount.ticks()));
}

// What a trade's status and market are before any figure is compared.
struct Classified {
    CheckStatus status = CheckStatus::NotATrade;
    Market market = Market::ShanghaiA;
};

Classified classify(const journal::Entry& e) {
    if (!isTrade(e)) {
        return {CheckStatus::NotATrade};
    }
    const auto market = journal::marketOfCode(e.code);
    if (!market) {
        return {CheckStatus::UnknownCode};
    }
    if (e.date < kFirstRulesDate) {
        return {CheckStatus::RulesUnknown, *market};
    }
    // Amounts beyond a trillion yuan or negative figures are no trade's.
    constexpr Money kLargest = Money::fromYuan(1'000'000'000'000);
    if (e.amount < Money() || e.amount > kLargest || e.quantity < 0 ||
        e.quantity > kLargest.ticks() / Money::kTicksPerYuan) {
        return {CheckStatus::OutOfRange, *market};
    }
    return {CheckStatus::Checked, *market};
}

// Fills of one order: same day, code, side and order id. A trade without an id is alone.
using OrderKey = std::tuple<TradeDate, std::string, journal::EntryKind, std::string>;

std::vector<std::vector<std::size_t>> ordersOf(const std::vector<TradeToCheck>& trades,
                                               const std::vector<Classified>& classes) {
    std::vector<std::vector<std::size_t>> orders;
    std::map<OrderKey, std::size_t> byKey;
    for (std::size_t i = 0; i < trades.size(); ++i) {
        if (classes[i].status != CheckStatus::Checked) {
            continue;
        }
        const journal::Entry& e = trades[i].entry;
        if (trades[i].orderId.empty()) {
            orders.push_back({i});
            continue;
        }
        const auto [it, added] =
            byKey.try_emplace(OrderKey{e.date, e.code, e.kind, trades[i].orderId}, orders.size());
        if (added) {
            orders.emplace_back();
        }
        orders[it->second].push_back(i);
    }
    return orders;
}

// The order's allowed commission shared among its fills in proportion to their amounts, each
// share rounded half up to the fen, the last fill taking the rest.
void shareOrderCommission(const CommissionAgreement& agreement, Market market,
                          const std::vector<TradeToCheck>& trades,
                          const std::vector<std::size_t>& fills, std::vector<TradeCheck>& checks) {
    const Money orderAmount =
        std::accumulate(fills.begin(), fills.end(), Money(),
                        [&](Money sum, std::size_t i) { return sum + trades[i].entry.amount; });
    Money allowed = rateOfAmount(orderAmount, agreement.ratePpm);
    if (market != Market::FundWarrant || agreement.minimumForFunds) {
        allowed = std::max(allowed, agreement.minimum);
    }
    Money left = allowed;
    for (std::size_t n = 0; n + 1 < fills.size(); ++n) {
        const Money amount = trades[fills[n]].entry.amount;
        const Money share =
            orderAmount.isZero()
                ? Money()
                : Money::fromFen(static_cast<std::int64_t>(divRoundHalfUp(
                      static_cast<Int128>(allowed.ticks()) * amount.ticks(),
                      static_cast<Int128>(orderAmount.ticks()) * Money::kTicksPerFen)));
        checks[fills[n]].allowed.commission = share;
        left -= share;
    }
    checks[fills.back()].allowed.commission = left;
}

// Stamp duty and transfer fee under the trade date's rules, then each fee's excess.
void compareFees(const CommissionAgreement& agreement, Market market, const journal::Entry& e,
                 TradeCheck& check) {
    FeeRules rules;
    rules.kind = RuleKind::OnDate;
    rules.date = e.date;
    rules.commissionPpm = 0;
    rules.minCommission = Money();
    const auto side = e.kind == journal::EntryKind::Sell ? TradeSide::Sell : TradeSide::Buy;
    const auto fees = eraFees(rules, market, side, e.amount, Money::fromYuan(e.quantity));
    if (!fees) {
        check.status = CheckStatus::OutOfRange;
        return;
    }
    check.allowed.stampDuty = fees->stampDuty;
    check.transferInCommission = agreement.feesIncluded && market == Market::ShenzhenA;
    Money commissionCharged = e.commission;
    if (check.transferInCommission) {
        commissionCharged += e.transferFee;  // any transfer fee is inside the commission
    } else {
        check.allowed.transferFee = fees->transferFee;
        check.overCharged.transferFee = excess(e.transferFee, fees->transferFee);
    }
    check.overCharged.commission = excess(commissionCharged, check.allowed.commission);
    check.overCharged.stampDuty = excess(e.stampDuty, fees->stampDuty);
}

std::string feeLine(std::string_view fee, Money over, Money allowed) {
    return std::string(fee) + std::string(text::kOverCharged) + formatAmount(over) +
           std::string(text::kYuan) + std::string(text::kAllowedOpen) + formatAmount(allowed) +
           std::string(text::kAllowedClose);
}

}  // namespace

std::optional<CommissionAgreement> agreementFromText(std::string_view ratePerMille,
                                                     std::string_view minimumYuan,
                                                     bool feesIncluded, bool minimumForFunds) {
    const auto rate = parseCommissionRate(ratePerMille);
    const auto minimum = parseMinCommission(minimumYuan);
    if (!rate || !minimum) {
        return std::nullopt;
    }
    return CommissionAgreement{*rate, *minimum, feesIncluded, minimumForFunds};
}

std::string wanRateText(std::int64_t ppm) {
    const std::uint64_t magnitude =
        ppm < 0 ? 0 - static_cast<std::uint64_t>(ppm) : static_cast<std::uint64_t>(ppm);
    const std::string hundredths = std::to_string(100 + magnitude % 100).substr(1);
    return std::string(text::kWan) + (ppm < 0 ? "-" : "") + std::to_string(magnitude / 100) + "." +
           hundredths;
}

std::string TradeCheck::rateText() const {
    return chargedRatePpm ? wanRateText(*chargedRatePpm) : std::string();
}

std::string TradeCheck::overChargedText() const {
    return isOverCharged() ? formatAmount(overCharged.total()) : std::string();
}

std::string TradeCheck::detail() const {
    switch (status) {
        case CheckStatus::RulesUnknown:
            return std::string(text::kRulesUnknown);
        case CheckStatus::NotATrade:
            return std::string(text::kNotATrade);
        case CheckStatus::UnknownCode:
            return std::string(text::kUnknownCode);
        case CheckStatus::OutOfRange:
            return std::string(text::kOutOfRange);
        case CheckStatus::Checked:
            break;
    }
    std::vector<std::string> lines;
    if (overCharged.commission > Money()) {
        lines.push_back(
            feeLine(transferInCommission ? text::kCommissionWithTransfer : text::kCommission,
                    overCharged.commission, allowed.commission));
    }
    if (overCharged.stampDuty > Money()) {
        lines.push_back(feeLine(text::kStampDuty, overCharged.stampDuty, allowed.stampDuty));
    }
    if (overCharged.transferFee > Money()) {
        lines.push_back(feeLine(text::kTransferFee, overCharged.transferFee, allowed.transferFee));
    }
    if (minimumApplied) {
        lines.emplace_back(text::kMinimumApplied);
    }
    std::string joined;
    for (const auto& line : lines) {
        joined += (joined.empty() ? std::string() : std::string(text::kListSeparator)) + line;
    }
    return joined;
}

std::string FeeCheckResult::summary() const {
    if (checkedCount == 0) {
        return std::string(text::kNothingChecked);
    }
    std::string s = std::string(text::kChecked) + std::to_string(checkedCount) +
                    std::string(text::kTradesCount);
    if (overChargedCount == 0) {
        s += text::kNoneOverCharged;
    } else {
        s += std::string(text::kOfWhich) + std::to_string(overChargedCount) +
             std::string(text::kTradesOverCharged) + formatAmount(overChargedTotal) +
             std::string(text::kYuan);
    }
    if (overallRatePpm) {
        s += std::string(text::kActualRate) + wanRateText(*overallRatePpm);
    }
    if (rulesUnknownCount > 0) {
        s += std::string(text::kAlso) + std::to_string(rulesUnknownCount) +
             std::string(text::kTradesBeforeRules);
    }
    return s;
}

FeeCheckResult checkFees(const CommissionAgreement& agreement,
                         const std::vector<TradeToCheck>& trades) {
    FeeCheckResult result;
    result.trades.resize(trades.size());
    std::vector<Classified> classes;
    classes.reserve(trades.size());
    for (std::size_t i = 0; i < trades.size(); ++i) {
        const journal::Entry& e = trades[i].entry;
        classes.push_back(classify(e));
        TradeCheck& check = result.trades[i];
        check.status = classes.back().status;
        if (isTrade(e)) {
            check.chargedRatePpm = ratePpm(e.commission, e.amount);
            // rate × amount below the minimum: ticks × ppm against minimum ticks × 10^6, exactly.
            check.minimumApplied = agreement.minimum > Money() &&
                                   e.commission == agreement.minimum &&
                                   static_cast<Int128>(e.amount.ticks()) * agreement.ratePpm <
                                       static_cast<Int128>(agreement.minimum.ticks()) * kMillion;
        }
    }
    for (const auto& fills : ordersOf(trades, classes)) {
        shareOrderCommission(agreement, classes[fills.front()].market, trades, fills,
                             result.trades);
    }
    Money commissionTotal;
    Money amountTotal;
    for (std::size_t i = 0; i < trades.size(); ++i) {
        TradeCheck& check = result.trades[i];
        if (check.status == CheckStatus::RulesUnknown) {
            ++result.rulesUnknownCount;
        }
        if (check.status != CheckStatus::Checked) {
            continue;
        }
        compareFees(agreement, classes[i].market, trades[i].entry, check);
        if (check.status != CheckStatus::Checked) {
            continue;
        }
        ++result.checkedCount;
        if (check.isOverCharged()) {
            ++result.overChargedCount;
            result.overChargedTotal += check.overCharged.total();
        }
        commissionTotal += trades[i].entry.commission;
        amountTotal += trades[i].entry.amount;
    }
    result.overallRatePpm = ratePpm(commissionTotal, amountTotal);
    return result;
}

}  // namespace zm::statement
