// The target sell price of the tools menu (FormTarget).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "fees/calc_sell.h"
#include "fees/fee_rules.h"
#include "fees/target_price.h"
#include "session/main_window_fixture.h"

namespace zm::test {
namespace {

using FeeRulesTest = MainWindowTest;

// The target sell price: the worked examples under both kinds of rules through the session, the
// refusals, and the search against a plain scan.
struct TargetRow {
    const char* name;
    bool today;
    TargetKind kind;
    const char* target;
    const char* price;
    const char* profit;
    const char* yield;
    Ctl market = form1::Option1;
    const char* buy[2] = {"10", "1000"};  // price, quantity
};

const TargetRow kTargets[] = {
    {"today_profit_500", true, TargetKind::Profit, "500", "10.52", "504.53", "5.04"},
    {"today_yield_5", true, TargetKind::Yield, "5", "10.52", "504.53", "5.04"},
    {"today_zero_is_the_break_even", true, TargetKind::Profit, "0", "10.02", "4.79", "0.05"},
    {"today_stop_loss_300", true, TargetKind::Profit, "-300", "9.72", "-295.06", "-2.95"},
    {"own_profit_1000", false, TargetKind::Profit, "1000", "11.13", "1,001.22", "9.95"},
    {"own_zero_is_the_break_even", false, TargetKind::Profit, "0", "10.13", "7.22", "0.07"},
    // Near the highest price accepted (21,474,836.47), in every market; funds step by 0.001
    // under today's rules.
    // clang-format off
    {"own_shanghai_near_the_top", false, TargetKind::Profit, "1000",
     "21253531.21", "1,000.28", "0.00", form1::Option1, {"21000000", "100"}},
    {"own_shenzhen_near_the_top", false, TargetKind::Profit, "1000",
     "21253531.19", "1,000.28", "0.00", form1::Option2, {"21000000", "100"}},
    {"own_fund_near_the_top", false, TargetKind::Profit, "1000",
     "21190150.91", "1,000.46", "0.00", form1::Option3, {"21000000", "100"}},
    {"today_shanghai_near_the_top", true, TargetKind::Profit, "1000",
     "21021446.30", "1,000.07", "0.00", form1::Option1, {"21000000", "100"}},
    {"today_shenzhen_near_the_top", true, TargetKind::Profit, "1000",
     "21021446.30", "1,000.07", "0.00", form1::Option2, {"21000000", "100"}},
    {"today_fund_near_the_top", true, TargetKind::Profit, "1000",
     "21010512.629", "1,000.08", "0.00", form1::Option3, {"21000000", "100"}},
    {"today_fund_at_three_million", true, TargetKind::Profit, "1000",
     "3001510.378", "1,000.04", "0.00", form1::Option3, {"3000000", "100"}},
    // clang-format on
};

class TargetExample : public MainWindowTest, public ::testing::WithParamInterface<TargetRow> {};

TEST_P(TargetExample, is_the_lowest_price_that_meets_the_target) {
    const TargetRow& r = GetParam();
    ui.setChecked(r.market, true);
    session.handle(r.market, Gesture::Choose);
    if (r.today) {
        session.handle(form1::mnuRulesCurrent, Gesture::Click);
        type(form1::Combo1, "0.25");
    } else {
        useRates("3.0", "3");
    }
    type(form1::Text1, r.buy[0]);
    type(form1::Text2, r.buy[1]);
    calculate();
    const auto sale = targetSale(session, ui, r.kind == TargetKind::Yield, r.target);
    ASSERT_TRUE(sale);
    EXPECT_EQ(sale->price, r.price);
    EXPECT_EQ(sale->profit, r.profit);
    EXPECT_EQ(sale->yield, r.yield);
    EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, TargetExample, ::testing::ValuesIn(kTargets), rowName);

TEST_F(FeeRulesTest, a_target_is_refused_without_a_purchase_as_no_number_and_beyond_reach) {
    const std::pair<const char*, std::string_view> before[] = {{"500", msg::kTargetNoPurchase}};
    for (const auto& [text, message] : before) {
        EXPECT_FALSE(targetSale(session, ui, false, text));
        EXPECT_EQ(ui.messages.back(), message);
    }
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    calculate();
    const std::tuple<TargetKind, const char*, std::string_view> rows[] = {
        {TargetKind::Profit, "abc", msg::kTargetNotNumber},
        {TargetKind::Profit, "", msg::kTargetNotNumber},
        {TargetKind::Yield, "-100.01", msg::kTargetNotNumber},
        {TargetKind::Profit, "-20000", msg::kTargetLossAbovePurchase},
        {TargetKind::Profit, "1e12", msg::kTargetUnreachable},
        {TargetKind::Yield, "1e9", msg::kTargetUnreachable},
    };
    for (const auto& [kind, text, message] : rows) {
        ui.messages.clear();
        EXPECT_FALSE(targetSale(session, ui, kind == TargetKind::Yield, text)) << text;
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(message)}) << text;
    }
}

