// Fee rules of a trade date beside the program's own: the worked examples through the main
// window's Calculate command and a batch purchase, the break-even search against a plain scan,
// the refusals, and the settings section that remembers the choice.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fees/calc_sell.h"
#include "fees/fee_rules.h"
#include "session/main_window_fixture.h"
#include "settings/code_page.h"
#include "settings/profile_file.h"

namespace zm::test {
namespace {

using Fields = std::vector<std::pair<Ctl, std::string_view>>;

struct Example {
    const char* name;
    const char* date;  // "" for today's rules
    Ctl market;
    const char* commission;
    const char* minimum;
    const char* bonus;
    const char* dividend;
    const char* buy[2];   // price, quantity
    const char* sell[2];  // price, quantity ("" for none)
    Fields expected;
};

const Example kExamples[] = {
    {"shanghai_today",
     "",
     form1::Option1,
     "0.25",
     "5",
     "0",
     "0.00",
     {"10.00", "1000"},
     {"10.50", "1000"},
     {{form1::Text3, "10,000.00"},
      {form1::Text4, "5.00"},
      {form1::Text5, "0.00"},
      {form1::Text6, "0.10"},
      {form1::Text7, "5.10"},
      {form1::Text10, "10,005.10"},
      {form1::Text8, "10.01"},
      {form1::Text9, "10.02"},
      {form1::Text13, "10,500.00"},
      {form1::Text14, "5.00"},
      {form1::Text15, "5.25"},
      {form1::Text16, "0.11"},
      {form1::Text17, "10.36"},
      {form1::Text20, "10,489.64"},
      {form1::Text19, "484.54"},
      {form1::Text18, "4.84"}}},
    {"shenzhen_without_minimum",
     "",
     form1::Option2,
     "0.25",
     "0",
     "0",
     "0.00",
     {"10.00", "1000"},
     {"10.50", "1000"},
     {{form1::Text4, "2.50"},
      {form1::Text6, "0.10"},
      {form1::Text7, "2.60"},
      {form1::Text10, "10,002.60"},
      {form1::Text9, "10.02"},
      {form1::Text14, "2.63"},
      {form1::Text15, "5.25"},
      {form1::Text16, "0.11"},
      {form1::Text17, "7.99"},
      {form1::Text20, "10,492.01"},
      {form1::Text19, "489.41"}}},
    {"shanghai_large",
     "",
     form1::Option1,
     "0.3",
     "5",
     "0",
     "0.00",
     {"35.67", "20000"},
     {"38.12", "20000"},
     {{form1::Text3, "713,400.00"},
      {form1::Text4, "214.02"},
      {form1::Text5, "0.00"},
      {form1::Text6, "7.13"},
      {form1::Text7, "221.15"},
      {form1::Text10, "713,621.15"},
      {form1::Text8, "35.69"},
      {form1::Text9, "35.71"},
      {form1::Text13, "762,400.00"},
      {form1::Text14, "228.72"},
      {form1::Text15, "381.20"},
      {form1::Text16, "7.62"},
      {form1::Text17, "617.54"},
      {form1::Text20, "761,782.46"},
      {form1::Text19, "48,161.31"},
      {form1::Text18, "6.75"}}},
    {"fund_in_tenths_of_a_fen",
     "",
     form1::Option3,
     "0.1",
     "0.10",
     "0",
     "0.00",
     {"3.456", "5000"},
     {"3.500", "5000"},
     {{form1::Text1, "3.456"},
      {form1::Text3, "17,280.00"},
      {form1::Text4, "1.73"},
      {form1::Text5, "0.00"},
      {form1::Text6, "0.00"},
      {form1::Text7, "1.73"},
      {form1::Text10, "17,281.73"},
      {form1::Text8, "3.457"},
      {form1::Text9, "3.457"},
      {form1::Text11, "3.500"},
      {form1::Text13, "17,500.00"},
      {form1::Text14, "1.75"},
      {form1::Text15, "0.00"},
      {form1::Text16, "0.00"},
      {form1::Text17, "1.75"},
      {form1::Text20, "17,498.25"},
      {form1::Text19, "216.52"},
      {form1::Text18, "1.25"}}},
    {"shanghai_2019",
     "2019-03-15",
     form1::Option1,
     "0.3",
     "5",
     "0",
     "0.00",
     {"12.34", "3000"},
     {"12.80", "3000"},
     {{form1::Text3, "37,020.00"},
      {form1::Text4, "11.11"},
      {form1::Text5, "0.00"},
      {form1::Text6, "0.74"},
      {form1::Text7, "11.85"},
      {form1::Text10, "37,031.85"},
      {form1::Text9, "12.37"},
      {form1::Text13, "38,400.00"},
      {form1::Text14, "11.52"},
      {form1::Text15, "38.40"},
      {form1::Text16, "0.77"},
      {form1::Text17, "50.69"},
      {form1::Text20, "38,349.31"}}},
    {"bonus_and_dividend",
     "",
     form1::Option1,
     "0.25",
     "5",
     "5",
     "2",
     {"10.00", "1000"},
     {"7.00", "1500"},
     {{form1::Text7, "5.10"},
      {form1::Text10, "9,805.10"},
      {form1::Text8, "6.54"},
      {form1::Text9, "6.55"},
      {form1::Text20, "10,489.64"},
      {form1::Text19, "684.54"},
      {form1::Text18, "6.98"}}},
    {"partial_sale",
     "",
     form1::Option1,
     "0.25",
     "5",
     "0",
     "0.00",
     {"10.00", "1000"},
     {"10.50", "600"},
     {{form1::Text13, "6,300.00"},
      {form1::Text14, "5.00"},
      {form1::Text15, "3.15"},
      {form1::Text16, "0.06"},
      {form1::Text17, "8.21"},
      {form1::Text20, "6,291.79"},
      {form1::Text19, "400"},
      {form1::Text9, "9.31"},
      {form1::Label17, "剩余股票"}}},
    // Near the highest price accepted (21,474,836.47): a break-even in every market, funds in
    // steps of 0.001.
    // clang-format off
    {"shanghai_near_the_top", "", form1::Option1, "0.25", "5", "0", "0.00",
     {"21000000", "100"}, {"", ""}, {{form1::Text9, "21021436.30"}}},
    {"shenzhen_near_the_top_2019", "2019-03-15", form1::Option2, "0.25", "5", "0", "0.00",
     {"21000000", "100"}, {"", ""}, {{form1::Text9, "21032381.13"}}},
    {"fund_near_the_top", "", form1::Option3, "0.25", "5", "0", "0.00",
     {"21000000", "100"}, {"", ""}, {{form1::Text9, "21010502.626"}}},
    {"fund_at_three_million", "", form1::Option3, "0.25", "5", "0", "0.00",
     {"3000000", "100"}, {"", ""}, {{form1::Text9, "3001500.376"}}},
    // clang-format on
};

class RulesExample : public MainWindowTest, public ::testing::WithParamInterface<Example> {};

TEST_P(RulesExample, shows_every_figure_of_the_worked_example) {
    const Example& e = GetParam();
    if (*e.date == '\0') {
        session.handle(form1::mnuRulesCurrent, Gesture::Click);
    } else {
        ASSERT_TRUE(chooseRulesOnDate(session, ui, e.date));
    }
    ASSERT_TRUE(setMinimumCommission(session, ui, e.minimum));
    ui.setChecked(e.market, true);
    session.handle(form1::Option3,
                   Gesture::Choose);  // the fund market keeps its commission under trade-date rules
    type(form1::Combo1, e.commission);
    type(form1::Text21, e.bonus);
    type(form1::Text22, e.dividend);
    type(form1::Text1, e.buy[0]);
    type(form1::Text2, e.buy[1]);
    type(form1::Text11, e.sell[0]);
    type(form1::Text12, e.sell[1]);
    calculate();
    EXPECT_TRUE(ui.messages.empty());
    for (const auto& [field, text] : e.expected) {
        const std::string got =
            field.name().starts_with("Label") ? ui.caption(field) : shown(field);
        EXPECT_EQ(got, text) << field;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RulesExample, ::testing::ValuesIn(kExamples), rowName);

using FeeRulesTest = MainWindowTest;

// The batch purchase: the batches are fills of one order.
class BatchRulesTest : public MainWindowTest {
protected:
    void batchBuy(const std::vector<std::string_view>& typed) {
        session.handle(form1::Command5, Gesture::Click);
        for (std::size_t i = 0; i < typed.size(); ++i) {
            ui.setText(batchFields(FormId::Form4).at(i), typed[i]);
        }
        session.handle(batchOk(FormId::Form4), Gesture::Click);
    }
    void expectShown(const Fields& expected) {
        EXPECT_TRUE(ui.messages.empty());
        for (const auto& [field, text] : expected) {
            EXPECT_EQ(shown(field), text) << field;
        }
    }
};

TEST_F(BatchRulesTest, three_batches_pay_one_commission_and_one_transfer_fee) {
    session.handle(form1::mnuRulesCurrent, Gesture::Click);
    type(form1::Combo1, "0.25");
    batchBuy({"10.20", "300", "10.25", "500", "10.30", "200"});
    expectShown({{form1::Text1, "10.25"},
                 {form1::Text2, "1,000"},
                 {form1::Text3, "10,245.00"},
                 {form1::Text4, "5.00"},
                 {form1::Text6, "0.10"},
                 {form1::Text7, "5.10"},
                 {form1::Text10, "10,250.10"}});
    EXPECT_TRUE(ui.isReadOnly(form1::Text1));
}

// 2012: an odd lot of 1,234 shares (confirmed in the batch dialog, which takes any quantity)
// pays the Shanghai transfer fee per share, 1.234 rounded half up to 1.23; the sale of the same
// shares in the main window too.
TEST_F(BatchRulesTest, the_2012_rules_charge_shanghai_transfer_per_share) {
    ASSERT_TRUE(chooseRulesOnDate(session, ui, "2012-05-02"));
    type(form1::Combo1, "1.5");
    batchBuy({"8.88", "1234"});
    type(form1::Text11, "9.99");
    type(form1::Text12, "1234");
    enter(form1::Text12);
    expectShown({{form1::Text3, "10,957.92"},
                 {form1::Text4, "16.44"},
                 {form1::Text5, "0.00"},
                 {form1::Text6, "1.23"},
                 {form1::Text7, "17.67"},
                 {form1::Text10, "10,975.59"},
                 {form1::Text8, "8.90"},
                 {form1::Text9, "8.92"},
                 {form1::Text13, "12,327.66"},
                 {form1::Text14, "18.49"},
                 {form1::Text15, "12.33"},
                 {form1::Text16, "1.23"},
                 {form1::Text17, "32.05"},
                 {form1::Text20, "12,295.61"}});
}

TEST_F(FeeRulesTest, switching_to_todays_rules_and_back_recomputes_and_restores_every_figure) {
    useRates("2.5", "1");
    ui.setChecked(form1::Option2, true);
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    type(form1::Text11, "10.5");
    type(form1::Text12, "600");
    calculate();
    const std::vector<Ctl> fields{form1::Text3,  form1::Text4,  form1::Text5,  form1::Text6,
                                  form1::Text7,  form1::Text8,  form1::Text9,  form1::Text10,
                                  form1::Text13, form1::Text14, form1::Text15, form1::Text16,
                                  form1::Text17, form1::Text18, form1::Text19, form1::Text20};
    std::vector<std::string> own;
    for (const auto& f : fields) {
        own.push_back(shown(f));
    }
    session.handle(form1::mnuRulesCurrent, Gesture::Click);
    EXPECT_EQ(ui.caption(form1::Form1), "股票交易费用成本Zunmo计算器3.0版（现行规则）");
    EXPECT_EQ(shown(form1::Combo2), "0.5");
    EXPECT_FALSE(ui.at(form1::Combo2).enabled);
    EXPECT_EQ(shown(form1::Text15), "3.15");  // the sale recomputed at today's 0.5‰
    session.handle(form1::mnuRulesClassic, Gesture::Click);
    EXPECT_EQ(ui.caption(form1::Form1), "股票交易费用成本Zunmo计算器3.0版");
    EXPECT_EQ(shown(form1::Combo1), "2.5");
    EXPECT_EQ(shown(form1::Combo2), "1");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(shown(fields[i]), own[i]) << fields[i];
    }
    EXPECT_TRUE(ui.messages.empty());
    // The program's own rates stayed in the file all along.
    const settings::ProfileFile file(settingsPath);
    EXPECT_EQ(file.readString("TIP", "手续费"), "2.5");
}

// Every refusal kind: the typed commission rate (on a calculation and on leaving the list), the
// minimum commission, the trade date.
TEST_F(FeeRulesTest, bad_rates_minimums_and_dates_are_refused_and_change_nothing) {
    session.handle(form1::mnuRulesCurrent, Gesture::Click);
    const std::pair<const char*, std::string_view> rates[] = {
        {"", msg::kCommissionRateInvalid},      {"-1", msg::kCommissionRateInvalid},
        {"3.001", msg::kCommissionRateInvalid}, {"0.0001", msg::kCommissionRateDecimals},
        {"1e-3", msg::kCommissionRateForm},     {"abc", msg::kCommissionRateInvalid},
        {"1..2", msg::kCommissionRateInvalid}};
    for (const auto& [rate, message] : rates) {
        ui.messages.clear();
        type(form1::Combo1, rate);
        calculate();
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(message)}) << rate;
        EXPECT_TRUE(ui.hasFocus(form1::Combo1)) << rate;
    }
    const std::string longText(10000, '1');
    ui.messages.clear();
    type(form1::Combo1, longText);
    session.handle(form1::Combo1, Gesture::Leave);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(session.rules().commissionPpm, 2700);  // the list's rate when the rules were chosen

