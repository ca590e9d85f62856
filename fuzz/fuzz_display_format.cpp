// Fuzz target: every display format read back through the number-text parse.
//
// The input gives a Money value (eight bytes of ticks) and a double (eight more bytes, or the
// Money value when the input is shorter). Each format's text must be a number text (the empty
// text of a zero in "###,###" aside) that reads back to the value rounded as the format shows
// it: to the fen or the yuan, half away from zero; the general forms read back to the value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "fees/display_format.h"
#include "fees/money.h"
#include "fees/number_text.h"

namespace {

using zm::Money;

[[noreturn]] void fail(const char* what, const std::string& text, std::int64_t ticks) {
    std::fprintf(stderr, "display format fault: %s: text [%s] for %lld ticks\n", what, text.c_str(),
                 static_cast<long long>(ticks));
    std::abort();
}

// Inside this magnitude a text with at most four decimals reads back to the exact Money value
// (the double nearest to it is within a twentieth of a tick).
constexpr std::int64_t kExactReadBackTicks = 1'000'000'000'000'000LL;  // 10^11 yuan

// |v| without overflow for the most negative value.
unsigned __int128 magnitude(std::int64_t v) {
    const __int128 w = v;
    return static_cast<unsigned __int128>(w < 0 ? -w : w);
}

// The shape of a format: optional minus, digits grouped by commas or not, two decimals or none.
bool hasShape(const std::string& s, bool grouped, int decimals, bool leadOptional) {
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        ++i;
    }
    const std::size_t intStart = i;
    std::size_t end = s.size() - (decimals > 0 ? static_cast<std::size_t>(decimals) + 1 : 0);
    if (end < intStart || end > s.size()) {
        return false;
    }
    const std::string intPart = s.substr(intStart, end - intStart);
    if (intPart.empty() && !leadOptional) {
        return false;
    }
    for (std::size_t k = 0; k < intPart.size(); ++k) {
        const std::size_t fromEnd = intPart.size() - k;
        const bool commaPlace = grouped && fromEnd % 4 == 0;
        if (commaPlace ? intPart[k] != ',' : (intPart[k] < '0' || intPart[k] > '9')) {
            return false;
        }
    }
    if (intPart.size() > 1 && intPart[0] == '0') {
        return false;  // no leading zeros
    }
    if (decimals > 0) {
        if (s[end] != '.') {
            return false;
        }
        for (std::size_t k = end + 1; k < s.size(); ++k) {
            if (s[k] < '0' || s[k] > '9') {
                return false;
            }
        }
    }
    return true;
}

// The value shown, as ticks, when the format rounds to `unit` ticks half away from zero.
void checkRounded(const char* name, const std::string& text, Money value, std::int64_t unit) {
    const std::int64_t t = value.ticks();
    const auto asDouble = zm::numberTextToDouble(text);
    if (!asDouble) {
        fail(name, text, t);
    }
    if (magnitude(t) < static_cast<unsigned __int128>(kExactReadBackTicks)) {
        const auto back = zm::numberTextToMoney(text);
        if (!back) {
            fail(name, text, t);
        }
        const __int128 r = back->ticks();
        const __int128 diff = r - t;
        if (r % unit != 0 || diff > unit / 2 || -diff > unit / 2) {
            fail("the text does not read back to the value rounded as shown", text, t);
        }
        const bool half = diff == unit / 2 || -diff == unit / 2;
        if (half && ((t > 0 && r < t) || (t < 0 && r > t))) {
            fail("a half was not rounded away from zero", text, t);
        }
        if (t != 0 && r != 0 && (r > 0) != (t > 0)) {
            fail("the text has the wrong sign", text, t);
        }
    } else {
        // Beyond every trade the text still reads as a number, close to the value (the value
        // rounded for display may lie just outside Money's range, so it is read as a double).
        const long double shown = static_cast<long double>(*asDouble) * Money::kTicksPerYuan;
        const long double err = std::fabs(shown - static_cast<long double>(t));
        if (err >
            static_cast<long double>(unit) / 2 + std::fabs(static_cast<long double>(t)) * 1e-15L) {
            fail("a large value read back far from the value", text, t);
        }
    }
}

