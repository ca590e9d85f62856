// The dialogs of the tools menu for the shares held (补仓, 做T, 可买股数, 涨跌停价, 除权参考价)
// through the session's one entry: the worked examples and the refusals typed into each dialog
// and worked out by 计 算 and by Enter in its last field, what the dialogs take from the main
// window and keep when closed, Enter walking their fields, their options, 求涨跌停价, and their
// layout rows.
#include <algorithm>
#include <ranges>
#include <string>
#include <vector>

#include "layout/layout.h"
#include "session/main_window_fixture.h"

namespace zm::test {
namespace {

namespace avg = formAverage;
namespace swg = formSwing;
namespace lts = formLots;
namespace lim = formLimit;
namespace exr = formExRights;

const ToolDialog& toolOf(Ctl item) {
    return *std::ranges::find(toolDialogs(), item, &ToolDialog::menuItem);
}

Ctl controlNamed(FormId f, std::string_view name) {
    const auto rows = layout::rowsOf(f);
    const auto it =
        std::ranges::find(rows, name, [](const layout::Control* c) { return c->name(); });
    EXPECT_NE(it, rows.end()) << name;
    return it == rows.end() ? formControl(f) : (*it)->ctl;
}

// The result fields of a dialog, top to bottom: the fields only the program writes.
std::vector<Ctl> resultsOf(FormId f) {
    std::vector<Ctl> results;
    for (const layout::Control* row : layout::rowsOf(f)) {
        if (row->kind == layout::Kind::Field && row->readOnly) {
            results.push_back(row->ctl);
        }
    }
    return results;
}

class HoldingTools : public MainWindowTest {
protected:
    // Today's rules, Shanghai, the commission (per mille) and the minimum commission given.
    void today(std::string_view minimum = "5", std::string_view commission = "0.25") {
        session.handle(form1::mnuRulesCurrent, Gesture::Click);
        type(form1::Combo1, commission);
        ASSERT_TRUE(setMinimumCommission(session, ui, minimum));
    }
    void click(Ctl c) { session.handle(c, Gesture::Click); }
    // What the user does to a control of a dialog: types into a field or a date field, picks a
    // list's entry, chooses an option.
    void set(Ctl c, std::string_view text = {}) {
        const layout::Kind kind = layout::find(c)->kind;
        if (kind == layout::Kind::Option) {
            ui.MemoryWindowModel::setChecked(c, true);
            session.handle(c, Gesture::Choose);
            return;
        }
        ui.MemoryWindowModel::setText(c, text);
        ASSERT_EQ(ui.text(c), text) << c;
        if (kind == layout::Kind::List) {
            session.handle(c, Gesture::Choose);
        } else if (kind == layout::Kind::Date) {
            session.handle(c, Gesture::DateSet);
        }
    }
    // Does what a row says in the dialog ("TextAvgHeld=1000", "OptAvg_1") or in the main window:
    // a rate typed and confirmed ("Combo1=0.25"), a market ("Option3"), "minimum=5".
    void act(FormId dialog, std::string_view what) {
        const std::size_t is = what.find('=');
        const std::string_view key = what.substr(0, is);
        const std::string_view value = is == std::string_view::npos ? "" : what.substr(is + 1);
        if (key == "minimum") {
            ASSERT_TRUE(setMinimumCommission(session, ui, value));
            return;
        }
        const FormId f = std::ranges::any_of(layout::rowsOf(dialog),
                                             [key](const auto* c) { return c->name() == key; })
                             ? dialog
                             : FormId::Form1;
        const Ctl c = controlNamed(f, key);
        if (layout::find(c)->kind == layout::Kind::MenuItem) {
            click(c);
            return;
        }
        set(c, value);
        if (f == FormId::Form1 && layout::find(c)->kind == layout::Kind::List) {
            session.handle(c, Gesture::Enter);
        }
    }
    void actAll(FormId dialog, std::string_view acts) {
        for (const auto part : std::views::split(acts, ' ')) {
            act(dialog, std::string_view(part.begin(), part.end()));
        }
    }
    // The results of the dialog in one line, or after a refusal its one message, the field with
    // the focus, whether its text is selected, and whether a result stayed.
    std::string outcome(FormId f) {
        std::string line;
        for (Ctl c : resultsOf(f)) {
            if (!ui.text(c).empty()) {
                line += (line.empty() ? "" : " ") + ui.text(c);
            }
        }
        if (ui.messages.empty()) {
            return line;
        }
        std::string refusal = ui.messages.size() == 1 ? msg::trimmed(ui.messages[0]) : "messages";
        refusal += " in " + std::string(ui.focus ? ui.focus->name() : "nothing");
        if (!ui.focus || !ui.isWholeTextSelected(*ui.focus)) {
            refusal += " not selected";
        }
        ui.messages.clear();
        return line.empty() ? refusal : refusal + " beside " + line;
    }
    void enter(Ctl c) {
        ui.setFocus(c);
        session.handle(c, Gesture::Enter);
    }
    // The last field of the dialog that takes input.
    Ctl lastField(const ToolDialog& d) {
        Ctl last = d.fields.front();
        for (Ctl c : d.fields) {
            last = ui.isEnabled(c) ? c : last;
        }
        return last;
    }
};

// A row: the dialog's menu item, what the user does there ("TextAvgHeld=1000" types into a field
// or a date field or picks a list's entry, "OptAvg_1" chooses an option), and what the dialog
// shows: its results in one line, or its message and the field it puts the focus in.
struct ToolRow {
    const char* name;
    Ctl item;
    const char* typed;
    const char* figures;
    std::string_view message = {};
    Ctl refused = {};
    const char* minimum = "5";  // today's rules with this minimum; nullptr: the program's own
    friend void PrintTo(const ToolRow& row, std::ostream* os) { *os << row.name; }
};

// clang-format off
const ToolRow kRows[] = {
    // 补仓: shares bought, amount, fees, paid, shares held, new cost, new break-even.
    {"average_to_10_50", form1::mnuAverage,
     "TextAvgHeld=1000 TextAvgCost=12 TextAvgPrice=9 OptAvg_1 TextAvgTarget=10.5",
     "1,100 9,900.00 5.10 9,905.10 2,100 10.431 10.44"},
    {"average_by_1000", form1::mnuAverage,
     "TextAvgHeld=1,000 TextAvgCost=12.000 TextAvgPrice=9.00 TextAvgShares=1000",
     "1,000 9,000.00 5.09 9,005.09 2,000 10.503 10.52"},
    {"average_star_to_45", form1::mnuAverage,
     "ComboAvgBoard=科创板 TextAvgHeld=300 TextAvgCost=50 TextAvgPrice=40 OptAvg_1 TextAvgTarget=45",
     "302 12,080.00 5.12 12,085.12 602 44.992 45.03"},
    {"average_main_to_45", form1::mnuAverage,
     "TextAvgHeld=300 TextAvgCost=50 TextAvgPrice=40 OptAvg_1 TextAvgTarget=45",
     "400 16,000.00 5.16 16,005.16 700 44.293 44.33"},
    {"average_target_at_the_cost", form1::mnuAverage,
     "TextAvgHeld=1000 TextAvgCost=12 TextAvgPrice=9 OptAvg_1 TextAvgTarget=12",
     nullptr, msg::kTargetCostNotBelowCost, avg::TextAvgTarget},
    {"average_target_at_the_price", form1::mnuAverage,
     "TextAvgHeld=1000 TextAvgCost=12 TextAvgPrice=9 OptAvg_1 TextAvgTarget=9",
     nullptr, msg::kTargetCostNotAbovePrice, avg::TextAvgTarget},
    {"average_target_within_the_fees", form1::mnuAverage,
     "TextAvgHeld=1000 TextAvgCost=12 TextAvgPrice=9 OptAvg_1 TextAvgTarget=9.001",
     nullptr, msg::kTargetCostUnreachable, avg::TextAvgTarget},
    {"average_odd_lot", form1::mnuAverage,
     "TextAvgHeld=1000 TextAvgCost=12 TextAvgPrice=9 TextAvgShares=150",
     nullptr, msg::kAddSharesLot, avg::TextAvgShares},
    {"average_amount_too_large", form1::mnuAverage,
     "TextAvgHeld=1000 TextAvgCost=1200 TextAvgPrice=1000 TextAvgShares=200000000",
     nullptr, msg::kBuyAmountMax, avg::TextAvgShares},
    // 做T: paid, netted, profit, new cost, break-even.
    {"swing_buy_first", form1::mnuSwing,
     "TextSwingHeld=1000 TextSwingCost=10.5 TextSwingQty=500 TextSwingBuy=9.8 TextSwingSell=10.1",
     "4,905.05 5,042.42 137.37 10.363 9.83"},
    {"swing_buy_first_no_minimum", form1::mnuSwing,
     "TextSwingHeld=1000 TextSwingCost=10.5 TextSwingQty=500 TextSwingBuy=9.8 TextSwingSell=10.1",
     "4,901.28 5,046.16 144.88 10.355 9.82", {}, {}, "0"},
    {"swing_sell_first", form1::mnuSwing,
     "OptSwing_1 TextSwingHeld=2000 TextSwingCost=8 TextSwingQty=1000 TextSwingBuy=8.2 "
     "TextSwingSell=8.5",
     "8,205.08 8,490.66 285.58 7.857 8.48"},
    {"swing_more_than_held", form1::mnuSwing,
     "TextSwingHeld=1000 TextSwingCost=10.5 TextSwingQty=1001 TextSwingBuy=9.8 TextSwingSell=10.1",
     nullptr, msg::kSwingSharesAboveHeld, swg::TextSwingQty},
    {"swing_odd_lot_on_the_main_board", form1::mnuSwing,
     "TextSwingHeld=1000 TextSwingCost=10.5 TextSwingQty=150 TextSwingBuy=9.8 TextSwingSell=10.1",
     nullptr, msg::kSwingSharesLot, swg::TextSwingQty},
    {"swing_star_below_its_lot", form1::mnuSwing,
     "ComboSwingBoard=科创板 TextSwingHeld=1000 TextSwingCost=10.5 TextSwingQty=150 "
     "TextSwingBuy=9.8 TextSwingSell=10.1",
     nullptr, msg::kSwingSharesStarMin, swg::TextSwingQty},
    {"swing_buy_price_below_the_fen", form1::mnuSwing,
     "TextSwingHeld=1000 TextSwingCost=10.5 TextSwingQty=500 TextSwingBuy=9.805 TextSwingSell=10.1",
     nullptr, msg::kBuyPriceFen, swg::TextSwingBuy},
    // 可买股数: shares, amount, fees, paid, cash left.
    {"lots_at_9_99", form1::mnuLots, "TextLotsCash=10000 TextLotsPrice=9.99",
     "1,000 9,990.00 5.10 9,995.10 4.90"},
    {"lots_at_10", form1::mnuLots, "TextLotsCash=10,000.00 TextLotsPrice=10",
     "900 9,000.00 5.09 9,005.09 994.91"},
    {"lots_star_by_one_share", form1::mnuLots,
     "ComboLotsBoard=科创板 TextLotsCash=10000 TextLotsPrice=9.98",
     "1,001 9,989.98 5.10 9,995.08 4.92"},
    {"lots_main_by_lots", form1::mnuLots, "TextLotsCash=10000 TextLotsPrice=9.98",
     "1,000 9,980.00 5.10 9,985.10 14.90"},
    {"lots_own_rules_at_first_start", form1::mnuLots, "TextLotsCash=50000 TextLotsPrice=37.85",
     "1,300 49,205.00 281.77 49,486.77 513.23", {}, {}, nullptr},
    {"lots_not_one_lot", form1::mnuLots, "TextLotsCash=500 TextLotsPrice=10",
     nullptr, msg::kNotEnoughForOneLot, lts::TextLotsCash},
    {"lots_star_below_200", form1::mnuLots,
     "ComboLotsBoard=科创板 TextLotsCash=1500 TextLotsPrice=10",
     nullptr, msg::kNotEnoughForStarMin, lts::TextLotsCash},
    // 涨跌停价: the upper and the lower limit.
    {"limit_main", form1::mnuLimit, "TextLimitClose=10.05 DateLimit=2026-07-03", "11.06 9.05"},
    {"limit_main_half_up", form1::mnuLimit, "TextLimitClose=1.15 DateLimit=2026-07-03",
     "1.27 1.04"},
    {"limit_st_at_5", form1::mnuLimit,
     "ComboLimitBoard=主板ST TextLimitClose=3.33 DateLimit=2026-07-03", "3.50 3.16"},
    {"limit_st_at_10", form1::mnuLimit,
     "ComboLimitBoard=主板ST TextLimitClose=3.33 DateLimit=2026-07-06", "3.66 3.00"},
    {"limit_st_one_tick", form1::mnuLimit,
     "ComboLimitBoard=主板ST TextLimitClose=0.05 DateLimit=2026-07-03", "0.06 0.04"},
    {"limit_star", form1::mnuLimit,
     "ComboLimitBoard=科创板 TextLimitClose=123.45 DateLimit=2026-07-03", "148.14 98.76"},
    {"limit_beijing", form1::mnuLimit,
     "ComboLimitBoard=北交所 TextLimitClose=15.67 DateLimit=2026-07-03", "20.37 10.97"},
    {"limit_fund", form1::mnuLimit,
     "ComboLimitBoard=基金 TextLimitClose=1.234 DateLimit=2026-07-03", "1.357 1.111"},
    {"limit_fund_off_the_tick", form1::mnuLimit,
     "ComboLimitBoard=基金 TextLimitClose=1.2345 DateLimit=2026-07-03",
     nullptr, msg::kCloseMill, lim::TextLimitClose},
    {"limit_date_as_digits", form1::mnuLimit,
     "ComboLimitBoard=主板ST TextLimitClose=3.33 DateLimit=20260706", "3.66 3.00"},
    {"limit_no_such_day", form1::mnuLimit, "TextLimitClose=10.05 DateLimit=2026-02-30",
     nullptr, msg::kLimitDateInvalid, lim::DateLimit},
    {"limit_date_too_early", form1::mnuLimit, "TextLimitClose=10.05 DateLimit=2008-09-18",
     nullptr, msg::kLimitDateTooEarly, lim::DateLimit},
    // 除权参考价.
    {"ex_cash", form1::mnuExRights, "TextExClose=152.21 TextExCash=16.50", "150.56"},
    {"ex_cash_four_decimals", form1::mnuExRights, "TextExClose=1,212.10 TextExCash=280.2423",
     "1184.08"},
    {"ex_bonus_and_cash", form1::mnuExRights,
     "TextExClose=251.59 TextExCash=43.74 TextExBonus=1", "224.74"},
    {"ex_rights_issue", form1::mnuExRights,
     "TextExClose=10 TextExCash=0.5 TextExRights=3 TextExRightsPrice=6", "9.04"},
    {"ex_nothing_left", form1::mnuExRights, "TextExClose=1 TextExCash=20",
     nullptr, msg::kExRightsNotPositive, exr::TextExCash},
    {"ex_rights_without_price", form1::mnuExRights, "TextExClose=10 TextExRights=3",
     nullptr, msg::kRightsPriceNotNumber, exr::TextExRightsPrice},
};
// clang-format on

class ToolExample : public HoldingTools, public ::testing::WithParamInterface<ToolRow> {};

// 计 算, then Enter in the last field: the same figures, or the same refusal.
TEST_P(ToolExample, shows_its_figures_or_its_refusal_by_calc_and_by_enter) {
    const ToolRow& r = GetParam();
    if (r.minimum != nullptr) {
        today(r.minimum);
    }
    const ToolDialog& d = toolOf(r.item);
    click(r.item);
    actAll(d.form.form(), r.typed);
    const std::string expected =
        r.figures ? r.figures : msg::trimmed(r.message) + " in " + std::string(r.refused.name());
    click(d.calc);
    EXPECT_EQ(outcome(d.form.form()), expected) << "by 计 算";
    enter(lastField(d));
    EXPECT_EQ(outcome(d.form.form()), expected) << "by Enter";
}

INSTANTIATE_TEST_SUITE_P(Rows, ToolExample, ::testing::ValuesIn(kRows), rowName);

// A dialog worked out, then one change of its board, date or way, or of the main window's rates:
// the figures follow at once, or go when an input no longer passes, and no message shows.
struct FollowRow {
    const char* name;
    Ctl item;
    const char* typed;
    const char* before;
    const char* change;
    const char* after;
    const char* commission = "0.25";
    const char* minimum = "5";
    friend void PrintTo(const FollowRow& row, std::ostream* os) { *os << row.name; }
};

// clang-format off
const FollowRow kFollowRows[] = {
    {"lots_star_board", form1::mnuLots, "TextLotsCash=50000 TextLotsPrice=37.85",
     "1,300 49,205.00 12.79 49,217.79 782.21", "ComboLotsBoard=科创板",
     "1,320 49,962.00 12.99 49,974.99 25.01"},
    {"swing_main_rates", form1::mnuSwing,
     "TextSwingHeld=1000 TextSwingCost=55 TextSwingQty=200 TextSwingBuy=51 TextSwingSell=53",
     "10,201.12 10,593.53 392.41 54.608 51.04", "Combo1=0.25 minimum=5",
     "10,205.10 10,589.59 384.49 54.616 51.08", "0.1", "0"},
    {"swing_board_refuses_the_count", form1::mnuSwing,
     "ComboSwingBoard=北交所 TextSwingHeld=1000 TextSwingCost=10.5 TextSwingQty=150 "
     "TextSwingBuy=9.8 TextSwingSell=10.1",
     "1,475.01 1,509.22 34.21 10.466 9.88", "ComboSwingBoard=主板", ""},
    {"limit_date", form1::mnuLimit, "ComboLimitBoard=主板ST TextLimitClose=3.33 DateLimit=2026-07-03",
     "3.50 3.16", "DateLimit=2026-07-06", "3.66 3.00"},
    {"average_other_way", form1::mnuAverage,
     "TextAvgHeld=1000 TextAvgCost=12 TextAvgPrice=9 TextAvgShares=1000",
     "1,000 9,000.00 5.09 9,005.09 2,000 10.503 10.52", "OptAvg_1", ""},
};
// clang-format on

class ToolFollows : public HoldingTools, public ::testing::WithParamInterface<FollowRow> {};

TEST_P(ToolFollows, its_inputs_at_once_without_a_message) {
    const FollowRow& r = GetParam();
    today(r.minimum, r.commission);
    const FormId f = toolOf(r.item).form.form();
    click(r.item);
    actAll(f, r.typed);
    click(toolOf(r.item).calc);
    EXPECT_EQ(outcome(f), r.before);
    actAll(f, r.change);
    EXPECT_EQ(outcome(f), r.after);
}

INSTANTIATE_TEST_SUITE_P(Rows, ToolFollows, ::testing::ValuesIn(kFollowRows), rowName);

// The line under a dialog's inputs names what it computes with, and follows the rules; a dialog
// never worked out stays blank through the changes.
TEST_F(HoldingTools, each_dialog_names_the_rules_it_computes_with) {
    const std::tuple<const char*, Ctl, std::string_view> rows[] = {
        {"", form1::mnuLots, "按本程序规则 · 佣金2.7‰ · 印花税3‰（买卖都收）"},
        {"Option3", form1::mnuTarget, "按本程序规则 · 佣金0.0‰ · 印花税0‰（买卖都收）"},
        {"mnuRulesCurrent Option1 Combo1=0.25", form1::mnuSwing,
         "按现行规则 · 上海A股 · 佣金0.25‰ · 最低5元"},
        {"minimum=0 Option2", form1::mnuAverage,
         "按现行规则 · 深圳A股 · 佣金0.25‰ · 不设最低（免五）"},
        {"ComboLimitBoard=主板ST DateLimit=2026-07-06", form1::mnuLimit,
         "按主板ST 10%涨跌幅，不计费用"},
        {"", form1::mnuExRights, msg::kExRightsInUse},
    };
    for (const auto& [acts, item, line] : rows) {
        const FormId f = item == form1::mnuTarget ? FormId::FormTarget : toolOf(item).form.form();
        click(item);
        if (*acts != '\0') {
            actAll(f, acts);
        }
        EXPECT_EQ(ui.caption(controlNamed(f, "LabelRulesInUse")), line) << acts;
    }
    EXPECT_EQ(ui.caption(formLots::LabelRulesInUse),
              "按现行规则 · 深圳A股 · 佣金0.25‰ · 不设最低（免五）");
    EXPECT_EQ(outcome(FormId::FormLots) + outcome(FormId::FormSwing), "");
    ASSERT_TRUE(chooseRulesOnDate(session, ui, "2015-08-01"));
    EXPECT_EQ(ui.caption(formSwing::LabelRulesInUse),
              "按2015年8月1日的规则 · 深圳A股 · 佣金0.25‰ · 不设最低（免五）");
}

TEST_F(HoldingTools, a_holding_dialog_opens_with_the_purchase_until_the_user_types_another) {
    today();
    for (const auto& [field, text] : {std::pair{form1::Text1, "10"}, {form1::Text2, "1000"}}) {
        type(field, text);
        enter(field);
    }
    ASSERT_EQ(shown(form1::Text10), "10,005.10");
    click(form1::mnuAverage);
    EXPECT_EQ(shown(avg::TextAvgHeld) + " " + shown(avg::TextAvgCost), "1,000 10.005");
    EXPECT_TRUE(ui.hasFocus(avg::TextAvgPrice) && ui.isWholeTextSelected(avg::TextAvgPrice));
    type(avg::TextAvgCost, "12");
    // Closed, it is only hidden: it keeps what it shows for the next opening.
    session.handle(avg::FormAverage, Gesture::Close);
    EXPECT_TRUE(ui.isLoaded(FormId::FormAverage) && !ui.visible[FormId::FormAverage]);
    // A purchase of 2,000 shares: 20,005.20 paid.
    type(form1::Text2, "2000");
    enter(form1::Text2);
    click(form1::mnuAverage);
    EXPECT_EQ(shown(avg::TextAvgHeld) + " " + shown(avg::TextAvgCost), "1,000 12");
    click(form1::mnuSwing);
    EXPECT_EQ(shown(swg::TextSwingHeld) + " " + shown(swg::TextSwingCost), "2,000 10.003");
    EXPECT_TRUE(ui.hasFocus(swg::TextSwingQty));
}

TEST_F(HoldingTools, enter_checks_the_fields_in_order_and_walks_on_to_the_chosen_way) {
    today();
    click(form1::mnuAverage);
    EXPECT_TRUE(ui.hasFocus(avg::TextAvgHeld));
    type(avg::TextAvgHeld, "1000");
    enter(avg::TextAvgHeld);
    EXPECT_EQ(shown(avg::TextAvgHeld), "1,000");
    EXPECT_TRUE(ui.hasFocus(avg::TextAvgCost) && ui.isWholeTextSelected(avg::TextAvgCost));
    type(avg::TextAvgCost, "abc");
    enter(avg::TextAvgCost);
    expectRefusedOn(avg::TextAvgCost, msg::kCostNotNumber, "abc");
    ui.messages.clear();
    set(avg::OptAvg_1);
    EXPECT_FALSE(ui.isEnabled(avg::TextAvgShares));
    EXPECT_TRUE(ui.isEnabled(avg::TextAvgTarget) && ui.hasFocus(avg::TextAvgTarget));
    type(avg::TextAvgCost, "12");
    type(avg::TextAvgPrice, "9");
    enter(avg::TextAvgPrice);
    EXPECT_EQ(shown(avg::TextAvgCost) + " " + shown(avg::TextAvgPrice), "12.000 9.00");
    EXPECT_TRUE(ui.hasFocus(avg::TextAvgTarget));
    EXPECT_EQ(outcome(FormId::FormAverage), "");  // walking calculates nothing
}

TEST_F(HoldingTools, swing_marks_a_gain_red_a_loss_blue_and_names_its_break_even_price) {
    today();
    click(form1::mnuSwing);
    for (const auto& [field, text] : {std::pair{swg::TextSwingHeld, "2000"},
                                      {swg::TextSwingCost, "8"},
                                      {swg::TextSwingQty, "1000"},
                                      {swg::TextSwingBuy, "8.2"},
                                      {swg::TextSwingSell, "8.5"}}) {
        type(field, text);
    }
    click(swg::cmdCalc);
    EXPECT_EQ(ui.foreColor(swg::LabelSwingProfit), kRed);
    EXPECT_EQ(ui.caption(swg::LabelSwingBreakEven), msg::kSwingSellBreakEvenCaption);
    set(swg::OptSwing_1);
    EXPECT_EQ(ui.caption(swg::LabelSwingBreakEven), msg::kSwingBuyBackBreakEvenCaption);
    EXPECT_EQ(ui.toolTip(swg::TextSwingBreakEven), msg::kSwingBuyBackBreakEvenTip);
    // Worked out again as 倒T (the row swing_sell_first), its sell price first for Tab and Enter.
    EXPECT_EQ(outcome(FormId::FormSwing), "8,205.08 8,490.66 285.58 7.857 8.48");
    EXPECT_EQ(ui.tabAfter.at(swg::TextSwingSell), swg::TextSwingQty);
    EXPECT_EQ(ui.tabAfter.at(swg::TextSwingBuy), swg::TextSwingSell);
    enter(swg::TextSwingQty);
    EXPECT_TRUE(ui.hasFocus(swg::TextSwingSell));
    type(swg::TextSwingSell, "8.1");
    click(swg::cmdCalc);
    EXPECT_EQ(shown(swg::TextSwingProfit), "-114.21");
    EXPECT_EQ(ui.foreColor(swg::LabelSwingProfit), kBlue);
}

TEST_F(HoldingTools, the_ex_rights_price_opens_the_limits_with_it_as_the_close) {
    click(form1::mnuExRights);
    EXPECT_FALSE(ui.isEnabled(exr::cmdExLimit));
    type(exr::TextExClose, "152.21");
    type(exr::TextExCash, "16.5");
    click(exr::cmdCalc);
    click(exr::cmdExLimit);
    EXPECT_TRUE(ui.visible[FormId::FormLimit]);
    EXPECT_EQ(shown(lim::TextLimitClose) + " " + outcome(FormId::FormLimit),
              "150.56 165.62 135.50");
    EXPECT_TRUE(ui.hasFocus(lim::ComboLimitBoard));
    // Open already: its board stays.
    set(lim::ComboLimitBoard, "科创板");
    type(exr::TextExClose, "1212.10");
    type(exr::TextExCash, "280.2423");
    click(exr::cmdCalc);
    click(exr::cmdExLimit);
    EXPECT_EQ(shown(lim::TextLimitClose) + " " + outcome(FormId::FormLimit),
              "1184.08 1420.90 947.26");
    type(exr::TextExCash, "-1");
    click(exr::cmdCalc);
    EXPECT_EQ(outcome(FormId::FormExRights), msg::trimmed(msg::kPer10CashMin) + " in TextExCash");
    EXPECT_FALSE(ui.isEnabled(exr::cmdExLimit));
}

TEST(HoldingToolsLayout, each_dialog_is_modeless_beside_the_main_window_and_says_what_fields_are) {
    std::vector<Ctl> items;
    for (const layout::Control* row : layout::rowsOf(FormId::Form1)) {
        if (row->container == form1::mnuTools) {
            items.push_back(row->ctl);
        }
    }
    std::vector<Ctl> expected{form1::mnuTarget};
    for (const ToolDialog& d : toolDialogs()) {
        expected.push_back(d.menuItem);
        const layout::Control& form = layout::form(d.form.form());
        EXPECT_TRUE(form.ownedByMain && form.escCloses && !form.modal) << d.form;
        EXPECT_EQ(form.place, layout::Place::BesideMain) << d.form;
        for (const layout::Control* row : layout::rowsOf(d.form.form())) {
            EXPECT_EQ(row->pointSize, 12) << row->ctl;
            const bool field = row->kind == layout::Kind::Field ||
                               row->kind == layout::Kind::List || row->kind == layout::Kind::Date;
            EXPECT_TRUE(!field || !row->toolTip.empty()) << row->ctl;
        }
    }
    EXPECT_EQ(items, expected);
}

}  // namespace
}  // namespace zm::test
