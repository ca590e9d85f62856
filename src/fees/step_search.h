#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace zm {

// What one step of a price search finds: go on to the next step, stop here, or the step's
// figures leave Money's range (the search cannot go on and has no result).
enum class StepOutcome { Continue, Stop, OutOfRange };

// The last step of a search that counts its steps in 32 bits (2^31 − 1): the fen grids that
// start at a purchase's cost, whose step count the calculation state keeps.
inline constexpr std::int64_t kLastStep32 = std::numeric_limits<std::int32_t>::max();

// The step nearest above a double estimate, clamped to 0 … last (0 for not-a-number).
inline std::int64_t clampStep(double estimate, std::int64_t last) {
    if (!(estimate > 0.0)) {
        return 0;
    }
    const double up = std::ceil(estimate);
    // Compared as doubles: a `last` near 2^63 rounds up, and no double at or above it converts.
    return up >= static_cast<double>(last) ? last : std::min(static_cast<std::int64_t>(up), last);
}

// The next stride of a gallop: twice the last, saturating at the largest 64-bit step.
inline std::int64_t doubledStride(std::int64_t stride) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    return stride > kMax / 2 ? kMax : stride * 2;
}

// The first step i in 0 … last at which `test(i)` is not Continue, for a test whose outcome
// never goes back to Continue once it has left it (every price search here raises the net
// proceeds with every step, and a range overflow at one step stays an overflow at every later
// step), except that figures may be out of range at step 0 (a grid that starts far below zero
// overflows at its start, where a loop would stop at once). The result is exactly the one a loop
// over i = 0, 1, 2, … finds, without walking there: the search tests step 0, then `guess` (any
// step; a good estimate of the answer makes it cheap), gallops away from the guess in doubling
// strides (guess ± 1, 2, 4, …) until the outcome changes, then bisects the last stride. It calls
// `test` at most 2 × ⌈log2(last + 1)⌉ + 4 times (66 for last = 2^31 − 1), whatever the guess
// and the answer, and three times when the guess is right. nullopt when the first such step is
// out of range, or when no step up to `last` stops.
template <class Test>
std::optional<std::int64_t> firstStopStep(Test&& test, std::int64_t guess,
                                          std::int64_t last = kLastStep32) {
    if (last < 0) {
        return std::nullopt;
    }
    guess = std::clamp<std::int64_t>(guess, 0, last);
    StepOutcome hiOutcome = test(std::int64_t{0});
    if (hiOutcome != StepOutcome::Continue) {
        return hiOutcome == StepOutcome::Stop ? std::optional<std::int64_t>(0) : std::nullopt;
    }
    if (last == 0) {
        return std::nullopt;
    }
    if (guess == 0) {
        guess = 1;  // step 0 is known to go on
    }
    std::int64_t lo = 0;  // test(lo) is Continue
    std::int64_t hi = 0;  // test(hi) is not Continue
    hiOutcome = test(guess);
    if (hiOutcome == StepOutcome::Continue) {
        // Gallop up from the guess.
        lo = guess;
        for (std::int64_t stride = 1;; stride = doubledStride(stride)) {
            if (lo == last) {
                return std::nullopt;
            }
            const std::int64_t next = stride > last - guess ? last : guess + stride;
            hiOutcome = test(next);
            if (hiOutcome != StepOutcome::Continue) {
                hi = next;
                break;
            }
            lo = next;
        }
    } else {
        // Gallop down from the guess, towards step 0, which goes on.
        hi = guess;
        for (std::int64_t stride = 1;; stride = doubledStride(stride)) {
            const std::int64_t next = stride >= guess ? 0 : guess - stride;
            if (next == 0) {
                lo = 0;
                break;
            }
            const StepOutcome o = test(next);
            if (o == StepOutcome::Continue) {
                lo = next;
                break;
            }
            hi = next;
            hiOutcome = o;
        }
    }
    // test(lo) is Continue, test(hi) is not: the first step that stops lies in (lo, hi].
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        const StepOutcome o = test(mid);
        if (o == StepOutcome::Continue) {
            lo = mid;
        } else {
            hi = mid;
            hiOutcome = o;
        }
    }
    return hiOutcome == StepOutcome::Stop ? std::optional<std::int64_t>(hi) : std::nullopt;
}

// The lowest step i in 0 … last at which `test(i)` is Stop, for a test that is monotone only
// up to `window` steps: once a step stops, every step `window` or more above it stops too. A sale
// net of fees that are each rounded to the fen is such a test: one step more can lower the net by
// a fen or two when the roundings jump together, never more than the larger sale makes up within
// `window` steps. The search finds a first stop as firstStopStep does, then looks at the
// `window` steps below it, where alone an earlier stop can hide (the step just below it goes on,
// so no stop lies `window` or more below that). A window of 0 is a monotone test, whose first
// stop is the lowest. At most window more calls of `test` than firstStopStep makes.
template <class Test>
std::optional<std::int64_t> lowestStopStep(Test&& test, std::int64_t guess, std::int64_t window,
                                           std::int64_t last = kLastStep32) {
    const std::optional<std::int64_t> first = firstStopStep(test, guess, last);
    if (!first) {
        return std::nullopt;
    }
    // The step just below the first stop went on; the look-back starts below it.
    const std::int64_t from = *first - std::min(std::max<std::int64_t>(window, 1), *first);
    for (std::int64_t i = from; i + 1 < *first; ++i) {
        if (test(i) == StepOutcome::Stop) {
            return i;
        }
    }
    return first;
}

}  // namespace zm
