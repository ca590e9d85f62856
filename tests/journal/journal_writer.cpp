// Adds entries to the journal named on the command line until it is stopped, printing each
// committed entry's id on its own line as soon as the store has reported it. The kill test
// stops it at random moments and checks the journal kept every id printed.
#include <cstdio>

#include "journal/store.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s JOURNAL\n", argv[0]);
        return 2;
    }
    zm::journal::Store store;
    if (store.open(argv[1]).status != zm::journal::OpenStatus::Ok) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], store.lastError().c_str());
        return 1;
    }
    zm::journal::Entry e;
    e.date = {2024, 3, 1};
    e.code = "600000";
    e.name = "浦发银行";
    e.amount = zm::Money::fromYuan(1000);
    for (std::int64_t n = 1;; ++n) {
        e.quantity = n;
        const auto id = store.add(e);
        if (!id) {
            std::fprintf(stderr, "add failed: %s\n", store.lastError().c_str());
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(*id));
        std::fflush(stdout);
    }
}