void checkMoneyFormats(Money m) {
    const std::int64_t t = m.ticks();
    const std::string amount = zm::formatAmount(m);
    if (!hasShape(amount, true, 2, false)) {
        fail("formatAmount has the wrong shape", amount, t);
    }
    checkRounded("formatAmount is no number text", amount, m, Money::kTicksPerFen);

    const std::string price = zm::formatPrice(m);
    if (!hasShape(price, false, 2, false)) {
        fail("formatPrice has the wrong shape", price, t);
    }
    checkRounded("formatPrice is no number text", price, m, Money::kTicksPerFen);

    const std::string noLead = zm::formatGroupedNoLead(m);
    if (!hasShape(noLead, true, 2, true) || (noLead.size() > 3 && noLead[0] == '0') ||
        noLead.rfind("-0", 0) == 0) {
        fail("formatGroupedNoLead has the wrong shape", noLead, t);
    }
    checkRounded("formatGroupedNoLead is no number text", noLead, m, Money::kTicksPerFen);

    const std::string groupedWhole = zm::formatGroupedWhole(m);
    if (groupedWhole.empty()) {
        if (magnitude(t) >= Money::kTicksPerYuan / 2) {
            fail("formatGroupedWhole left out a value that rounds to a whole yuan", groupedWhole,
                 t);
        }
    } else {
        if (!hasShape(groupedWhole, true, 0, false) || groupedWhole == "0") {
            fail("formatGroupedWhole has the wrong shape", groupedWhole, t);
        }
        checkRounded("formatGroupedWhole is no number text", groupedWhole, m, Money::kTicksPerYuan);
    }

    const std::string whole = zm::formatWhole(m);
    if (!hasShape(whole, false, 0, false) || whole == "-0") {
        fail("formatWhole has the wrong shape", whole, t);
    }
    checkRounded("formatWhole is no number text", whole, m, Money::kTicksPerYuan);

    const std::string general = zm::formatMoneyGeneral(m);
    const auto back = zm::numberTextToMoney(general);
    if (!zm::IsNumberText(general) || general.find(',') != std::string::npos ||
        (general.find('.') != std::string::npos && general.back() == '0')) {
        fail("formatMoneyGeneral is no plain number text", general, t);
    }
    if (magnitude(t) < static_cast<unsigned __int128>(kExactReadBackTicks) &&
        (!back || *back != m)) {
        fail("formatMoneyGeneral does not read back to the value", general, t);
    }
}

void checkGeneral(double d) {
    const std::string text = zm::formatGeneral(d);
    if (!std::isfinite(d)) {
        if (!text.empty()) {
            fail("formatGeneral wrote a text for a value that is no number", text, 0);
        }
        return;
    }
    const auto back = zm::numberTextToDouble(text);
    if (!back || text.find(',') != std::string::npos) {
        fail("formatGeneral is no plain number text", text, 0);
    }
    // Fifteen significant digits: the text is within half a unit of the fifteenth digit of the
    // value, and the read-back within half a unit in the last place of the text (the largest
    // doubles are written as the largest fifteen-digit text that is a double).
    if (std::fabs(d) <= 1.79769313486231e308) {
        const double err = std::fabs(*back - d);
        if (err > std::fabs(d) * (5e-15 + 2.3e-16) + 5e-324) {
            fail("formatGeneral does not read back to the value", text, 0);
        }
    }
    // Writing the read-back value again gives the same text.
    if (zm::formatGeneral(*back) != text) {
        fail("formatGeneral is not stable under a read-back", text, 0);
    }
    // The double-valued helpers go through Money.
    const auto m = Money::fromDouble(d);
    const auto amount = zm::formatAmount(d);
    const auto price = zm::formatPrice(d);
    if (m.has_value() != amount.has_value() || m.has_value() != price.has_value()) {
        fail("formatAmount(double) disagrees with Money::fromDouble", text, 0);
    }
    if (m && (*amount != zm::formatAmount(*m) || *price != zm::formatPrice(*m))) {
        fail("formatAmount(double) differs from the Money form", text, 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int64_t ticks = 0;
    std::memcpy(&ticks, data, size < 8 ? size : 8);
    const Money m = Money::fromTicks(ticks);
    checkMoneyFormats(m);
    // Also the value a few ticks either side and the values of typical displayed sizes.
    checkMoneyFormats(Money::fromTicks(ticks % 10'000'000'000'000LL));
    double d = m.toDouble();
    if (size >= 16) {
        std::memcpy(&d, data + 8, 8);
    }
    checkGeneral(d);
    checkGeneral(static_cast<double>(ticks % 100'000'000) / 10000.0);
    return 0;
}
