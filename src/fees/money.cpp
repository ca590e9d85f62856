#include "fees/money.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace zm {
namespace {

constexpr Int128 kMaxTicks = std::numeric_limits<std::int64_t>::max();
constexpr Int128 kMinTicks = std::numeric_limits<std::int64_t>::min();

std::optional<std::int64_t> fitTicks(Int128 v) {
    if (v > kMaxTicks || v < kMinTicks) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(v);
}

std::int64_t saturate(Int128 v) {
    if (v > kMaxTicks) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (v < kMinTicks) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(v);
}

// |v| without overflow, also for the most negative value.
UInt128 magnitude(Int128 v) {
    return v < 0 ? UInt128{0} - static_cast<UInt128>(v) : static_cast<UInt128>(v);
}

Int128 withSign(UInt128 mag, bool negative) {
    return negative ? static_cast<Int128>(UInt128{0} - mag) : static_cast<Int128>(mag);
}

}  // namespace

Int128 divRoundHalfEven(Int128 num, Int128 den) {
    // Worked on unsigned magnitudes so that no intermediate (-num, 2 × remainder) can overflow.
    const bool negative = (num < 0) != (den < 0);
    const UInt128 n = magnitude(num);
    const UInt128 d = magnitude(den);
    UInt128 q = n / d;
    const UInt128 rem = n % d;
    const UInt128 toNext = d - rem;  // the remainder is above half of d when rem > d - rem
    if (rem > toNext || (rem == toNext && (q & 1) != 0)) {
        ++q;
    }
    return withSign(q, negative);
}

Int128 divRoundHalfUp(Int128 num, Int128 den) {
    const bool negative = (num < 0) != (den < 0);
    const UInt128 n = magnitude(num);
    const UInt128 d = magnitude(den);
    UInt128 q = n / d;
    // A remainder of at least half the divisor goes away from zero (2r ≥ d, without overflow).
    if (n % d >= d - n % d) {
        ++q;
    }
    return withSign(q, negative);
}

Int128 divCeil(Int128 num, Int128 den) {
    const bool negative = (num < 0) != (den < 0);
    const UInt128 n = magnitude(num);
    const UInt128 d = magnitude(den);
    UInt128 q = n / d;
    // A positive quotient with a remainder goes up; a negative one is already cut towards zero,
    // which is up.
    if (!negative && n % d != 0) {
        ++q;
    }
    return withSign(q, negative);
}

