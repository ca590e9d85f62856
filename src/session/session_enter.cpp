// The main window's keyboard road (Enter in its six input fields) and its Calculate command.
#include <cmath>
#include <optional>
#include <string>

#include "fees/calc_buy.h"
#include "fees/calc_sell.h"
#include "fees/display_format.h"
#include "fees/number_text.h"
#include "input/validation.h"
#include "session/apply_verdict.h"
#include "session/session.h"
#include "session/trade_fields.h"
#include "view/messages.h"

namespace zm {

// The price and quantity fields of a side, their rules and where their values are kept.
struct SideInputs {
    Ctl price;
    Ctl quantity;
    Verdict (*priceRule)(std::string_view text, int decimals);
    Verdict (*quantityRule)(std::string_view text, Money price);
    Money CalcState::*storedPrice;
    Money CalcState::*storedQuantity;
};

namespace {

constexpr SideInputs kBuyInputs{form1::Text1,    form1::Text2,         buyPriceRule,
                                buyQuantityRule, &CalcState::BuyPrice, &CalcState::BuyQty};
constexpr SideInputs kSellInputs{form1::Text11,    form1::Text12,         sellPriceRule,
                                 sellQuantityRule, &CalcState::SellPrice, &CalcState::SellQty};

// The buy-side values a new buy quantity invalidates: everything the buy side derives from the
// purchase except the amount paid, which the next purchase overwrites.
void zeroBuyQtyAndResults(CalcState& st) {
    st.BuyQty = Money();
    st.HeldQty = Money();
    st.BuyAmount = Money();
    st.BuyCommission = Money();
    st.BuyStampDuty = Money();
    st.BuyTransferFee = Money();
    st.BuyFeeTotal = Money();
    st.BuyCostPerShare = Money();
}

// The sell-side values a new sell quantity invalidates. The profit or loss, the amount received
// and the step counter stay: the sale sets them before it reads them.
void zeroSellQtyAndResults(CalcState& st) {
    st.SellQty = Money();
    st.SellAmount = Money();
    st.SellCommission = Money();
    st.SellStampDuty = Money();
    st.SellTransferFee = Money();
    st.SellFeeTotal = Money();
    st.SellYield = Money();
    st.RemainBasePrice = Money();
    st.RemainQty = Money();
    st.RemainTarget = Money();
    st.RemainTransferFee = Money();
}

}  // namespace

int Session::priceDecimals() const {
    return stepDecimals(priceStep(m_rules.rules(), m_choices.market));
}

void Session::moveTo(Ctl field) {
    m_ui.setFocus(field);
    m_ui.selectAllInFocused();
}

void Session::enterMain(Ctl c) {
    if (c == form1::Text1) {
        m_state.BuyPrice = Money();
        zeroBuyQtyAndResults(m_state);
        const Verdict price = buyPriceRule(m_ui.text(form1::Text1), priceDecimals());
        if (!price.accepted) {
            applyRefusal(m_ui, form1::Text1, price, &m_state.BuyPrice);
            return;
        }
        moveTo(form1::Text2);
        applyAcceptance(m_ui, form1::Text1, price, &m_state.BuyPrice);
    } else if (c == form1::Text2) {
        zeroBuyQtyAndResults(m_state);
        // The price may have been changed without Enter: it is validated again first.
        const auto qty = judgeSide(kBuyInputs);
        if (!qty) {
            return;
        }
        moveTo(form1::Text11);
        applyAcceptance(m_ui, form1::Text2, *qty, &m_state.BuyQty);
        runCalcBuy();
    } else if (c == form1::Text11) {
        m_state.SellPrice = Money();
        zeroSellQtyAndResults(m_state);
        const Verdict price = sellPriceRule(m_ui.text(form1::Text11), priceDecimals());
        if (!price.accepted) {
            applyRefusal(m_ui, form1::Text11, price, &m_state.SellPrice);
            return;
        }
        m_ui.setFocus(form1::Text12);
        applyAcceptance(m_ui, form1::Text11, price, &m_state.SellPrice);
        prefillSellQty();
        m_ui.selectAllInFocused();
    } else if (c == form1::Text12) {
        zeroSellQtyAndResults(m_state);
        const auto qty = judgeSide(kSellInputs);
        if (!qty) {
            return;
        }
        moveTo(form1::Text21);
        applyAcceptance(m_ui, form1::Text12, *qty, &m_state.SellQty);
        runCalcSell();
    } else if (c == form1::Text21 || c == form1::Text22) {
        // A bonus or dividend confirmed by Enter takes effect at once on the sides on screen.
        const bool bonus = c == form1::Text21;
        const Verdict verdict = (bonus ? bonusRule : dividendRule)(m_ui.text(c));
        if (applyVerdict(m_ui, c, verdict)) {
            if (bonus) {
                followBonusInSellQty();
            }
            moveTo(bonus ? form1::Text22 : form1::Text1);
            mainChanged();
        }
    }
}

std::optional<Verdict> Session::judgeSide(const SideInputs& side, Rewrite rewrite) {
    const Verdict price = side.priceRule(m_ui.text(side.price), priceDecimals());
    const bool sameText = price.shown && *price.shown == m_ui.text(side.price);
    if (price.accepted && rewrite == Rewrite::WhenChanged && sameText) {
        m_state.*side.storedPrice = price.stored.value_or(m_state.*side.storedPrice);
    } else if (!applyVerdict(m_ui, side.price, price, &(m_state.*side.storedPrice))) {
        return std::nullopt;
    }
    Verdict qty = side.quantityRule(m_ui.text(side.quantity), m_state.*side.storedPrice);
    if (!qty.accepted) {
        applyRefusal(m_ui, side.quantity, qty, &(m_state.*side.storedQuantity));
        return std::nullopt;
    }
    return qty;
}

// The shares held after the bonus: q plus the whole bonus shares of q (bonusShares), with q the
// bought quantity of Text2 and the bonus shares per 10 of Text21, written in general form (1,000
// shares and 3 bonus give 1300; 10送4.8 on 125 shares gives 185). Both fields may hold text
// typed without Enter; when either holds no number Money can hold, Text12 keeps its text.
void Session::prefillSellQty() {
    if (const auto held = heldAfterBonus()) {
        m_ui.setText(form1::Text12, formatMoneyGeneral(*held));
        m_sellQtyPrefill = *held;
    }
}

std::optional<Money> Session::heldAfterBonus() const {
    const std::string bought = m_ui.text(form1::Text2);
    if (bought.empty()) {
        return std::nullopt;
    }
    const auto q = numberTextToMoney(bought);
    const auto b = numberTextToMoney(m_ui.text(form1::Text21));
    const auto bonus = q && b ? bonusShares(*b, *q) : std::nullopt;
    return checkedSum(q, bonus);
}

// A bonus confirmed after Text12 was prefilled changes the shares held: Text12 follows while it
// still shows the prefilled quantity, so that a sale of the whole holding stays whole (1,000
// bought, 10送4.8: 1,000 becomes 1,480). A quantity the user typed there is his, and so is the
// prefilled one when the new holding is no sale Enter would take at the sell price (its amount
// beyond the largest). A sale already worked out with the prefilled quantity is worked again with
// the new one by the recalculation that follows the bonus.
void Session::followBonusInSellQty() {
    const auto shown = numberTextToMoney(m_ui.text(form1::Text12));
    const auto held = heldAfterBonus();
    if (!m_sellQtyPrefill || shown != m_sellQtyPrefill || !held ||
        !sellQuantityRule(formatMoneyGeneral(*held), m_state.SellPrice).accepted) {
        return;
    }
    const bool saleEntered = m_state.SellQty == *m_sellQtyPrefill;
    m_sellQtyPrefill = *held;
    // A sale on screen shows its quantity as Enter rewrote it, and stores the new one.
    m_ui.setText(form1::Text12,
                 saleEntered ? formatGroupedWhole(*held) : formatMoneyGeneral(*held));
    if (saleEntered) {
        m_state.SellQty = *held;
    }
}

// A whole sale after a partial one: Text9 showed the remaining shares' break-even price; it
// shows the purchase's again, as 计 算 leaves it.
void Session::showPurchaseBreakEven() {
    std::optional<std::string> breakEven;
    if (m_choices.buyLocked) {
        breakEven = m_batch.batchBuyBreakEven();
    } else if (!m_state.BuyAmount.isZero()) {
        if (const auto r = CalcBuy(readBuyInputs(m_ui, m_choices), m_rules.rules(),
                                   m_state.BuyPrice, m_state.BuyQty)) {
            breakEven = r->breakEvenText;
        }
    }
    if (breakEven) {
        m_ui.setText(form1::Text9, *breakEven);
    }
}

void Session::runCalcBuy(Save save) {
    const Verdict bonus = checkBonus(m_ui.text(form1::Text21));
    if (!bonus.accepted) {
        applyRefusal(m_ui, form1::Text21, bonus);
        return;
    }
    const Verdict dividend = checkDividend(m_ui.text(form1::Text22), m_state.BuyQty);
    if (!dividend.accepted) {
        applyRefusal(m_ui, form1::Text22, dividend);
        return;
    }
    if (!m_rules.commissionReady()) {
        return;
    }
    const auto r =
        CalcBuy(readBuyInputs(m_ui, m_choices), m_rules.rules(), m_state.BuyPrice, m_state.BuyQty);
    if (!r) {
        return;  // nothing to compute, or a figure beyond the range: nothing written or saved
    }
    storeBuy(m_state, *r);
    writeBuyFields(m_ui, *r);
    if (save == Save::Rates) {
        saveRates();
    }
}

void Session::runCalcSell(Save save) {
    if (!m_rules.commissionReady()) {
        return;
    }
    const auto r = CalcSell(readSellInputs(m_ui, m_choices), saleBasis(m_state), m_rules.rules());
    if (!r) {
        return;
    }
    // Label8's tip names the remaining shares while Text9 shows their break-even price.
    const bool remainderShown = m_ui.toolTip(form1::Label8) != msg::kBreakEvenTip;
    storeSell(m_state, *r);
    writeSellFields(m_ui, *r);
    if (remainderShown && !r->partial) {
        showPurchaseBreakEven();
    }
    showYieldTips(*r);
    if (save == Save::Rates) {
        saveRates();
    }
}

void Session::showYieldTips(const SellResult& r) {
    if (!r.partial) {
        m_yieldTips.restore(m_ui, kYieldControls);
        return;
    }
    for (Ctl c : kYieldControls) {
        m_ui.setToolTip(c, r.yieldTip);
    }
}

// Calculate: both sides from the four typed inputs. A side with an empty price or quantity is
// skipped without a message; a refused purchase does not stop the sale; a side locked by a batch
// dialog asks to clear first. The rates are saved on every path.
void Session::calculate(Ctl) {
    // Under trade-date rules a typed commission rate is checked before anything is computed.
    if (!m_rules.commissionReady()) {
        return;
    }
    // Each side worked out here starts from nothing; a side a batch dialog filled keeps what the
    // state holds of it, which is what the window shows.
    if (m_choices.buyLocked) {
        m_ui.showMessage(msg::kClearFirst);
    } else {
        clearPurchase(m_state);
        calculateBuySide();
        if (m_choices.sellLocked) {
            m_ui.showMessage(msg::kClearFirst);
        } else {
            clearSale(m_state);
            calculateSellSide();
        }
    }
    saveRates();
}

void Session::calculateBuySide() {
    if (m_ui.text(form1::Text1).empty() || m_ui.text(form1::Text2).empty()) {
        return;
    }
    if (!judgeSide(kBuyInputs)) {
        return;
    }
    // The quantity is taken as typed; Calculate does not rewrite Text2.
    m_state.BuyQty = numberTextToMoney(m_ui.text(form1::Text2)).value_or(Money());
    runCalcBuy();
}

void Session::calculateSellSide() {
    if (m_ui.text(form1::Text11).empty() || m_ui.text(form1::Text12).empty()) {
        return;
    }
    const auto qty = judgeSide(kSellInputs);
    if (!qty) {
        return;
    }
    m_ui.setFocus(form1::Command1);
    applyAcceptance(m_ui, form1::Text12, *qty, &m_state.SellQty);
    runCalcSell();
}

void Session::recomputeShownSides() {
    // Each side on screen is worked again: one a batch dialog filled (and locked) from the
    // dialog's batches, the others from the main window's stored purchase or sale (its trade
    // amount is set by the calculation and cleared whenever an input of that side is entered
    // again, so a refused input leaves none) while its price and quantity fields still show them
    // (not changed since without Enter), their price judged again as Calculate judges it (the
    // market's price step may have changed). Its figures are cleared first, so that a side that
    // cannot be worked again (a check refuses, the batches hold no shares any more) keeps none
    // of the earlier inputs'. Nothing is saved here: the rates are saved by the calculations the
    // user starts, and the rules by their menu.
    const bool buyShown = !m_ui.text(form1::Text3).empty();
    const bool sellShown = !m_ui.text(form1::Text13).empty();
    if (!buyShown && !sellShown) {
        return;
    }
    const auto shows = [this](Ctl field, Money value) {
        return numberTextToMoney(m_ui.text(field)) == value;
    };
    const bool buyLocked = m_choices.buyLocked;
    const bool sellLocked = m_choices.sellLocked;
    const bool buyStored = !m_state.BuyAmount.isZero() && shows(form1::Text1, m_state.BuyPrice) &&
                           shows(form1::Text2, m_state.BuyQty);
    const bool sellStored = !m_state.SellAmount.isZero() &&
                            shows(form1::Text11, m_state.SellPrice) &&
                            shows(form1::Text12, m_state.SellQty);
    // Under trade-date rules a rate typed into the commission list is checked once, before
    // either side; refused, both sides are cleared.
    const bool ready = m_rules.commissionReady();
    if (sellShown) {
        for (Ctl field : kSellResults) {
            m_ui.setText(field, "");
        }
        resetSellMarks();
    }
    if (buyShown) {
        for (Ctl field : kBuyResults) {
            m_ui.setText(field, "");
        }
        m_ui.setForeColor(form1::Label8, kBlack);
        if (ready && buyLocked) {
            m_batch.CalcBatchBuy();
        } else if (ready && buyStored && judgeSide(kBuyInputs, Rewrite::WhenChanged)) {
            runCalcBuy(Save::Nothing);
        }
        // A purchase that cannot be worked again is gone: a sale is no longer set against it.
        if (m_ui.text(form1::Text3).empty()) {
            clearPurchase(m_state);
        }
    }
    if (sellShown && ready) {
        if (sellLocked) {
            m_batch.CalcBatchSell();
        } else if (sellStored && judgeSide(kSellInputs, Rewrite::WhenChanged)) {
            runCalcSell(Save::Nothing);
        }
    }
}

}  // namespace zm
