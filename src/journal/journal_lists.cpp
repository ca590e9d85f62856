#include "journal/journal_lists.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <numeric>
#include <utility>

#include "fees/display_format.h"
#include "fees/fee_rules.h"
#include "fees/holding_tools.h"
#include "fees/number_text.h"

namespace zm::journal {
namespace {

// A row's cells, the texts moved in rather than copied out of an initializer list.
template <class... Texts>
std::vector<std::string> cellsOf(Texts&&... texts) {
    std::vector<std::string> cells;
    cells.reserve(sizeof...(texts));
    (cells.emplace_back(std::forward<Texts>(texts)), ...);
    return cells;
}

std::string sharesText(std::int64_t shares) {
    return formatGroupedWhole(Money::fromYuan(shares));
}

Money holdingCost(const Position& p, ProfitMethod method) {
    return method == ProfitMethod::Average ? p.averageCost : p.fifoCost();
}

Money relieved(const SaleOutcome& s, ProfitMethod method) {
    return method == ProfitMethod::Average ? s.relievedAverage : s.relievedFifo;
}

// The break-even of the whole holding: under trade-date rules the rules' own exact search, under
// the program's own rules the search the holding tools use, both on the market's price step.
std::optional<Money> breakEvenPrice(const FeeBasis& basis, std::int64_t shares, Money cost) {
    const Money quantity = Money::fromYuan(shares);
    if (basis.rules.own()) {
        return lowestSalePrice(basis, quantity, cost);
    }
    return eraBreakEven(basis.rules, basis.market, quantity, cost);
}

std::string dilutedText(const Position& p) {
    const Money diluted = p.dilutedPrice().value_or(Money());
    std::string text = formatCostPerShare(diluted);
    if (diluted <= Money()) {
        text += kPaidBackMark;
    }
    return text;
}

// The dividends the lots still held received.
Money dividendsOfHolding(const Position& p) {
    return std::accumulate(p.lots.begin(), p.lots.end(), Money(), [](Money sum, const Lot& lot) {
        return std::accumulate(lot.dividends.begin(), lot.dividends.end(), sum,
                               [](Money inner, const LotDividend& d) { return inner + d.amount; });
    });
}

HoldingRow holdingRow(const Position& p, const ListSettings& settings) {
    const Money cost = holdingCost(p, settings.method);
    std::string breakEven;
    std::string price;
    std::string floating;
    if (const auto market = marketOfCode(p.code)) {
        FeeBasis basis = settings.basis;
        basis.market = *market;
        if (const auto found = breakEvenPrice(basis, p.shares, cost)) {
            breakEven = formatCostPerShare(*found);
        }
        const auto current =
            settings.currentPrice ? settings.currentPrice(p.code) : std::optional<Money>();
        if (current) {
            price = formatCostPerShare(*current);
            if (const auto sold = sale(basis, *current, Money::fromYuan(p.shares))) {
                floating = formatAmount(sold->net - cost);
            }
        }
    }
    return {
        p.code,
        cellsOf(p.code, p.name, sharesText(p.shares), formatCostPerShare(perShare(cost, p.shares)),
                dilutedText(p), std::move(breakEven), std::move(price), std::move(floating),
                formatAmount(p.realised(settings.method)), formatAmount(dividendsOfHolding(p)),
                formatAmount(p.dividendTaxIfSoldOn(settings.today)))};
}

bool isTrade(EntryKind kind) {
    return kind == EntryKind::Buy || kind == EntryKind::Sell;
}

// The cash an entry moved: what a sale or a dividend brought in less its fees, what anything
// else cost with its fees (a bonus costs its fees only).
Money cashMoved(const Entry& e) {
    switch (e.kind) {
        case EntryKind::Sell:
        case EntryKind::Dividend:
            return e.amount - e.fees();
        case EntryKind::Bonus:
            return -e.fees();
        case EntryKind::Buy:
        case EntryKind::DividendTax:
        case EntryKind::OtherFee:
            break;
    }
    return -(e.amount + e.fees());
}

// A fee cell: shown for every trade, and for other entries when they paid it.
std::string feeText(const Entry& e, Money fee) {
    return isTrade(e.kind) || !fee.isZero() ? formatAmount(fee) : std::string();
}

// What each sale among `entries` relieved, by the entry's index (nullptr for other entries):
// the positions count each code's sales in date order, entries of a day as given.
std::vector<const SaleOutcome*> saleOutcomes(const std::vector<Entry>& entries,
                                             const std::vector<Position>& held) {
    std::map<std::string_view, const Position*> byCode;
    for (const auto& p : held) {
        byCode.emplace(p.code, &p);
    }
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return entries[a].date < entries[b].date;
    });
    std::map<std::string_view, std::size_t> salesSeen;
    std::vector<const SaleOutcome*> outcomes(entries.size(), nullptr);
    for (const std::size_t i : order) {
        const Entry& e = entries[i];
        const auto p = byCode.find(e.code);
        if (e.kind != EntryKind::Sell || p == byCode.end()) {
            continue;
        }
        const std::size_t n = salesSeen[e.code]++;
        if (n < p->second->sales.size()) {
            outcomes[i] = &p->second->sales[n];
        }
    }
    return outcomes;
}

}  // namespace

