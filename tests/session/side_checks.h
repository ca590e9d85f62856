// The figures each calculation writes, checked against the program's definitions after the
// calculation that wrote them (trade_invariants.h says when): the main window's purchase and
// sale, and the batch dialogs' combined purchase and sale. No test framework here: a check adds
// the rules it found broken, as sentences, to m_problems.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fees/batch_calc.h"
#include "fees/break_even.h"
#include "fees/calc_buy.h"
#include "fees/display_format.h"
#include "fees/fee_rules.h"
#include "fees/literal_search.h"
#include "fees/money.h"
#include "fees/number_text.h"
#include "session/recording_window_model.h"
#include "session/session.h"

namespace zm::test {

// The cash dividend on `shares` at `perTen` yuan per 10 shares, worked exactly and rounded half
// up to the fen once.
inline Money dividendOn(Money perTen, Int128 shares) {
    const Int128 dq = static_cast<Int128>(perTen.ticks()) * shares;  // ten-thousandths of fen × 10
    return Money::fromFen(
        static_cast<std::int64_t>(dq >= 0 ? (dq + 500) / 1000 : -((-dq + 500) / 1000)));
}

class SideChecks {
public:
    // `literalBudget` bounds the stop tests of each literal search; a break-even whose literal
    // search needs more is not compared (counted in unfinishedSearches).
    explicit SideChecks(std::int64_t literalBudget) : m_budget(literalBudget) {}

    // What the checks saw, for the reports.
    std::int64_t buyCalculations = 0;
    std::int64_t sellCalculations = 0;
    std::int64_t batchBuyCalculations = 0;
    std::int64_t batchSellCalculations = 0;
    std::int64_t comparedSearches = 0;    // break-even prices compared with a literal search
    std::int64_t unfinishedSearches = 0;  // literal searches that ran out of budget
    std::int64_t partialSales = 0;
    std::int64_t datedCalculations = 0;  // buy or sell sides worked under a trade date's rules

protected:
    static constexpr Money kFen = Money::fromFen(1);
    // Beyond this a yield in percent is no figure a field can hold (the program leaves it out).
    static constexpr long double kMaxYieldPercent = 9.0e14L;

    // ------------------------------------------------------------------------------------------
    // Reading the window.
    std::string shown(Ctl name) const { return m_ui->MemoryWindowModel::text(name); }
    std::optional<Money> money(Ctl name) const { return numberTextToMoney(shown(name)); }
    std::optional<double> number(Ctl name) const { return numberTextToDouble(shown(name)); }
    double rate(Ctl list) const { return numberTextToDouble(shown(list)).value_or(0.0); }
    Market market() const {
        if (m_ui->MemoryWindowModel::isChecked(form1::Option1)) {
            return Market::ShanghaiA;
        }
        return m_ui->MemoryWindowModel::isChecked(form1::Option3) ? Market::FundWarrant
                                                                  : Market::ShenzhenA;
    }
    const MemoryWindowModel::Control* control(Ctl name) const { return m_ui->find(name); }
    Rgb colour(Ctl name) const {
        const auto* c = control(name);
        return c ? c->foreColor : kBlack;
    }

    void fail(const std::string& what) {
        std::ostringstream out;
        out << what << " |";
        for (Ctl name : {form1::Text1,  form1::Text2,  form1::Text3,  form1::Text4,  form1::Text5,
                         form1::Text6,  form1::Text7,  form1::Text8,  form1::Text9,  form1::Text10,
                         form1::Text11, form1::Text12, form1::Text13, form1::Text14, form1::Text15,
                         form1::Text16, form1::Text17, form1::Text18, form1::Text19, form1::Text20,
                         form1::Text21, form1::Text22, form1::Combo1, form1::Combo2}) {
            out << ' ' << name << "=[" << shown(name) << ']';
        }
        out << " market=" << static_cast<int>(market());
        m_problems.push_back(out.str());
    }
    void expect(bool ok, const std::string& what) {
        if (!ok) {
            fail(what);
        }
    }
    static std::string show(Money m) { return formatMoneyGeneral(m); }

    // |a − b| ≤ tolerance, in yuan, for figures formed in double.
    static bool near(double a, long double b, double tolerance) {
        return std::fabs(static_cast<long double>(a) - b) <= tolerance + std::fabs(b) * 1e-15L;
    }

