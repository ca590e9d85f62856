#pragma once

#include <array>
#include <string>
#include <string_view>

#include "fees/batch_calc.h"
#include "fees/calc_buy.h"
#include "fees/calc_sell.h"
#include "session/calc_state.h"
#include "view/window_model.h"

// The main window's side of the buy and sell calculations: what they read from its controls,
// how their results are written into its fields, captions and colours, and what the state keeps
// of them. The figures themselves are worked out from values in src/fees.
namespace zm {

// The market chosen in Form1 (Option1 Shanghai, Option3 fund/warrant, otherwise Shenzhen).
Market chosenMarket(const WindowModel& ui);

// The double value of a rate list's text (Combo1, Combo2); 0 when it holds no number.
double rateOf(const WindowModel& ui, Ctl list);

// The main window's choices that every calculation takes besides its trade: the market, the two
// rate lists as they show their rates, and whether a batch dialog has filled (and locked) a side.
// The session keeps them as values, taken when the user changes them, so that a calculation
// reads none of those controls.
struct MainChoices {
    Market market = Market::ShanghaiA;
    std::string commissionText;  // Combo1, per mille
    std::string stampDutyText;   // Combo2, per mille
    bool buyLocked = false;      // Text1 read-only: a batch purchase fills the buy side
    bool sellLocked = false;     // Text11 read-only: a batch sale fills the sell side
    // The rates' double values; 0 for a text that holds no number.
    double commissionRate() const;
    double stampDutyRate() const;
};

// The choices as the main window shows them now.
MainChoices readMainChoices(const WindowModel& ui);

// What the buy and the sell side read from the main window besides the trade itself.
BuyInputs readBuyInputs(const WindowModel& ui, const MainChoices& choices);

// Writes Text3 … Text10 (and the bonus and dividend fixes) in the buy side's order and turns
// Label8 red.
void writeBuyFields(WindowModel& ui, const BuyResult& r);

// Records the purchase's figures in the main window's state.
void storeBuy(CalcState& st, const BuyResult& r);

// Forgets the purchase (its inputs and figures, the amount paid and the shares held), or the sale
// (its inputs and figures, the yield and the remaining-share search's figures; the profit, the
// amount received and the step counter stay, as the sale sets them before it reads them).
void clearPurchase(CalcState& st);
void clearSale(CalcState& st);

// Records a batch dialog's combined purchase or sale in the state as the main window records a
// trade of its own, so that what follows (a sale, the remaining shares' break-even, the target
// price, a batch sale) is set against it: every figure as its field shows it, which is what the
// batch computations work each figure from. A batch purchase gets no bonus shares.
void storeBatchBuy(CalcState& st, const BatchBuyTexts& r);
void storeBatchSell(CalcState& st, const BatchSellTexts& r);

SellInputs readSellInputs(const WindowModel& ui, const MainChoices& choices);

// The yield and its caption, whose tool tips a partial sale changes.
inline constexpr std::array<Ctl, 2> kYieldControls = {form1::Text18, form1::Label18};

// Writes the sell side in its order: the partial-sale marks cleared, Text13 … Text20, the gain
// or loss mark, the yield, and for a partial sale the remaining shares (Label17 red, Label18 in
// the colour of the yield's sign) and Text9.
void writeSellFields(WindowModel& ui, const SellResult& r);

// Records the sale's figures in the main window's state.
void storeSell(CalcState& st, const SellResult& r);

// What the sell side reads of the state: the sale, the purchase it is set against, and the
// remaining-share search's last figures.
SaleBasis saleBasis(const CalcState& st);

// The mark of the sell side: the caption of Label17, and its colour and that of Label18.
void writeSellMark(WindowModel& ui, std::string_view caption, Rgb colour);

// The gain or loss mark of the sell side: "大亏特亏" in blue on Label17 and Label18 when the
// profit as shown is below zero, "大赚特赚" in red otherwise.
void writeGainLossMark(WindowModel& ui, bool loss);

// The batch dialogs' number test (isValidPriceText) on a field's current text.
bool IsValidPrice(const WindowModel& ui, Ctl field);

}  // namespace zm