const std::vector<std::string>& holdingListHeadings() {
    static const std::vector<std::string> kHeadings{
        "代码", "名称",     "股数",       "持仓成本价", "摊薄成本价",    "保本价",
        "现价", "浮动盈亏", "已实现盈亏", "已收分红",   "卖出应缴红利税"};
    return kHeadings;
}

const std::vector<std::string>& entryListHeadings() {
    static const std::vector<std::string> kHeadings{
        "日期", "代码",   "名称",   "类别",     "数量",     "价格",     "成交金额",
        "佣金", "印花税", "过户费", "其他费用", "发生金额", "实现盈亏", "红利税"};
    return kHeadings;
}

std::vector<HoldingRow> holdingListRows(const std::vector<Position>& held,
                                        const ListSettings& settings) {
    std::vector<HoldingRow> rows;
    for (const auto& p : held) {
        if (p.shares > 0) {
            rows.push_back(holdingRow(p, settings));
        }
    }
    return rows;
}

std::vector<EntryRow> entryListRows(const std::vector<Entry>& entries,
                                    const std::vector<Position>& held, ProfitMethod method) {
    const auto outcomes = saleOutcomes(entries, held);
    std::vector<EntryRow> rows;
    rows.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const SaleOutcome* s = outcomes[i];
        const bool priced = isTrade(e.kind) && !e.price.isZero();
        rows.push_back(
            {e.id,
             cellsOf(e.date.iso(), e.code, e.name, std::string(kindLabel(e.kind)),
                     e.quantity != 0 ? sharesText(e.quantity) : std::string(),
                     priced ? formatCostPerShare(e.price) : std::string(),
                     isTrade(e.kind) ? formatAmount(e.amount) : std::string(),
                     feeText(e, e.commission), feeText(e, e.stampDuty), feeText(e, e.transferFee),
                     feeText(e, e.otherFees), formatAmount(cashMoved(e)),
                     s ? formatAmount(s->net - relieved(*s, method)) : std::string(),
                     s ? formatAmount(s->dividendTax) : std::string())});
    }
    return rows;
}

YearSummary yearSummary(const std::vector<Entry>& entries, const std::vector<Position>& held,
                        int year, ProfitMethod method) {
    YearSummary sum;
    for (const auto& p : held) {
        for (const auto& s : p.sales) {
            if (s.date.year == year) {
                sum.realised += s.net - relieved(s, method);
                sum.dividendTax += s.dividendTax;
            }
        }
    }
    for (const auto& e : entries) {
        if (e.date.year != year) {
            continue;
        }
        sum.commission += e.commission;
        sum.stampDuty += e.stampDuty;
        sum.transferFee += e.transferFee;
        sum.otherFees += e.otherFees;
        if (e.kind == EntryKind::OtherFee) {
            sum.otherFees += e.amount;
        } else if (e.kind == EntryKind::Dividend) {
            sum.dividends += e.amount;
        }
    }
    return sum;
}

std::vector<std::string> yearSummaryTexts(const YearSummary& s) {
    const std::pair<const char*, Money> figures[] = {
        {"已实现盈亏", s.realised}, {"佣金", s.commission},    {"印花税", s.stampDuty},
        {"过户费", s.transferFee},  {"其他费用", s.otherFees}, {"已收分红", s.dividends},
        {"红利税", s.dividendTax}};
    std::vector<std::string> texts;
    for (const auto& [caption, value] : figures) {
        texts.push_back(std::string(caption) + "：" + formatAmount(value));
    }
    return texts;
}

namespace {

// The cells from `firstFigure` on are the program's figures; those before it texts the user
// typed (a name may well read as a number) but for the code.
CsvRow csvRow(const std::vector<std::string>& cells, std::size_t codeColumn,
              std::size_t firstFigure) {
    CsvRow row;
    row.reserve(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i == codeColumn) {
            row.push_back(CsvCell::code(cells[i]));
        } else if (i >= firstFigure && IsNumberText(cells[i])) {
            std::string plain = cells[i];
            std::erase(plain, ',');
            row.push_back({CsvCell::Kind::Number, std::move(plain)});
        } else {
            row.push_back(CsvCell::plain(cells[i]));
        }
    }
    return row;
}

template <class Row>
std::vector<CsvRow> listCsv(const std::vector<std::string>& headings, const std::vector<Row>& rows,
                            std::size_t codeColumn, std::size_t firstFigure) {
    std::vector<CsvRow> out(rows.size() + 1);
    std::transform(headings.begin(), headings.end(), std::back_inserter(out.front()),
                   [](const std::string& h) { return CsvCell::plain(h); });
    std::transform(rows.begin(), rows.end(), out.begin() + 1,
                   [&](const Row& r) { return csvRow(r.cells, codeColumn, firstFigure); });
    return out;
}

}  // namespace

std::vector<CsvRow> holdingListCsv(const std::vector<HoldingRow>& rows) {
    return listCsv(holdingListHeadings(), rows, 0, 2);
}

std::vector<CsvRow> entryListCsv(const std::vector<EntryRow>& rows) {
    return listCsv(entryListHeadings(), rows, 1, 4);
}

}  // namespace zm::journal