    // The total quantity of a batch dialog's captured values.
    double capturedQuantity(FormId dialog) const {
        double q = 0.0;
        for (int i = 1; i < 6; i += 2) {
            q += capturedNumber(m_session->captured(dialog, i));
        }
        return q;
    }

    // The fee rules on a trade amount (yuan): the commission is the rate's share rounded to fen,
    // at least 5.00; the stamp duty is the rate's share rounded to fen. `what` names the side.
    void checkRateFees(const std::string& what, double amount, double c, double s,
                       double commission, double stampDuty) {
        const double slack = 0.005 + std::fabs(amount) * 1e-12;
        const long double base = static_cast<long double>(amount) / 1000;
        expect(near(commission, std::max<long double>(c * base, 5), slack),
               what + " commission is not the rate's share rounded to fen, at least 5.00");
        expect(near(stampDuty, s * base, slack),
               what + " stamp duty is not the rate's share rounded to fen");
    }
    // The transfer fee of one trade: in Shanghai 0.001 yuan a share, at least 1.00, not rounded
    // to fen; none elsewhere.
    void checkTransferFee(const std::string& what, Money fee, Money shares) {
        const double expected =
            market() == Market::ShanghaiA ? std::max(shares.toDouble() * 0.001, 1.0) : 0.0;
        expect(near(fee.toDouble(), expected, 1e-9),
               what + " transfer fee is not 0.001 a share, at least 1.00, in Shanghai only");
    }

    // ------------------------------------------------------------------------------------------
    // After the main window's buy-side calculation.

