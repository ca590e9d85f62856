// FormTarget, the target sell price of the tools menu: the lowest price at which selling every
// share of the purchase the main window has computed meets a profit or a yield, or limits a loss.
#include <optional>
#include <string>
#include <string_view>

#include "fees/display_format.h"
#include "fees/number_text.h"
#include "session/holding_dialogs.h"
#include "session/session.h"
#include "session/trade_fields.h"
#include "view/messages.h"

namespace zm {

void Session::openTargetDialog(Ctl) {
    // Modeless and kept for the run, so that it shows its last target again.
    const bool first = !m_ui.isLoaded(FormId::FormTarget);
    m_ui.show(FormId::FormTarget);
    m_ui.setCaption(formTarget::LabelRulesInUse, feesInUse(m_rules.rules(), m_choices));
    if (first) {
        m_ui.setFocus(formTarget::TextTarget);
    }
}

void Session::targetKindChosen(Ctl) {
    const bool profit = m_ui.isChecked(formTarget::OptTarget_0);
    m_ui.setCaption(formTarget::LabelTargetUnit, profit ? msg::kYuanUnit : msg::kPercentUnit);
    showTargetSale(std::nullopt);
}

namespace {

TargetKind chosenTargetKind(const WindowModel& ui) {
    return ui.isChecked(formTarget::OptTarget_0) ? TargetKind::Profit : TargetKind::Yield;
}

}  // namespace

void Session::calculateTarget(Ctl c) {
    showTargetSale(targetSale(chosenTargetKind(m_ui), m_ui.text(formTarget::TextTarget)));
    // Enter leaves the target selected for the next one, as in every field; a refusal does too.
    if (!m_targetSale || c == formTarget::TextTarget) {
        m_ui.setFocus(formTarget::TextTarget);
        m_ui.selectAllInFocused();
    }
}

void Session::followTarget() {
    if (!m_ui.isLoaded(FormId::FormTarget)) {
        return;
    }
    m_ui.setCaption(formTarget::LabelRulesInUse, feesInUse(m_rules.rules(), m_choices));
    if (m_targetSale) {
        showTargetSale(targetSale(chosenTargetKind(m_ui), m_ui.text(formTarget::TextTarget), true));
    }
}

std::optional<TargetSale> Session::targetSale(TargetKind kind, std::string_view text, bool quiet) {
    const auto refuse = [this, quiet](std::string_view message) {
        if (!quiet) {
            m_ui.showMessage(message);
        }
        return std::nullopt;
    };
    if (m_state.HeldQty.isZero()) {
        return refuse(msg::kTargetNoPurchase);
    }
    const auto target = numberTextToMoney(text);
    if (!target || (kind == TargetKind::Yield && *target < Money::fromYuan(-100))) {
        return refuse(msg::kTargetNotNumber);
    }
    // A stop-loss beyond all that was paid is met by any price: no answer to give.
    if (kind == TargetKind::Profit && *target < Money() - m_state.AmountPaid) {
        return refuse(msg::kTargetLossAbovePurchase);
    }
    // Taken: shown as typed, in ASCII.
    if (const std::string ascii = asciiNumberText(text); ascii != text) {
        m_ui.setText(formTarget::TextTarget, ascii);
    }
    if (quiet ? !m_rules.commissionPasses() : !m_rules.commissionReady()) {
        return std::nullopt;
    }
    const TargetPurchase purchase{
        m_state.AmountPaid,         m_state.HeldQty,          m_rules.rules(), m_choices.market,
        m_choices.commissionRate(), m_choices.stampDutyRate()};
    auto sale = targetSalePrice(purchase, kind, *target);
    if (!sale) {
        return refuse(msg::kTargetUnreachable);
    }
    return sale;
}

void Session::showTargetSale(const std::optional<TargetSale>& sale) {
    m_targetSale = sale;
    m_ui.setText(formTarget::TextTargetPrice,
                 sale ? formatPrice(sale->price, priceDecimals()) : std::string());
    m_ui.setText(formTarget::TextTargetAmount, sale ? formatAmount(sale->amount) : std::string());
    m_ui.setText(formTarget::TextTargetFees, sale ? formatAmount(sale->fees) : std::string());
    m_ui.setText(formTarget::TextTargetProfit, sale ? formatAmount(sale->profit) : std::string());
    m_ui.setText(formTarget::TextTargetYield,
                 sale && sale->yield ? formatAmount(*sale->yield) : std::string());
    m_ui.setEnabled(formTarget::cmdUse, sale.has_value());
}

void Session::useTargetSale(Ctl) {
    if (!m_targetSale) {
        return;
    }
    // Into the sell side: the price into Text11, the shares held into Text12, then the sell side
    // as Enter in Text12 runs it.
    if (m_choices.sellLocked) {
        m_ui.showMessage(msg::kClearFirst);
        return;
    }
    m_ui.setText(form1::Text11, formatPrice(m_targetSale->price, priceDecimals()));
    m_ui.setText(form1::Text12, formatGroupedWhole(m_state.HeldQty));
    m_ui.setFocus(form1::Text12);
    enterMain(form1::Text12);
}

}  // namespace zm
