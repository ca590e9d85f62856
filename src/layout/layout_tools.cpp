// The dialogs of the tools menu for the shares an investor holds: 补仓 (FormAverage), 做T
// (FormSwing), 可买股数 (FormLots), 涨跌停价 (FormLimit) and 除权参考价 (FormExRights). Each has
// its inputs in a left column and its results in a right one, one row each: a caption label, the
// field and a unit label, all three carrying the field's tool tip. The buttons stand below, on the
// right.
#include <array>
#include <optional>
#include <span>

#include "fees/fee_rules.h"
#include "layout/layout_rows.h"
#include "view/messages.h"

namespace zm::layout {
namespace {

// Column geometry: the caption is wide enough for six characters (每10股派现) and for an option
// of five (目标成本价), the field for the largest figures the tools show, the unit for one
// character.
constexpr int kLeftColumn = 240;
constexpr int kCaptionWidth = 1680;
constexpr int kFieldLeft = kCaptionWidth + 60;
constexpr int kFieldWidth = 1680;
constexpr int kUnitLeft = kFieldLeft + kFieldWidth + 60;
constexpr int kUnitWidth = 300;
constexpr int kColumnWidth = kUnitLeft + kUnitWidth;
constexpr int kRightColumn = kLeftColumn + kColumnWidth + 300;
constexpr int kFormWidth = kRightColumn + kColumnWidth + 240;
constexpr int kRowHeight = 480;
constexpr int kFieldHeight = 360;
constexpr int kLabelHeight = 270;
constexpr int kLabelDrop = 60;  // a caption sits this much lower than its field's top
constexpr int kButtonWidth = 1440;
constexpr int kButtonHeight = 495;

// One row: the caption label, the control (a field, a list or a date field), its unit label.
struct Row {
    Ctl label;
    Ctl field;
    std::optional<Ctl> unit;
    std::string_view caption;
    std::string_view unitCaption;
    std::string_view tip;
    Kind kind = Kind::Field;
};

void addUnit(Builder& b, const Row& r, int column, int top) {
    if (r.unit) {
        b.add(*r.unit, Kind::Label, {}, column + kUnitLeft, top + kLabelDrop, kUnitWidth,
              kLabelHeight, r.unitCaption, r.tip, kSmall);
    }
}

// An input of the left column, next in the tab chain.
void addInput(Builder& b, const Row& r, int top, int& tab) {
    b.add(r.label, Kind::Label, {}, kLeftColumn, top + kLabelDrop, kCaptionWidth, kLabelHeight,
          r.caption, r.tip, kSmall)
        .buddy = r.field;
    Control& field = b.add(r.field, r.kind, {}, kLeftColumn + kFieldLeft, top, kFieldWidth,
                           kFieldHeight, {}, r.tip, kSmall);
    field.align = Align::Center;
    field.tabIndex = tab++;
    if (r.kind == Kind::Date) {
        field.earliestDate = kFirstRulesDateText;
    }
    addUnit(b, r, kLeftColumn, top);
}

void addInputs(Builder& b, std::span<const Row> rows, int top, int& tab) {
    for (const Row& r : rows) {
        addInput(b, r, top, tab);
        top += kRowHeight;
    }
}

// Results of the right column: only the program writes them.
void addResults(Builder& b, std::span<const Row> rows, int top) {
    for (const Row& r : rows) {
        b.add(r.label, Kind::Label, {}, kRightColumn, top + kLabelDrop, kCaptionWidth, kLabelHeight,
              r.caption, r.tip, kSmall)
            .buddy = r.field;
        Control& field = b.add(r.field, Kind::Field, {}, kRightColumn + kFieldLeft, top,
                               kFieldWidth, kFieldHeight, {}, r.tip, kSmall);
        field.readOnly = true;
        field.align = Align::Right;
        addUnit(b, r, kRightColumn, top);
        top += kRowHeight;
    }
}

// 计 算 and 关 闭 at the right of the bottom row.
void addButtons(Builder& b, Ctl calc, Ctl close, int top, int calcTab, int closeTab) {
    constexpr int kCloseLeft = kFormWidth - kLeftColumn - kButtonWidth;
    b.addButton(calc, kCloseLeft - 120 - kButtonWidth, top, kButtonWidth, kButtonHeight, "计 算",
                "calculate", calcTab);
    b.addButton(close, kCloseLeft, top, kButtonWidth, kButtonHeight, "关 闭", "exit", closeTab);
}

// The line that names what a dialog computes with (the rules, the market, the rates; the
// limit's ratio) spans the dialog below its rows, with room for two lines.
constexpr int kRulesLineHeight = 600;
void addRulesInUse(Builder& b, Ctl label, int top) {
    b.add(label, Kind::Label, {}, kLeftColumn, top, kFormWidth - 2 * kLeftColumn, kRulesLineHeight,
          {}, "计算所用的规则：主窗口选的费用规则、市场和费率", kSmall)
        .wordWrap = true;
}

// The top of a dialog's buttons, below `rows` rows from `firstTop` and the rules line, and the
// dialog's height.
constexpr int rulesLineTop(int firstTop, int rows) {
    return firstTop + rows * kRowHeight;
}
constexpr int buttonsTop(int firstTop, int rows) {
    return rulesLineTop(firstTop, rows) + kRulesLineHeight + 120;
}
constexpr int formHeight(int buttonsTop) {
    return buttonsTop + kButtonHeight + 240;
}
constexpr int kSwingTop = 660;  // below the two options
constexpr int kAverageButtons = buttonsTop(240, 7);
constexpr int kSwingButtons = buttonsTop(kSwingTop, 6);
constexpr int kLotsButtons = buttonsTop(240, 5);
constexpr int kLimitButtons = buttonsTop(240, 3);
constexpr int kExRightsButtons = buttonsTop(240, 5);

// The boards of a purchase, as the lists of 补仓 and 可买股数 offer them.
constexpr std::string_view kBoardTip =
    "股票所在的板块：主板、创业板买入100股的整数倍；科创板至少200股，北交所至少100股，超过部分可按1"
    "股"
    "增减";
constexpr std::string_view kHeldTip = "现在持有的股数；主窗口算过买入时，填入买入的股数（含送股）";
constexpr std::string_view kCostTip =
    "现在每股的持仓成本（含费用），最多三位小数；主窗口算过买入时，填入实付金额 ÷ 股数";
constexpr std::string_view kAmountTip = "价格 × 股数";

void addAverage(Builder& b) {
    using namespace formAverage;
    constexpr std::array kInputs = {
        Row{LabelAvgHeld, TextAvgHeld, LabelAvgHeldUnit, "持有股数", "股", kHeldTip},
        Row{LabelAvgCost, TextAvgCost, LabelAvgCostUnit, "持仓成本价", "元", kCostTip},
        Row{LabelAvgPrice, TextAvgPrice, LabelAvgPriceUnit, "补仓价格", "元",
            "这次补仓每股的买入价格"},
        Row{LabelAvgBoard, ComboAvgBoard, std::nullopt, "板    块", {}, kBoardTip, Kind::List},
    };
    int tab = 0;
    addInputs(b, kInputs, 240, tab);
    // The two ways to ask: a count to buy, or a cost to reach; only the chosen one's field takes
    // input.
    constexpr std::array kWays = {
        Row{OptAvg_0, TextAvgShares, LabelAvgSharesUnit, "补仓股数", "股",
            "准备补仓买入的股数，须符合板块的买入规则"},
        Row{OptAvg_1, TextAvgTarget, LabelAvgTargetUnit, "目标成本价", "元",
            "想把每股成本降到多少元：须低于现在的成本价，高于补仓价格；算出至少要补仓多少股"},
    };
    int top = 240 + 4 * kRowHeight;
    for (const Row& r : kWays) {
        Control& option = b.add(r.label, Kind::Option, {}, kLeftColumn, top + 30, kCaptionWidth,
                                300, r.caption, r.tip, kSmall);
        option.chosen = r.label == OptAvg_0;
        option.tabIndex = tab++;
        Control& field = b.add(r.field, Kind::Field, {}, kLeftColumn + kFieldLeft, top, kFieldWidth,
                               kFieldHeight, {}, r.tip, kSmall);
        field.align = Align::Center;
        field.tabIndex = tab++;
        field.enabled = r.label == OptAvg_0;
        addUnit(b, r, kLeftColumn, top);
        top += kRowHeight;
    }
    constexpr std::array kResults = {
        Row{LabelAvgNeed, TextAvgNeed, LabelAvgNeedUnit, "买入股数", "股", "这次补仓买入的股数"},
        Row{LabelAvgAmount, TextAvgAmount, LabelAvgAmountUnit, "成交金额", "元",
            "补仓价格 × 买入股数"},
        Row{LabelAvgFees, TextAvgFees, LabelAvgFeesUnit, "费用合计", "元",
            "这次买入的佣金、过户费等各项费用合计"},
        Row{LabelAvgPaid, TextAvgPaid, LabelAvgPaidUnit, "补仓付出", "元", "成交金额 + 费用合计"},
        Row{LabelAvgNewShares, TextAvgNewShares, LabelAvgNewSharesUnit, "合计持股", "股",
            "补仓后一共持有的股数"},
        Row{LabelAvgNewCost, TextAvgNewCost, LabelAvgNewCostUnit, "新成本价", "元",
            "（持有股数 × 持仓成本价 + 补仓付出）÷ 合计持股，四舍五入到0.001元"},
        Row{LabelAvgBreakEven, TextAvgBreakEven, LabelAvgBreakEvenUnit, "新保本价", "元",
            "补仓后全部卖出、扣除卖出费用后不亏本的最低卖出价"},
    };
    addResults(b, kResults, 240);
    addRulesInUse(b, LabelRulesInUse, rulesLineTop(240, 7));
    addButtons(b, cmdCalc, cmdClose, kAverageButtons, tab, tab + 1);
}

void addSwing(Builder& b) {
    using namespace formSwing;
    int tab = 0;
    Control& buyFirst =
        b.add(OptSwing_0, Kind::Option, {}, kLeftColumn, 180, 2520, 300, "正T（先买后卖）",
              "先买入做T股数，再卖出同样数量原来持有的股票", kSmall);
    buyFirst.chosen = true;
    buyFirst.tabIndex = tab++;
    b.add(OptSwing_1, Kind::Option, {}, 2880, 180, 2520, 300, "倒T（先卖后买）",
          "先卖出做T股数原来持有的股票，再买回同样数量", kSmall)
        .tabIndex = tab++;
    constexpr std::array kInputs = {
        Row{LabelSwingHeld, TextSwingHeld, LabelSwingHeldUnit, "持有股数", "股", kHeldTip},
        Row{LabelSwingCost, TextSwingCost, LabelSwingCostUnit, "持仓成本价", "元", kCostTip},
        Row{LabelSwingBoard, ComboSwingBoard, std::nullopt, "板    块", {}, kBoardTip, Kind::List},
        Row{LabelSwingQty, TextSwingQty, LabelSwingQtyUnit, "做T股数", "股",
            "买入和卖出的股数，不超过持有股数（当天买入的股票当天不能卖出），须符合板块的买入规则"},
        Row{LabelSwingBuy, TextSwingBuy, LabelSwingBuyUnit, "买 入 价", "元", "每股买入价格"},
        Row{LabelSwingSell, TextSwingSell, LabelSwingSellUnit, "卖 出 价", "元", "每股卖出价格"},
    };
    addInputs(b, kInputs, kSwingTop, tab);
    constexpr std::array kResults = {
        Row{LabelSwingBuyPaid, TextSwingBuyPaid, LabelSwingBuyPaidUnit, "买入付出", "元",
            "买入金额 + 买入费用"},
        Row{LabelSwingSellNet, TextSwingSellNet, LabelSwingSellNetUnit, "卖出收回", "元",
            "卖出金额 − 卖出费用"},
        Row{LabelSwingProfit, TextSwingProfit, LabelSwingProfitUnit, "做T盈亏", "元",
            "卖出收回 − 买入付出；赚钱时标题为红色，亏钱时为蓝色"},
        Row{LabelSwingNewCost, TextSwingNewCost, LabelSwingNewCostUnit, "新成本价", "元",
            "（持有股数 × 持仓成本价 − 做T盈亏）÷ 持有股数，四舍五入到0.001元"},
        Row{LabelSwingBreakEven, TextSwingBreakEven, LabelSwingBreakEvenUnit,
            msg::kSwingSellBreakEvenCaption, "元", msg::kSwingSellBreakEvenTip},
    };
    addResults(b, kResults, kSwingTop);
    addRulesInUse(b, LabelRulesInUse, rulesLineTop(kSwingTop, 6));
    addButtons(b, cmdCalc, cmdClose, kSwingButtons, tab, tab + 1);
}

void addLots(Builder& b) {
    using namespace formLots;
    constexpr std::array kInputs = {
        Row{LabelLotsCash, TextLotsCash, LabelLotsCashUnit, "可用资金", "元",
            "账户里可以用来买入的钱"},
        Row{LabelLotsPrice, TextLotsPrice, LabelLotsPriceUnit, "买入价格", "元", "每股买入价格"},
        Row{LabelLotsBoard, ComboLotsBoard, std::nullopt, "板    块", {}, kBoardTip, Kind::List},
    };
    int tab = 0;
    addInputs(b, kInputs, 240, tab);
    constexpr std::array kResults = {
        Row{LabelLotsShares, TextLotsShares, LabelLotsSharesUnit, "可买股数", "股",
            "连同费用在内，可用资金最多能买的股数"},
        Row{LabelLotsAmount, TextLotsAmount, LabelLotsAmountUnit, "成交金额", "元", kAmountTip},
        Row{LabelLotsFees, TextLotsFees, LabelLotsFeesUnit, "费用合计", "元",
            "这次买入的佣金、过户费等各项费用合计"},
        Row{LabelLotsPaid, TextLotsPaid, LabelLotsPaidUnit, "买入付出", "元",
            "成交金额 + 费用合计"},
        Row{LabelLotsLeft, TextLotsLeft, LabelLotsLeftUnit, "剩余资金", "元",
            "可用资金 − 买入付出"},
    };
    addResults(b, kResults, 240);
    addRulesInUse(b, LabelRulesInUse, rulesLineTop(240, 5));
    addButtons(b, cmdCalc, cmdClose, kLotsButtons, tab, tab + 1);
}

void addLimit(Builder& b) {
    using namespace formLimit;
    constexpr std::array kInputs = {
        Row{LabelLimitClose, TextLimitClose, LabelLimitCloseUnit, "前收盘价", "元",
            "前一个交易日的收盘价；基金的价格可有三位小数"},
        Row{LabelLimitBoard,
            ComboLimitBoard,
            std::nullopt,
            "板    块",
            {},
            "涨跌幅限制：主板10%，主板ST "
            "5%（2026年7月6日起10%），创业板20%（2020年8月24日以前10%），"
            "科创板20%，北交所30%，基金10%",
            Kind::List},
        Row{LabelLimitDate,
            DateLimit,
            std::nullopt,
            "交易日期",
            {},
            "要算涨跌停价的那个交易日，2008年9月19日起",
            Kind::Date},
    };
    int tab = 0;
    addInputs(b, kInputs, 240, tab);
    constexpr std::array kResults = {
        Row{LabelLimitUp, TextLimitUp, LabelLimitUpUnit, "涨 停 价", "元",
            "这一天最高可以成交的价格"},
        Row{LabelLimitDown, TextLimitDown, LabelLimitDownUnit, "跌 停 价", "元",
            "这一天最低可以成交的价格"},
    };
    addResults(b, kResults, 240);
    addRulesInUse(b, LabelRulesInUse, rulesLineTop(240, 3));
    addButtons(b, cmdCalc, cmdClose, kLimitButtons, tab, tab + 1);
}

void addExRights(Builder& b) {
    using namespace formExRights;
    constexpr std::array kInputs = {
        Row{LabelExClose, TextExClose, LabelExCloseUnit, "前收盘价", "元",
            "除权除息日前一个交易日的收盘价"},
        Row{LabelExCash, TextExCash, LabelExCashUnit, "每10股派现", "元",
            "每10股派发的现金红利，最多四位小数；不派现填0"},
        Row{LabelExBonus, TextExBonus, LabelExBonusUnit, "每10股送转", "股",
            "每10股送股和转增股的合计；不送转填0"},
        Row{LabelExRights, TextExRights, LabelExRightsUnit, "每10股配股", "股",
            "每10股配售的新股数；不配股填0"},
        Row{LabelExRightsPrice, TextExRightsPrice, LabelExRightsPriceUnit, "配 股 价", "元",
            "每股配股的价格；不配股时不用填"},
    };
    int tab = 0;
    addInputs(b, kInputs, 240, tab);
    constexpr std::array kResults = {
        Row{LabelExPrice, TextExPrice, LabelExPriceUnit, "除权参考价", "元",
            "（前收盘价 − 每股派现 + 配股价 × 每股配股）÷（1 + 每股送转 + "
            "每股配股），四舍五入到分"},
    };
    addResults(b, kResults, 240);
    addRulesInUse(b, LabelRulesInUse, rulesLineTop(240, 5));
    // The tab chain: the inputs, 计 算, 求涨跌停价 (under the price it takes to the limit
    // dialog), 关 闭.
    addButtons(b, cmdCalc, cmdClose, kExRightsButtons, tab, tab + 2);
    b.addButton(cmdExLimit, kRightColumn + kFieldLeft, 240 + kRowHeight + 60, kFieldWidth,
                kButtonHeight, "求涨跌停价", "calculate", tab + 1,
                "以除权参考价为前收盘价，在涨跌停价窗口里算出涨停价和跌停价")
        .enabled = false;
}

}  // namespace

void addToolForms(Builder& b) {
    const auto dialog = [&b](Ctl form, int buttons, std::string_view title) {
        Control& d = b.addForm(form, kFormWidth, formHeight(buttons), title, kSmall);
        d.ownedByMain = true;
        d.escCloses = true;
        d.place = Place::BesideMain;
    };
    dialog(formAverage::FormAverage, kAverageButtons, "补仓/摊薄成本");
    dialog(formSwing::FormSwing, kSwingButtons, "做T");
    dialog(formLots::FormLots, kLotsButtons, "可买股数");
    dialog(formLimit::FormLimit, kLimitButtons, "涨跌停价");
    dialog(formExRights::FormExRights, kExRightsButtons, "除权参考价");
}

void addTools(Builder& b) {
    addAverage(b);
    addSwing(b);
    addLots(b);
    addLimit(b);
    addExRights(b);
}

}  // namespace zm::layout
