// The multi-batch dialogs Form4 (buy) and Form3 (sell): their Enter flow, OK and Clear, and the
// computations that combine up to three batches into one side of the main window.
//
// The computations work like the program always has: each figure is written into its main-window
// field as text, and later steps read that text back, so they go on with the values as shown.
// They write the main window's fields only; the main window's calculation state is not touched.
#include <array>
#include <optional>
#include <string>

#include "fees/break_even.h"
#include "fees/calc_buy.h"
#include "fees/calc_sell.h"
#include "fees/display_format.h"
#include "fees/number_text.h"
#include "input/batch_calc.h"
#include "input/session.h"
#include "input/validation.h"

namespace zm {
namespace {

constexpr std::array<std::string_view, 6> kFields = {"Text1", "Text2", "Text3",
                                                     "Text4", "Text5", "Text6"};

int fieldIndex(std::string_view name) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (kFields[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Ctl field(FormId dialog, int index) {
    return Ctl{dialog, kFields[static_cast<std::size_t>(index)]};
}

// The main-window fields a dialog locks: the price and quantity of its side.
std::array<Ctl, 2> lockedFields(FormId dialog) {
    return dialog == FormId::Form4 ? std::array<Ctl, 2>{f1("Text1"), f1("Text2")}
                                   : std::array<Ctl, 2>{f1("Text11"), f1("Text12")};
}

void lockMainFields(WindowModel& ui, FormId dialog) {
    for (Ctl c : lockedFields(dialog)) {
        ui.setReadOnly(c, true);
        ui.setBackground(c, Background::ButtonFace);
    }
}

void unlockMainFields(WindowModel& ui, FormId dialog) {
    for (Ctl c : lockedFields(dialog)) {
        ui.setReadOnly(c, false);
        ui.setBackground(c, Background::Window);
    }
}

// A main-window field read back as a double; a text that holds no number counts as 0.
double readBack(const WindowModel& ui, Ctl c) {
    return numberTextToDouble(ui.text(c)).value_or(0.0);
}

std::array<double, 6> capturedNumbers(const std::array<std::string, 6>& captured) {
    std::array<double, 6> v{};
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = capturedNumber(captured[i]);
    }
    return v;
}

enum class BatchRun { NothingToDo, Refused, Ready };

// Whether the batch computation of `dialog` can run on these captures: no shares at all leaves
// nothing to compute; figures beyond the supported range are refused with a message on the
// field to correct (the dialog's, or the main window's dividend), before anything is written.
BatchRun prepareBatch(WindowModel& ui, FormId dialog, const std::array<std::string, 6>& captured) {
    const auto v = capturedNumbers(captured);
    if ((v[1] + v[3]) + v[5] == 0.0) {
        return BatchRun::NothingToDo;
    }
    const BatchSide side = dialog == FormId::Form4 ? BatchSide::Buy : BatchSide::Sell;
    const auto refusal = checkBatchRange(side, v, readBack(ui, f1("Text22")));
    if (!refusal) {
        return BatchRun::Ready;
    }
    ShowInputError(ui, refusal->field ? field(dialog, *refusal->field) : f1("Text22"),
                   refusal->message);
    return BatchRun::Refused;
}

// Money as a field shows it; every caller has checked the range beforehand.
std::string amountText(double value) {
    return formatAmount(Money::fromDouble(value).value_or(Money()));
}
std::string fenAmountText(double value) {
    return formatAmount(fenRound(value).value_or(Money()));
}

// The main-window fields that one side of a combined trade writes, in the order of the steps.
struct SideFields {
    std::string_view price, quantity, amount, commission, stampDuty, transferFee, feeTotal;
};
constexpr SideFields kBuySide{"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
constexpr SideFields kSellSide{"Text11", "Text12", "Text13", "Text14",
                               "Text15", "Text16", "Text17"};

// Steps 2 to 6, alike on both sides: the combined price rounded to fen, the total quantity, the
// trade sum as computed, then the commission (its 5-yuan minimum applied once, to the figure as
// shown) and the stamp duty, each worked from the trade amount read back from its field.
void writeCombinedTrade(WindowModel& ui, const SideFields& f, double S, double Q) {
    ui.setText(f1(f.price), formatPrice(fenRound(S / Q).value_or(Money())));
    ui.setText(f1(f.quantity), formatGroupedWhole(Money::fromDouble(Q).value_or(Money())));
    ui.setText(f1(f.amount), formatGeneral(S));
    double T = readBack(ui, f1(f.amount));
    const double rc = rateOf(ui, f1("Combo1"));
    ui.setText(f1(f.commission), fenAmountText(rc * T * 0.001));
    if (readBack(ui, f1(f.commission)) < 5.0) {
        ui.setText(f1(f.commission), formatAmount(kMinCommission));
    }
    T = readBack(ui, f1(f.amount));
    const double rs = rateOf(ui, f1("Combo2"));
    ui.setText(f1(f.stampDuty), fenAmountText(rs * T * 0.001));
}

// Step 8: the fee total from the three fees as their fields show them, rounded to fen.
void writeFeeTotal(WindowModel& ui, const SideFields& f) {
    const double C = readBack(ui, f1(f.commission));
    const double D = readBack(ui, f1(f.stampDuty));
    const double X = readBack(ui, f1(f.transferFee));
    ui.setText(f1(f.feeTotal), fenAmountText((C + D) + X));
}

}  // namespace

void Session::batchFormLoad(FormId dialog) {
    auto& values = capturedOf(dialog);
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        m_ui.setText(Ctl{dialog, kFields[i]}, "");
        values[i].clear();
    }
}

void Session::StoreBatchInputs(FormId dialog) {
    auto& values = capturedOf(dialog);
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const Ctl c{dialog, kFields[i]};
        values[i] = IsValidPrice(m_ui, c) ? m_ui.text(c) : std::string("0");
    }
}

void Session::enterBatch(Ctl c) {
    const FormId dialog = c.form;
    const int index = fieldIndex(c.name);
    if (index < 0) {
        return;
    }
    const bool buy = dialog == FormId::Form4;
    const bool price = index % 2 == 0;
    const std::string typed = m_ui.text(c);
    const Verdict verdict = price ? (buy ? CheckBuyPrice : CheckSellPrice)(typed)
                                  : (buy ? CheckBuyQty : CheckSellQty)(typed);
    if (!applyVerdict(m_ui, c, verdict)) {
        return;  // refused: its message is shown and the field selected
    }

    if (price) {
        // Enter on a price only moves on. The sell dialog's third batch captures before it moves;
        // the order shows nowhere, but it is the dialog's own.
        if (!buy && index == 4) {
            StoreBatchInputs(dialog);
            m_ui.setFocus(field(dialog, index + 1));
        } else {
            m_ui.setFocus(field(dialog, index + 1));
            StoreBatchInputs(dialog);
        }
        m_ui.selectAllInFocused();
        return;
    }

    // Enter on a quantity recomputes the whole combined trade from all six fields.
    auto compute = [&]() {
        if (!m_rules.own() && !checkTypedCommission()) {
            return false;
        }
        if (prepareBatch(m_ui, dialog, capturedOf(dialog)) == BatchRun::Refused) {
            return false;
        }
        buy ? CalcBatchBuy() : CalcBatchSell();
        lockMainFields(m_ui, dialog);
        return true;
    };
    switch (index) {
        case 1:  // Text2
            m_ui.setFocus(field(dialog, 2));
            StoreBatchInputs(dialog);
            if (compute()) {
                m_ui.selectAllInFocused();
            }
            break;
        case 3:  // Text4
            StoreBatchInputs(dialog);
            if (compute()) {
                m_ui.setFocus(field(dialog, 4));
                m_ui.selectAllInFocused();
            }
            break;
        default:  // Text6
            StoreBatchInputs(dialog);
            if (compute()) {
                m_ui.setFocus(Ctl{dialog, "Command1"});
            }
            break;
    }
}

void Session::batchOkClick(FormId dialog) {
    // No field check here: whatever the fields hold counts through IsValidPrice.
    StoreBatchInputs(dialog);
    // Under trade-date rules a rate typed into the main window's list is checked first.
    if (!m_rules.own() && !checkTypedCommission()) {
        return;
    }
    const BatchRun run = prepareBatch(m_ui, dialog, capturedOf(dialog));
    if (run == BatchRun::Refused) {
        return;  // the dialog stays open with the field to correct selected
    }
    if (run == BatchRun::Ready) {
        dialog == FormId::Form4 ? CalcBatchBuy() : CalcBatchSell();
        lockMainFields(m_ui, dialog);
    }
    m_ui.hide(dialog);
}

void Session::batchClearClick(FormId dialog) {
    batchFormLoad(dialog);
    unlockMainFields(m_ui, dialog);
}

namespace {

// The combined trade of a batch dialog under trade-date rules, in exact Money: the batches are
// fills of one order, so their amounts and quantities add up to one trade.
struct CombinedTrade {
    Money amount;
    Money quantity;
};

std::optional<CombinedTrade> combinedTrade(const std::array<double, 6>& v) {
    CombinedTrade t;
    for (std::size_t b = 0; b < 3; ++b) {
        const auto price = Money::fromDouble(v[2 * b]);
        const auto qty = Money::fromDouble(v[2 * b + 1]);
        const auto amount = price && qty ? Money::mul(*price, *qty) : std::nullopt;
        if (!amount) {
            return std::nullopt;
        }
        t.amount += *amount;
        t.quantity += *qty;
    }
    if (t.quantity <= Money()) {
        return std::nullopt;
    }
    return t;
}

// The combined price (amount ÷ quantity to the nearest step, halves up like every figure of these
// rules) and the total quantity, into the price and quantity fields of one side.
void writeCombinedPrice(WindowModel& ui, const SideFields& f, const CombinedTrade& t, Money step) {
    const Int128 steps =
        divRoundHalfUp(static_cast<Int128>(t.amount.ticks()) * Money::kTicksPerYuan,
                       static_cast<Int128>(t.quantity.ticks()) * step.ticks());
    const Money price = Money::fromTicks(static_cast<std::int64_t>(steps) * step.ticks());
    ui.setText(f1(f.price), formatPrice(price, stepDecimals(step)));
    ui.setText(f1(f.quantity), formatGroupedWhole(t.quantity));
}

}  // namespace

void Session::calcBatchBuyRules() {
    const auto v = capturedNumbers(capturedOf(FormId::Form4));
    const auto trade = combinedTrade(v);
    if (!trade || checkBatchRange(BatchSide::Buy, v, readBack(m_ui, f1("Text22")))) {
        return;
    }
    // Bonus shares play no part in a batch purchase.
    const std::optional<BuyResult> r =
        computeRulesBuy(m_ui, m_rules, trade->amount, trade->quantity, false);
    if (!r) {
        return;
    }
    writeCombinedPrice(m_ui, kBuySide, *trade, priceStep(m_rules, chosenMarket(m_ui)));
    writeBuyFields(m_ui, *r);
}

void Session::calcBatchSellRules() {
    const auto v = capturedNumbers(capturedOf(FormId::Form3));
    const auto trade = combinedTrade(v);
    if (!trade || checkBatchRange(BatchSide::Sell, v, 0.0)) {
        return;
    }
    const auto fees =
        eraFees(m_rules, chosenMarket(m_ui), TradeSide::Sell, trade->amount, trade->quantity);
    if (!fees) {
        return;
    }
    writeCombinedPrice(m_ui, kSellSide, *trade, priceStep(m_rules, chosenMarket(m_ui)));
    const Money received = trade->amount - fees->total;
    m_ui.setText(f1("Text13"), formatAmount(trade->amount));
    m_ui.setText(f1("Text14"), formatAmount(fees->commission));
    m_ui.setText(f1("Text15"), formatAmount(fees->stampDuty));
    m_ui.setText(f1("Text16"), formatAmount(fees->transferFee));
    m_ui.setText(f1("Text17"), formatAmount(fees->total));
    m_ui.setText(f1("Text20"), formatAmount(received));
    // The round trip against the amount paid the main window shows, when it shows one.
    if (const auto paid = numberTextToMoney(m_ui.text(f1("Text10")))) {
        const Money profit = received - *paid;
        m_ui.setText(f1("Text19"), formatAmount(profit));
        const auto yield = roundTripYield(profit, *paid);
        m_ui.setText(f1("Text18"), yield ? formatAmount(*yield) : std::string());
    }
    if (const auto shown = numberTextToMoney(m_ui.text(f1("Text19")))) {
        writeGainLossMark(m_ui, *shown < Money());
    }
}

void Session::CalcBatchBuy() {
    if (!m_rules.own()) {
        calcBatchBuyRules();
        return;
    }
    const auto v = capturedNumbers(capturedOf(FormId::Form4));
    const double p1 = v[0], q1 = v[1], p2 = v[2], q2 = v[3], p3 = v[4], q3 = v[5];

    // 1. Total quantity; no shares, nothing to write. Out-of-range figures were refused by the
    // callers; should anything else call in, it writes nothing either.
    const double Q = (q1 + q2) + q3;
    if (Q == 0.0 || checkBatchRange(BatchSide::Buy, v, readBack(m_ui, f1("Text22")))) {
        return;
    }
    const double S = ((p1 * q1) + p2 * q2) + p3 * q3;
    // 2. to 6. Combined price, total quantity, trade amount, commission, stamp duty.
    writeCombinedTrade(m_ui, kBuySide, S, Q);
    // 7. Transfer fee: per batch in Shanghai, each batch paying its own 1-yuan minimum.
    if (m_ui.isChecked(f1("Option1"))) {
        m_ui.setText(f1("Text6"), formatGeneral(batchTransferFee(q1, q2, q3)));
    } else {
        m_ui.setText(f1("Text6"), "0");
    }
    // 8. Fee total.
    writeFeeTotal(m_ui, kBuySide);
    // 9. Cost per share, raised to the next fen.
    {
        const auto cost = batchCostPerShare(m_ui.text(f1("Text3")), m_ui.text(f1("Text7")),
                                            m_ui.text(f1("Text2")));
        m_ui.setText(f1("Text8"), cost ? formatMoneyGeneral(*cost) : std::string());
    }
    // 10. Break-even price of the combined purchase as shown.
    {
        const Money price = numberTextToMoney(m_ui.text(f1("Text1"))).value_or(Money());
        const Money quantity = numberTextToMoney(m_ui.text(f1("Text2"))).value_or(Money());
        const auto breakEven =
            CalcBreakEven(price, quantity, rateOf(m_ui, f1("Combo1")), rateOf(m_ui, f1("Combo2")));
        m_ui.setText(f1("Text9"), breakEven ? formatMoneyGeneral(*breakEven) : std::string());
    }
    // 11.
    m_ui.setForeColor(f1("Label8"), kRed);
    // 12. Amount paid, less the cash dividend (a dividend field without a number counts 0).
    {
        const double T2 = readBack(m_ui, f1("Text3"));
        const double F = readBack(m_ui, f1("Text7"));
        const double N = readBack(m_ui, f1("Text2"));
        const double V = readBack(m_ui, f1("Text22"));
        m_ui.setText(f1("Text10"), amountText((T2 + F) - V * N * 0.1));
    }
}

void Session::CalcBatchSell() {
    if (!m_rules.own()) {
        calcBatchSellRules();
        return;
    }
    const auto v = capturedNumbers(capturedOf(FormId::Form3));
    const double p1 = v[0], q1 = v[1], p2 = v[2], q2 = v[3], p3 = v[4], q3 = v[5];

    // 1.
    const double Q = (q1 + q2) + q3;
    if (Q == 0.0 || checkBatchRange(BatchSide::Sell, v, 0.0)) {
        return;
    }
    // 2. to 6. Combined price, total quantity, trade amount, commission, stamp duty.
    const double S = ((p1 * q1) + p2 * q2) + p3 * q3;
    writeCombinedTrade(m_ui, kSellSide, S, Q);
    // 7. Transfer fee, per batch in Shanghai.
    if (m_ui.isChecked(f1("Option1"))) {
        m_ui.setText(
            f1("Text16"),
            formatGroupedNoLead(Money::fromDouble(batchTransferFee(q1, q2, q3)).value_or(Money())));
    } else {
        m_ui.setText(f1("Text16"), formatPrice(Money()));
    }
    // 8. Fee total.
    writeFeeTotal(m_ui, kSellSide);
    // 9. Amount received.
    m_ui.setText(f1("Text20"),
                 amountText(readBack(m_ui, f1("Text13")) - readBack(m_ui, f1("Text17"))));
    // 10. The round trip, when the main window shows an amount paid. Text10 is a result field;
    // a text there that holds no number is treated as no purchase.
    if (IsNumberText(m_ui.text(f1("Text10")))) {
        const double R = readBack(m_ui, f1("Text20"));
        double P = readBack(m_ui, f1("Text10"));
        const auto profit = Money::fromDouble(R - P);
        m_ui.setText(f1("Text19"), profit ? formatAmount(*profit) : std::string());
        const double L = readBack(m_ui, f1("Text19"));
        P = readBack(m_ui, f1("Text10"));
        // Nothing paid has no yield, and neither has a profit that cannot be shown: the field is
        // emptied rather than left with an earlier trade's figure.
        const auto yield = profit ? batchYieldPercent(L, P) : std::nullopt;
        m_ui.setText(f1("Text18"), yield ? formatAmount(*yield) : std::string());
    }
    // 11. The mark, from whatever Text19 holds now; with no number there it stays as it is.
    const auto L = numberTextToDouble(m_ui.text(f1("Text19")));
    if (L) {
        writeGainLossMark(m_ui, *L < 0.0);
    }
}

}  // namespace zm
