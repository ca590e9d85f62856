// The rules every state of the main window and the batch dialogs keeps, checked after each user
// action by the randomized trade test and by the session fuzzer (fuzz/fuzz_session.cpp). No
// test framework here: a check returns the rules it found broken, as sentences.
//
// What is checked, after every action:
//  - every text the program wrote into a field (TextN of any window) is empty or a number text;
//  - every message shown is one of the program's messages;
//  - a commission, in the state or on screen, is none (zero, empty) or at least 5.00;
//  - the buy fee total is the fen rounding of its three parts, the sell fee total their exact sum;
//  - the gain or loss mark agrees with the sign of the figure under it, as shown (a loss of
//    less than half a fen shows as 0.00 and is no loss);
//  - a locked field has the button-face background, an editable one the window background;
//  - the action evaluated at most a few hundred break-even stop tests and made at most a few
//    thousand window calls, whatever it was given.
// And after an action that ran a calculation, the figures it wrote, as the program defines them:
// amount paid = trade amount + fee total − dividend per 10 × quantity ÷ 10, all as displayed;
// amount received = trade amount − fee total; the cost per share is the next fen up of its
// quotient; the break-even prices equal those of the one-fen-per-step searches of
// tests/fees/literal_search.h wherever those finish within their budget.
#pragma once
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fees/fee_rules.h"
#include "fees/money.h"
#include "fees/number_text.h"
#include "session/recording_window_model.h"
#include "session/session.h"
#include "session/side_checks.h"
#include "view/messages.h"

namespace zm::test {

// Where an action came from: the main window, or one of the batch dialogs. It tells which
// calculation wrote the figures the action left on screen. A change of fee rules, of a rate, of
// the market, of the bonus or of the dividend (RulesChange) recomputes every side on screen: a
// side a batch dialog filled (and locked) from the dialog's batches, the others from the main
// window's state.
enum class ActionSource { MainWindow, BatchBuy, BatchSell, RulesChange };

class TradeInvariants : public SideChecks {
public:
    explicit TradeInvariants(std::int64_t literalBudget) : SideChecks(literalBudget) {}

    // The most work one action may do.
    static constexpr std::int64_t kMaxEvaluationsPerAction = 400;  // 3 × 66 + 2 × 66 at most
    static constexpr std::int64_t kMaxWindowCallsPerAction = 2000;

    // Checks the window and the state after one action. `evaluations` is the number of stop tests
    // the action's searches evaluated. Returns the broken rules; empty when all hold.
    std::vector<std::string> check(const RecordingWindowModel& ui, const Session& session,
                                   ActionSource source, std::int64_t evaluations) {
        m_ui = &ui;
        m_session = &session;
        m_st = &session.state();
        m_problems.clear();
        m_maxEvaluations = std::max(m_maxEvaluations, evaluations);
        m_maxCalls = std::max(m_maxCalls, ui.calls);
        if (evaluations > kMaxEvaluationsPerAction) {
            fail("the action evaluated " + std::to_string(evaluations) + " break-even stop tests");
        }
        if (ui.calls > kMaxWindowCallsPerAction) {
            fail("the action made " + std::to_string(ui.calls) + " window calls");
        }
        checkWrites();
        checkMessages();
        if (!session.rules().own()) {
            checkMark();
            checkLocks();
            checkDatedRules(source);
            return m_problems;
        }
        checkCommissions();
        checkFeeTotals();
        checkMark();
        checkLocks();
        const bool rulesChange = source == ActionSource::RulesChange;
        const bool buyLocked = rulesChange && ui.MemoryWindowModel::isReadOnly(form1::Text1);
        const bool sellLocked = rulesChange && ui.MemoryWindowModel::isReadOnly(form1::Text11);
        // After a change of rules the main window's sale, recomputed last, sets Label8 and, when
        // partial, shows its own break-even in Text9 over the purchase's: the sale is checked.
        const bool partialSaleLast = rulesChange && !sellLocked && ui.wrote(form1::Text20);
        if (source == ActionSource::MainWindow || rulesChange) {
            if (ui.wrote(form1::Text10) && !partialSaleLast) {
                ++(buyLocked ? batchBuyCalculations : buyCalculations);
                buyLocked ? checkBatchBuy() : checkMainBuy();
            }
            if (ui.wrote(form1::Text20)) {
                ++(sellLocked ? batchSellCalculations : sellCalculations);
                sellLocked ? checkBatchSell() : checkMainSell();
            }
        } else if (source == ActionSource::BatchBuy && ui.wrote(form1::Text10)) {
            ++batchBuyCalculations;
            checkBatchBuy();
        } else if (source == ActionSource::BatchSell && ui.wrote(form1::Text20)) {
            ++batchSellCalculations;
            checkBatchSell();
        }
        return m_problems;
    }

