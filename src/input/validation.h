#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "fees/money.h"
#include "input/verdict.h"

namespace zm {

// The refusal of a text that holds no number: `notNumber`; but a number too large for any
// calculation (a pasted figure of thousands of digits) is told it is too large, with `max`, or
// `min` when negative, and stores `storedIfOversized`.
Verdict refuseUnreadable(std::string_view text, std::string_view notNumber, std::string_view min,
                         std::string_view max, std::optional<Money> storedIfOversized = {});

// The rules of the main window's six input fields, each on the text typed there. The flows apply
// the verdict; the Enter flow moves the focus on between an accepted verdict and its applying.
//
// The price and quantity rules run their tests in order (number, minimum, board lot, upper
// limit, trade amount); the first that fails refuses. An accepted verdict stores the value of
// the rewritten text in the field's stored value (BuyPrice, BuyQty, SellPrice, SellQty). A text
// that passes the number test but is refused by a range test still stores its Money value, so
// that a value refused by a range test stays stored: a refused buy quantity of 150 is still the
// purchase a following sale is set against. A value beyond the supported range (limits.h) is
// stored as zero instead, so that no calculation ever sees a figure it is not built for.
//
// Minimums compare Money values (a typed 0.00996 counts as 0.0100 and passes the price minimum).
// The quantity rules test the trade amount against the price already stored for that side, so
// their verdicts are taken after the price's verdict is applied.

// Text1, buy price: at least 0.01, rounded to fen at most 21,474,836.47. Rewritten as the value
// rounded to fen (halves to even: 9.125 → 9.12), "##0.00". With `decimals` 3 (funds under
// trade-date rules, which trade in steps of 0.001 yuan) the value is rounded to 0.001 instead and
// shown "##0.000".
Verdict buyPriceRule(std::string_view text, int decimals = 2);

// Text2, buy quantity: greater than 0, a whole number of board lots of 100, at most
// 2,147,483,600 shares, buyPrice × quantity at most 100,000,000,000 yuan. Rewritten "###,###"
// (1e3 → 1,000).
Verdict buyQuantityRule(std::string_view text, Money buyPrice);

// Text11, sell price: as Text1.
Verdict sellPriceRule(std::string_view text, int decimals = 2);

// Text12, sell quantity: at least 1 (odd lots allowed), the whole number at most 2,147,483,647
// shares, sellPrice × that whole number at most 100,000,000,000 yuan. Rewritten as the whole
// number (halves to even: 2.5 → 2), "###,###".
Verdict sellQuantityRule(std::string_view text, Money sellPrice);

// Text21, bonus shares per 10 shares: from 0 to 10 with at most four decimals, as companies
// announce them (10转4.8); rewritten in general form ("4.8", "3"). Stores nothing.
Verdict bonusRule(std::string_view text);
// Text22, cash dividend per 10 shares, in yuan: from 0 (no dividend) to 21,474,836.47 with at most
// four decimals (10派2.356); rewritten "##0.00", or with its third and fourth decimal ("2.356").
// Stores nothing: CalcBuy reads the text.
Verdict dividendRule(std::string_view text);

// Taken before every CalcBuy of `buyQty` shares, the bonus first. Text21 and Text22 are tested on
// Enter only, so they can hold a number typed without Enter that CalcBuy cannot use: a bonus of
// -10 leaves no shares to divide by. A bonus or a dividend that Enter would refuse for its range
// or its decimals is refused with that rule's message, and the caller does not calculate. So is
// a dividend whose total (dividend × buyQty × 0.1) exceeds 100,000,000,000 yuan, the largest trade
// amount: CalcBuy could not represent it and would compute nothing. A zero dividend passes (0.00
// is the field's reset text), and a text that is no number passes too: CalcBuy counts it as 0 and
// writes "0" there. Accepted verdicts rewrite and store nothing.
Verdict checkBonus(std::string_view text);
Verdict checkDividend(std::string_view text, Money buyQty);

// The commission rate typed into the commission box under a trade date's rules (Combo1): per
// mille from 0 to 3 with at most three decimals, in plain or full-width digits ("0.25", "０.２５",
// ".5", "0.2500"; blanks at either end ignored). Accepted: the rate in millionths of the amount,
// the text rewritten only when full-width forms were typed (to the ASCII form that was read).
// Refused: a rate from 0 to 3 with a fourth decimal that is not zero (kCommissionRateDecimals),
// anything else (kCommissionRateInvalid: "", "-1", "3.001", "1e-3").
struct RateVerdict {
    Verdict verdict;
    std::int64_t ppm = 0;
};
RateVerdict ruleCommissionRate(std::string_view text);

// The shared validators of the batch dialogs, on the text of a field of theirs. Each compares the
// double value of the text; they store nothing.
//
// Prices: at least 0.01 (a typed 0.00996 is refused), rounded to a tenth of a fen at most
// 2,147,483.647; rewritten as that value in general form, no trailing zeros (9.4567 → 9.457,
// 10.00 → 10).
Verdict CheckBuyPrice(std::string_view text);
Verdict CheckSellPrice(std::string_view text);
// Buy quantity: greater than 0, a multiple of 100, at most 2,147,483,600 shares (the main
// window's limit, since the dialog's figures end up in Text2); the text is left as typed, only
// full-width digits and marks become ASCII (asciiNumberText).
Verdict CheckBuyQty(std::string_view text);
// Sell quantity: at least 1, the whole number at most 2,147,483,647 shares; rewritten as that
// whole number in plain digits (2.5 → 2, 1,234 → 1234).
Verdict CheckSellQty(std::string_view text);

}  // namespace zm
