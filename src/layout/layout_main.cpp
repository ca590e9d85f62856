// The main window Form1: its menu bar and menus, the frames of the client area with every field,
// label and option, and the six buttons.
#include <array>
#include <tuple>
#include <utility>

#include "layout/layout_rows.h"
#include "view/messages.h"

namespace zm::layout {
namespace {

// One row of the buy or the sell frame: caption label, field, unit label (an element of the
// Label19 array, carrying the field's tool tip).
struct Row {
    Ctl field;
    Ctl label;
    std::string_view caption;
    std::string_view labelTip;
    int unitIndex;
    std::string_view unit;
    std::string_view fieldTip;
    bool input;
};

// Tops of the rows' fields inside their frame; each caption and unit label sits 120 lower.
constexpr std::array<int, 10> kRowTops = {480,  1080, 1680, 2280, 2880,
                                          3480, 4080, 4680, 5280, 5880};

constexpr std::array<Row, 10> kBuyRows = {{
    {form1::Text1, form1::Label1, "买入价格",
     "每股买入的价格，就是成交价。成交价有可能低于打入的价格：例如打入9.45元，成交的价格有可能是9."
     "43元",
     0, "元", "每股买入的价格，就是成交价", true},
    {form1::Text2, form1::Label2, "买入数量",
     "买入股票的数量，100股为1手。买入的数量必须是100的整数倍，最小单位为100股，既1手", 1, "股",
     "买入股票的数量，100股为1手。", true},
    {form1::Text3, form1::Label3, "交易金额", "本次买入总金额，既买入价格 × 买入数量", 2, "元",
     "本次买入总金额", false},
    {form1::Text4, form1::Label4, "佣    金",
     "本次买入佣金，既手续费。手续费各个券商自由浮动，但不得高于3.0‰，起点 5 元", 3, "元",
     "本次买入手续费", false},
    {form1::Text5, form1::Label5, "印 花 税",
     "本次买入印花税，既本次买入总金额的1‰，财政部决定2005年1月24日起印花税为1‰", 4, "元",
     "本次买入印花税，既本次交易总金额的1‰", false},
    {form1::Text6, form1::Label6, "过 户 费", "过户费每100股0.1元，起点1元（深交所不收） ", 5, "元",
     "过户费每100股0.1元，起点1元（深交所不收） ", false},
    {form1::Text7, form1::Label7, "费用合计",
     "本次买入各项费用合计，既手续费、印花税、过户费的总和，不包括交易金额", 6, "元",
     "本次买入总费用", false},
    {form1::Text10, form1::Label21, "实付金额",
     "本次买入股票实际交付金额，既 交易金额 + 费用合计，如有分红则减去分红", 18, "元",
     "本次买入股票实际交付金额", false},
    {form1::Text8, form1::Label9, "买入成本",
     "本次买入每股成本价，既加上买入的各种费用后每股成本价", 7, "元", "本次买入每股成本价", false},
    {form1::Text9, form1::Label8, "保本价格",
     "每股的保本价格，既扣除买入卖出的各种费用后保证不亏损的每股价格", 8, "元", "每股的保本价格",
     false},
}};

constexpr std::array<Row, 10> kSellRows = {{
    {form1::Text11, form1::Label10, "卖出价格",
     "每股卖出的价格，就是成交价。一般你打入多少就是多少，极少数情况下会比打入的价格高1～2分钱", 9,
     "元", "每股卖出的价格，就是成交价", true},
    {form1::Text12, form1::Label11, "卖出数量",
     "卖出股票的数量。因为配股的原因，所以有可能出现零头，既不满1手（不满100股）", 10, "股",
     "卖出股票的数量。", true},
    {form1::Text13, form1::Label12, "交易金额", "本次卖出总金额，既卖出价格 × 卖出数量", 11, "元",
     "本次卖出总金额", false},
    {form1::Text14, form1::Label13, "佣    金",
     "本次卖出佣金，既手续费。手续费各个券商自由浮动，但不得高于3.0‰，起点 5 元", 12, "元",
     "本次卖出手续费", false},
    {form1::Text15, form1::Label14, "印 花 税",
     "本次卖出印花税，既本次卖出总金额的1‰，财政部决定2005年1月24日起印花税为1‰", 13, "元",
     "本次卖出印花税，既本次交易总金额的1‰", false},
    {form1::Text16, form1::Label15, "过 户 费", "过户费每100股0.1元，起点1元（深交所不收） ", 14,
     "元", "过户费每100股0.1元，起点1元（深交所不收） ", false},
    {form1::Text17, form1::Label16, "费用合计",
     "本次卖出各项费用合计，既手续费、印花税、过户费的总和，不包括交易金额", 15, "元",
     "本次卖出总费用", false},
    {form1::Text20, form1::Label22, "实收金额", "本次卖出股票实际收到的金额，既交易金额 - 费用合计",
     19, "元", "本次卖出股票实际收到的金额", false},
    {form1::Text18, form1::Label18, "收 益 率",
     "本次所赚金额在投资金额中所占的百分比既为收益率，例：投资100元，赚1元，收益率既为1%", 16, "％",
     "本次所赚金额在投资金额中所占的百分比既为收益率", false},
    {form1::Text19, form1::Label17, "盈亏金额",
     "一轮买入卖出后的盈亏金额，既扣除各种费用后赚了多少钱，或亏了多少钱", 17, "元",
     "一轮买入卖出后的盈亏金额", false},
}};

constexpr std::string_view kCombo1Tip =
    "佣金费就是手续费，官方叫法为“佣金”，券商称之为“手续费”，国家规定最高为3.0‰";
constexpr std::string_view kCombo2Tip = msg::kCombo2Tip;
constexpr std::string_view kText21Tip = "送股的数量";
constexpr std::string_view kText22Tip = "分红的数量";

struct Button {
    Ctl name;
    std::string_view caption;
    std::string_view toolTip;
    std::string_view icon;
    int left;
    int top;
};

// In the left column below the frames, in tab order.
constexpr std::array<Button, 6> kButtons = {{
    {form1::Command5, "多次买入", "多次买入计算，使用后如需计算单次买入，请先点击清空", "batch-buy",
     120, 4560},
    {form1::Command6, "多次卖出", "多次卖出计算，使用后如需计算单次卖出，请先点击清空",
     "batch-sell", 1440, 4560},
    {form1::Command3, "关 于", "关于本程序的最初编写原因", "about", 120, 5280},
    {form1::Command1, "计 算", "只计算单次买入卖出费用", "calculate", 1440, 5280},
    {form1::Command2, "退 出", "退出本程序", "exit", 120, 6000},
    {form1::Command4, "清 空", "清空所有数据，以便重新计算", "clear", 1440, 6000},
}};

void addSideFrame(Builder& b, Ctl frame, const std::array<Row, 10>& rows, bool buyFrame, int& tab) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const int top = kRowTops[i];
        // The seven upper fields of the buy frame are a little lower than the rest.
        const int height = buyFrame && i < 7 ? 375 : 405;
        b.add(row.label, Kind::Label, frame, 240, top + 120, 1140, 285, row.caption, row.labelTip,
              kBig)
            .buddy = row.field;
        Control& field =
            b.add(row.field, Kind::Field, frame, 1560, top, 1575, height, {}, row.fieldTip, kBig);
        field.readOnly = !row.input;
        field.align = row.input ? Align::Center : Align::Right;
        if (row.input) {
            field.tabIndex = tab++;
        }
        b.add(kLabel19[static_cast<std::size_t>(row.unitIndex)], Kind::Label, frame, 3120,
              top + 120, 285, 285, row.unit, row.fieldTip, kBig);
    }
}

