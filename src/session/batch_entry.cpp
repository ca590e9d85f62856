// The multi-batch dialogs Form4 (buy) and Form3 (sell): their Enter flow, OK and Clear, and the
// combined trade they write into one side of the main window.
//
// The computations (batchBuy, batchSell in src/fees) work every figure out as the text its field
// will show, under the rules in force; the writers here put the texts into the main window's
// fields, and the combined trade is recorded in the main window's calculation state as a trade of
// that side, so that a sale typed afterwards, the remaining shares' break-even and the target
// price are set against it.
#include "session/batch_entry.h"

#include <array>
#include <optional>
#include <string>

#include "fees/batch_calc.h"
#include "fees/number_text.h"
#include "input/validation.h"
#include "session/apply_verdict.h"
#include "session/trade_fields.h"

namespace zm {
namespace {

int fieldIndex(Ctl c) {
    const auto fields = batchFields(c.form());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] == c) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Ctl field(FormId dialog, int index) {
    return batchFields(dialog)[static_cast<std::size_t>(index)];
}

// The main-window fields a dialog locks: the price and quantity of its side.
std::array<Ctl, 2> lockedFields(FormId dialog) {
    return dialog == FormId::Form4 ? std::array<Ctl, 2>{form1::Text1, form1::Text2}
                                   : std::array<Ctl, 2>{form1::Text11, form1::Text12};
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
    const auto dividend = numberTextToDouble(ui.text(form1::Text22)).value_or(0.0);
    const auto refusal = checkBatchRange(side, v, dividend);
    if (!refusal) {
        return BatchRun::Ready;
    }
    ShowInputError(ui, refusal->field ? field(dialog, *refusal->field) : form1::Text22,
                   refusal->message);
    return BatchRun::Refused;
}

// The main-window fields that one side of a combined trade writes, in the order of the steps.
struct SideFields {
    Ctl price, quantity, amount, commission, stampDuty, transferFee, feeTotal;
};
constexpr SideFields kBuySide{form1::Text1, form1::Text2, form1::Text3, form1::Text4,
                              form1::Text5, form1::Text6, form1::Text7};
constexpr SideFields kSellSide{form1::Text11, form1::Text12, form1::Text13, form1::Text14,
                               form1::Text15, form1::Text16, form1::Text17};

void writeCombinedTrade(WindowModel& ui, const SideFields& f, const CombinedTradeTexts& t) {
    ui.setText(f.price, t.price);
    ui.setText(f.quantity, t.quantity);
    ui.setText(f.amount, t.amount);
    ui.setText(f.commission, t.commission);
    if (t.commissionMinimum) {
        ui.setText(f.commission, *t.commissionMinimum);
    }
    ui.setText(f.stampDuty, t.stampDuty);
    ui.setText(f.transferFee, t.transferFee);
    ui.setText(f.feeTotal, t.feeTotal);
}

void writeBatchBuy(WindowModel& ui, const BatchBuyTexts& r) {
    writeCombinedTrade(ui, kBuySide, r.trade);
    if (r.dividendFix) {
        ui.setText(form1::Text22, *r.dividendFix);
    }
    ui.setText(form1::Text8, r.costPerShare);
    ui.setText(form1::Text9, r.breakEven);
    ui.setForeColor(form1::Label8, kRed);
    ui.setText(form1::Text10, r.amountPaid);
}

void writeBatchSell(WindowModel& ui, const BatchSellTexts& r) {
    writeCombinedTrade(ui, kSellSide, r.trade);
    ui.setText(form1::Text20, r.received);
    if (r.profit) {
        ui.setText(form1::Text19, *r.profit);
        ui.setText(form1::Text18, r.yield);
    }
    if (r.loss) {
        writeGainLossMark(ui, *r.loss);
    }
}

BatchWindowTexts batchWindowTexts(const WindowModel& ui, const MainChoices& choices) {
    return BatchWindowTexts{choices.commissionRate(),
                            choices.stampDutyRate(),
                            choices.market == Market::ShanghaiA,
                            ui.text(form1::Text22),
                            ui.text(form1::Text10),
                            ui.text(form1::Text19),
                            choices.market};
}

}  // namespace

