// Fuzz target: the number-text parse and its conversions.
//
// Every input is tried as a field text. An independent, deliberately plain reading of the
// grammar, after the full-width digits and marks are replaced by their ASCII forms, decides
// whether it is a number and, through the C library's strtod on the cleaned text, which double
// it reads as; the parse must agree on both. The conversions to Money, to a
// whole number and the fen roundings are checked against exact quad-precision arithmetic.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fees/money.h"
#include "fees/number_text.h"

namespace {

using zm::Money;
using Quad = __float128;

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "number text fault: %s for text [%.*s]\n", what,
                 static_cast<int>(text.size()), text.data());
    std::abort();
}

// The full-width forms an input method types, replaced one by one by their ASCII forms.
std::string referenceAscii(std::string_view s) {
    struct Form {
        std::string_view wide;
        char ascii;
    };
    static constexpr Form kForms[] = {
        {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'}, {"４", '4'}, {"５", '5'}, {"６", '6'},
        {"７", '7'}, {"８", '8'}, {"９", '9'}, {"．", '.'}, {"，", ','}, {"－", '-'}, {"　", ' '},
    };
    std::string out;
    while (!s.empty()) {
        bool replaced = false;
        for (const Form& form : kForms) {
            if (s.starts_with(form.wide)) {
                out += form.ascii;
                s.remove_prefix(form.wide.size());
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += s.front();
            s.remove_prefix(1);
        }
    }
    return out;
}

// The grammar read the simple way: returns the text without blanks, plus sign and commas, or
// nullopt when the text is no number text (range aside).
std::optional<std::string> referenceClean(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    std::string out;
    std::size_t i = 0;
    auto digit = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            out += '-';
        }
        ++i;
    }
    // Integer part: either plain digits, or 1-3 digits followed by one or more ",ddd" groups.
    std::size_t start = i;
    while (digit(i)) {
        out += s[i++];
    }
    const std::size_t lead = i - start;
    if (i < s.size() && s[i] == ',') {
        if (lead < 1 || lead > 3) {
            return std::nullopt;
        }
        while (i < s.size() && s[i] == ',') {
            if (!(digit(i + 1) && digit(i + 2) && digit(i + 3)) || digit(i + 4)) {
                return std::nullopt;
            }
            out.append(s.substr(i + 1, 3));
            i += 4;
        }
    }
    const bool hasInt = i > start;
    bool hasFrac = false;
    if (i < s.size() && s[i] == '.') {
        out += '.';
        ++i;
        while (digit(i)) {
            out += s[i++];
            hasFrac = true;
        }
    }
    if (!hasInt && !hasFrac) {
        return std::nullopt;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            out += s[i++];
        }
        if (!digit(i)) {
            return std::nullopt;
        }
        while (digit(i)) {
            out += s[i++];
        }
    }
    if (i != s.size()) {
        return std::nullopt;
    }
    return out;
}

// The double the cleaned text stands for; nullopt when it is too large for a double.
std::optional<double> referenceValue(const std::string& clean) {
    errno = 0;
    const double v = std::strtod(clean.c_str(), nullptr);
    if (std::isinf(v)) {
        return std::nullopt;
    }
    return v;  // an underflow gives zero or the nearest subnormal, as the parse does
}

Quad quadOf(std::int64_t v) {
    return static_cast<Quad>(v);
}

// True when n is the nearest integer to x (exact in quad precision), ties to even.
bool isHalfEvenRounding(std::int64_t n, Quad x) {
    const Quad diff = quadOf(n) - x;
    if (diff > Quad(0.5) || diff < Quad(-0.5)) {
        return false;
    }
    if (diff == Quad(0.5) || diff == Quad(-0.5)) {
        return n % 2 == 0;
    }
    return true;
}

void checkConversions(std::string_view text, double d) {
    // Money: four decimals, halves to even, nullopt only outside the tick range.
    const auto money = zm::numberTextToMoney(text);
    const Quad ticksExact = static_cast<Quad>(d) * 10000;
    if (money) {
        if (!isHalfEvenRounding(money->ticks(), ticksExact)) {
            fail("Money is not the four-decimal rounding of the value", text);
        }
    } else if (std::fabs(d) < 9.2e14) {
        fail("a value inside Money's range was refused", text);
    }
    // Whole number: halves to even, nullopt only outside the 64-bit range.
    const auto whole = zm::numberTextToWhole(text);
    if (whole) {
        if (!isHalfEvenRounding(*whole, static_cast<Quad>(d))) {
            fail("whole number is not the rounding of the value", text);
        }
    } else if (std::fabs(d) < 9.2e18) {
        fail("a value inside the 64-bit range was refused as a whole number", text);
    }
    if (zm::IsNumberText(text) != true) {
        fail("IsNumberText disagrees with the parse", text);
    }
    // Fen rounding and ceiling of the double work on y = d × 100 as a double.
    const double y = d * 100.0;
    const auto fr = zm::fenRound(d);
    const auto fc = zm::fenCeil(d);
    if (std::fabs(y) < 9.0e16) {
        if (!fr || !fc || fr->ticks() % 100 != 0 || fc->ticks() % 100 != 0) {
            fail("fen rounding refused a value in range or left a part of a fen", text);
        }
        const std::int64_t fenR = fr->ticks() / 100;
        const std::int64_t fenC = fc->ticks() / 100;
        if (!isHalfEvenRounding(fenR, static_cast<Quad>(y))) {
            fail("fenRound is not the half-even rounding of x × 100", text);
        }
        if (static_cast<Quad>(fenC) < static_cast<Quad>(y) || fenC - fenR > 1 || fenC < fenR) {
            fail("fenCeil is below x × 100 or far from the rounding", text);
        }
        if (static_cast<Quad>(fenC - 1) >= static_cast<Quad>(y)) {
            fail("fenCeil is not the smallest fen count not below x × 100", text);
        }
    }
    // Money back to a double and again to Money is the identity inside the trade range.
    if (money && std::fabs(d) < 1.0e11) {
        const auto back = Money::fromDouble(money->toDouble());
        if (!back || *back != *money) {
            fail("Money to double to Money changed the value", text);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = zm::numberTextToDouble(text);
    const auto clean = referenceClean(referenceAscii(text));
    const std::optional<double> expected = clean ? referenceValue(*clean) : std::nullopt;
    if (parsed.has_value() != expected.has_value()) {
        fail(parsed ? "the parse accepted a text outside the grammar or range"
                    : "the parse refused a number text",
             text);
    }
    if (zm::IsNumberText(text) != parsed.has_value()) {
        fail("IsNumberText disagrees with numberTextToDouble", text);
    }
    if (!parsed) {
        if (zm::numberTextToMoney(text) || zm::numberTextToWhole(text)) {
            fail("a conversion accepted a text that is no number", text);
        }
        return 0;
    }
    if (!std::isfinite(*parsed) || *parsed != *expected) {
        fail("the parse read another double than the text's nearest one", text);
    }
    checkConversions(text, *parsed);
    return 0;
}
