// A randomized run of 100,000 valid trades through the engine session on the in-memory window
// model, with the rules of trade_invariants.h checked after every user action: the Enter road and
// the Calculate command, all three markets, all 217 rate pairs, bonus shares and dividends (with
// up to four decimals), partial, whole and larger sales, purchases and sales combined in the batch
// dialogs, and the figures on screen worked again when a market, a rate, the bonus or the
// dividend changes. The seed is fixed, so a failure repeats; the failing action's fields are in
// the message.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "fees/break_even.h"
#include "fees/display_format.h"
#include "fees/fee_schedule.h"
#include "session/main_window_fixture.h"
#include "session/session.h"
#include "session/trade_invariants.h"
#include "view/messages.h"

namespace zm::test {
namespace {

constexpr int kTrades = 100'000;
constexpr std::int64_t kLiteralBudget = 3'000;
constexpr std::size_t kMaxReported = 10;

// Texts of typed figures.
std::string fen(std::int64_t fen) {
    return formatMoneyGeneral(Money::fromFen(fen));
}
std::string whole(std::int64_t n) {
    return std::to_string(n);
}

class TradeRun {
public:
    explicit TradeRun(std::uint64_t seed)
        : m_random(seed),
          m_session(m_ui, m_dir.path() + "/no-dir/TKVR.INI"),
          m_rules(kLiteralBudget) {
        // The settings path lies below a plain file, so every save fails at once and shows its
        // message: the run stays fast and the messages count the saves.
        std::ofstream(m_dir.path() + "/no-dir") << "x";
        m_ui.MemoryWindowModel::load(FormId::Form1);
        m_ui.declareRateLists();
        m_ui.userCheck(form1::Option1);
        act(ActionSource::MainWindow, [&] { m_session.formLoad(); });
    }

    void trade(int index) {
        m_ui.messages.clear();
        m_expectedSaves = 0;
        // Markets and rate pairs in turn, so that every pair meets every market.
        const int pair = index % 217;
        const int market = (index / 217) % 3;
        chooseMarket(market);
        // Every sixth trade under the rules of a trade date, with a typed commission rate and
        // minimum; the others under the program's own rules and rate lists.
        const bool dated = index % 6 == 5;
        if (dated) {
            chooseDatedRules(index / 6);
        } else {
            if (!m_session.rules().own()) {
                act(ActionSource::RulesChange,
                    [&] { m_session.handle(form1::mnuRulesClassic, Gesture::Click); });
                m_ui.messages.clear();  // its saves are not this trade's
            }
            // Picked in the lists now and then, which works the sides still on screen again.
            const bool pick = chance(0.3);
            m_ui.userType(form1::Combo1,
                          commissionRateEntries()[static_cast<std::size_t>(pair % 31)]);
            if (pick) {
                act(ActionSource::RulesChange,
                    [&] { m_session.handle(form1::Combo1, Gesture::Choose); });
            }
            m_ui.userType(form1::Combo2,
                          stampDutyRateEntries()[static_cast<std::size_t>(pair / 31)]);
            if (pick) {
                act(ActionSource::RulesChange,
                    [&] { m_session.handle(form1::Combo2, Gesture::Choose); });
            }
        }
        if (chance(0.5)) {
            act(ActionSource::MainWindow,
                [&] { m_session.handle(form1::Command4, Gesture::Click); });  // Clear
        }
        const double road = uniform();
        if (road < 0.45) {
            enterRoad();
        } else if (road < 0.8) {
            calculateRoad();
        } else {
            batchRoad();
        }
        // Valid trades: no message but the failed saves, one pair per save.
        std::size_t saves = 0;
        for (const auto& m : m_ui.messages) {
            if (m == msg::kWriteFailed) {
                ++saves;
            } else {
                report("trade " + std::to_string(index) + " was refused: " + m);
            }
        }
        // The dated rules save their own section, once per save, also when they change.
        if (!dated && saves != 2 * m_expectedSaves) {
            report("trade " + std::to_string(index) + " saved the rates " +
                   std::to_string(saves / 2) + " times, not " + std::to_string(m_expectedSaves));
        }
    }