    std::int64_t maxEvaluations() const { return m_maxEvaluations; }
    std::int64_t maxWindowCalls() const { return m_maxCalls; }

private:
    // ------------------------------------------------------------------------------------------
    // After every action.

    void checkWrites() {
        for (const auto& w : m_ui->writes) {
            if (w.control.name().starts_with("Text") && !w.text.empty() && !IsNumberText(w.text)) {
                fail(std::string("the program wrote [") + w.text + "] into " +
                     std::string(formName(w.control.form())) + "." + std::string(w.control.name()) +
                     ", which is no number text");
            }
        }
    }

    void checkMessages() {
        static const std::string_view kKnown[] = {msg::kBuyPriceNotNumber,
                                                  msg::kBuyPriceMin,
                                                  msg::kBuyQtyNotNumber,
                                                  msg::kBuyQtyNotPositive,
                                                  msg::kBuyQtyLot,
                                                  msg::kSellPriceNotNumber,
                                                  msg::kSellPriceMin,
                                                  msg::kSellQtyNotNumber,
                                                  msg::kSellQtyMin,
                                                  msg::kBonusNotNumber,
                                                  msg::kBonusMin,
                                                  msg::kBonusMax,
                                                  msg::kDividendNotNumber,
                                                  msg::kBonusDecimals,
                                                  msg::kDividendNegative,
                                                  msg::kDividendDecimals,
                                                  msg::kClearFirst,
                                                  msg::kWriteFailed,
                                                  msg::kBuyPriceMax,
                                                  msg::kSellPriceMax,
                                                  msg::kBuyQtyMax,
                                                  msg::kSellQtyMax,
                                                  msg::kDividendMax,
                                                  msg::kBuyAmountMax,
                                                  msg::kSellAmountMax,
                                                  msg::kBatchBuyPriceMax,
                                                  msg::kBatchSellPriceMax,
                                                  msg::kDividendAmountMax,
                                                  msg::kRulesDateTooEarly,
                                                  msg::kRulesDateInvalid,
                                                  msg::kCommissionRateInvalid,
                                                  msg::kCommissionRateDecimals,
                                                  msg::kMinCommissionInvalid};
        for (std::size_t i = m_ui->messagesBefore; i < m_ui->messages.size(); ++i) {
            const std::string& m = m_ui->messages[i];
            if (std::find(std::begin(kKnown), std::end(kKnown), m) == std::end(kKnown)) {
                fail("an unknown message was shown: " + m);
            }
        }
    }