    for (const char* minimum : {"-1", "100.01", "abc", "", "1e400"}) {
        ui.messages.clear();
        EXPECT_FALSE(setMinimumCommission(session, ui, minimum));
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kMinCommissionInvalid)});
    }
    EXPECT_EQ(session.rules().minCommission, money("5"));

    const std::pair<const char*, std::string_view> dates[] = {
        {"2008-09-18", msg::kRulesDateTooEarly},
        {"1999-01-01", msg::kRulesDateTooEarly},
        {"2023-02-30", msg::kRulesDateInvalid},
        {"10000-01-01", msg::kRulesDateNotDate},
        {"2023-2-3-", msg::kRulesDateNotDate}};
    for (const auto& [date, message] : dates) {
        ui.messages.clear();
        EXPECT_FALSE(chooseRulesOnDate(session, ui, date));
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(message)}) << date;
    }
    EXPECT_EQ(session.rules().kind, RuleKind::Current);
    // A date in another of the forms people write is taken as typed.
    ASSERT_TRUE(chooseRulesOnDate(session, ui, "2019/3/15"));
    EXPECT_EQ(session.rules().date, (TradeDate{2019, 3, 15}));
}

TEST_F(FeeRulesTest, the_choice_comes_back_at_the_next_start_and_nonsense_falls_back) {
    ASSERT_TRUE(chooseRulesOnDate(session, ui, "2019-03-15"));
    type(form1::Combo1, "0.085");
    session.handle(form1::Combo1, Gesture::Leave);
    ASSERT_TRUE(setMinimumCommission(session, ui, "0"));
    {
        MemoryWindowModel ui2;
        ui2.setUpMainWindow();
        Session again(ui2, settingsPath);
        again.formLoad();
        EXPECT_EQ(again.rules().kind, RuleKind::OnDate);
        EXPECT_EQ(again.rules().date, (TradeDate{2019, 3, 15}));
        EXPECT_EQ(again.rules().commissionPpm, 85);
        EXPECT_EQ(again.rules().minCommission, Money());
        EXPECT_EQ(ui2.caption(form1::Form1),
                  "股票交易费用成本Zunmo计算器3.0版（按2019年3月15日的规则）");
        EXPECT_EQ(ui2.text(form1::Combo1), "0.085");
        EXPECT_EQ(ui2.text(form1::Combo2), "1");
    }
    const char* nonsense[][3] = {
        {"按日期", "NaN", "abc"}, {"10000-01-01", "4", "-5"}, {"2008-09-18", "0.0001", "100.01"}};
    for (const auto& [rule, rate, minimum] : nonsense) {
        const std::string text =
            "[TIP]\r\n手续费=1.5\r\n印花税=1\r\n[费用规则]\r\n规则=" + std::string(rule) +
            "\r\n佣金=" + rate + "\r\n最低佣金=" + minimum + "\r\n";
        std::ofstream(settingsPath, std::ios::trunc | std::ios::binary)
            << *settings::fromUtf8(settings::CodePage::Gbk, text);
        MemoryWindowModel ui2;
        ui2.setUpMainWindow();
        Session again(ui2, settingsPath);
        again.formLoad();
        EXPECT_TRUE(again.rules().own()) << rule;
        EXPECT_EQ(again.rules().commissionPpm, 1500) << rate;
        EXPECT_EQ(again.rules().minCommission, money("5")) << minimum;
        EXPECT_EQ(ui2.text(form1::Combo1), "1.5");
    }
}

