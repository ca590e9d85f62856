#include "fees/display_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace zm {
namespace {

// |value| in whole units of `unitTicks` (a fen or a yuan), rounded half away from zero.
UInt128 roundedMagnitude(Money value, std::int64_t unitTicks) {
    Int128 t = value.ticks();
    if (t < 0) {
        t = -t;
    }
    const auto mag = static_cast<UInt128>(t);
    const auto unit = static_cast<UInt128>(unitTicks);
    return (mag + unit / 2) / unit;
}

std::string digits(UInt128 v) {
    if (v == 0) {
        return "0";
    }
    std::string s;
    while (v > 0) {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    }
    return s;
}

std::string grouped(const std::string& plain) {
    std::string out;
    const std::size_t n = plain.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(plain[i]);
    }
    return out;
}

enum class Lead { Forced, Optional };

// A fixed number of decimals (2 or 3), rounded half away from zero.
std::string fixedDecimals(Money value, int decimals, bool group, Lead lead) {
    const std::int64_t unitTicks = decimals == 3 ? 10 : Money::kTicksPerFen;
    const UInt128 perWhole = decimals == 3 ? 1000 : 100;
    const UInt128 units = roundedMagnitude(value, unitTicks);
    const UInt128 whole = units / perWhole;
    std::string out;
    if (value.ticks() < 0 && units != 0) {
        out.push_back('-');
    }
    if (whole != 0 || lead == Lead::Forced) {
        out += group ? grouped(digits(whole)) : digits(whole);
    }
    out.push_back('.');
    std::string frac = digits(units % perWhole + perWhole).substr(1);
    out += frac;
    return out;
}

std::string twoDecimals(Money value, bool group, Lead lead) {
    return fixedDecimals(value, 2, group, lead);
}

std::string wholeText(Money value, bool group, bool emptyForZero) {
    const UInt128 units = roundedMagnitude(value, Money::kTicksPerYuan);
    if (units == 0) {
        return emptyForZero ? std::string() : std::string("0");
    }
    std::string out = value.ticks() < 0 ? "-" : "";
    out += group ? grouped(digits(units)) : digits(units);
    return out;
}

}  // namespace

std::string formatAmount(Money value) {
    return twoDecimals(value, true, Lead::Forced);
}
std::string formatPrice(Money value) {
    return twoDecimals(value, false, Lead::Forced);
}
std::string formatAmount(Money value, int decimals) {
    return fixedDecimals(value, decimals, true, Lead::Forced);
}
std::string formatPrice(Money value, int decimals) {
    return fixedDecimals(value, decimals, false, Lead::Forced);
}
std::string formatCostPerShare(Money value) {
    return fixedDecimals(value, 3, false, Lead::Forced);
}
std::string formatGroupedNoLead(Money value) {
    return twoDecimals(value, true, Lead::Optional);
}
std::string formatGroupedWhole(Money value) {
    return wholeText(value, true, true);
}
std::string formatWhole(Money value) {
    return wholeText(value, false, false);
}

std::string formatMoneyGeneral(Money value) {
    Int128 t = value.ticks();
    std::string out = t < 0 ? "-" : "";
    if (t < 0) {
        t = -t;
    }
    const auto mag = static_cast<UInt128>(t);
    out += digits(mag / Money::kTicksPerYuan);
    auto frac = static_cast<int>(mag % Money::kTicksPerYuan);
    if (frac != 0) {
        std::string f = digits(static_cast<UInt128>(frac));
        f.insert(f.begin(), 4 - f.size(), '0');
        while (f.back() == '0') {
            f.pop_back();
        }
        out += "." + f;
    }
    return out;
}

std::string formatGeneral(double value) {
    if (!std::isfinite(value)) {
        return std::string();
    }
    if (value == 0.0) {
        return "0";  // no "-0"
    }
    // Rounded to 15 significant digits, the largest doubles (up to 1.7976931348623157e+308)
    // would read 1.79769313486232e+308, which is beyond every double and could not be read back.
    // They are written as the largest 15-digit text that is still a double.
    constexpr double kLargestFifteenDigits = 1.79769313486231e308;
    if (std::fabs(value) > kLargestFifteenDigits) {
        return value < 0 ? "-1.79769313486231e+308" : "1.79769313486231e+308";
    }
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    if (ec != std::errc()) {
        return std::string();
    }
    return std::string(buf, ptr);
}

std::optional<std::string> formatAmount(double value) {
    auto m = Money::fromDouble(value);
    return m ? std::optional<std::string>(formatAmount(*m)) : std::nullopt;
}

std::optional<std::string> formatPrice(double value) {
    auto m = Money::fromDouble(value);
    return m ? std::optional<std::string>(formatPrice(*m)) : std::nullopt;
}

}  // namespace zm