    void checkMainBuy() {
        const CalcState& st = *m_st;
        const double c = rate(form1::Combo1);
        const double s = rate(form1::Combo2);
        expect(money(form1::Text1) == st.BuyPrice, "BuyPrice is not the price Text1 shows");
        expect(money(form1::Text2) == st.BuyQty, "BuyQty is not the quantity Text2 shows");
        const auto amount = Money::mul(st.BuyPrice, st.BuyQty);
        expect(amount && st.BuyAmount == *amount, "BuyAmount is not price × quantity");
        expect(shown(form1::Text3) == formatAmount(st.BuyAmount), "Text3 does not show BuyAmount");
        expect(shown(form1::Text4) == formatAmount(st.BuyCommission),
               "Text4 does not show BuyCommission");
        if (market() == Market::FundWarrant) {
            expect(shown(form1::Text5) == "0" && st.BuyStampDuty.isZero(),
                   "a fund purchase pays stamp duty");
        }
        checkRateFees("the purchase's", st.BuyAmount.toDouble(), c,
                      market() == Market::FundWarrant ? 0.0 : s, st.BuyCommission.toDouble(),
                      st.BuyStampDuty.toDouble());
        checkTransferFee("the purchase's", st.BuyTransferFee, st.BuyQty);
        expect(shown(form1::Text7) == formatAmount(st.BuyFeeTotal),
               "Text7 does not show BuyFeeTotal");
        // The fee total on screen against its parts on screen: exact when the transfer fee is a
        // whole number of fen (always so for whole board lots), else within the two roundings.
        const auto t4 = money(form1::Text4);
        const auto t5 = money(form1::Text5);
        const auto t6 = money(form1::Text6);
        const auto t7 = money(form1::Text7);
        if (t4 && t5 && t6 && t7) {
            const Money parts = *t4 + *t5 + *t6;
            if (st.BuyTransferFee.isWholeFen()) {
                expect(*t7 == parts, "Text7 is not Text4 + Text5 + Text6");
            } else {
                expect(*t7 - parts <= kFen && parts - *t7 <= kFen,
                       "Text7 is more than a fen from Text4 + Text5 + Text6");
            }
        } else {
            fail("a buy fee field holds no number");
        }
        // A sale computed in the same action (Calculate) sets Label8 and, when partial, Text9.
        const bool saleFollowed = m_ui->wrote(form1::Text20);
        const bool breakEvenReplaced = saleFollowed && st.BuyQty > st.SellQty;
        if (!saleFollowed) {
            expect(colour(form1::Label8) == kRed, "Label8 is not red after a purchase");
        }

        // Bonus shares and dividend per 10, as the fields held them for the calculation, with up
        // to four decimals: the holding receives the whole shares of bonus × shares ÷ 10, and the
        // dividend × shares ÷ 10 rounded half up to the fen once.
        const auto d = money(form1::Text22);
        const auto b = money(form1::Text21);
        if (!d || !b) {
            fail("Text21 or Text22 holds no number after a purchase");
            return;
        }
        const Int128 q = st.BuyQty.ticks() / Money::kTicksPerYuan;
        const Money dividend = dividendOn(*d, q);
        const Money bonus = Money::fromYuan(
            static_cast<std::int64_t>(b->ticks() * q / (10 * Money::kTicksPerYuan)));

        // Cost per share: the next fen up of (amount + fees − dividend) ÷ (shares + bonus).
        const Money num = st.BuyAmount + st.BuyFeeTotal - dividend;
        const Money den = st.BuyQty + bonus;
        expect(den > Money(), "the purchase was computed on no shares");
        expect(st.HeldQty == den, "HeldQty is not the shares bought and their whole bonus shares");
        if (den > Money()) {
            const Int128 n = static_cast<Int128>(num.ticks()) * Money::kTicksPerYuan;
            const Int128 cost = st.BuyCostPerShare.ticks();
            expect(st.BuyCostPerShare.isWholeFen() && cost * den.ticks() >= n &&
                       (cost - Money::kTicksPerFen) * den.ticks() < n,
                   "the cost per share " + show(st.BuyCostPerShare) +
                       " is not the next fen up of " + show(num) + " / " + show(den));
            expect(shown(form1::Text8) == formatAmount(st.BuyCostPerShare),
                   "Text8 does not show BuyCostPerShare");
        }

        // Break-even price: the literal search on the dividend-adjusted price and the shares
        // after the bonus.
        if (den > Money() && !breakEvenReplaced) {
            const Money net = st.BuyAmount - dividend;
            const auto adjusted = Money::fromDouble(net.toDouble() / den.toDouble());
            if (adjusted) {
                const auto lit = literalBreakEven(*adjusted, den, c, s, m_budget);
                compareBreakEven(lit, lit.value ? formatPrice(*lit.value) : std::string(),
                                 "the buy-side break-even");
            }
        }

        // Amount paid: trade amount + fee total − the dividend, every figure as its field shows
        // it, exactly.
        const auto T = money(form1::Text3);
        const auto F = money(form1::Text7);
        if (T && F && money(form1::Text2) == st.BuyQty) {
            const Money expected = *T + *F - dividend;
            expect(money(form1::Text10) == expected, "Text10 is not Text3 + Text7 − the dividend");
            expect(st.AmountPaid == expected, "AmountPaid is not Text3 + Text7 − the dividend");
        } else {
            fail("a field of the amount paid holds no number");
        }
    }

    // ------------------------------------------------------------------------------------------
    // After the main window's sell-side calculation.

