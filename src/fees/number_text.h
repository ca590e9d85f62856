#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fees/money.h"

namespace zm {

// The number grammar of every field and list text. Blanks (space or tab) at either end are
// ignored; then an optional + or -, digits with at most one decimal point and at least one
// digit in all ("5", "5.0", "5.", ".5"); the integer part may carry comma group separators in
// groups of three ("1,000", "12,345,678"); then an optional exponent (E or e, an optionally
// signed integer). A value too large for a double ("1e400") is not a number; one too small
// reads as zero. No locale is consulted: the comma groups and the full stop is the decimal mark.
// A text is read through asciiNumberText first, so full-width digits count as digits.
bool IsNumberText(std::string_view text);

// The text (UTF-8) with the full-width forms that a Chinese input method types in its full-width
// mode replaced by their ASCII forms: the digits ０ to ９, the full stop ．, the comma ，, the
// minus －, and the ideographic blank (U+3000) as a blank. Every other character is kept, so a
// full-width letter, sign or exponent still makes a text no number. "１，０００．５" gives
// "1,000.5". A field that accepts such a text shows it in this form.
std::string asciiNumberText(std::string_view text);

// For a text in the number grammar whose value is too large for a double (a pasted figure of
// 10,000 digits, "1e400"): 1, or -1 when it is negative; 0 for every other text. A field tells
// such a number it is too large, not that it is no number.
int oversizedNumberSign(std::string_view text);

// The double nearest to the text's value; nullopt when it is not a number text.
std::optional<double> numberTextToDouble(std::string_view text);

// The text as Money: its double rounded to four decimals, halves to even. nullopt when it is not
// a number text or its value lies outside Money's range (test IsNumberText to tell them apart).
std::optional<Money> numberTextToMoney(std::string_view text);

// The text as Money when Money holds its value exactly, that is when it has at most four
// decimals ("2.356", "4.8", "1e-4"); nullopt when it is not a number text, lies outside Money's
// range or has a fifth decimal ("0.00001", "2.35601"). Within the range of the figures typed a
// value of more than four decimals has a double that no four-decimal value shares, so comparing
// the two parses tells them apart.
std::optional<Money> numberTextToExactMoney(std::string_view text);

// The text without the blanks (space or tab) at either end, as the number grammar ignores them.
std::string_view trimBlanks(std::string_view text);

// The text as a whole number: its double rounded to the nearest integer, halves to even
// (2.5 gives 2, 3.5 gives 4). nullopt when not a number text or outside the 64-bit range.
std::optional<std::int64_t> numberTextToWhole(std::string_view text);

}  // namespace zm
