#include "fees/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace zm {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar and, when it holds, writes the text in the plain form that from_chars reads
// (no blanks, no plus sign, no commas). decimalMagnitude receives the power of ten of the first
// significant digit, so that an out-of-range parse can tell overflow from underflow.
bool normalise(std::string_view typed, std::string& out, long long& decimalMagnitude) {
    const std::string ascii = asciiNumberText(typed);
    std::string_view s = trimBlanks(ascii);
    std::size_t i = 0;
    out.clear();
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            out.push_back('-');
        }
        ++i;
    }
    // Integer part with optional comma groups: 1 to 3 digits, then ",ddd" groups.
    std::size_t intDigits = 0;
    std::size_t groupLen = 0;
    bool grouped = false;
    long long firstSignificant = 0;  // position among integer digits, or negative in the fraction
    bool haveSignificant = false;
    std::size_t significantIntDigits = 0;
    while (i < s.size() && (isDigit(s[i]) || s[i] == ',')) {
        if (s[i] == ',') {
            if (groupLen == 0 || (grouped && groupLen != 3) || (!grouped && groupLen > 3)) {
                return false;
            }
            grouped = true;
            groupLen = 0;
        } else {
            out.push_back(s[i]);
            ++intDigits;
            ++groupLen;
            if (haveSignificant) {
                ++significantIntDigits;
            } else if (s[i] != '0') {
                haveSignificant = true;
                significantIntDigits = 1;
            }
        }
        ++i;
    }
    if (grouped && groupLen != 3) {
        return false;  // "1,2", "1,000," and "1,0000" are no groups of three
    }
    std::size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        out.push_back('.');
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            out.push_back(s[i]);
            if (!haveSignificant && s[i] != '0') {
                haveSignificant = true;
                firstSignificant = -static_cast<long long>(fracDigits) - 1;
            }
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0) {
        return false;
    }
    if (haveSignificant && significantIntDigits > 0) {
        firstSignificant = static_cast<long long>(significantIntDigits) - 1;
    }
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        out.push_back('e');
        ++i;
        bool negativeExp = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExp = s[i] == '-';
            if (negativeExp) {
                out.push_back('-');
            }
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            out.push_back(s[i]);
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + (s[i] - '0');
            }
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) {
            return false;
        }
        if (negativeExp) {
            exponent = -exponent;
        }
    }
    if (i != s.size()) {
        return false;
    }
    decimalMagnitude = haveSignificant ? firstSignificant + exponent : -1'000'000'000'000LL;
    return true;
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string asciiNumberText(std::string_view text) {
    // In UTF-8, U+FF0C to U+FF0E and U+FF10 to U+FF19 are EF BC 8C … 8E and EF BC 90 … 99;
    // U+3000 is E3 80 80.
    const auto byte = [text](std::size_t k) {
        return k < text.size() ? static_cast<unsigned char>(text[k]) : 0U;
    };
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char ascii = 0;
        if (byte(i) == 0xEF && byte(i + 1) == 0xBC) {
            const unsigned last = byte(i + 2);
            if (last >= 0x90 && last <= 0x99) {
                ascii = static_cast<char>('0' + (last - 0x90));
            } else if (last == 0x8C) {
                ascii = ',';
            } else if (last == 0x8D) {
                ascii = '-';
            } else if (last == 0x8E) {
                ascii = '.';
            }
        } else if (byte(i) == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
            ascii = ' ';
        }
        if (ascii != 0) {
            out.push_back(ascii);
            i += 3;
        } else {
            out.push_back(text[i]);
            ++i;
        }
    }
    return out;
}

std::optional<double> numberTextToDouble(std::string_view text) {
    std::string plain;
    long long magnitude = 0;
    if (!normalise(text, plain, magnitude)) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude < 0) {
            return plain.front() == '-' ? -0.0 : 0.0;  // underflow: the value is as good as 0
        }
        return std::nullopt;  // overflow: too large for any calculation
    }
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

int oversizedNumberSign(std::string_view text) {
    std::string plain;
    long long magnitude = 0;
    if (!normalise(text, plain, magnitude) || magnitude < 0 || numberTextToDouble(text)) {
        return 0;
    }
    return plain.front() == '-' ? -1 : 1;
}

bool IsNumberText(std::string_view text) {
    return numberTextToDouble(text).has_value();
}

std::optional<Money> numberTextToMoney(std::string_view text) {
    auto d = numberTextToDouble(text);
    if (!d) {
        return std::nullopt;
    }
    return Money::fromDouble(*d);
}

std::optional<Money> numberTextToExactMoney(std::string_view text) {
    const auto d = numberTextToDouble(text);
    const auto m = d ? Money::fromDouble(*d) : std::nullopt;
    if (!m || m->toDouble() != *d) {
        return std::nullopt;
    }
    return m;
}

std::optional<std::int64_t> numberTextToWhole(std::string_view text) {
    auto d = numberTextToDouble(text);
    if (!d) {
        return std::nullopt;
    }
    return roundHalfEven(*d);
}

}  // namespace zm
