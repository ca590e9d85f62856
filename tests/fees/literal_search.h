#pragma once

// The two price searches written the plain way, one price step at a time, for the tests and the
// benchmark only: the fast searches of break_even.cpp must find exactly what these find. They
// share no code with the fast ones beyond Money and its roundings.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "fees/money.h"

namespace zm::test {

// The outcome of a literal search. `finished` is false when the step budget ran out before the
// search ended; then `value` means nothing. A finished search with no value overflowed: a figure
// left Money's range, or the 32-bit step counter would pass 2^31 − 1.
template <class T>
struct LiteralOutcome {
    bool finished = false;
    std::optional<T> value;
    std::int64_t steps = 0;  // stop tests evaluated, over all the rounds
};

namespace literal_detail {

// Walks i = 0, 1, 2, … until `stops(i)` says so; `stops` returns nullopt when a figure of step i
// leaves Money's range. Returns nullopt in `value` for an overflow, unfinished when the budget
// runs out.
template <class Stops>
LiteralOutcome<std::int32_t> walk(const Stops& stops, std::int64_t& budget) {
    LiteralOutcome<std::int32_t> out;
    for (std::int64_t i = 0;; ++i) {
        if (i > std::numeric_limits<std::int32_t>::max()) {
            out.finished = true;  // the counter overflows: no result
            return out;
        }
        if (budget <= 0) {
            return out;
        }
        --budget;
        ++out.steps;
        const std::optional<bool> stop = stops(i);
        if (!stop) {
            out.finished = true;
            return out;
        }
        if (*stop) {
            out.finished = true;
            out.value = static_cast<std::int32_t>(i);
            return out;
        }
    }
}

inline std::optional<Money> stepPrice(Money start, std::int64_t i) {
    auto step = Money::fromDouble(static_cast<double>(i) * 0.01);
    return step ? Money::add(start, *step) : std::nullopt;
}

}  // namespace literal_detail

// The break-even price of `quantity` shares bought at `price` (rates per mille), searched one fen
// at a time: the three rounds with the buy fees at their minimums (commission at least 5.00, the
// transfer fee at least 1.00 below 1,000 shares) and the third round counting the larger of the
// proportional commission and 5 plus the transfer minimum 1. `maxSteps` bounds the stop tests
// over all rounds.
inline LiteralOutcome<Money> literalBreakEven(
    Money price, Money quantity, double c, double s,
    std::int64_t maxSteps = std::numeric_limits<std::int64_t>::max()) {
    LiteralOutcome<Money> out;
    out.finished = true;
    auto A = Money::mul(price, quantity);
    if (!A) {
        return out;
    }
    auto bc = fenRound(c * A->toDouble() * 0.001);
    auto bs = fenRound(s * A->toDouble() * 0.001);
    if (!bc || !bs) {
        return out;
    }
    if (*bc < Money::fromYuan(5)) {
        bc = Money::fromYuan(5);
    }
    const double qx = quantity.toDouble() * 0.001;
    auto bt = qx < 1 ? std::optional<Money>(Money::fromYuan(1)) : Money::fromDouble(qx);
    if (!bt) {
        return out;
    }
    auto sum = Money::add(*A, *bc);
    sum = sum ? Money::add(*sum, *bs) : std::nullopt;
    sum = sum ? Money::add(*sum, *bt) : std::nullopt;
    auto feesBs = Money::add(*bs, *bc);
    if (!sum || !feesBs) {
        return out;
    }
    auto p0 = fenRound(sum->toDouble() / quantity.toDouble());
    auto F = Money::fromDouble((qx < 1 ? 1.0 : qx) + feesBs->toDouble());
    if (!p0 || !F) {
        return out;
    }

    auto saleAt = [&](std::int64_t i) -> std::optional<Money> {
        auto p = literal_detail::stepPrice(*p0, i);
        return p ? Money::mul(*p, quantity) : std::nullopt;
    };
    auto roundWith = [&](auto g) {
        return [&, g](std::int64_t i) -> std::optional<bool> {
            auto S = saleAt(i);
            if (!S) {
                return std::nullopt;
            }
            auto G = Money::fromDouble(g(S->toDouble()));
            auto net = G ? Money::sub(*S, *F) : std::nullopt;
            net = net ? Money::sub(*net, *G) : std::nullopt;
            if (!net) {
                return std::nullopt;
            }
            return *net >= *A;
        };
    };

    std::int64_t budget = maxSteps;
    auto finish = [&](const LiteralOutcome<std::int32_t>& r) {
        out.steps += r.steps;
        out.finished = r.finished;
        return r.finished && r.value;
    };
    auto r = literal_detail::walk(
        roundWith([&](double S) { return qx + (s * S * 0.001 + c * S * 0.001); }), budget);
    if (!finish(r)) {
        return out;
    }
    auto S = saleAt(*r.value);
    if (!S) {
        return out;
    }
    if (c * S->toDouble() * 0.001 < 5) {
        r = literal_detail::walk(roundWith([&](double S2) { return qx + (s * S2 * 0.001 + 5); }),
                                 budget);
        if (!finish(r)) {
            return out;
        }
    }
    if (qx < 1) {
        r = literal_detail::walk(roundWith([&](double S3) {
                                     return s * S3 * 0.001 + std::max(c * S3 * 0.001, 5.0) + 1;
                                 }),
                                 budget);
        if (!finish(r)) {
            return out;
        }
    }
    out.value = literal_detail::stepPrice(*p0, *r.value);
    return out;
}

// The remaining-share search of a partial sale, one fen at a time from the base price raised to
// whole fen: the first step at which A − F > RemainTarget, then, when the commission there is
// below 5 yuan, again with the 5-yuan minimum. The value is the StepCount of the last round.
inline LiteralOutcome<std::int32_t> literalRemainingShareSteps(
    Money basePrice, Money qty, Money target, Money transferFee, double c, double s,
    std::int64_t maxSteps = std::numeric_limits<std::int64_t>::max()) {
    const auto start = fenCeilQuotient(basePrice, Money::fromYuan(1));
    if (!start) {
        return {true, std::nullopt, 0};
    }
    auto saleAt = [&](std::int64_t i) -> std::optional<Money> {
        auto p = literal_detail::stepPrice(*start, i);
        return p ? Money::mul(*p, qty) : std::nullopt;
    };
    auto roundWith = [&](bool minimum) {
        return [&, minimum](std::int64_t i) -> std::optional<bool> {
            auto A = saleAt(i);
            if (!A) {
                return std::nullopt;
            }
            const double a = A->toDouble();
            auto F = Money::fromDouble(minimum ? s * a * 0.001 + 5 : s * a * 0.001 + c * a * 0.001);
            F = F ? Money::add(*F, transferFee) : std::nullopt;
            auto net = F ? Money::sub(*A, *F) : std::nullopt;
            if (!net) {
                return std::nullopt;
            }
            return *net > target;
        };
    };
    std::int64_t budget = maxSteps;
    auto first = literal_detail::walk(roundWith(false), budget);
    if (!first.finished || !first.value) {
        return first;
    }
    auto A = saleAt(*first.value);
    if (!A) {
        return {true, std::nullopt, first.steps};
    }
    if (c * A->toDouble() * 0.001 < 5) {
        auto second = literal_detail::walk(roundWith(true), budget);
        second.steps += first.steps;
        return second;
    }
    return first;
}

}  // namespace zm::test