    const std::vector<std::string>& problems() const { return m_problems; }
    const TradeInvariants& rules() const { return m_rules; }
    std::int64_t actions() const { return m_actions; }

private:
    // ------------------------------------------------------------------------------------------
    // Random figures of valid trades.
    double uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(m_random); }
    bool chance(double p) { return uniform() < p; }
    std::int64_t between(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(m_random);
    }
    // Log-uniform between lo and hi.
    std::int64_t spread(std::int64_t lo, std::int64_t hi) {
        const double x = std::exp(
            std::log(static_cast<double>(lo)) +
            uniform() * (std::log(static_cast<double>(hi)) - std::log(static_cast<double>(lo))));
        return std::clamp(static_cast<std::int64_t>(std::llround(x)), lo, hi);
    }
    // A price in fen: mostly the prices of the market, now and then a very high one.
    std::int64_t priceFen() {
        return chance(0.97) ? spread(1, 50'000) : spread(50'000, 2'147'483'647);
    }
    // Shares bought, in whole lots, keeping price × quantity within the trade-amount limit.
    std::int64_t lots(std::int64_t priceFen, std::int64_t maxLots) {
        const std::int64_t byAmount = 100'000'000'000'00 / 100 / priceFen;  // fen of 10^11 yuan
        return spread(1, std::max<std::int64_t>(1, std::min(maxLots, byAmount)));
    }
    // A sale of the held shares: all of them, some (odd lots included) or more.
    std::int64_t sellShares(std::int64_t held, std::int64_t priceFen) {
        const std::int64_t byAmount = 100'000'000'000'00 / priceFen;
        std::int64_t q = held;
        const double kind = uniform();
        if (kind < 0.45 && held > 1) {
            q = between(1, held - 1);
        } else if (kind < 0.55) {
            q = held + between(1, 1000);
        } else if (kind < 0.65) {
            q = spread(1, 100'000);
        }
        return std::max<std::int64_t>(1, std::min({q, byAmount, std::int64_t{2'147'483'647}}));
    }
    std::int64_t sellPriceFen(std::int64_t buyFen) {
        const double factor = 0.5 + uniform();
        return std::clamp<std::int64_t>(std::llround(static_cast<double>(buyFen) * factor), 1,
                                        2'147'483'647);
    }
    // A price as a user may type it: two decimals, or three or four that the rule rounds.
    std::string typedPrice(std::int64_t priceFen) {
        if (chance(0.1) && priceFen > 1) {
            return formatMoneyGeneral(Money::fromTicks(priceFen * 100 + between(-49, 49)));
        }
        return chance(0.5) ? formatPrice(Money::fromFen(priceFen)) : fen(priceFen);
    }

    // ------------------------------------------------------------------------------------------
    // Actions.
    template <class F>
    void act(ActionSource source, F&& f) {
        m_ui.startAction();
        const std::int64_t before = breakEvenEvaluations();
        f();
        const std::int64_t evaluations = breakEvenEvaluations() - before;
        ++m_actions;
        for (const auto& p : m_rules.check(m_ui, m_session, source, evaluations)) {
            report(p);
        }
    }
    void report(const std::string& problem) {
        if (m_problems.size() < kMaxReported) {
            m_problems.push_back(problem);
        }
    }
    // Choosing a market works the sides still on screen again in it.
    void chooseMarket(int market) {
        const Ctl option = market == 0   ? form1::Option1
                           : market == 1 ? form1::Option2
                                         : form1::Option3;
        m_ui.userCheck(option);
        act(ActionSource::RulesChange, [&] { m_session.handle(option, Gesture::Choose); });
    }
    void chooseDatedRules(int n) {
        static const char* const kDates[] = {"",           "2008-09-19", "2012-05-02", "2015-08-01",
                                             "2019-03-15", "2022-04-29", "2023-08-27"};
        const char* date = kDates[n % 7];
        act(ActionSource::RulesChange, [&] {
            if (*date == '\0') {
                m_session.handle(form1::mnuRulesCurrent, Gesture::Click);
            } else {
                chooseRulesOnDate(m_session, m_ui, date);
            }
        });
        m_ui.userType(form1::Combo1, formatCommissionRate(between(0, 3000)));
        act(ActionSource::RulesChange, [&] { m_session.handle(form1::Combo1, Gesture::Leave); });
        const std::string minimum =
            formatAmount(Money::fromFen(chance(0.3) ? 0 : between(0, 10000)));
        act(ActionSource::RulesChange, [&] { setMinimumCommission(m_session, m_ui, minimum); });
    }
    // Enter in a field; in the bonus or the dividend it works the sides on screen again.
    void typeEnter(Ctl field, const std::string& text) {
        m_ui.userType(field, text);
        m_ui.MemoryWindowModel::setFocus(field);
        const bool recalculates = field == form1::Text21 || field == form1::Text22;
        act(recalculates ? ActionSource::RulesChange : ActionSource::MainWindow,
            [&] { m_session.handle(field, Gesture::Enter); });
    }
    // Bonus shares and dividend per 10, typed with Enter or without: whole shares and whole fen
    // mostly, now and then with up to four decimals as announced (10转4.8, 10派2.356).
    void bonusAndDividend() {
        const bool bonus = chance(0.3);
        const bool dividend = chance(0.3);
        const auto decimals = [&](std::int64_t wholeTicks, std::int64_t maxTicks) {
            return std::clamp<std::int64_t>(wholeTicks + between(-9'999, 9'999), 1, maxTicks);
        };
        std::string b = bonus ? whole(between(1, 10)) : std::string("0");
        if (bonus && chance(0.3)) {
            b = formatMoneyGeneral(Money::fromTicks(decimals(between(0, 9) * 10'000, 100'000)));
        }
        std::string d = dividend ? fen(chance(0.9) ? between(1, 500) : between(500, 50'000))
                                 : std::string("0.00");
        if (dividend && chance(0.3)) {
            d = formatMoneyGeneral(Money::fromTicks(decimals(between(0, 50) * 10'000, 5'000'000)));
        }
        if (chance(0.5)) {
            if (bonus) {
                typeEnter(form1::Text21, b);
            }
            if (dividend) {
                typeEnter(form1::Text22, d);
            }
        } else {
            m_ui.userType(form1::Text21, b);
            m_ui.userType(form1::Text22, d);
        }
    }
    // Shares held after the bonus per 10 now in Text21: the whole bonus shares are added.
    std::int64_t held(std::int64_t bought) {
        const Money b =
            numberTextToMoney(m_ui.MemoryWindowModel::text(form1::Text21)).value_or(Money());
        return bought + b.ticks() * bought / (10 * Money::kTicksPerYuan);
    }

    void enterRoad() {
        const std::int64_t buyFen = priceFen();
        const std::int64_t bought = 100 * lots(buyFen, 5'000'000);
        bonusAndDividend();
        typeEnter(form1::Text1, typedPrice(buyFen));
        typeEnter(form1::Text2,
                  chance(0.2) ? formatGroupedWhole(Money::fromYuan(bought)) : whole(bought));
        ++m_expectedSaves;
        const std::int64_t sellFen = sellPriceFen(buyFen);
        typeEnter(form1::Text11, typedPrice(sellFen));
        // The sell quantity is prefilled with the shares held; keep it or type another.
        const std::int64_t prefilled = held(bought);
        if (chance(0.4) || static_cast<double>(sellFen) * static_cast<double>(prefilled) > 1e13) {
            m_ui.userType(form1::Text12, whole(sellShares(prefilled, sellFen)));
        }
        typeEnter(form1::Text12, m_ui.MemoryWindowModel::text(form1::Text12));
        ++m_expectedSaves;
    }

    void calculateRoad() {
        const std::int64_t buyFen = priceFen();
        const std::int64_t bought = 100 * lots(buyFen, 5'000'000);
        bonusAndDividend();
        const bool buySide = chance(0.9);
        const bool sellSide = chance(0.9);
        if (buySide) {
            m_ui.userType(form1::Text1, typedPrice(buyFen));
            m_ui.userType(form1::Text2, chance(0.2) ? formatGroupedWhole(Money::fromYuan(bought))
                                                    : whole(bought));
            ++m_expectedSaves;
        } else {
            m_ui.userType(form1::Text1, "");
        }
        if (sellSide) {
            const std::int64_t sellFen = sellPriceFen(buyFen);
            m_ui.userType(form1::Text11, typedPrice(sellFen));
            m_ui.userType(form1::Text12, whole(sellShares(held(bought), sellFen)));
            ++m_expectedSaves;
        } else {
            m_ui.userType(form1::Text12, "");
        }
        m_ui.MemoryWindowModel::setFocus(form1::Command1);
        act(ActionSource::MainWindow, [&] { m_session.handle(form1::Command1, Gesture::Click); });
        ++m_expectedSaves;
    }

    // One to three batches in a dialog: prices to a tenth of a fen, quantities in whole lots for
    // a purchase and any whole number for a sale; each confirmed by Enter, or all by OK.
    void batches(FormId dialog) {
        const ActionSource source =
            dialog == FormId::Form4 ? ActionSource::BatchBuy : ActionSource::BatchSell;
        act(source, [&] {
            dialog == FormId::Form4 ? m_session.handle(form1::Command5, Gesture::Click)
                                    : m_session.handle(form1::Command6, Gesture::Click);
        });
        const int count = static_cast<int>(between(1, 3));
        const bool byEnter = chance(0.6);
        for (int i = 0; i < count; ++i) {
            // Each batch keeps well inside the dialog's ranges: price × quantity ≤ 3 × 10^10.
            const std::int64_t tenths =
                chance(0.97) ? spread(10, 500'000) : spread(500'000, 2'000'000'000);
            const double price = static_cast<double>(tenths) / 1000.0;
            const std::int64_t maxQty =
                std::max<std::int64_t>(1, static_cast<std::int64_t>(3e10 / price / 100.0));
            const std::int64_t qty =
                dialog == FormId::Form4
                    ? 100 * spread(1, std::min<std::int64_t>(maxQty, 1'000'000))
                    : spread(1, std::min<std::int64_t>(100 * maxQty, 100'000'000));
            const Ctl p = batchFields(dialog)[static_cast<std::size_t>(2 * i)];
            const Ctl q = batchFields(dialog)[static_cast<std::size_t>(2 * i + 1)];
            m_ui.userType(p, formatMoneyGeneral(Money::fromTicks(tenths * 10)));
            m_ui.userType(q, whole(qty));
            if (byEnter) {
                for (Ctl c : {p, q}) {
                    m_ui.MemoryWindowModel::setFocus(c);
                    act(source, [&] { m_session.handle(c, Gesture::Enter); });
                }
            }
        }
        act(source, [&] { m_session.handle(batchOk(dialog), Gesture::Click); });
    }

    void batchRoad() {
        bonusAndDividend();
        const double kind = uniform();
        if (kind < 0.4) {
            batches(FormId::Form4);
            batches(FormId::Form3);
        } else if (kind < 0.7) {
            // A batch purchase, then a sale on the main window's Enter road.
            batches(FormId::Form4);
            const std::int64_t sellFen = priceFen();
            typeEnter(form1::Text11, typedPrice(sellFen));
            m_ui.userType(form1::Text12, whole(sellShares(1000, sellFen)));
            typeEnter(form1::Text12, m_ui.MemoryWindowModel::text(form1::Text12));
            ++m_expectedSaves;
        } else {
            // A purchase on the Enter road, then a batch sale against it.
            const std::int64_t buyFen = priceFen();
            typeEnter(form1::Text1, typedPrice(buyFen));
            typeEnter(form1::Text2, whole(100 * lots(buyFen, 100'000)));
            ++m_expectedSaves;
            batches(FormId::Form3);
        }
        act(ActionSource::MainWindow,
            [&] { m_session.handle(form1::Command4, Gesture::Click); });  // unlock
    }

    std::mt19937_64 m_random;
    TempDir m_dir;
    RecordingWindowModel m_ui;
    Session m_session;
    TradeInvariants m_rules;
    std::vector<std::string> m_problems;
    std::int64_t m_actions = 0;
    std::size_t m_expectedSaves = 0;
};

TEST(TradeInvariants, hold_after_every_action_of_a_hundred_thousand_random_valid_trades) {
    const auto start = std::chrono::steady_clock::now();
    TradeRun run(20'240'601);
    for (int i = 0; i < kTrades; ++i) {
        run.trade(i);
    }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const auto& p : run.problems()) {
        ADD_FAILURE() << p;
    }
    const TradeInvariants& r = run.rules();
    std::cout << "[ trades   ] " << kTrades << " trades, " << run.actions() << " actions in "
              << seconds << " s; calculations: buy " << r.buyCalculations << ", sell "
              << r.sellCalculations << " (partial " << r.partialSales << "), dated "
              << r.datedCalculations << ", batch buy " << r.batchBuyCalculations << ", batch sell "
              << r.batchSellCalculations << "; break-evens compared " << r.comparedSearches
              << ", beyond the literal budget " << r.unfinishedSearches
              << "; most stop tests in one action " << r.maxEvaluations() << ", most window calls "
              << r.maxWindowCalls() << '\n';
    // The run must really have reached every kind of calculation, and compared nearly every
    // break-even price with the literal search.
    EXPECT_GT(r.buyCalculations, kTrades / 2);
    EXPECT_GT(r.sellCalculations, kTrades / 2);
    EXPECT_GT(r.partialSales, kTrades / 10);
    EXPECT_GT(r.datedCalculations, kTrades / 10);
    EXPECT_GT(r.batchBuyCalculations, kTrades / 20);
    EXPECT_GT(r.batchSellCalculations, kTrades / 20);
    EXPECT_GT(r.comparedSearches, 20 * r.unfinishedSearches);
}

// The rules are no formality: figures put wrong on purpose are caught.
class RulesCatchFaults : public MainWindowTest {
protected:
    std::vector<std::string> checkAfterCalculate() {
        rec.setUpMainWindow();
        rec.userCheck(form1::Option1);
        recSession.formLoad();
        rec.userType(form1::Combo1, "3.0");
        rec.userType(form1::Combo2, "3");
        rec.userType(form1::Text1, "10.00");
        rec.userType(form1::Text2, "1000");
        rec.userType(form1::Text11, "11.00");
        rec.userType(form1::Text12, "500");
        rec.startAction();
        recSession.handle(form1::Command1, Gesture::Click);
        TradeInvariants rules(kLiteralBudget);
        EXPECT_TRUE(rules.check(rec, recSession, ActionSource::MainWindow, 0).empty());
        if (tamper) {
            tamper();
        }
        return rules.check(rec, recSession, ActionSource::MainWindow, 0);
    }
    static bool mentions(const std::vector<std::string>& problems, std::string_view what) {
        return std::any_of(problems.begin(), problems.end(),
                           [&](const std::string& p) { return p.find(what) != std::string::npos; });
    }

    RecordingWindowModel rec;
    Session recSession{rec, settingsPath};
    std::function<void()> tamper;
};

TEST_F(RulesCatchFaults, a_wrong_remaining_share_break_even_is_caught) {
    tamper = [&] { rec.MemoryWindowModel::setText(form1::Text9, "1.00"); };
    EXPECT_TRUE(mentions(checkAfterCalculate(), "remaining-share break-even"));
}

TEST_F(RulesCatchFaults, a_fee_total_that_is_not_its_parts_is_caught) {
    tamper = [&] { recSession.state().SellFeeTotal += Money::fromFen(1); };
    EXPECT_TRUE(mentions(checkAfterCalculate(), "SellFeeTotal"));
}

TEST_F(RulesCatchFaults, a_commission_below_the_minimum_is_caught) {
    tamper = [&] { rec.MemoryWindowModel::setText(form1::Text4, "4.99"); };
    EXPECT_TRUE(mentions(checkAfterCalculate(), "below 5.00"));
}

TEST_F(RulesCatchFaults, a_mark_against_the_sign_of_the_profit_is_caught) {
    tamper = [&] {
        rec.MemoryWindowModel::setText(form1::Text19, "-1.00");
        rec.MemoryWindowModel::setCaption(form1::Label17, "大赚特赚");
    };
    EXPECT_TRUE(mentions(checkAfterCalculate(), "gain mark stands over a loss"));
}

TEST_F(RulesCatchFaults, a_text_written_that_is_no_number_is_caught) {
    tamper = [&] { rec.writes.push_back({form1::Text18, "9,10"}); };
    EXPECT_TRUE(mentions(checkAfterCalculate(), "no number text"));
}

TEST_F(RulesCatchFaults, an_amount_paid_that_is_not_its_parts_is_caught) {
    tamper = [&] {
        rec.writes.push_back({form1::Text20, ""});  // only the buy side counts now
        rec.MemoryWindowModel::setText(form1::Text10, "10,061.01");
    };
    EXPECT_TRUE(mentions(checkAfterCalculate(), "Text10 is not Text3 + Text7"));
}

}  // namespace
}  // namespace zm::test
