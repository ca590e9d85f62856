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

// The step nearest to a double estimate, clamped to 0 … 2^31 − 1 (0 for not-a-number).
inline std::int32_t clampStep(double estimate) {
    constexpr double kLast = std::numeric_limits<std::int32_t>::max();
    if (!(estimate > 0.0)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::min(std::ceil(estimate), kLast));
}

// The first step i in 0 … 2^31 − 1 at which `test(i)` is not Continue, for a test whose outcome
// never goes back to Continue once it has left it (every price search here raises the net
// proceeds with every step, and a range overflow at one step stays an overflow at every later
// step), except that figures may be out of range at step 0 (a grid that starts far below zero
// overflows at its start, where a loop would stop at once). The result is exactly the one a loop
// over i = 0, 1, 2, … finds, without walking there: the search tests step 0, then `guess` (any
// step; a good estimate of the answer makes it cheap), gallops away from the guess in doubling
// strides (guess ± 1, 2, 4, …) until the outcome changes, then bisects the last stride. It never
// calls `test` more than 66 times, whatever the guess and the answer, and three times when the
// guess is right. nullopt when the first such step is out of range, or when no step up to
// 2^31 − 1 stops (a 32-bit step counter would overflow there).
template <class Test>
std::optional<std::int32_t> firstStopStep(Test&& test, std::int32_t guess = 0) {
    constexpr std::int32_t kLast = std::numeric_limits<std::int32_t>::max();
    guess = std::clamp(guess, std::int32_t{0}, kLast);
    StepOutcome hiOutcome = test(std::int32_t{0});
    if (hiOutcome != StepOutcome::Continue) {
        return hiOutcome == StepOutcome::Stop ? std::optional<std::int32_t>(0) : std::nullopt;
    }
    if (guess == 0) {
        guess = 1;  // step 0 is known to go on
    }
    std::int32_t lo = 0;  // test(lo) is Continue
    std::int32_t hi = 0;  // test(hi) is not Continue
    hiOutcome = test(guess);
    if (hiOutcome == StepOutcome::Continue) {
        // Gallop up from the guess.
        lo = guess;
        for (std::int64_t stride = 1;; stride *= 2) {
            if (lo == kLast) {
                return std::nullopt;
            }
            const auto next = static_cast<std::int32_t>(
                std::min<std::int64_t>(std::int64_t{guess} + stride, kLast));
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
        for (std::int64_t stride = 1;; stride *= 2) {
            const auto next =
                static_cast<std::int32_t>(std::max<std::int64_t>(std::int64_t{guess} - stride, 0));
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
        const std::int32_t mid = lo + (hi - lo) / 2;
        const StepOutcome o = test(mid);
        if (o == StepOutcome::Continue) {
            lo = mid;
        } else {
            hi = mid;
            hiOutcome = o;
        }
    }
    return hiOutcome == StepOutcome::Stop ? std::optional<std::int32_t>(hi) : std::nullopt;
}

// The lowest step i in 0 … 2^31 − 1 at which `test(i)` is Stop, for a test that is monotone only
// up to `window` steps: once a step stops, every step `window` or more above it stops too. A sale
// net of fees that are each rounded to the fen is such a test: one step more can lower the net by
// a fen or two when the roundings jump together, never more than the larger sale makes up within
// `window` steps. The search finds a first stop as firstStopStep does, then looks at the
// `window` steps below it, where alone an earlier stop can hide (the step just below it goes on,
// so no stop lies `window` or more below that). At most 66 + window calls of `test`.
template <class Test>
std::optional<std::int32_t> lowestStopStep(Test&& test, std::int32_t guess, std::int32_t window) {
    const std::optional<std::int32_t> first = firstStopStep(test, guess);
    if (!first) {
        return std::nullopt;
    }
    const std::int32_t from = std::max<std::int32_t>(0, *first - std::max(window, 1));
    for (std::int32_t i = from; i < *first; ++i) {
        if (test(i) == StepOutcome::Stop) {
            return i;
        }
    }
    return first;
}

}  // namespace zm
