#pragma once

#include <cstdint>
#include <string_view>

#include "fees/calc_state.h"
#include "fees/window_model.h"

namespace zm {

// The refusal sequence of every input rule: the message box, then the focus to `field`, then the
// whole text of the control that has the focus selected, so that typing replaces it. The field
// keeps the text as typed.
void ShowInputError(WindowModel& ui, Ctl field, std::string_view message);

// The rules of the main window's six input fields.
//
// The four price and quantity rules come in two halves, because the Enter flow moves the focus
// between them: test…() runs the tests in order (number, minimum, board lot, upper limit, trade
// amount) and refuses through ShowInputError on the first that fails; accept…() rewrites the
// accepted text and stores its value. rule…() runs both.
//
// Right after the number test, test…() stores the Money value of the text in the field's stored
// value (BuyPrice, BuyQty, SellPrice, SellQty), so that a value refused by a range test stays
// stored: a refused buy quantity of 150 is still the purchase a following sale is set against.
// A value beyond the supported range (limits.h) is stored as zero instead, so that no
// calculation ever sees a figure it is not built for.
//
// Minimums compare Money values (a typed 0.00996 counts as 0.0100 and passes the price minimum).
// The quantity rules test the trade amount against the price already stored for that side, so
// they run after the price rule.

// Text1, buy price: at least 0.01, rounded to fen at most 21,474,836.47.
bool testText1(WindowModel& ui, CalcState& st);
// Text1 ← the value rounded to fen (halves to even: 9.125 → 9.12), "##0.00"; BuyPrice ← it.
// With `decimals` 3 (funds under trade-date rules, which trade in steps of 0.001 yuan) the
// value is rounded to 0.001 instead and shown "##0.000".
void acceptText1(WindowModel& ui, CalcState& st, int decimals = 2);
bool ruleText1(WindowModel& ui, CalcState& st, int decimals = 2);

// Text2, buy quantity: greater than 0, a whole number of board lots of 100, at most
// 2,147,483,600 shares, BuyPrice × quantity at most 100,000,000,000 yuan.
bool testText2(WindowModel& ui, CalcState& st);
// Text2 ← "###,###" (1e3 → 1,000); BuyQty ← it.
void acceptText2(WindowModel& ui, CalcState& st);

// Text11, sell price: as Text1.
bool testText11(WindowModel& ui, CalcState& st);
void acceptText11(WindowModel& ui, CalcState& st, int decimals = 2);
bool ruleText11(WindowModel& ui, CalcState& st, int decimals = 2);

// Text12, sell quantity: at least 1 (odd lots allowed), the whole number at most 2,147,483,647
// shares, SellPrice × that whole number at most 100,000,000,000 yuan.
bool testText12(WindowModel& ui, CalcState& st);
// Text12 ← the whole number (halves to even: 2.5 → 2), "###,###"; SellQty ← it.
void acceptText12(WindowModel& ui, CalcState& st);

// Text21, bonus shares per 10 shares: from 0 to 10; rewritten as a whole number, "#0" (0.4 → 0).
bool ruleText21(WindowModel& ui);
// Text22, cash dividend per 10 shares, in yuan: at least 0.01, rounded to fen at most
// 21,474,836.47; rewritten "##0.00" after rounding to fen. Stores nothing: CalcBuy reads the text.
bool ruleText22(WindowModel& ui);

// Run before every CalcBuy of `buyQty` shares. Text21 and Text22 are tested on Enter only, so
// they can hold a number typed without Enter that CalcBuy cannot use: a bonus of -10 leaves no
// shares to divide by. A bonus below 0 or above 10, or a dividend below 0 or beyond
// 21,474,836.47, is refused through ShowInputError on its field with that rule's message, and
// false tells the caller not to calculate. So is a dividend whose total (dividend × buyQty × 0.1)
// exceeds 100,000,000,000 yuan, the largest trade amount: CalcBuy could not represent it and
// would compute nothing. A zero dividend passes (0.00 is the field's reset text), and a text that
// is no number passes too: CalcBuy counts it as 0 and writes "0" there.
bool checkBonusAndDividend(WindowModel& ui, Money buyQty);

// The shared validators of the batch dialogs, on a field of theirs. Each compares the double
// value of the text, refuses through ShowInputError (leaving InputAccepted as it was), and on
// acceptance rewrites as below and sets InputAccepted to 1. The caller resets it to 0.
//
// Prices: at least 0.01 (a typed 0.00996 is refused), rounded to a tenth of a fen at most
// 2,147,483.647; rewritten as that value in general form, no trailing zeros (9.4567 → 9.457,
// 10.00 → 10).
void CheckBuyPrice(WindowModel& ui, Ctl field, std::int32_t& InputAccepted);
void CheckSellPrice(WindowModel& ui, Ctl field, std::int32_t& InputAccepted);
// Buy quantity: greater than 0, a multiple of 100, at most 2,147,483,600 shares (the main
// window's limit, since the dialog's figures end up in Text2); the text is left as typed, only
// full-width digits and marks become ASCII (asciiNumberText).
void CheckBuyQty(WindowModel& ui, Ctl field, std::int32_t& InputAccepted);
// Sell quantity: at least 1, the whole number at most 2,147,483,647 shares; rewritten as that
// whole number in plain digits (2.5 → 2, 1,234 → 1234).
void CheckSellQty(WindowModel& ui, Ctl field, std::int32_t& InputAccepted);

}  // namespace zm