    void checkMainSell() {
        const CalcState& st = *m_st;
        const double c = rate(form1::Combo1);
        const double s = rate(form1::Combo2);
        expect(money(form1::Text11) == st.SellPrice, "SellPrice is not the price Text11 shows");
        expect(money(form1::Text12) == st.SellQty, "SellQty is not the quantity Text12 shows");
        const auto amount = Money::mul(st.SellPrice, st.SellQty);
        expect(amount && st.SellAmount == *amount, "SellAmount is not price × quantity");
        expect(shown(form1::Text13) == formatAmount(st.SellAmount),
               "Text13 does not show SellAmount");
        expect(shown(form1::Text14) == formatAmount(st.SellCommission),
               "Text14 does not show SellCommission");
        expect(shown(form1::Text17) == formatAmount(st.SellFeeTotal),
               "Text17 does not show SellFeeTotal");
        checkRateFees("the sale's", st.SellAmount.toDouble(), c, s, st.SellCommission.toDouble(),
                      st.SellStampDuty.toDouble());
        checkTransferFee("the sale's", st.SellTransferFee, st.SellQty);
        // The sell fee total is not rounded; on screen, its parts are whole fen but for the
        // transfer fee, and rounding a sum of positive figures to fen rounds that part alone.
        const auto t13 = money(form1::Text13);
        const auto t14 = money(form1::Text14);
        const auto t15 = money(form1::Text15);
        const auto t16 = money(form1::Text16);
        const auto t17 = money(form1::Text17);
        const auto t20 = money(form1::Text20);
        if (t13 && t14 && t15 && t16 && t17 && t20) {
            expect(*t17 == *t14 + *t15 + *t16, "Text17 is not Text14 + Text15 + Text16");
            const Money diff = *t20 - (*t13 - *t17);
            expect(diff <= kFen && -diff <= kFen, "Text20 is more than a fen from Text13 − Text17");
        } else {
            fail("a sell fee field holds no number");
        }
        // Amount received = trade amount − fee total, exactly, in the state.
        expect(st.AmountReceived == st.SellAmount - st.SellFeeTotal,
               "AmountReceived is not SellAmount − SellFeeTotal");
        expect(shown(form1::Text20) == formatAmount(st.AmountReceived),
               "Text20 does not show AmountReceived");
        expect(st.ProfitLoss == st.AmountReceived - st.AmountPaid,
               "ProfitLoss is not AmountReceived − AmountPaid");

        // The yield, when an amount paid is on screen.
        if (!shown(form1::Text10).empty()) {
            const long double y = st.AmountPaid.isZero()
                                      ? 0.0L
                                      : static_cast<long double>(st.ProfitLoss.toDouble()) /
                                            st.AmountPaid.toDouble() * 100.0L;
            if (st.AmountPaid.isZero()) {
                expect(shown(form1::Text18).empty(), "a yield is shown on nothing paid");
            } else if (std::fabs(y) > kMaxYieldPercent && shown(form1::Text18).empty()) {
                // A yield beyond what a field can hold is left out.
            } else {
                expect(near(st.SellYield.toDouble(), y, 0.005 + 1e-9),
                       "SellYield " + show(st.SellYield) + " is not the profit in percent");
                expect(shown(form1::Text18) == formatAmount(st.SellYield),
                       "Text18 does not show SellYield");
            }
        }

        const auto* label17 = control(form1::Label17);
        const std::string caption = label17 ? label17->caption : std::string();
        const bool partial = st.BuyQty > st.SellQty;
        if (!partial) {
            // The mark follows the profit as shown: a loss blue, a gain (zero included) red.
            const bool loss = st.ProfitLoss <= -Money::fromTicks(Money::kTicksPerFen / 2);
            expect(caption == (loss ? "大亏特亏" : "大赚特赚"),
                   "the mark does not agree with the profit " + show(st.ProfitLoss));
            expect(shown(form1::Text19) == formatAmount(st.ProfitLoss),
                   "Text19 does not show ProfitLoss");
            return;
        }

        // A partial sale: the remaining shares replace the profit, and Text9 shows their
        // break-even price, which the literal search must find too.
        ++partialSales;
        expect(caption == "剩余股票" && colour(form1::Label17) == kRed,
               "a partial sale is not marked");
        // The yield shown is what came back against all that was paid: its caption has the
        // colour of its own sign. Its tool tip tells the realised profit of the shares sold
        // against their part of the amount paid.
        const auto yield = money(form1::Text18);
        const bool yieldLoss = !shown(form1::Text10).empty() && yield && *yield < Money();
        expect(colour(form1::Label18) == (yieldLoss ? kBlue : kRed),
               "the yield's caption has not the colour of its sign");
        checkRealisedProfit();
        const Money remain = st.BuyQty - st.SellQty;
        expect(shown(form1::Text19) == formatGroupedWhole(remain),
               "Text19 does not show the remaining shares");
        expect(st.RemainQty == remain, "RemainQty is not BuyQty − SellQty");
        const Money cost = st.BuyAmount - st.SellAmount + st.BuyFeeTotal + st.SellFeeTotal;
        expect(near(st.RemainBasePrice.toDouble(),
                    static_cast<long double>(cost.toDouble()) / remain.toDouble(), 0.00005 + 1e-9),
               "RemainBasePrice is not the outstanding cost per remaining share");
        const auto target = Money::mul(st.RemainBasePrice, st.RemainQty);
        expect(target && st.RemainTarget == *target,
               "RemainTarget is not RemainBasePrice × RemainQty");
        if (market() == Market::ShanghaiA) {
            const double x = remain.toDouble() * 0.001;
            const double fee = x < 1.0 ? 1.0 : std::ceil(x);
            expect(st.RemainTransferFee.toDouble() == fee,
                   "RemainTransferFee is not the remaining shares' fee in whole yuan");
        } else {
            expect(st.RemainTransferFee.isZero(), "RemainTransferFee outside Shanghai");
        }
        const auto lit =
            literalRemainingShareSteps(st.RemainBasePrice, st.RemainQty, st.RemainTarget,
                                       st.RemainTransferFee, c, s, m_budget);
        std::string expected;
        if (lit.finished && lit.value) {
            expect(st.StepCount == *lit.value, "StepCount " + std::to_string(st.StepCount) +
                                                   " is not the literal search's " +
                                                   std::to_string(*lit.value));
            const auto step = Money::fromDouble(static_cast<double>(*lit.value) * 0.01);
            const auto price = step ? Money::add(st.RemainBasePrice, *step) : std::nullopt;
            const auto up = price ? fenCeilQuotient(*price, Money::fromYuan(1)) : std::nullopt;
            expected = up ? formatAmount(*up) : std::string();
        }
        compareBreakEven(lit, expected, "the remaining-share break-even");
    }

