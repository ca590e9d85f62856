// The journal at the size of a busy account, 10,000 entries over 200 codes: its positions and
// the rows of both lists (budget 50 ms), the CSV export of both lists (200 ms), and recording
// one entry in a journal file on disk in WAL mode (5 ms).

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "journal/journal_lists.h"
#include "journal/store.h"
#include "support/temp_dir.h"

namespace {

using zm::Money;
using zm::journal::Entry;
using zm::journal::EntryKind;

std::string codeOf(int i) {
    const std::string n = std::to_string(i);
    return (i % 2 == 0 ? "600" : "000") + std::string(3 - n.size(), '0') + n;
}

// Per code, a round of two purchases, a partial sale, a dividend and bonus shares, repeated
// across the years, so that every list column and the dividend tax have work to do.
std::vector<Entry> busyJournal() {
    static const EntryKind kRound[] = {EntryKind::Buy, EntryKind::Buy, EntryKind::Dividend,
                                       EntryKind::Sell, EntryKind::Bonus};
    std::vector<Entry> entries;
    for (int k = 0; k < 10'000; ++k) {
        const int step = k / 200;
        Entry e;
        e.id = k + 1;
        e.date = {2015 + step / 12, step % 12 + 1, 10};
        e.code = codeOf(k % 200);
        e.name = "股票" + std::to_string(k % 200);
        e.kind = kRound[static_cast<std::size_t>(step) % 5];
        e.quantity = e.kind == EntryKind::Dividend ? 0 : 100 * (1 + step % 7);
        e.price = Money::fromFen(800 + (k * 37) % 900);
        e.amount = e.kind == EntryKind::Dividend
                       ? Money::fromYuan(30)
                       : Money::fromFen(e.price.ticks() / 100 * e.quantity);
        e.commission = Money::fromYuan(5);
        e.transferFee = Money::fromFen(e.quantity / 100);
        e.stampDuty =
            e.kind == EntryKind::Sell ? Money::fromFen(e.amount.ticks() / 200'000) : Money();
        entries.push_back(e);
    }
    return entries;
}

zm::journal::ListSettings todaysSettings(const std::map<std::string, Money>& prices) {
    zm::journal::ListSettings s;
    s.basis.rules = {zm::RuleKind::Current, {}, 250, Money::fromYuan(5)};
    s.today = {2024, 6, 20};
    s.currentPrice = [&prices](const std::string& code) -> std::optional<Money> {
        const auto it = prices.find(code);
        return it == prices.end() ? std::nullopt : std::optional<Money>(it->second);
    };
    return s;
}

std::map<std::string, Money> somePrices() {
    std::map<std::string, Money> prices;
    for (int i = 0; i < 200; i += 2) {
        prices[codeOf(i)] = Money::fromFen(900 + i);
    }
    return prices;
}

void positionsAndBothLists(benchmark::State& state) {
    const auto entries = busyJournal();
    const auto prices = somePrices();
    const auto settings = todaysSettings(prices);
    for (auto _ : state) {
        const auto held = zm::journal::positions(entries);
        benchmark::DoNotOptimize(zm::journal::holdingListRows(held, settings));
        benchmark::DoNotOptimize(
            zm::journal::entryListRows(entries, held, zm::journal::ProfitMethod::Fifo));
    }
}
BENCHMARK(positionsAndBothLists)->Unit(benchmark::kMillisecond);

void csvOfBothLists(benchmark::State& state) {
    const auto entries = busyJournal();
    const auto prices = somePrices();
    const auto held = zm::journal::positions(entries);
    const auto holdings = zm::journal::holdingListRows(held, todaysSettings(prices));
    const auto rows = zm::journal::entryListRows(entries, held, zm::journal::ProfitMethod::Fifo);
    for (auto _ : state) {
        benchmark::DoNotOptimize(zm::journal::csvText(zm::journal::holdingListCsv(holdings)));
        benchmark::DoNotOptimize(zm::journal::csvText(zm::journal::entryListCsv(rows)));
    }
}
BENCHMARK(csvOfBothLists)->Unit(benchmark::kMillisecond);

void recordOneEntry(benchmark::State& state) {
    zm::test::TempDir dir;
    zm::journal::Store store;
    if (store.open(dir.file("journal.sqlite")).status != zm::journal::OpenStatus::Ok) {
        state.SkipWithError("cannot open the journal");
        return;
    }
    Entry e = busyJournal().front();
    e.id = 0;
    for (auto _ : state) {
        if (!store.add(e)) {
            state.SkipWithError("the entry was not recorded");
            break;
        }
    }
}
BENCHMARK(recordOneEntry)->Unit(benchmark::kMillisecond);

}  // namespace
