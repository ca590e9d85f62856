// The statement reader on a year of busy trading: 10,000 rows of a GBK, tab-separated file
// read and matched against a journal of 10,000 imported entries, half of which the file holds.
// Once with trade ids (keyed by them), once without (keyed by each row's figures).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "settings/code_page.h"
#include "statement/reader.h"

namespace {

using zm::statement::RowStatus;

// Rows first..last of a made-up statement; a sale every third row. Without ids the id cells
// hold 0, as a client writes for a row that has none.
std::string statementText(int first, int last, bool withIds) {
    std::string text =
        "成交日期\t成交时间\t证券代码\t证券名称\t操作\t成交数量\t成交均价\t成交金额\t手续费\t"
        "印花税\t过户费\t发生金额\t资金余额\t合同编号\t成交编号\t\r\n";
    long long balance = 100'000'000;  // fen
    char line[512];
    // The balance runs from row 0, so that a row reads the same in every file that holds it.
    for (int i = 0; i < last; ++i) {
        const bool sell = i % 3 == 2;
        const int quantity = 100 * (1 + i % 7);
        const int priceFen = 1000 + i % 500;
        const long long amount = static_cast<long long>(quantity) * priceFen;
        const long long commission = 500;
        const long long stamp = sell ? amount / 1000 : 0;
        const long long transfer = amount / 100'000;
        const long long net = sell ? amount - commission - stamp - transfer
                                   : -(amount + commission + stamp + transfer);
        balance += net;
        if (i < first) {
            continue;
        }
        auto yuan = [](long long fen, char* out) {
            std::snprintf(out, 32, "%s%lld.%02lld", fen < 0 ? "-" : "",
                          (fen < 0 ? -fen : fen) / 100, (fen < 0 ? -fen : fen) % 100);
            return out;
        };
        char a[32], c[32], s[32], t[32], n[32], b[32];
        std::snprintf(
            line, sizeof line,
            "2024%02d%02d\t%02d:%02d:%02d\t=\"%06d\"\t示例股份\t%s\t%d\t%d.%02d\t%s\t%s\t%s\t"
            "%s\t%s\t%s\t=\"%d\"\t=\"%d\"\t\r\n",
            1 + i / 28 % 12, 1 + i % 28, 9 + i % 6, i % 60, (i * 7) % 60, 600000 + i % 1000,
            sell ? "证券卖出" : "证券买入", quantity, priceFen / 100, priceFen % 100,
            yuan(amount, a), yuan(commission, c), yuan(stamp, s), yuan(transfer, t), yuan(net, n),
            yuan(balance, b), withIds ? i : 0, withIds ? 100'000 + i : 0);
        text += line;
    }
    return zm::settings::fromUtf8(zm::settings::CodePage::Gbk, text).value();
}

void readAndMatch(benchmark::State& state) {
    const bool withIds = state.range(0) != 0;
    // The journal: the keys of rows 5,000 to 14,999 of the same account.
    zm::statement::KeySet journal;
    for (const auto& row :
         zm::statement::readStatement(statementText(5'000, 15'000, withIds), "a", {}).rows) {
        journal.insert(row.key());
    }
    const std::string file = statementText(0, 10'000, withIds);
    int known = 0;
    for (auto _ : state) {
        const auto s = zm::statement::readStatement(file, "交割单.txt", journal);
        known = s.count(RowStatus::Known);
        benchmark::DoNotOptimize(known);
    }
    state.counters["rows"] = 10'000;
    state.counters["known"] = known;
}
BENCHMARK(readAndMatch)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