TEST_F(FeeRulesTest, using_a_target_fills_the_sell_side_as_enter_does) {
    session.handle(form1::mnuRulesCurrent, Gesture::Click);
    type(form1::Combo1, "0.25");
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    calculate();
    // Enter takes full-width digits, shows them in ASCII and selects the target for the next.
    ASSERT_TRUE(targetSale(session, ui, false, "５００"));
    session.handle(formTarget::TextTarget, Gesture::Enter);
    EXPECT_EQ(shown(formTarget::TextTarget), "500");
    EXPECT_TRUE(ui.isWholeTextSelected(formTarget::TextTarget));
    // A change of the main window's rates works the sale out again at once, as 计 算 does.
    const auto sale = [this] {
        return shown(formTarget::TextTargetPrice) + " " + shown(formTarget::TextTargetFees);
    };
    const std::string before = sale();
    type(form1::Combo1, "1.0");
    session.handle(form1::Combo1, Gesture::Enter);
    const std::string followed = sale();
    session.handle(formTarget::cmdCalc, Gesture::Click);
    EXPECT_EQ(followed, sale());
    EXPECT_NE(followed, before);
    type(form1::Combo1, "0.25");
    session.handle(form1::Combo1, Gesture::Enter);
    session.handle(formTarget::cmdUse, Gesture::Click);
    EXPECT_EQ(shown(form1::Text11), "10.52");
    EXPECT_EQ(shown(form1::Text12), "1,000");
    EXPECT_EQ(shown(form1::Text19), "504.53");
    EXPECT_EQ(shown(form1::Text18), "5.04");
    EXPECT_TRUE(ui.hasFocus(form1::Text21));
}

TEST(TargetSalePrice, meets_the_target_where_one_step_lower_does_not_under_both_kinds_of_rules) {
    std::mt19937_64 rng(7);
    int scanned = 0;
    int dips = 0;
    for (int n = 0; n < 6000; ++n) {
        TargetPurchase p;
        // Half of today's rules without a minimum commission (免五), where the net of a small
        // sale can dip as the price rises.
        const Money minimum = n % 8 == 1 || n % 8 == 3 ? Money() : Money::fromYuan(5);
        const std::int64_t commissionPpm =
            std::uniform_int_distribution<std::int64_t>(0, 3000)(rng);
        p.rules = n % 2 == 0 ? FeeRules{} : FeeRules{RuleKind::Current, {}, commissionPpm, minimum};
        p.market = static_cast<Market>(n % 3);
        p.commissionRate = std::uniform_int_distribution<int>(0, 30)(rng) / 10.0;
        p.stampDutyRate = std::uniform_int_distribution<int>(0, 6)(rng);
        const bool small = (n / 3) % 3 == 0;  // in every market, funds' 0.001 steps included
        p.shares = Money::fromYuan(small ? std::uniform_int_distribution<int>(1, 30)(rng)
                                         : 100 * std::uniform_int_distribution<int>(1, 500)(rng));
        p.amountPaid = Money::fromFen(
            std::uniform_int_distribution<std::int64_t>(100, small ? 50'000 : 5'000'000)(rng));
        const TargetKind kind = n % 4 < 2 ? TargetKind::Profit : TargetKind::Yield;
        const Money target =
            kind == TargetKind::Profit
                ? Money::fromFen(std::uniform_int_distribution<std::int64_t>(-50'000, 500'000)(rng))
                : Money::fromFen(std::uniform_int_distribution<std::int64_t>(-5'000, 5'000)(rng));
        const Money step = priceStep(p.rules, p.market);
        const auto netAt = [&](Money price) {
            const Money amount = *Money::mul(price, p.shares);
            return amount -
                   saleFees(p.rules, p.market, p.commissionRate, p.stampDutyRate, amount, p.shares)
                       ->total;
        };
        const auto profitAt = [&](Money price) {  // as the profit field shows it
            return *numberTextToMoney(formatAmount(netAt(price) - p.amountPaid));
        };
        const auto meets = [&](Money price) {
            const auto yield = roundTripYield(netAt(price) - p.amountPaid, p.amountPaid);
            return kind == TargetKind::Profit ? profitAt(price) >= target : *yield >= target;
        };
        const auto sale = targetSalePrice(p, kind, target);
        if (!sale) {
            EXPECT_FALSE(meets(step) && target < Money()) << n;  // only targets beyond reach
            continue;
        }
        EXPECT_TRUE(meets(sale->price)) << n;
        if (sale->price > step) {
            EXPECT_FALSE(meets(sale->price - step)) << n << " " << formatMoneyGeneral(sale->price);
        }
        if (small && sale->price < Money::fromYuan(100)) {
            Money lowest = step;
            while (!meets(lowest)) {
                lowest += step;
            }
            EXPECT_EQ(sale->price, lowest) << n;
            ++scanned;
            // Where the profit dips below the highest so far, a target of that height is met
            // first at the top before the dip, not past it.
            Money top = step;
            Money high = profitAt(step);
            for (Money price = step; price < lowest; price += step) {
                const Money now = profitAt(price);
                if (now < high) {
                    ++dips;
                    const auto atTop = targetSalePrice(p, TargetKind::Profit, high);
                    ASSERT_TRUE(atTop) << n;
                    EXPECT_EQ(atTop->price, top) << n;
                } else if (now > high) {
                    top = price;
                    high = now;
                }
            }
        }
    }
    EXPECT_GT(scanned, 1000);
    EXPECT_GT(dips, 100);
}

}  // namespace
}  // namespace zm::test
