#include "fees/calc_sell.h"

#include <limits>
#include <optional>
#include <string>

#include "fees/break_even.h"
#include "fees/calc_buy.h"
#include "fees/display_format.h"
#include "fees/fee_schedule.h"
#include "fees/number_text.h"

namespace zm {
namespace {

constexpr std::string_view kBreakEvenTip =
    "每股的保本价格，既扣除买入卖出的各种费用后保证不亏损的每股价格";

// The transfer fee assumed for a later sale of the remaining shares: in Shanghai Q × 0.001
// raised to whole yuan, at least 1; none elsewhere.
std::optional<Money> remainingTransferFee(Market market, Money remainQty) {
    if (market != Market::ShanghaiA) {
        return Money();
    }
    const double x = remainQty.toDouble() * 0.001;
    if (x < 1.0) {
        return kMinTransferFee;
    }
    auto n = roundHalfEven(x);
    if (!n) {
        return std::nullopt;
    }
    const std::int64_t yuan = x > static_cast<double>(*n) ? *n + 1 : *n;
    return Money::fromYuan(yuan);
}

// The sale's figures, worked out before the first field changes.
struct SaleFigures {
    Money amount;
    Money commission;
    std::string commissionText;
    Money stampDuty;
    Money transferFee;
    Money feeTotal;
    Money received;
    Money profitLoss;
};

std::optional<SaleFigures> computeSale(const WindowModel& ui, const CalcState& st,
                                       const FeeRules& rules, double commissionRate,
                                       double stampDutyRate) {
    SaleFigures f;
    const auto amount = Money::mul(st.SellPrice, st.SellQty);
    const auto fees = amount ? saleFees(rules, chosenMarket(ui), commissionRate, stampDutyRate,
                                        *amount, st.SellQty)
                             : std::nullopt;
    if (!fees) {
        return std::nullopt;
    }
    f.amount = *amount;
    f.commission = fees->commission;
    f.commissionText = formatAmount(f.commission);
    f.stampDuty = fees->stampDuty;
    f.transferFee = fees->transferFee;
    f.feeTotal = fees->total;
    auto received = Money::sub(f.amount, f.feeTotal);
    auto profit = received ? Money::sub(*received, st.AmountPaid) : std::nullopt;
    if (!profit) {
        return std::nullopt;
    }
    f.received = *received;
    f.profitLoss = *profit;
    return f;
}

// The partial sale: what the remaining shares still have to bring back, and the lowest price at
// which selling them does, found by the remaining-share search and raised to whole fen. The
// members are set as far as they can be worked out; the price is nullopt when a figure leaves
// the range or the step counter would pass 2^31 − 1.
std::optional<Money> remainingBreakEven(const WindowModel& ui, CalcState& st, double commissionRate,
                                        double stampDutyRate) {
    auto remainQty = Money::sub(st.BuyQty, st.SellQty);
    if (!remainQty) {
        return std::nullopt;
    }
    st.RemainQty = *remainQty;
    // What the purchase cost with its fees, less what the sale brought net of its fees. Bonus
    // shares and the dividend play no part here.
    auto cost = Money::sub(st.BuyAmount, st.SellAmount);
    cost = cost ? Money::add(*cost, st.BuyFeeTotal) : std::nullopt;
    cost = cost ? Money::add(*cost, st.SellFeeTotal) : std::nullopt;
    if (!cost) {
        return std::nullopt;
    }
    auto base = Money::fromDouble(cost->toDouble() / st.RemainQty.toDouble());
    if (!base) {
        return std::nullopt;
    }
    st.RemainBasePrice = *base;
    auto target = Money::mul(st.RemainBasePrice, st.RemainQty);
    auto transfer = remainingTransferFee(chosenMarket(ui), st.RemainQty);
    if (!target || !transfer) {
        return std::nullopt;
    }
    st.RemainTarget = *target;
    st.RemainTransferFee = *transfer;
    auto steps = remainingShareSteps(st.RemainBasePrice, st.RemainQty, st.RemainTarget,
                                     st.RemainTransferFee, commissionRate, stampDutyRate);
    if (!steps) {
        return std::nullopt;
    }
    st.StepCount = *steps;
    auto step = Money::fromDouble(static_cast<double>(*steps) * 0.01);
    auto price = step ? Money::add(st.RemainBasePrice, *step) : std::nullopt;
    // The search's grid starts at a price with up to four decimals; the result is raised to the
    // next whole fen.
    return price ? fenCeilQuotient(*price, Money::fromYuan(1)) : std::nullopt;
}

// The remaining shares' break-even under trade-date rules: what they must still bring back is
// the amount paid less what this sale brought; nothing left to bring back shows 0.00.
std::optional<Money> remainingRulesBreakEven(const WindowModel& ui, CalcState& st,
                                             const FeeRules& rules) {
    st.RemainQty = st.HeldQty - st.SellQty;
    const auto target = Money::sub(st.AmountPaid, st.AmountReceived);
    if (!target) {
        return std::nullopt;
    }
    st.RemainTarget = *target;
    if (*target <= Money()) {
        return Money();
    }
    return eraBreakEven(rules, chosenMarket(ui), st.RemainQty, *target);
}

}  // namespace

std::optional<TradeFees> saleFees(const FeeRules& rules, Market market, double commissionRate,
                                  double stampDutyRate, Money amount, Money quantity) {
    if (!rules.own()) {
        return eraFees(rules, market, TradeSide::Sell, amount, quantity);
    }
    const auto commission = proportionalFee(commissionRate, amount);
    const auto stampDuty = proportionalFee(stampDutyRate, amount);
    // The minimum is tested on the commission as its field shows it.
    const auto shown = commission ? numberTextToDouble(formatAmount(*commission)) : std::nullopt;
    if (!stampDuty || !shown) {
        return std::nullopt;
    }
    TradeFees f;
    f.commission = *shown < 5.0 ? kMinCommission : *commission;
    // The stamp duty of a sale applies in every market, the fund market included.
    f.stampDuty = *stampDuty;
    f.transferFee = transferFee(market, quantity);
    // Kept exact, not rounded to fen (a Shanghai transfer fee may have three decimals).
    const auto total = Money::add(f.commission, f.stampDuty);
    const auto all = total ? Money::add(*total, f.transferFee) : std::nullopt;
    if (!all) {
        return std::nullopt;
    }
    f.total = *all;
    return f;
}

std::optional<Money> roundTripYield(Money profitLoss, Money amountPaid) {
    if (amountPaid.isZero()) {
        return std::nullopt;
    }
    auto basisPoints = roundHalfEven(profitLoss.toDouble() / amountPaid.toDouble() * 10000);
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 100;
    if (!basisPoints || *basisPoints > kLimit || *basisPoints < -kLimit) {
        return std::nullopt;
    }
    return Money::fromTicks(*basisPoints * 100);  // y ÷ 100 percent
}

void writeGainLossMark(WindowModel& ui, bool loss) {
    const Rgb mark = loss ? kBlue : kRed;
    ui.setCaption(f1("Label17"), loss ? "大亏特亏" : "大赚特赚");
    ui.setForeColor(f1("Label17"), mark);
    ui.setForeColor(f1("Label18"), mark);
}

void CalcSell(WindowModel& ui, CalcState& st, const std::function<void()>& saveRates,
              const FeeRules& rules) {
    const double commissionRate = rateOf(ui, f1("Combo1"));
    const double stampDutyRate = rateOf(ui, f1("Combo2"));
    // The callers refuse sales whose figures leave the supported range before they get here;
    // should one slip through, nothing is written and the rates are not saved.
    const std::optional<SaleFigures> f =
        computeSale(ui, st, rules, commissionRate, stampDutyRate);
    if (!f) {
        return;
    }

    // Clear the marks of an earlier partial sale and the red of the buy side.
    ui.setCaption(f1("Label19_17"), "元");
    ui.setToolTip(f1("Label8"), kBreakEvenTip);
    ui.setForeColor(f1("Label8"), kBlack);

    st.SellAmount = f->amount;
    ui.setText(f1("Text13"), formatAmount(st.SellAmount));
    st.SellCommission = f->commission;
    ui.setText(f1("Text14"), f->commissionText);
    st.SellStampDuty = f->stampDuty;
    ui.setText(f1("Text15"), formatAmount(st.SellStampDuty));
    st.SellTransferFee = f->transferFee;
    ui.setText(f1("Text16"), formatAmount(st.SellTransferFee));
    st.SellFeeTotal = f->feeTotal;
    ui.setText(f1("Text17"), formatAmount(st.SellFeeTotal));
    st.AmountReceived = f->received;
    ui.setText(f1("Text20"), formatAmount(st.AmountReceived));
    st.ProfitLoss = f->profitLoss;
    ui.setText(f1("Text19"), formatAmount(st.ProfitLoss));

    // A loss is marked blue, a gain red; no gain at all counts as a gain. The sign is that of the
    // profit as Text19 shows it: the unrounded transfer fee of a Shanghai sale can leave a loss
    // of less than half a fen, shown as 0.00, and a 0.00 marked as a loss would contradict
    // itself (the batch sale marks the figure it reads back the same way).
    writeGainLossMark(ui,
                      numberTextToMoney(formatAmount(st.ProfitLoss)).value_or(Money()) < Money());

    // The yield needs a purchase: without an amount paid on screen the field keeps its value.
    // With one on screen but nothing paid in the state there is no yield to show, so the field
    // is emptied rather than showing a figure that is none.
    if (!ui.text(f1("Text10")).empty()) {
        const std::optional<Money> yield = roundTripYield(st.ProfitLoss, st.AmountPaid);
        st.SellYield = yield.value_or(Money());
        ui.setText(f1("Text18"), yield ? formatAmount(*yield) : std::string());
    }

    // Fewer shares sold than bought: the remaining shares and their break-even price replace the
    // profit and the buy side's break-even on screen.
    const Money held = rules.own() ? st.BuyQty : st.HeldQty;
    if (held > st.SellQty) {
        ui.setCaption(f1("Label17"), "剩余股票");
        ui.setForeColor(f1("Label17"), kRed);
        ui.setForeColor(f1("Label18"), kRed);
        ui.setCaption(f1("Label19_17"), "股");
        ui.setText(f1("Text19"), formatGroupedWhole(held - st.SellQty));
        ui.setForeColor(f1("Label8"), kRed);
        ui.setToolTip(f1("Label8"), "剩余股票每股的保本价格，卖出的" + ui.text(f1("Text12")) +
                                        "股的各种费用计入剩余股票成本里面。");
        const std::optional<Money> price =
            rules.own() ? remainingBreakEven(ui, st, commissionRate, stampDutyRate)
                        : remainingRulesBreakEven(ui, st, rules);
        if (!price) {
            // No price can be given (the search would run past its 32-bit step counter): the
            // field shows none rather than a stale or wrong one.
            st.StepCount = 0;
        }
        const int decimals = stepDecimals(priceStep(rules, chosenMarket(ui)));
        ui.setText(f1("Text9"), price ? formatAmount(*price, decimals) : std::string());
    }

    if (saveRates) {
        saveRates();
    }
}

}  // namespace zm
