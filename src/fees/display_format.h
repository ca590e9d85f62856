#pragma once

#include <optional>
#include <string>

#include "fees/money.h"

namespace zm {

// The display formats of the result and input fields. The grouping mark is always the comma and
// the decimal mark always the full stop, whatever the process locale, so that every text the
// program writes reads back through the number-text parse to the value shown.
//
// Rounding for display: a value with more than two decimals (a Shanghai transfer fee of 1.235,
// say) is shown rounded half away from zero (四舍五入), 1.24, as brokers' statements show it. The
// stored value keeps its decimals. Whole-number formats round the same way.

// "###,##0.00": 1234.5 → "1,234.50", 0.5 → "0.50", -3 → "-3.00".
std::string formatAmount(Money value);
// "##0.00": 1234.5 → "1234.50".
std::string formatPrice(Money value);
// The same two with 2 or 3 decimals, for prices on a step of 0.001 yuan: "###,##0.000" and
// "##0.000" (3.4567 → "3.457").
std::string formatAmount(Money value, int decimals);
std::string formatPrice(Money value, int decimals);
// A cost per share of the holding tools, to 0.001 yuan: "##0.000", halves up (10.4305 →
// "10.431", 7.8572 → "7.857").
std::string formatCostPerShare(Money value);
// "###,###": 1200 → "1,200"; zero gives the empty text.
std::string formatGroupedWhole(Money value);
// "#0": 0 → "0", 12345 → "12345".
std::string formatWhole(Money value);
// "###,###.00": 1234.5 → "1,234.50", 2 → "2.00", 0.5 → ".50".
std::string formatGroupedNoLead(Money value);
// Money in general form: no grouping, at most four decimals, no trailing zeros: 10.05, 7.6, 12.
std::string formatMoneyGeneral(Money value);
// The general number form of a double: the shortest text of at most 15 significant digits, no
// grouping, no trailing zeros and no decimal point for a whole value (15250, 2.5, 10.05); an
// exponent form for magnitudes from 1e15 on or below 1e-4 (1e+15), which the parse reads back.
std::string formatGeneral(double value);

// The double-valued helpers that the calculations use: the double is first converted to Money
// (four decimals, halves to even). nullopt when it does not fit Money.
std::optional<std::string> formatAmount(double value);
std::optional<std::string> formatPrice(double value);

}  // namespace zm
