#include "session/trade_fields.h"

#include <string>

#include "fees/batch_calc.h"
#include "fees/display_format.h"
#include "fees/number_text.h"
#include "view/messages.h"

namespace zm {

Market chosenMarket(const WindowModel& ui) {
    if (ui.isChecked(form1::Option1)) {
        return Market::ShanghaiA;
    }
    if (ui.isChecked(form1::Option3)) {
        return Market::FundWarrant;
    }
    return Market::ShenzhenA;
}

double rateOf(const WindowModel& ui, Ctl list) {
    return numberTextToDouble(ui.text(list)).value_or(0.0);
}

double MainChoices::commissionRate() const {
    return numberTextToDouble(commissionText).value_or(0.0);
}

double MainChoices::stampDutyRate() const {
    return numberTextToDouble(stampDutyText).value_or(0.0);
}

MainChoices readMainChoices(const WindowModel& ui) {
    return MainChoices{chosenMarket(ui), ui.text(form1::Combo1), ui.text(form1::Combo2),
                       ui.isReadOnly(form1::Text1), ui.isReadOnly(form1::Text11)};
}

BuyInputs readBuyInputs(const WindowModel& ui, const MainChoices& choices) {
    return BuyInputs{choices.commissionRate(), choices.stampDutyRate(), choices.market,
                     ui.text(form1::Text21),   ui.text(form1::Text22),  ui.text(form1::Text2)};
}

void writeBuyFields(WindowModel& ui, const BuyResult& r) {
    ui.setText(form1::Text3, r.amountText);
    ui.setText(form1::Text4, r.commissionText);
    ui.setText(form1::Text5, r.stampDutyText);
    ui.setText(form1::Text6, r.transferFeeText);
    ui.setText(form1::Text7, r.feeTotalText);
    if (r.dividendFix) {
        ui.setText(form1::Text22, *r.dividendFix);
    }
    if (r.bonusFix) {
        ui.setText(form1::Text21, *r.bonusFix);
    }
    ui.setText(form1::Text8, r.costPerShareText);
    ui.setText(form1::Text9, r.breakEvenText);
    ui.setForeColor(form1::Label8, kRed);
    ui.setText(form1::Text10, r.amountPaidText);
}

void storeBuy(CalcState& st, const BuyResult& r) {
    st.BuyAmount = r.amount;
    st.BuyCommission = r.commission;
    st.BuyStampDuty = r.stampDuty;
    st.BuyTransferFee = r.transferFee;
    st.BuyFeeTotal = r.feeTotal;
    st.BuyCostPerShare = r.costPerShare;
    st.AmountPaid = r.amountPaid;
    st.HeldQty = r.heldQty;
}

void writeSellMark(WindowModel& ui, std::string_view caption, Rgb colour) {
    ui.setCaption(form1::Label17, caption);
    ui.setForeColor(form1::Label17, colour);
    ui.setForeColor(form1::Label18, colour);
}

void writeGainLossMark(WindowModel& ui, bool loss) {
    writeSellMark(ui, loss ? msg::kLossCaption : msg::kGainCaption, loss ? kBlue : kRed);
}

SellInputs readSellInputs(const WindowModel& ui, const MainChoices& choices) {
    return SellInputs{choices.commissionRate(), choices.stampDutyRate(), choices.market,
                      !ui.text(form1::Text10).empty(), ui.text(form1::Text12)};
}

void writeSellFields(WindowModel& ui, const SellResult& r) {
    // Clear the marks of an earlier partial sale and the red of the buy side.
    ui.setCaption(form1::Label19_17, msg::kYuanUnit);
    ui.setToolTip(form1::Label8, msg::kBreakEvenTip);
    ui.setForeColor(form1::Label8, kBlack);

    ui.setText(form1::Text13, formatAmount(r.amount));
    ui.setText(form1::Text14, formatAmount(r.commission));
    ui.setText(form1::Text15, formatAmount(r.stampDuty));
    ui.setText(form1::Text16, formatAmount(r.transferFee));
    ui.setText(form1::Text17, formatAmount(r.feeTotal));
    ui.setText(form1::Text20, formatAmount(r.received));
    ui.setText(form1::Text19, formatAmount(r.profitLoss));
    writeGainLossMark(ui, r.loss);
    if (r.yieldShown) {
        ui.setText(form1::Text18, r.yield ? formatAmount(*r.yield) : std::string());
    }
    if (r.partial) {
        // The yield shown is still what came back against all that was paid: its caption takes
        // the colour of its own sign.
        ui.setCaption(form1::Label17, msg::kRemainingSharesCaption);
        ui.setForeColor(form1::Label17, kRed);
        ui.setForeColor(form1::Label18, r.yield && *r.yield < Money() ? kBlue : kRed);
        ui.setCaption(form1::Label19_17, msg::kSharesUnit);
        ui.setText(form1::Text19, formatGroupedWhole(r.remainingShares));
        ui.setForeColor(form1::Label8, kRed);
        ui.setToolTip(form1::Label8, r.remainingTip);
        ui.setText(form1::Text9, r.remainingPrice ? formatAmount(*r.remainingPrice, r.priceDecimals)
                                                  : std::string());
    }
}

void storeSell(CalcState& st, const SellResult& r) {
    st.SellAmount = r.amount;
    st.SellCommission = r.commission;
    st.SellStampDuty = r.stampDuty;
    st.SellTransferFee = r.transferFee;
    st.SellFeeTotal = r.feeTotal;
    st.AmountReceived = r.received;
    st.ProfitLoss = r.profitLoss;
    if (r.yieldShown) {
        st.SellYield = r.yield.value_or(Money());
    }
    st.RemainQty = r.remainQty;
    st.RemainBasePrice = r.remainBasePrice;
    st.RemainTarget = r.remainTarget;
    st.RemainTransferFee = r.remainTransferFee;
    st.StepCount = r.stepCount;
}

void clearPurchase(CalcState& st) {
    for (Money CalcState::*m :
         {&CalcState::BuyPrice, &CalcState::BuyQty, &CalcState::BuyAmount,
          &CalcState::BuyCommission, &CalcState::BuyStampDuty, &CalcState::BuyTransferFee,
          &CalcState::BuyFeeTotal, &CalcState::BuyCostPerShare, &CalcState::AmountPaid,
          &CalcState::HeldQty}) {
        st.*m = Money();
    }
}

void clearSale(CalcState& st) {
    for (Money CalcState::*m :
         {&CalcState::SellPrice, &CalcState::SellQty, &CalcState::SellAmount,
          &CalcState::SellCommission, &CalcState::SellStampDuty, &CalcState::SellTransferFee,
          &CalcState::SellFeeTotal, &CalcState::SellYield, &CalcState::RemainBasePrice,
          &CalcState::RemainQty, &CalcState::RemainTarget, &CalcState::RemainTransferFee}) {
        st.*m = Money();
    }
}

namespace {

Money shownValue(std::string_view text) {
    return numberTextToMoney(text).value_or(Money());
}

}  // namespace

void storeBatchBuy(CalcState& st, const BatchBuyTexts& r) {
    const CombinedTradeTexts& t = r.trade;
    st.BuyPrice = shownValue(t.price);
    st.BuyQty = shownValue(t.quantity);
    st.BuyAmount = shownValue(t.amount);
    st.BuyCommission = shownValue(t.commissionMinimum.value_or(t.commission));
    st.BuyStampDuty = shownValue(t.stampDuty);
    st.BuyTransferFee = shownValue(t.transferFee);
    st.BuyFeeTotal = shownValue(t.feeTotal);
    st.BuyCostPerShare = shownValue(r.costPerShare);
    st.AmountPaid = shownValue(r.amountPaid);
    st.HeldQty = st.BuyQty;
}

void storeBatchSell(CalcState& st, const BatchSellTexts& r) {
    const CombinedTradeTexts& t = r.trade;
    st.SellPrice = shownValue(t.price);
    st.SellQty = shownValue(t.quantity);
    st.SellAmount = shownValue(t.amount);
    st.SellCommission = shownValue(t.commissionMinimum.value_or(t.commission));
    st.SellStampDuty = shownValue(t.stampDuty);
    st.SellTransferFee = shownValue(t.transferFee);
    st.SellFeeTotal = shownValue(t.feeTotal);
    st.AmountReceived = shownValue(r.received);
    if (r.profit) {
        st.ProfitLoss = shownValue(*r.profit);
        st.SellYield = shownValue(r.yield);
    }
}

bool IsValidPrice(const WindowModel& ui, Ctl field) {
    return isValidPriceText(ui.text(field));
}

SaleBasis saleBasis(const CalcState& st) {
    return SaleBasis{st.SellPrice,    st.SellQty,           st.BuyQty,
                     st.HeldQty,      st.BuyAmount,         st.BuyFeeTotal,
                     st.AmountPaid,   st.RemainQty,         st.RemainBasePrice,
                     st.RemainTarget, st.RemainTransferFee, st.StepCount};
}

}  // namespace zm
