#include "fees/money.h"

#include <bit>
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

}  // namespace

Int128 divRoundHalfEven(Int128 num, Int128 den) {
    const bool negative = (num < 0) != (den < 0);
    const Int128 n = num < 0 ? -num : num;
    const Int128 d = den < 0 ? -den : den;
    Int128 q = n / d;
    const Int128 twiceRem = 2 * (n % d);
    if (twiceRem > d || (twiceRem == d && (q & 1) != 0)) {
        ++q;
    }
    return negative ? -q : q;
}

Int128 divCeil(Int128 num, Int128 den) {
    Int128 q = num / den;
    if (num % den != 0 && ((num < 0) == (den < 0))) {
        ++q;
    }
    return q;
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
    // ticks = mantissa × 10^4 × 2^exponent, rounded half to even. mantissa × 10^4 < 2^67.
    const Int128 scaled = static_cast<Int128>(mantissa) * kTicksPerYuan;
    Int128 ticks;
    if (exponent >= 0) {
        if (exponent > 62) {
            return std::nullopt;
        }
        ticks = scaled << exponent;
        if (ticks > kMaxTicks) {
            return std::nullopt;
        }
    } else {
        const int shift = -exponent;
        if (shift >= 100) {
            ticks = 0;  // below a quarter of a tick: rounds to zero
        } else {
            const Int128 one = 1;
            ticks = scaled >> shift;
            const Int128 rem = scaled & ((one << shift) - 1);
            const Int128 half = one << (shift - 1);
            if (rem > half || (rem == half && (ticks & 1) != 0)) {
                ++ticks;
            }
        }
    }
    auto fitted = fitTicks(negative ? -ticks : ticks);
    if (!fitted) {
        return std::nullopt;
    }
    return Money(*fitted);
}

double Money::toDouble() const {
    // Exact for |ticks| < 2^53 and then correctly rounded by the one division.
    return static_cast<double>(m_ticks) / static_cast<double>(kTicksPerYuan);
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
    return Money::fromTicks(saturate(divRoundHalfEven(m.ticks(), Money::kTicksPerFen) *
                                     Money::kTicksPerFen));
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

}  // namespace zm
