// Tool tips that say what is in force: the fee fields' and rate lists' under a trade date's rules
// (and the layout's own under the program's rules), and the yield's after a partial sale.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "session/main_window_fixture.h"

namespace zm::test {
namespace {

// Each fee of each side with its caption and unit, and each rate list with its caption, unit (and
// the frame of both, which tells of the commission): one tool tip per group.
const std::vector<std::vector<Ctl>> kTipGroups = {
    {form1::Text4, form1::Label4, form1::Label19_3},
    {form1::Text5, form1::Label5, form1::Label19_4},
    {form1::Text6, form1::Label6, form1::Label19_5},
    {form1::Text14, form1::Label13, form1::Label19_12},
    {form1::Text15, form1::Label14, form1::Label19_13},
    {form1::Text16, form1::Label15, form1::Label19_14},
    {form1::Combo1, form1::Label23, form1::Label20_0, form1::Frame4},
    {form1::Combo2, form1::Label24, form1::Label20_1},
};

std::string layoutTip(Ctl c) {
    return std::string(layout::find(c)->toolTip);
}

struct TipRow {
    const char* name;
    const char* date;  // "" for today's rules
    const char* minimum;
    // The tool tip of each group, in kTipGroups' order.
    std::vector<std::string_view> tips;
};

class RulesTips : public MainWindowTest, public ::testing::WithParamInterface<TipRow> {};

TEST_P(RulesTips, describe_the_rules_in_force_and_the_own_rules_get_theirs_back) {
    const TipRow& r = GetParam();
    if (*r.date == '\0') {
        session.handle(form1::mnuRulesCurrent, Gesture::Click);
    } else {
        ASSERT_TRUE(chooseRulesOnDate(session, ui, r.date));
    }
    ASSERT_TRUE(setMinimumCommission(session, ui, r.minimum));
    ASSERT_EQ(r.tips.size(), kTipGroups.size());
    for (std::size_t g = 0; g < kTipGroups.size(); ++g) {
        for (Ctl c : kTipGroups[g]) {
            EXPECT_EQ(ui.toolTip(c), r.tips[g]) << c;
        }
    }
    session.handle(form1::mnuRulesClassic, Gesture::Click);
    for (const auto& group : kTipGroups) {
        for (Ctl c : group) {
            EXPECT_EQ(ui.toolTip(c), layoutTip(c)) << c;
        }
    }
}

const TipRow kTipRows[] = {
    {"today",
     "",
     "5",
     {"本次买入佣金，即手续费：成交金额×佣金费率，每笔最低5.00元；基金、权证也收",
      "买入不收印花税：2023年8月28日起印花税只在卖出时收，成交金额的0.5‰",
      "本次买入过户费（2022年4月29日起）：沪深两市都收，成交金额的0.01‰；基金、权证不收",
      "本次卖出佣金，即手续费：成交金额×佣金费率，每笔最低5.00元；基金、权证也收",
      "本次卖出印花税，即成交金额的0.5‰（2023年8月28日起），买入不收；基金、权证不收",
      "本次卖出过户费（2022年4月29日起）：沪深两市都收，成交金额的0.01‰；基金、权证不收",
      "佣金费率由券商定，单位是‰：可选常用费率，也可直接输入0到3之间的数，最多三位小数。"
      "券商说的“万2.5”在这里是0.25，每笔最低5.00元",
      "印花税由国家规定，2023年8月28日起只在卖出时按成交金额的0.5‰收取，买入不收"}},
    {"today_without_minimum",
     "",
     "0",
     {"本次买入佣金，即手续费：成交金额×佣金费率，不设最低佣金（免五）；基金、权证也收",
      "买入不收印花税：2023年8月28日起印花税只在卖出时收，成交金额的0.5‰",
      "本次买入过户费（2022年4月29日起）：沪深两市都收，成交金额的0.01‰；基金、权证不收",
      "本次卖出佣金，即手续费：成交金额×佣金费率，不设最低佣金（免五）；基金、权证也收",
      "本次卖出印花税，即成交金额的0.5‰（2023年8月28日起），买入不收；基金、权证不收",
      "本次卖出过户费（2022年4月29日起）：沪深两市都收，成交金额的0.01‰；基金、权证不收",
      "佣金费率由券商定，单位是‰：可选常用费率，也可直接输入0到3之间的数，最多三位小数。"
      "券商说的“万2.5”在这里是0.25，不设最低佣金（免五）",
      "印花税由国家规定，2023年8月28日起只在卖出时按成交金额的0.5‰收取，买入不收"}},
    // 1‰ on sales only since 2008, though the rules of 2019 began in 2015 with the transfer fee.
    {"a_2019_trade",
     "2019-03-15",
     "5",
     {"本次买入佣金，即手续费：成交金额×佣金费率，每笔最低5.00元；基金、权证也收",
      "买入不收印花税：2008年9月19日起印花税只在卖出时收，成交金额的1‰",
      "本次买入过户费（2015年8月1日起）：沪深两市都收，成交金额的0.02‰；基金、权证不收",
      "本次卖出佣金，即手续费：成交金额×佣金费率，每笔最低5.00元；基金、权证也收",
      "本次卖出印花税，即成交金额的1‰（2008年9月19日起），买入不收；基金、权证不收",
      "本次卖出过户费（2015年8月1日起）：沪深两市都收，成交金额的0.02‰；基金、权证不收",
      "佣金费率由券商定，单位是‰：可选常用费率，也可直接输入0到3之间的数，最多三位小数。"
      "券商说的“万2.5”在这里是0.25，每笔最低5.00元",
      "印花税由国家规定，2008年9月19日起只在卖出时按成交金额的1‰收取，买入不收"}},
    {"a_2012_trade_with_the_shanghai_fee_per_share",
     "2012-05-02",
     "5",
     {"本次买入佣金，即手续费：成交金额×佣金费率，每笔最低5.00元；基金、权证也收",
      "买入不收印花税：2008年9月19日起印花税只在卖出时收，成交金额的1‰",
      "本次买入过户费（2008年9月19日起）：仅上海A股收，每1000股1元，起点1元；深圳A股、基金、"
      "权证不收",
      "本次卖出佣金，即手续费：成交金额×佣金费率，每笔最低5.00元；基金、权证也收",
      "本次卖出印花税，即成交金额的1‰（2008年9月19日起），买入不收；基金、权证不收",
      "本次卖出过户费（2008年9月19日起）：仅上海A股收，每1000股1元，起点1元；深圳A股、基金、"
      "权证不收",
      "佣金费率由券商定，单位是‰：可选常用费率，也可直接输入0到3之间的数，最多三位小数。"
      "券商说的“万2.5”在这里是0.25，每笔最低5.00元",
      "印花税由国家规定，2008年9月19日起只在卖出时按成交金额的1‰收取，买入不收"}},
};

INSTANTIATE_TEST_SUITE_P(Rows, RulesTips, ::testing::ValuesIn(kTipRows), rowName);

using ToolTips = MainWindowTest;

// A window that opens under a trade date's rules still gets the layout's tool tips back.
TEST_F(ToolTips, a_window_opened_under_todays_rules_gets_the_own_tips_back) {
    std::ofstream(settingsPath, std::ios::trunc | std::ios::binary)
        << "[\xB7\xD1\xD3\xC3\xB9\xE6\xD4\xF2]\r\n\xB9\xE6\xD4\xF2=\xCF\xD6\xD0\xD0\r\n";  // GBK
    MemoryWindowModel again;
    again.setUpMainWindow();
    Session s(again, settingsPath);
    s.formLoad();
    ASSERT_FALSE(s.rules().own());
    EXPECT_NE(again.toolTip(form1::Text6), layoutTip(form1::Text6));
    s.handle(form1::mnuRulesClassic, Gesture::Click);
    for (const auto& group : kTipGroups) {
        for (Ctl c : group) {
            EXPECT_EQ(again.toolTip(c), layoutTip(c)) << c;
        }
    }
}

// The yield after a partial sale: its caption in the colour of its sign, its tool tip telling what
// it is and the realised profit; the standard tool tip back after a whole sale and on Clear.
TEST_F(ToolTips, the_yield_explains_a_partial_sale_until_the_sale_is_whole_or_cleared) {
    const auto sell = [&](const char* price, const char* qty) {
        type(form1::Text11, price);
        type(form1::Text12, qty);
        enter(form1::Text12);
    };
    const auto expectStandard = [&] {
        for (Ctl c : {form1::Text18, form1::Label18}) {
            EXPECT_EQ(ui.toolTip(c), layoutTip(c)) << c;
        }
    };
    type(form1::Text1, "10");
    type(form1::Text2, "1000");
    enter(form1::Text2);  // 10,058.00 paid at 2.7‰ and 3‰ in Shanghai
    sell("11", "600");    // 6,561.38 back
    EXPECT_EQ(shown(form1::Text18), "-34.76");
    EXPECT_EQ(ui.at(form1::Label18).foreColor, kBlue);
    EXPECT_EQ(ui.at(form1::Label17).foreColor, kRed);
    const std::string tip = ui.toolTip(form1::Text18);
    EXPECT_TRUE(tip.starts_with("部分卖出：收益率是本次实收金额减去全部实付金额后占实付金额的"));
    EXPECT_TRUE(
        tip.ends_with("卖出的600股按股数分摊实付金额6,034.80元，实现盈亏526.58元，收益率"
                      "8.73％"))
        << tip;
    EXPECT_EQ(ui.toolTip(form1::Label18), tip);

    sell("11", "1000");
    expectStandard();
    EXPECT_EQ(ui.at(form1::Label18).foreColor, kRed);

    sell("11", "600");
    EXPECT_NE(ui.toolTip(form1::Text18), layoutTip(form1::Text18));
    session.handle(form1::Command4, Gesture::Click);
    expectStandard();
    EXPECT_EQ(ui.at(form1::Label18).foreColor, kBlack);
}

}  // namespace
}  // namespace zm::test