    // Under the rules of a trade date: each side's fee total is the exact sum of its parts as
    // shown, the commission at least the minimum; a main-window purchase's break-even, and the
    // remaining shares' after a partial sale, bring back what they must one step lower does not.
    void checkDatedRules(ActionSource source) {
        const FeeRules& rules = m_session->rules();
        for (const auto& side :
             {std::array<Ctl, 4>{form1::Text4, form1::Text5, form1::Text6, form1::Text7},
              std::array<Ctl, 4>{form1::Text14, form1::Text15, form1::Text16, form1::Text17}}) {
            const auto c = money(side[0]), s = money(side[1]), t = money(side[2]),
                       total = money(side[3]);
            if (c && s && t && total) {
                expect(*c + *s + *t == *total,
                       std::string(side[3].name()) + " is not the sum of its parts");
                expect(*c >= rules.minCommission,
                       std::string(side[0].name()) + " is below the minimum");
            }
        }
        const bool rulesChange = source == ActionSource::RulesChange;
        if (source != ActionSource::MainWindow && !rulesChange) {
            return;
        }
        const bool buyLocked = rulesChange && m_ui->MemoryWindowModel::isReadOnly(form1::Text1);
        const bool sellLocked = rulesChange && m_ui->MemoryWindowModel::isReadOnly(form1::Text11);
        const Market mk = market();
        const Money step = priceStep(rules, mk);
        const auto sells = [&](Money price, Money qty, Money target) {
            const auto amount = Money::mul(price, qty);
            const auto fees =
                amount ? eraFees(rules, mk, TradeSide::Sell, *amount, qty) : std::nullopt;
            return fees && *amount - fees->total >= target;
        };
        const auto checkBreakEven = [&](const char* what, Money qty, Money target) {
            const auto p = money(form1::Text9);
            if (!p) {
                return;
            }
            expect(sells(*p, qty, target), std::string(what) + " does not bring back its target");
            expect(*p <= step || !sells(*p - step, qty, target),
                   std::string(what) + " is not the lowest price that does");
        };
        // A partial sale in the same action (Calculate) shows its own break-even in Text9.
        const bool sold = m_ui->wrote(form1::Text20) && !sellLocked;
        const bool partial = sold && m_st->HeldQty > m_st->SellQty;
        if (m_ui->wrote(form1::Text10) && !buyLocked) {
            ++datedCalculations;
            expect(money(form1::Text10) == m_st->AmountPaid, "Text10 is not the amount paid");
            if (!partial) {
                checkBreakEven("the break-even", m_st->HeldQty, m_st->AmountPaid);
            }
        }
        if (sold) {
            ++datedCalculations;
            if (partial && m_st->RemainTarget > Money()) {
                checkBreakEven("the remaining shares' break-even", m_st->RemainQty,
                               m_st->RemainTarget);
            }
        }
    }

    void checkCommissions() {
        for (Ctl field : {form1::Text4, form1::Text14}) {
            const std::string t = shown(field);
            if (t.empty()) {
                continue;
            }
            const auto v = numberTextToMoney(t);
            expect(v && *v >= kMinCommission,
                   std::string(field.name()) + " shows a commission below 5.00");
        }
        expect(m_st->BuyCommission.isZero() || m_st->BuyCommission >= kMinCommission,
               "BuyCommission is below 5.00: " + show(m_st->BuyCommission));
        expect(m_st->SellCommission.isZero() || m_st->SellCommission >= kMinCommission,
               "SellCommission is below 5.00: " + show(m_st->SellCommission));
    }

    void checkFeeTotals() {
        // Buy: the fee total is the three parts' sum rounded to fen (halves to even).
        const Money buyParts = m_st->BuyCommission + m_st->BuyStampDuty + m_st->BuyTransferFee;
        expect(m_st->BuyFeeTotal == fenRound(buyParts), "BuyFeeTotal " + show(m_st->BuyFeeTotal) +
                                                            " is not its parts " + show(buyParts) +
                                                            " rounded to fen");
        // Sell: the fee total is the exact sum.
        const Money sellParts = m_st->SellCommission + m_st->SellStampDuty + m_st->SellTransferFee;
        expect(m_st->SellFeeTotal == sellParts,
               "SellFeeTotal " + show(m_st->SellFeeTotal) + " is not its parts " + show(sellParts));
    }

    // The caption over Text19 marks the sign of the figure in it: a loss blue, a gain (zero
    // included) red. The figure may be empty (a profit that could not be shown) or, after a
    // partial sale followed by a batch sale without a purchase, the remaining share count.
    void checkMark() {
        const auto* label = control(form1::Label17);
        if (!label) {
            return;
        }
        const auto l = number(form1::Text19);
        if (label->caption == "大亏特亏") {
            expect(!l || *l < 0.0, "the loss mark stands over no loss in Text19");
            expect(colour(form1::Label17) == kBlue && colour(form1::Label18) == kBlue,
                   "the loss mark is not blue");
        } else if (label->caption == "大赚特赚") {
            expect(!l || *l >= 0.0, "the gain mark stands over a loss in Text19");
            expect(colour(form1::Label17) == kRed && colour(form1::Label18) == kRed,
                   "the gain mark is not red");
        }
    }

    void checkLocks() {
        for (Ctl name : {form1::Text1, form1::Text2, form1::Text11, form1::Text12}) {
            const auto* c = control(name);
            if (c) {
                expect(c->readOnly == (c->background == Background::ButtonFace),
                       std::string(name.name()) +
                           " is locked without the locked background or the "
                           "other way round");
            }
        }
    }

    std::int64_t m_maxEvaluations = 0;
    std::int64_t m_maxCalls = 0;
};

}  // namespace zm::test