void BatchEntry::ensureLoaded(FormId dialog) {
    if (!m_ui.isLoaded(dialog)) {
        m_ui.load(dialog);
        formLoad(dialog);
    }
}

void BatchEntry::formLoad(FormId dialog) {
    auto& values = capturedOf(dialog);
    const auto fields = batchFields(dialog);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        m_ui.setText(fields[i], "");
        values[i].clear();
    }
}

void BatchEntry::StoreBatchInputs(FormId dialog) {
    auto& values = capturedOf(dialog);
    const auto fields = batchFields(dialog);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Ctl c = fields[i];
        values[i] = IsValidPrice(m_ui, c) ? m_ui.text(c) : std::string("0");
    }
}

bool BatchEntry::computeAndLock(FormId dialog) {
    if (!m_rules.commissionReady()) {
        return false;
    }
    if (prepareBatch(m_ui, dialog, capturedOf(dialog)) == BatchRun::Refused) {
        return false;
    }
    dialog == FormId::Form4 ? CalcBatchBuy() : CalcBatchSell();
    lockMainFields(m_ui, dialog);
    return true;
}

void BatchEntry::enter(Ctl c) {
    const FormId dialog = c.form();
    const int index = fieldIndex(c);
    if (index < 0) {
        return;
    }
    const bool buy = dialog == FormId::Form4;
    const bool price = index % 2 == 0;
    const std::string typed = m_ui.text(c);
    const Verdict verdict = price ? (buy ? CheckBuyPrice : CheckSellPrice)(typed)
                                  : (buy ? CheckBuyQty : CheckSellQty)(typed);
    // The validator's outcome, passed on as a value: refused, its message is shown and the field
    // selected, and Enter goes no further.
    const bool InputAccepted = applyVerdict(m_ui, c, verdict);
    if (!InputAccepted) {
        return;
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
    switch (index) {
        case 1:  // Text2
            m_ui.setFocus(field(dialog, 2));
            StoreBatchInputs(dialog);
            if (computeAndLock(dialog)) {
                m_ui.selectAllInFocused();
            }
            break;
        case 3:  // Text4
            StoreBatchInputs(dialog);
            if (computeAndLock(dialog)) {
                m_ui.setFocus(field(dialog, 4));
                m_ui.selectAllInFocused();
            }
            break;
        default:  // Text6
            StoreBatchInputs(dialog);
            if (computeAndLock(dialog)) {
                m_ui.setFocus(batchOk(dialog));
            }
            break;
    }
}

void BatchEntry::ok(FormId dialog) {
    // No field check here: whatever the fields hold counts through IsValidPrice.
    StoreBatchInputs(dialog);
    // Under trade-date rules a rate typed into the main window's list is checked first.
    if (!m_rules.commissionReady()) {
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

void BatchEntry::clear(FormId dialog) {
    formLoad(dialog);
    unlockMainFields(m_ui, dialog);
}

void BatchEntry::CalcBatchBuy() {
    const auto v = capturedNumbers(capturedOf(FormId::Form4));
    if (const auto r = batchBuy(m_rules.rules(), v, batchWindowTexts(m_ui, m_choices))) {
        writeBatchBuy(m_ui, *r);
        storeBatchBuy(m_state, *r);
    }
}

std::optional<std::string> BatchEntry::batchBuyBreakEven() {
    const auto v = capturedNumbers(capturedOf(FormId::Form4));
    if (const auto r = batchBuy(m_rules.rules(), v, batchWindowTexts(m_ui, m_choices))) {
        return r->breakEven;
    }
    return std::nullopt;
}

void BatchEntry::CalcBatchSell() {
    const auto v = capturedNumbers(capturedOf(FormId::Form3));
    if (const auto r = batchSell(m_rules.rules(), v, batchWindowTexts(m_ui, m_choices))) {
        writeBatchSell(m_ui, *r);
        storeBatchSell(m_state, *r);
    }
}

std::array<std::string, 6>& BatchEntry::capturedOf(FormId dialog) {
    return dialog == FormId::Form3 ? m_capturedSell : m_capturedBuy;
}

const std::string& BatchEntry::captured(FormId dialog, int index) const {
    const auto& values = dialog == FormId::Form3 ? m_capturedSell : m_capturedBuy;
    return values.at(static_cast<std::size_t>(index));
}

}  // namespace zm
