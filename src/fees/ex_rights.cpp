#include "fees/ex_rights.h"

#include "fees/limits.h"

namespace zm {

Outcome<Money, ExRightsRefusal> exRightsPrice(const ExRightsInput& in) {
    const auto inRange = [](Money m) { return m >= Money() && m <= limits::kMaxPrice; };
    if (in.close <= Money() || !inRange(in.close) || !inRange(in.cashPer10) ||
        !inRange(in.bonusPer10) || !inRange(in.rightsPer10) || !inRange(in.rightsPrice)) {
        return ExRightsRefusal::InvalidInput;
    }
    // In ticks (10^-4): the numerator counts ticks × ticks, the denominator ticks, so that their
    // quotient is in ticks; a fen is 100 of them.
    constexpr Int128 kTick = Money::kTicksPerYuan;
    const Int128 num = (Int128{10} * in.close.ticks() - in.cashPer10.ticks()) * kTick +
                       Int128{in.rightsPrice.ticks()} * in.rightsPer10.ticks();
    const Int128 den = Int128{10} * kTick + in.bonusPer10.ticks() + in.rightsPer10.ticks();
    const Int128 fen = divRoundHalfUp(num, den * Money::kTicksPerFen);
    if (fen <= 0) {
        return ExRightsRefusal::NotAboveZero;
    }
    return Money::fromFen(static_cast<std::int64_t>(fen));
}

}  // namespace zm