    // The realised profit that the yield's tool tip names after a partial sale: what the sale
    // brought less the amount paid × shares sold ÷ shares held, to the fen.
    void checkRealisedProfit() {
        const CalcState& st = *m_st;
        const auto* text18 = control(form1::Text18);
        const auto* label18 = control(form1::Label18);
        const std::string tip = text18 ? text18->toolTip : std::string();
        expect(label18 && label18->toolTip == tip, "Label18's tool tip is not Text18's");
        constexpr std::string_view kProfit = "实现盈亏";
        const auto at = tip.find(kProfit);
        const auto end = tip.find("元", at);
        const auto profit =
            at == std::string::npos || end == std::string::npos
                ? std::nullopt
                : numberTextToMoney(tip.substr(at + kProfit.size(), end - at - kProfit.size()));
        if (!profit) {
            fail("the yield's tool tip names no realised profit: " + tip);
            return;
        }
        const long double expected = static_cast<long double>(st.AmountReceived.toDouble()) -
                                     static_cast<long double>(st.AmountPaid.toDouble()) *
                                         st.SellQty.toDouble() / st.BuyQty.toDouble();
        expect(near(profit->toDouble(), expected, 0.0051),
               "the realised profit " + show(*profit) + " is not the sale less its part paid");
    }

    // ------------------------------------------------------------------------------------------
    // After a batch dialog's computation.

    void checkBatchBuy() {
        const double c = rate(form1::Combo1);
        const double s = rate(form1::Combo2);
        const auto t4 = number(form1::Text4);
        const auto t5 = number(form1::Text5);
        const auto t6 = number(form1::Text6);
        const auto t7 = number(form1::Text7);
        const auto T = number(form1::Text3);
        const auto N = number(form1::Text2);
        const auto paid = number(form1::Text10);
        const auto cost = number(form1::Text8);
        if (!t4 || !t5 || !t6 || !t7 || !T || !N || !paid || !cost) {
            fail("a field of the batch purchase holds no number");
            return;
        }
        // Commission and stamp duty on the combined trade amount as shown; the average price
        // shown is the trade amount over the quantity, rounded to fen.
        checkRateFees("the batch purchase's", *T, c, s, *t4, *t5);
        const double Q = capturedQuantity(FormId::Form4);
        if (const auto average = number(form1::Text1); average && Q > 0) {
            expect(near(*average, static_cast<long double>(*T) / Q, 0.005 + 1e-9),
                   "Text1 is not the average price of the batches");
        }
        // The transfer fee is written unrounded; the fee total is rounded to fen.
        const long double parts = static_cast<long double>(*t4) + *t5 + *t6;
        expect(near(*t7, parts, 0.0051), "Text7 is not Text4 + Text5 + Text6 rounded to fen");
        // Cost per share: (trade amount + fee total) ÷ quantity, raised to the next fen.
        const long double x = (static_cast<long double>(*T) + *t7) / *N;
        const long double slack = std::fabs(x) * 1e-12L + 1e-9L;
        expect(*cost >= x - slack && *cost - 0.01L < x + slack,
               "Text8 is not the next fen up of (Text3 + Text7) ÷ Text2");
        // Amount paid, less the dividend on the quantity shown (no number in Text22 counts 0),
        // rounded half up to the fen once; the trade amount may hold a fraction of a fen.
        const Money dividend = dividendOn(money(form1::Text22).value_or(Money()),
                                          static_cast<Int128>(std::llround(*N)));
        const long double expected =
            (static_cast<long double>(*T) + *t7) - static_cast<long double>(dividend.toDouble());
        expect(near(*paid, expected, 0.0051), "Text10 is not Text3 + Text7 − Text22 × Text2 × 0.1");
        expect(colour(form1::Label8) == kRed, "Label8 is not red after a batch purchase");
        // Break-even price of the combined purchase as shown.
        const auto price = money(form1::Text1);
        const auto qty = money(form1::Text2);
        if (price && qty) {
            const auto lit = literalBreakEven(*price, *qty, c, s, m_budget);
            compareBreakEven(lit, lit.value ? formatMoneyGeneral(*lit.value) : std::string(),
                             "the batch break-even");
        }
    }