// A sale of `shares` at 10 yuan on the first day of each era and the day before it, in both
// exchanges. Halves round up: 1.025 → 1.03, 0.205 → 0.21, 5.125 → 5.13.
struct EraDayRow {
    const char* date;
    std::int64_t shares;
    const char* stampDuty;
    const char* shanghaiTransfer;
    const char* shenzhenTransfer;
};

const EraDayRow kEraDays[] = {
    {"2008-09-19", 1025, "10.25", "1.03", "0.00"},
    {"2012-05-02", 500, "5.00", "1.00", "0.00"},  // the per-share fee's 1-yuan minimum
    {"2015-07-31", 1025, "10.25", "1.03", "0.00"},
    {"2015-08-01", 1025, "10.25", "0.21", "0.21"},
    {"2022-04-28", 1025, "10.25", "0.21", "0.21"},
    {"2022-04-29", 1025, "10.25", "0.10", "0.10"},
    {"2023-08-27", 1025, "10.25", "0.10", "0.10"},
    {"2023-08-28", 1025, "5.13", "0.10", "0.10"},
};

TEST(EraFees, change_on_the_first_day_of_each_era_in_both_exchanges) {
    for (const EraDayRow& row : kEraDays) {
        const FeeRules rules{RuleKind::OnDate, *TradeDate::parse(row.date)};
        const Money qty = Money::fromYuan(row.shares);
        for (const auto& [market, transfer] :
             {std::pair{Market::ShanghaiA, row.shanghaiTransfer},
              std::pair{Market::ShenzhenA, row.shenzhenTransfer}}) {
            SCOPED_TRACE(std::string(row.date) +
                         (market == Market::ShanghaiA ? " Shanghai" : " Shenzhen"));
            const auto fees =
                eraFees(rules, market, TradeSide::Sell, Money::fromYuan(10 * row.shares), qty);
            ASSERT_TRUE(fees);
            EXPECT_EQ(formatAmount(fees->stampDuty), row.stampDuty);
            EXPECT_EQ(formatAmount(fees->transferFee), transfer);
        }
    }
}

