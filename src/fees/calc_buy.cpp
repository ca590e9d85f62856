#include "fees/calc_buy.h"

#include <optional>
#include <string>

#include "fees/break_even.h"
#include "fees/display_format.h"
#include "fees/number_text.h"

namespace zm {

Market chosenMarket(const WindowModel& ui) {
    if (ui.isChecked(f1("Option1"))) {
        return Market::ShanghaiA;
    }
    if (ui.isChecked(f1("Option3"))) {
        return Market::FundWarrant;
    }
    return Market::ShenzhenA;
}

double rateOf(const WindowModel& ui, Ctl list) {
    return numberTextToDouble(ui.text(list)).value_or(0.0);
}

namespace {

// Everything CalcBuy writes, worked out before the first field changes, so that an input whose
// figures leave Money's range changes nothing at all.
struct BuyResult {
    Money amount;
    std::string amountText;
    Money commission;
    std::string commissionText;
    Money stampDuty;
    std::string stampDutyText;
    Money transferFee;
    std::string transferFeeText;
    Money feeTotal;
    std::string feeTotalText;
    std::optional<std::string> dividendFix;  // "0" for a Text22 that holds no number
    std::optional<std::string> bonusFix;     // "0" for a Text21 that holds no number
    Money costPerShare;
    std::string costPerShareText;
    std::string breakEvenText;
    Money amountPaid;
    std::string amountPaidText;
};

// A sum of Money values, nullopt when it leaves the range.
std::optional<Money> checkedSum(std::optional<Money> a, std::optional<Money> b) {
    return a && b ? Money::add(*a, *b) : std::nullopt;
}

std::optional<Money> checkedDifference(std::optional<Money> a, std::optional<Money> b) {
    return a && b ? Money::sub(*a, *b) : std::nullopt;
}

std::optional<BuyResult> computeBuy(const WindowModel& ui, const CalcState& st) {
    const double commissionRate = rateOf(ui, f1("Combo1"));
    const double stampDutyRate = rateOf(ui, f1("Combo2"));
    const Market market = chosenMarket(ui);
    const Money qty = st.BuyQty;
    BuyResult r;

    auto amount = Money::mul(st.BuyPrice, qty);
    if (!amount) {
        return std::nullopt;
    }
    r.amount = *amount;
    r.amountText = formatAmount(r.amount);

    // The commission minimum is tested on the commission as its field shows it, read back through
    // the number parse, grouping commas included.
    auto commission = proportionalFee(commissionRate, r.amount);
    if (!commission) {
        return std::nullopt;
    }
    r.commission = *commission;
    r.commissionText = formatAmount(r.commission);
    auto shownCommission = numberTextToDouble(r.commissionText);
    if (!shownCommission) {
        return std::nullopt;
    }
    if (*shownCommission < 5.0) {
        r.commission = kMinCommission;
        r.commissionText = formatAmount(kMinCommission);
    }

    // The fund and warrant market pays no stamp duty on a purchase, and its field shows a bare 0.
    if (market == Market::FundWarrant) {
        r.stampDuty = Money();
        r.stampDutyText = "0";
    } else {
        auto stampDuty = proportionalFee(stampDutyRate, r.amount);
        if (!stampDuty) {
            return std::nullopt;
        }
        r.stampDuty = *stampDuty;
        r.stampDutyText = formatAmount(r.stampDuty);
    }

    // Not rounded to fen: 1,234 shares in Shanghai pay 1.234, shown as 1.23.
    r.transferFee = transferFee(market, qty);
    r.transferFeeText = formatAmount(r.transferFee);

    auto fees = checkedSum(checkedSum(r.commission, r.stampDuty), r.transferFee);
    if (!fees) {
        return std::nullopt;
    }
    r.feeTotal = fenRound(*fees);
    r.feeTotalText = formatAmount(r.feeTotal);

    // Bonus shares and cash dividend per 10 shares; a field that holds no number counts as 0 and
    // is shown as 0.
    std::string dividendText = ui.text(f1("Text22"));
    if (!IsNumberText(dividendText)) {
        dividendText = "0";
        r.dividendFix = dividendText;
    }
    std::string bonusText = ui.text(f1("Text21"));
    if (!IsNumberText(bonusText)) {
        bonusText = "0";
        r.bonusFix = bonusText;
    }
    auto dividend = numberTextToDouble(dividendText);
    auto bonus = numberTextToDouble(bonusText);
    if (!dividend || !bonus) {
        return std::nullopt;
    }
    const double q = qty.toDouble();

    // Cost per share after bonus shares and dividend, raised to the next fen on the exact quotient
    // (an exact 10.05 stays 10.05).
    auto num =
        checkedDifference(checkedSum(r.amount, r.feeTotal), Money::fromDouble(*dividend * q / 10));
    auto den = checkedSum(qty, Money::fromDouble(*bonus * q / 10));
    if (!num || !den || *den <= Money()) {
        return std::nullopt;
    }
    auto cost = fenCeilQuotient(*num, *den);
    if (!cost) {
        return std::nullopt;
    }
    r.costPerShare = *cost;
    r.costPerShareText = formatAmount(r.costPerShare);

    // The break-even price starts from the trade amount less the dividend, spread over the shares
    // after bonus shares; CalcBreakEven adds the fees of both sides itself.
    auto shares = checkedSum(qty, Money::fromDouble(*bonus * q * 0.1));
    auto netAmount = checkedDifference(r.amount, Money::fromDouble(*dividend * q * 0.1));
    if (!shares || !netAmount || *shares <= Money()) {
        return std::nullopt;
    }
    auto adjustedPrice = Money::fromDouble(netAmount->toDouble() / shares->toDouble());
    if (!adjustedPrice) {
        return std::nullopt;
    }
    auto breakEven = CalcBreakEven(*adjustedPrice, *shares, commissionRate, stampDutyRate);
    if (!breakEven) {
        return std::nullopt;
    }
    r.breakEvenText = formatPrice(*breakEven);

    // The amount paid is worked from the texts as the fields show them: the trade amount and the
    // fen-rounded fee total, less the dividend on the quantity as Text2 shows it.
    auto shownAmount = numberTextToDouble(r.amountText);
    auto shownFees = numberTextToDouble(r.feeTotalText);
    auto shownQty = numberTextToDouble(ui.text(f1("Text2")));
    if (!shownAmount || !shownFees || !shownQty) {
        return std::nullopt;
    }
    const double paid = (*shownAmount + *shownFees) - *dividend * *shownQty * 0.1;
    auto amountPaid = Money::fromDouble(paid);
    if (!amountPaid) {
        return std::nullopt;
    }
    r.amountPaid = *amountPaid;
    r.amountPaidText = formatAmount(r.amountPaid);
    return r;
}

}  // namespace

void CalcBuy(WindowModel& ui, CalcState& st, const std::function<void()>& saveRates) {
    if (st.BuyPrice.isZero() || st.BuyQty.isZero()) {
        return;
    }
    // The callers refuse inputs whose figures leave the supported range before they get here;
    // should one slip through, nothing is written and the rates are not saved.
    const std::optional<BuyResult> r = computeBuy(ui, st);
    if (!r) {
        return;
    }
    st.BuyAmount = r->amount;
    ui.setText(f1("Text3"), r->amountText);
    st.BuyCommission = r->commission;
    ui.setText(f1("Text4"), r->commissionText);
    st.BuyStampDuty = r->stampDuty;
    ui.setText(f1("Text5"), r->stampDutyText);
    st.BuyTransferFee = r->transferFee;
    ui.setText(f1("Text6"), r->transferFeeText);
    st.BuyFeeTotal = r->feeTotal;
    ui.setText(f1("Text7"), r->feeTotalText);
    if (r->dividendFix) {
        ui.setText(f1("Text22"), *r->dividendFix);
    }
    if (r->bonusFix) {
        ui.setText(f1("Text21"), *r->bonusFix);
    }
    st.BuyCostPerShare = r->costPerShare;
    ui.setText(f1("Text8"), r->costPerShareText);
    ui.setText(f1("Text9"), r->breakEvenText);
    ui.setForeColor(f1("Label8"), kRed);
    st.AmountPaid = r->amountPaid;
    ui.setText(f1("Text10"), r->amountPaidText);
    if (saveRates) {
        saveRates();
    }
}

}  // namespace zm