    void checkBatchSell() {
        const auto t13 = number(form1::Text13);
        const auto t14 = money(form1::Text14);
        const auto t15 = money(form1::Text15);
        const auto t16 = money(form1::Text16);
        const auto t17 = money(form1::Text17);
        const auto t20 = number(form1::Text20);
        if (!t13 || !t14 || !t15 || !t16 || !t17 || !t20) {
            fail("a field of the batch sale holds no number");
            return;
        }
        expect(*t17 == *t14 + *t15 + *t16, "Text17 is not Text14 + Text15 + Text16");
        checkRateFees("the batch sale's", *t13, rate(form1::Combo1), rate(form1::Combo2),
                      t14->toDouble(), t15->toDouble());
        const double Q = capturedQuantity(FormId::Form3);
        const auto average = number(form1::Text11);
        if (average && Q > 0) {
            expect(near(*average, static_cast<long double>(*t13) / Q, 0.005 + 1e-9),
                   "Text11 is not the average price of the batches");
        }
        const long double received = static_cast<long double>(*t13) - t17->toDouble();
        expect(near(*t20, received, 0.0051), "Text20 is not Text13 − Text17");
        const auto P = number(form1::Text10);
        if (!P) {
            return;  // no purchase on screen: no round trip
        }
        const auto L = number(form1::Text19);
        if (L) {
            expect(near(*L, static_cast<long double>(*t20) - *P, 0.0051),
                   "Text19 is not Text20 − Text10");
            const long double percent =
                *P == 0.0 ? 0.0L : static_cast<long double>(*L) / *P * 100.0L;
            const bool leftOut =
                std::fabs(percent) > kMaxYieldPercent && shown(form1::Text18).empty();
            if (*P != 0.0 && !leftOut) {
                const auto y = number(form1::Text18);
                expect(y && near(*y, static_cast<long double>(*L) / *P * 100.0L, 0.005 + 1e-9),
                       "Text18 is not Text19 in percent of Text10");
            }
        }
        if (*P == 0.0) {
            expect(shown(form1::Text18).empty(), "a yield is shown on nothing paid");
        }
    }

    // Text9 against the literal search's result (`expected`, formatted as the field shows it).
    template <class Outcome>
    void compareBreakEven(const Outcome& lit, const std::string& expected, const char* what) {
        if (!lit.finished) {
            ++unfinishedSearches;
            return;
        }
        ++comparedSearches;
        if (lit.value) {
            expect(shown(form1::Text9) == expected, std::string(what) +
                                                        " in Text9 is not the literal "
                                                        "search's " +
                                                        expected);
        } else {
            // No price within the 32-bit step range: the program shows none.
            expect(shown(form1::Text9).empty(), std::string(what) +
                                                    " shows a price the literal "
                                                    "search never reaches");
        }
    }

    const RecordingWindowModel* m_ui = nullptr;
    const Session* m_session = nullptr;
    const CalcState* m_st = nullptr;
    std::int64_t m_budget;
    std::vector<std::string> m_problems;
};

}  // namespace zm::test