void addForm1(Builder& b) {
    b.add(form1::Frame1, Kind::Frame, std::nullopt, 240, 720, 2175, 1095, "交易类别", {}, kSmall);
    b.add(form1::Frame4, Kind::Frame, std::nullopt, 240, 1920, 2175, 1215, "费率设置", kCombo1Tip,
          kSmall);
    b.add(form1::Frame5, Kind::Frame, std::nullopt, 240, 3240, 2175, 1215, "送股分红除权", {},
          kSmall);
    b.add(form1::Frame2, Kind::Frame, std::nullopt, 2640, 120, 3615, 6495, "买入计算", {}, kBig);
    b.add(form1::Frame3, Kind::Frame, std::nullopt, 6360, 120, 3615, 6495, "卖出计算", {}, kBig);

    // Tab order: the six inputs in the order the Enter key walks them (Text1, Text2, Text11,
    // Text12, Text21, Text22), then the market, the rates and the buttons.
    int tab = 0;
    addSideFrame(b, form1::Frame2, kBuyRows, true, tab);
    addSideFrame(b, form1::Frame3, kSellRows, false, tab);
    const int afterDividends = tab + 2;
    tab = afterDividends;

    constexpr std::array<std::pair<Ctl, std::string_view>, 3> options = {
        {{form1::Option1, "上海A股"}, {form1::Option2, "深圳A股"}, {form1::Option3, "基金、权证"}}};
    for (std::size_t i = 0; i < options.size(); ++i) {
        Control& option =
            b.add(options[i].first, Kind::Option, form1::Frame1, 480,
                  240 + 240 * static_cast<int>(i), 1575, 240, options[i].second, {}, kSmall);
        option.tabIndex = tab++;
        // The window opens on the Shanghai market; no market is chosen by the load steps.
        option.chosen = i == 0;
    }

    // The rate and dividend frames: a field one 12-point line plus its frame high, a label
    // centred beside it (60 twips lower).
    constexpr int kFieldHeight = 360;
    // The commission box is wide enough for every rate it takes ("0.085", "2.999") in its field and
    // its list: it reaches as far left as its caption leaves room, and the per-mille signs stand a
    // little further right than the list boxes' design puts them.
    b.add(form1::Combo1, Kind::List, form1::Frame4, 840, 240, 1005, kFieldHeight, {}, kCombo1Tip,
          kSmall)
        .tabIndex = tab++;
    b.add(form1::Combo2, Kind::List, form1::Frame4, 960, 720, 855, kFieldHeight, {}, kCombo2Tip,
          kSmall)
        .tabIndex = tab++;
    b.add(form1::Label23, Kind::Label, form1::Frame4, 120, 300, 720, 240, "佣  金", kCombo1Tip,
          kSmall)
        .buddy = form1::Combo1;
    b.add(form1::Label20_0, Kind::Label, form1::Frame4, 1860, 300, 285, 240, "‰", kCombo1Tip,
          kSmall);
    b.add(form1::Label24, Kind::Label, form1::Frame4, 120, 780, 840, 240, "印花税", kCombo2Tip,
          kSmall)
        .buddy = form1::Combo2;
    b.add(form1::Label20_1, Kind::Label, form1::Frame4, 1860, 780, 285, 240, "‰", kCombo2Tip,
          kSmall);

    int dividendTab = afterDividends - 2;
    for (const auto& [name, top, tip] :
         {std::tuple{form1::Text21, 240, kText21Tip}, std::tuple{form1::Text22, 720, kText22Tip}}) {
        Control& field =
            b.add(name, Kind::Field, form1::Frame5, 1080, top, 735, kFieldHeight, {}, tip, kSmall);
        field.align = Align::Center;
        field.tabIndex = dividendTab++;
    }
    b.add(form1::Label20_3, Kind::Label, form1::Frame5, 240, 300, 840, 240, "10股送", kText21Tip,
          kSmall)
        .buddy = form1::Text21;
    b.add(form1::Label20_2, Kind::Label, form1::Frame5, 1800, 300, 285, 240, "股", kText21Tip,
          kSmall);
    b.add(form1::Label20_4, Kind::Label, form1::Frame5, 240, 780, 840, 240, "10股派", kText22Tip,
          kSmall)
        .buddy = form1::Text22;
    b.add(form1::Label20_5, Kind::Label, form1::Frame5, 1800, 780, 285, 240, "元", kText22Tip,
          kSmall);

    for (const Button& def : kButtons) {
        Control& button = b.add(def.name, Kind::Button, std::nullopt, def.left, def.top, 1095, 615,
                                def.caption, def.toolTip, kSmall);
        button.icon = def.icon;
        button.tabIndex = tab++;
    }
}

}  // namespace

