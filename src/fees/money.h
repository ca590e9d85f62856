#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace zm {

// 128-bit integers for exact products and quotients of Money values.
__extension__ using Int128 = __int128;
__extension__ using UInt128 = unsigned __int128;

// A signed amount of yuan held exactly as a count of ten-thousandths (four decimals).
// Sums and differences are exact. Every operation that can leave the 64-bit range reports it
// (std::nullopt) instead of wrapping, so a caller can refuse the input that led there.
class Money {
public:
    static constexpr std::int64_t kTicksPerYuan = 10000;
    static constexpr std::int64_t kTicksPerFen = 100;

    constexpr Money() = default;
    static constexpr Money fromTicks(std::int64_t ticks) { return Money(ticks); }
    // Whole fen; the caller keeps |fen| well inside the range (any int32 fen count is safe).
    static constexpr Money fromFen(std::int64_t fen) { return Money(fen * kTicksPerFen); }
    static constexpr Money fromYuan(std::int64_t yuan) { return Money(yuan * kTicksPerYuan); }

    // The double's exact binary value rounded to four decimals, an exact half going to the even
    // neighbour. Not a number, infinity or a value outside the range gives nullopt.
    static std::optional<Money> fromDouble(double value);

    constexpr std::int64_t ticks() const { return m_ticks; }
    // The double nearest to the exact value.
    double toDouble() const;
    constexpr bool isZero() const { return m_ticks == 0; }
    // True when the value is a whole number of fen (no third or fourth decimal).
    constexpr bool isWholeFen() const { return m_ticks % kTicksPerFen == 0; }

    // clang-tidy 14 takes the 0 that a defaulted <=> compares with for a null pointer.
    // NOLINTNEXTLINE(modernize-use-nullptr)
    friend constexpr auto operator<=>(Money, Money) = default;

    // Exact sum and difference. Values inside the supported trade range can never overflow;
    // an overflow outside it saturates at the range end instead of wrapping round.
    friend Money operator+(Money a, Money b);
    friend Money operator-(Money a, Money b);
    friend Money operator-(Money a) { return Money(0) - a; }
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }

    // Checked forms for callers that must refuse an out-of-range result.
    static std::optional<Money> add(Money a, Money b);
    static std::optional<Money> sub(Money a, Money b);
    // The exact product rounded to four decimals, halves to the even neighbour.
    static std::optional<Money> mul(Money a, Money b);

private:
    constexpr explicit Money(std::int64_t ticks) : m_ticks(ticks) {}
    std::int64_t m_ticks = 0;
};

// Rounds an integer quotient num / den (den != 0) to the nearest integer, halves to even.
// Works on 128-bit values so that Money products and quotients stay exact; any num and den,
// the most negative included, as long as the rounded quotient fits.
Int128 divRoundHalfEven(Int128 num, Int128 den);
// Rounds num / den (den != 0) to the nearest integer, halves away from zero (四舍五入: 2.5 gives
// 3, -2.5 gives -3), under the same condition.
Int128 divRoundHalfUp(Int128 num, Int128 den);
// The smallest integer not below num / den (den != 0), under the same condition.
Int128 divCeil(Int128 num, Int128 den);

// Fen rounding of a double: x × 100 rounded to the nearest integer, halves to the even
// neighbour, as a whole number of fen. nullopt when x is not finite or the fen count leaves the
// 64-bit range; inside the 32-bit range the result equals the classic 32-bit rounding.
std::optional<Money> fenRound(double x);
// Fen rounding of a Money value: m × 100 exactly, rounded to an integer, halves to even.
Money fenRound(Money m);
// Fen ceiling of a double: the smallest whole number of fen not below x, formed as
// y = x × 100, r = y rounded half to even, r + 1 fen when y > r.
std::optional<Money> fenCeil(double x);
// Fen ceiling of the exact quotient num / den of two Money values (den != 0), computed without
// rounding on the way: 1,005.00 / 100 is exactly 10.05, never 10.06.
std::optional<Money> fenCeilQuotient(Money num, Money den);
// The same on any price step (one fen, or 0.001 yuan): the smallest multiple of `step` not below
// num / den.
std::optional<Money> stepCeilQuotient(Money num, Money den, Money step);
// Sums and differences along a chain of checked steps: nullopt when either operand already is
// or the result leaves the range, so a computation can chain them and test once at the end.
std::optional<Money> checkedSum(std::optional<Money> a, std::optional<Money> b);
std::optional<Money> checkedDifference(std::optional<Money> a, std::optional<Money> b);

// The nearest integer to x, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
// nullopt when x is not finite or outside the 64-bit range.
std::optional<std::int64_t> roundHalfEven(double x);

}  // namespace zm
