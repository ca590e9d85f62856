#include "journal/holdings.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace zm::journal {
namespace {

// A cash dividend shared among the lots bought before its date, in proportion to their shares;
// each lot's portion is the difference of rounded running totals, so they add up to the amount.
void shareDividend(std::vector<Lot>& lots, TradeDate date, Money amount) {
    const std::int64_t entitled = std::accumulate(
        lots.begin(), lots.end(), std::int64_t{0},
        [&](std::int64_t n, const Lot& l) { return n + (l.acquired < date ? l.shares : 0); });
    if (entitled == 0) {
        return;
    }
    std::int64_t counted = 0;
    Int128 given = 0;
    for (auto& lot : lots) {
        if (!(lot.acquired < date)) {
            continue;
        }
        counted += lot.shares;
        const Int128 upTo = divRoundHalfUp(Int128{amount.ticks()} * counted, entitled);
        lot.dividends.push_back({date, Money::fromTicks(static_cast<std::int64_t>(upTo - given))});
        given = upTo;
    }
}

// The lots sold by a sale of `quantity` shares, oldest first; the lots left keep the rest.
std::vector<Lot> sellLots(std::vector<Lot>& lots, std::int64_t quantity) {
    std::vector<Lot> sold;
    while (quantity > 0 && !lots.empty()) {
        sold.push_back(takeShares(lots.front(), quantity));
        quantity -= sold.back().shares;
        if (lots.front().shares == 0) {
            lots.erase(lots.begin());
        }
    }
    return sold;
}

void applySale(Position& p, const Entry& e) {
    SaleOutcome s{e.date, e.quantity, e.amount - e.fees(), {}, {}, {}, 0};
    if (e.quantity >= p.shares) {
        s.relievedAverage = p.averageCost;
        s.oversold = e.quantity - p.shares;
    } else {
        const Int128 fen = divRoundHalfUp(Int128{p.averageCost.ticks()} * e.quantity,
                                          Int128{p.shares} * Money::kTicksPerFen);
        s.relievedAverage = Money::fromFen(static_cast<std::int64_t>(fen));
    }
    const std::vector<Lot> sold = sellLots(p.lots, e.quantity);
    for (const auto& lot : sold) {
        s.relievedFifo += lot.cost;
    }
    s.dividendTax = dividendTaxOnLots(sold, e.date);
    p.shares -= e.quantity - s.oversold;
    p.averageCost -= s.relievedAverage;
    p.realisedAverage += s.net - s.relievedAverage;
    p.realisedFifo += s.net - s.relievedFifo;
    p.outlay -= s.net;
    p.sales.push_back(s);
}

void apply(Position& p, const Entry& e) {
    switch (e.kind) {
        case EntryKind::Buy: {
            if (!p.periodStart) {
                p.periodStart = e.date;
                p.outlay = Money();
            }
            const Money cost = e.amount + e.fees();
            p.shares += e.quantity;
            p.averageCost += cost;
            p.outlay += cost;
            if (e.quantity > 0) {
                p.lots.push_back({e.date, e.quantity, cost, {}});
            }
            break;
        }
        case EntryKind::Sell:
            applySale(p, e);
            break;
        case EntryKind::Dividend:
            p.outlay -= e.amount - e.fees();
            shareDividend(p.lots, e.date, e.amount - e.fees());
            break;
        case EntryKind::Bonus:
            p.shares += e.quantity;
            if (e.quantity > 0) {
                p.lots.push_back({e.date, e.quantity, Money(), {}});
            }
            break;
        case EntryKind::DividendTax:
        case EntryKind::OtherFee:
            p.outlay += e.amount + e.fees();
            break;
    }
}

}  // namespace

Money perShare(Money total, std::int64_t shares) {
    constexpr std::int64_t kTicksPerMill = Money::kTicksPerYuan / 1000;
    const Int128 mills = divRoundHalfUp(total.ticks(), Int128{shares} * kTicksPerMill);
    return Money::fromTicks(static_cast<std::int64_t>(mills * kTicksPerMill));
}

Money Position::fifoCost() const {
    return std::accumulate(lots.begin(), lots.end(), Money(),
                           [](Money sum, const Lot& lot) { return sum + lot.cost; });
}

std::optional<Money> Position::averagePrice() const {
    return shares > 0 ? std::optional<Money>(perShare(averageCost, shares)) : std::nullopt;
}

std::optional<Money> Position::dilutedPrice() const {
    return shares > 0 ? std::optional<Money>(perShare(outlay, shares)) : std::nullopt;
}

Money Position::realised(ProfitMethod method) const {
    return method == ProfitMethod::Average ? realisedAverage : realisedFifo;
}

Money Position::dividendTaxIfSoldOn(TradeDate day) const {
    return dividendTaxOnSale(lots, shares, day);
}

std::vector<Position> positions(const std::vector<Entry>& entries) {
    std::vector<const Entry*> ordered(entries.size());
    std::transform(entries.begin(), entries.end(), ordered.begin(),
                   [](const Entry& e) { return &e; });
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Entry* a, const Entry* b) { return a->date < b->date; });
    std::map<std::string, Position> byCode;
    std::map<std::string, TradeDate> lastDay;
    for (const Entry* e : ordered) {
        Position& p = byCode[e->code];
        p.code = e->code;
        if (!e->name.empty()) {
            p.name = e->name;
        }
        // A new day after a day that ended flat closes the holding period.
        const auto last = lastDay.find(e->code);
        if (last != lastDay.end() && last->second < e->date && p.shares == 0) {
            p.periodStart.reset();
        }
        lastDay[e->code] = e->date;
        apply(p, *e);
    }
    std::vector<Position> result;
    result.reserve(byCode.size());
    for (auto& [code, p] : byCode) {
        result.push_back(std::move(p));
    }
    return result;
}

}  // namespace zm::journal
