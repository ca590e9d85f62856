// Fuzz target: the input rules of the journal's fields.
//
// Every input is typed into each field of the journal. Whatever the text, a refusal must carry
// a message in the program's style ("输入错误，……，请重新输入" and seven blanks); an acceptance
// must keep the field's range, and the text it is rewritten to must be accepted again as the
// same value and the same text, so that confirming a field twice never changes it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fees/fee_rules.h"
#include "fees/money.h"
#include "input/journal_rules.h"

namespace {

using zm::Money;
using zm::Verdict;

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "journal rule fault: %s for text [%.*s]\n", what,
                 static_cast<int>(text.size()), text.data());
    std::abort();
}

// A fixed day, so that a run replays the same verdicts whatever day it runs on.
constexpr zm::TradeDate kToday{2026, 7, 6};

void checkRefusal(const Verdict& v, std::string_view text) {
    if (!v.message.starts_with("输入错误，") || !v.message.ends_with("请重新输入       ")) {
        fail("refusal without a message in the program's style", text);
    }
}

// The verdict of `rule` on `text`, and on the text it rewrote an accepted one to.
template <class Rule>
Verdict checkStable(Rule rule, std::string_view text) {
    const Verdict v = rule(text);
    if (!v.accepted) {
        checkRefusal(v, text);
        return v;
    }
    if (!v.shown) {
        fail("acceptance without its rewritten text", text);
    }
    const Verdict again = rule(*v.shown);
    if (!again.accepted || again.shown != v.shown || again.stored != v.stored) {
        fail("rewritten text not taken back as the same value", text);
    }
    return v;
}

bool isSixDigits(std::string_view s) {
    return s.size() == 6 && s.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const Verdict code = checkStable(zm::ruleJournalCode, text);
    if (code.accepted && !isSixDigits(*code.shown)) {
        fail("a code that is not six digits", text);
    }

    const Verdict date =
        checkStable([](std::string_view t) { return zm::ruleJournalDate(t, kToday); }, text);
    if (date.accepted) {
        const auto day = zm::TradeDate::parse(*date.shown);
        if (!day || *day < zm::kFirstTradingDay || kToday < *day) {
            fail("a date outside the trading days", text);
        }
    }

    const Verdict quantity = checkStable(zm::ruleJournalQuantity, text);
    if (quantity.accepted && (*quantity.stored < Money::fromYuan(1) ||
                              quantity.stored->ticks() % Money::kTicksPerYuan != 0)) {
        fail("a quantity that is not a whole number of shares", text);
    }

    const Verdict price = checkStable(zm::ruleJournalPrice, text);
    if (price.accepted && *price.stored < Money()) {
        fail("a negative price", text);
    }

    for (const auto field : {zm::JournalMoneyField::Commission, zm::JournalMoneyField::StampDuty,
                             zm::JournalMoneyField::TransferFee, zm::JournalMoneyField::OtherFees,
                             zm::JournalMoneyField::Total}) {
        const Verdict fee = checkStable(
            [field](std::string_view t) { return zm::ruleJournalMoney(t, field); }, text);
        if (fee.accepted && (*fee.stored < Money() || !fee.stored->isWholeFen())) {
            fail("a fee that is not money", text);
        }
    }

    for (const auto field : {zm::PerTenField::Cash, zm::PerTenField::Bonus}) {
        const Verdict perTen = checkStable(
            [field](std::string_view t) { return zm::ruleJournalPerTen(t, field); }, text);
        if (perTen.accepted && *perTen.stored < Money()) {
            fail("a negative figure per 10 shares", text);
        }
    }

    const Verdict year = checkStable(zm::ruleJournalYear, text);
    if (year.accepted &&
        (*year.stored < Money::fromYuan(1990) || Money::fromYuan(9999) < *year.stored)) {
        fail("a year outside 1990 to 9999", text);
    }
    return 0;
}