void addMainWindowForm(Builder& b) {
    b.addForm(form1::Form1, 10065, 6720, msg::kMainTitle, kBig);
}

void addMainWindow(Builder& b) {
    // The menu bar stands above the client area, which keeps the size above and every control
    // its place in it.
    b.add(form1::MenuBar, Kind::MenuBar, std::nullopt, 0, 0, 0, 0, {}, {}, kSmall);
    const auto menu = [&b](Ctl ctl, std::string_view caption) {
        b.add(ctl, Kind::Menu, form1::MenuBar, 0, 0, 0, 0, caption, {}, kSmall);
    };
    const auto item = [&b](Ctl ctl, Ctl inMenu, std::string_view caption) -> Control& {
        return b.add(ctl, Kind::MenuItem, inMenu, 0, 0, 0, 0, caption, {}, kSmall);
    };
    menu(form1::mnuRules, "费用规则(&R)");
    for (const auto& [ctl, caption] :
         {std::pair{form1::mnuRulesClassic, "本程序规则(&O)"},
          std::pair{form1::mnuRulesCurrent, "现行规则（2023年8月28日起）(&C)"},
          std::pair{form1::mnuRulesDate, "按成交日期(&D)…"}}) {
        Control& choice = item(ctl, form1::mnuRules, caption);
        choice.checkable = true;
        choice.chosen = ctl == form1::mnuRulesClassic;  // the program's own rules at first
    }
    b.add(form1::mnuRulesSep, Kind::Separator, form1::mnuRules, 0, 0, 0, 0, {}, {}, kSmall);
    // Only the trade-date rules have a minimum commission of the user's choice.
    item(form1::mnuRulesMinimum, form1::mnuRules, "最低佣金(&M)…").enabled = false;
    menu(form1::mnuTools, "工具(&T)");
    for (const auto& [ctl, caption] :
         {std::pair{form1::mnuTarget, "目标卖出价(&T)…"},
          std::pair{form1::mnuAverage, "补仓/摊薄成本(&A)…"},
          std::pair{form1::mnuSwing, "做T(&W)…"}, std::pair{form1::mnuLots, "可买股数(&L)…"},
          std::pair{form1::mnuLimit, "涨跌停价(&U)…"},
          std::pair{form1::mnuExRights, "除权参考价(&X)…"}}) {
        item(ctl, form1::mnuTools, caption);
    }
    addJournalMenu(b);
    addImportMenuItem(b);

    addForm1(b);
}

}  // namespace zm::layout