// The exact break-even: selling at the result brings back the amount paid, one step lower does
// not; for sales of a few shares or units, where the roundings can make the net dip (above all
// without a minimum commission, 免五), it is the lowest such price found by a plain scan.
TEST(EraBreakEven, is_the_lowest_price_that_brings_back_the_target_in_every_era_and_market) {
    // A dip in a tiny sale: one fund unit bought at 4,515.466 under the 2016 rules, commission
    // 0.828‰ and no minimum. Bisection alone lands on 4,522.956.
    const FeeRules fund2016{RuleKind::OnDate, {2016, 1, 4}, 828, Money::fromFen(0)};
    const Money unit = Money::fromYuan(1);
    const Money bought = Money::fromTicks(45'154'660);
    const Money paid =
        bought + eraFees(fund2016, Market::FundWarrant, TradeSide::Buy, bought, unit)->total;
    EXPECT_EQ(eraBreakEven(fund2016, Market::FundWarrant, unit, paid),
              Money::fromTicks(45'229'460));

    std::mt19937_64 rng(20261207);
    const TradeDate dates[] = {{2010, 1, 4}, {2016, 1, 4}, {2022, 6, 1}, {2024, 1, 2}};
    const Market markets[] = {Market::ShanghaiA, Market::ShenzhenA, Market::FundWarrant};
    int cases = 0;
    int dips = 0;
    for (int n = 0; n < 24000; ++n) {
        const bool small = n % 7 < 2;  // every era and market; half of them 免五
        FeeRules rules{
            RuleKind::OnDate, dates[n % 4],
            std::uniform_int_distribution<std::int64_t>(0, 3000)(rng),
            Money::fromFen(
                n % 7 == 0 ? 0 : std::uniform_int_distribution<std::int64_t>(0, 10000)(rng))};
        const Market market = markets[(n / 4) % 3];
        const Money qty =
            Money::fromYuan(small ? std::uniform_int_distribution<int>(1, 40)(rng)
                                  : 100 * std::uniform_int_distribution<int>(1, 2000)(rng));
        const Money target = Money::fromFen(
            std::uniform_int_distribution<std::int64_t>(-100, small ? 5'000 : 100'000'000)(rng));
        const Money step = priceStep(rules, market);
        const auto net = [&](Money price) {
            const Money amount = *Money::mul(price, qty);
            return amount - eraFees(rules, market, TradeSide::Sell, amount, qty)->total;
        };
        const auto p = eraBreakEven(rules, market, qty, target);
        ASSERT_TRUE(p);
        EXPECT_GE(net(*p), target);
        if (*p > step) {
            EXPECT_LT(net(*p - step), target) << formatMoneyGeneral(*p);
        }
        if (small) {
            // Where the net dips below the highest net so far, that height comes back further up;
            // its lowest price is still the first.
            Money lowest = step;
            Money top = step;
            Money high = net(step);
            for (Money now = high; now < target; now = net(lowest += step)) {
                if (now < high) {
                    ++dips;
                    ASSERT_EQ(eraBreakEven(rules, market, qty, high), top) << n;
                } else if (now > high) {
                    top = lowest;
                    high = now;
                }
            }
            ASSERT_EQ(*p, lowest) << n;
            ++cases;
        }
    }
    EXPECT_GT(cases, 3000);
    EXPECT_GT(dips, 1000);
}

}  // namespace
}  // namespace zm::test