std::optional<Money> Money::fromDouble(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    if (value == 0.0) {
        return Money();
    }
    // value = ±mantissa × 2^exponent exactly, with an integer mantissa of at most 53 bits.
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent;
    if (biased == 0) {
        exponent = -1074;  // subnormal
    } else {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    if (exponent >= 0) {
        // A normal double with a non-negative exponent is at least 2^52 yuan, far beyond the
        // 64-bit tick range (about 9.2 × 10^14 yuan).
        return std::nullopt;
    }
    // ticks = mantissa × 10^4 ÷ 2^shift, rounded half to even. mantissa × 10^4 < 2^67, so from
    // a shift of 69 on the quotient is below a quarter of a tick; from 100 on it is not formed.
    const Int128 scaled = static_cast<Int128>(mantissa) * kTicksPerYuan;
    const int shift = -exponent;
    Int128 rounded = 0;
    if (shift < 100) {
        const Int128 one = 1;
        rounded = scaled >> shift;
        const Int128 rem = scaled & ((one << shift) - 1);
        const Int128 half = one << (shift - 1);
        if (rem > half || (rem == half && (rounded & 1) != 0)) {
            ++rounded;
        }
    }
    auto fitted = fitTicks(negative ? -rounded : rounded);
    if (!fitted) {
        return std::nullopt;
    }
    return Money(*fitted);
}

double Money::toDouble() const {
    constexpr std::int64_t kExactInDouble = std::int64_t{1} << 53;
    if (m_ticks > -kExactInDouble && m_ticks < kExactInDouble) {
        // The tick count is exact in a double, so the one division rounds correctly.
        return static_cast<double>(m_ticks) / static_cast<double>(kTicksPerYuan);
    }
    // Beyond 2^53 ticks the conversion to double would already round once; reading the exact
    // decimal text rounds once only.
    const UInt128 mag = magnitude(m_ticks);
    char text[32];
    char* p = text + sizeof text;
    UInt128 rest = mag;
    for (int digit = 0; digit < 4 || rest != 0; ++digit) {
        // cppcheck does not follow the 128-bit rest and takes the loop to end at digit 4.
        // cppcheck-suppress knownConditionTrueFalse
        if (digit == 4) {
            *--p = '.';
        }
        *--p = static_cast<char>('0' + static_cast<int>(rest % 10));
        rest /= 10;
    }
    if (m_ticks < 0) {
        *--p = '-';
    }
    double value = 0.0;
    std::from_chars(p, text + sizeof text, value);
    return value;
}

Money operator+(Money a, Money b) {
    return Money(saturate(static_cast<Int128>(a.m_ticks) + b.m_ticks));
}

Money operator-(Money a, Money b) {
    return Money(saturate(static_cast<Int128>(a.m_ticks) - b.m_ticks));
}

std::optional<Money> Money::add(Money a, Money b) {
    auto t = fitTicks(static_cast<Int128>(a.m_ticks) + b.m_ticks);
    return t ? std::optional<Money>(Money(*t)) : std::nullopt;
}

std::optional<Money> Money::sub(Money a, Money b) {
    auto t = fitTicks(static_cast<Int128>(a.m_ticks) - b.m_ticks);
    return t ? std::optional<Money>(Money(*t)) : std::nullopt;
}

std::optional<Money> Money::mul(Money a, Money b) {
    const Int128 product = static_cast<Int128>(a.m_ticks) * b.m_ticks;
    auto t = fitTicks(divRoundHalfEven(product, kTicksPerYuan));
    return t ? std::optional<Money>(Money(*t)) : std::nullopt;
}

std::optional<std::int64_t> roundHalfEven(double x) {
    // 2^63 is the first double outside the int64 range.
    if (!std::isfinite(x) || x >= 9223372036854775808.0 || x < -9223372036854775808.0) {
        return std::nullopt;
    }
    const double f = std::floor(x);
    const double frac = x - f;  // exact: x and floor(x) share their exponent range
    double r = f;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(f, 2.0) != 0.0)) {
        r = f + 1.0;
    }
    if (r >= 9223372036854775808.0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(r);
}

namespace {
std::optional<Money> fenToMoney(Int128 fen) {
    auto t = fitTicks(fen * Money::kTicksPerFen);
    return t ? std::optional<Money>(Money::fromTicks(*t)) : std::nullopt;
}
}  // namespace

std::optional<Money> fenRound(double x) {
    auto fen = roundHalfEven(x * 100.0);
    if (!fen) {
        return std::nullopt;
    }
    return fenToMoney(*fen);
}

Money fenRound(Money m) {
    return Money::fromTicks(
        saturate(divRoundHalfEven(m.ticks(), Money::kTicksPerFen) * Money::kTicksPerFen));
}

std::optional<Money> fenCeil(double x) {
    const double y = x * 100.0;
    auto r = roundHalfEven(y);
    if (!r) {
        return std::nullopt;
    }
    Int128 fen = *r;
    if (y > static_cast<double>(*r)) {
        ++fen;
    }
    return fenToMoney(fen);
}

std::optional<Money> fenCeilQuotient(Money num, Money den) {
    if (den.isZero()) {
        return std::nullopt;
    }
    // num / den yuan is num × 100 / den fen.
    return fenToMoney(divCeil(static_cast<Int128>(num.ticks()) * 100, den.ticks()));
}

std::optional<Money> stepCeilQuotient(Money num, Money den, Money step) {
    if (den.isZero() || step.ticks() <= 0) {
        return std::nullopt;
    }
    // num / den yuan is num × 10^4 / (den × step) steps.
    const Int128 steps = divCeil(static_cast<Int128>(num.ticks()) * Money::kTicksPerYuan,
                                 static_cast<Int128>(den.ticks()) * step.ticks());
    const auto ticks = fitTicks(steps * step.ticks());
    return ticks ? std::optional<Money>(Money::fromTicks(*ticks)) : std::nullopt;
}

std::optional<Money> checkedSum(std::optional<Money> a, std::optional<Money> b) {
    return a && b ? Money::add(*a, *b) : std::nullopt;
}

std::optional<Money> checkedDifference(std::optional<Money> a, std::optional<Money> b) {
    return a && b ? Money::sub(*a, *b) : std::nullopt;
}

}  // namespace zm
