// The dialogs: the about box Form2, the batch dialogs Form3 and Form4, and the dialogs of the
// menus (FormRules, FormMinimum, FormTarget).
#include <array>
#include <tuple>

#include "fees/fee_rules.h"
#include "layout/layout_rows.h"

namespace zm::layout {
namespace {

// Paragraphs are set apart by line breaks and indented with full-width blanks; the signature is
// pushed to the right the same way.
constexpr std::string_view kNote =
    "各位股友：\n"
    "　　你们好！我是一名普通的散户，平时用自己攒下的一点积蓄买卖A股。每次下单之前，我都想先弄明"
    "白这笔交易到底要花多少钱：佣金多少，印花税多少，上海的股票还有过户费；佣金不足5元要按5元收，"
    "过户费不足1元也要按1元收。可是我试遍了手头的炒股软件和网上的计算器，没有一个能在下单之前把一"
    "笔买卖的各项费用一一列出来，更说不清股价要涨到多少才能保本。券商的交割单倒是列得清清楚楚，可"
    "那已经是成交以后的事了。\n"
    "　　于是我自己动手，写了这个小小的计算器。它按照A股的收费规则，把买入和卖出的每一项费用、成本"
    "价、保本价、付出和收回的金额、盈亏和收益率都事先算给你看，送股、分红和分几批成交的买卖也能算"
    "。有了它，下单之前就能把账算得明明白白。\n"
    "　　它是写给和我一样的普通投资者的：钱来得不容易，每一分费用都应该心中有数。如果发现算得不对，"
    "或者有什么好的建议，欢迎写信告诉我，我会尽快改进。\n"
    "　　祝大家投资顺利，身体健康，天天开心！\n"
    "　　　　　　　　　　　　　　　　Zunmo";

constexpr std::string_view kNotice =
    "本软件的网页就是随程序安装的使用说明，点击上方的图片即可在浏览器中打开。";

struct BatchTexts {
    FormId form;
    std::string_view caption;
    std::array<std::string_view, 3> frames;
    std::string_view priceCaption;
    std::string_view quantityCaption;
};

constexpr std::array<BatchTexts, 2> kBatchTexts = {{
    {FormId::Form3,
     "Zunmo算股多批卖出",
     {"第一批卖出", "第二批卖出", "第三批卖出"},
     "卖出价格",
     "卖出数量"},
    {FormId::Form4,
     "Zunmo算股多批买入",
     {"第一批买入", "第二批买入", "第三批买入"},
     "买入价格",
     "买入数量"},
}};

void addForm2(Builder& b) {
    b.add(form2::Image1, Kind::Picture, {}, 1440, 240, 3150, 1350, {}, "打开使用说明", kSmall);
    // The note scrolls where a face taller than 宋体 needs more room; Tab reaches it after OK.
    Control& note = b.add(form2::Label1, Kind::Label, {}, 360, 1800, 5295, 3615, kNote, {}, kSmall);
    note.wordWrap = true;
    note.tabIndex = 1;
    b.add(form2::Line1, Kind::Line, {}, 360, 5520, 5280, 0, {}, {}, kSmall);
    b.add(form2::Label2, Kind::Label, {}, 360, 5640, 5295, 495, kNotice, {}, kSmall).wordWrap =
        true;
    Control& ok =
        b.add(form2::Command1, Kind::Button, {}, 2400, 6360, 1215, 615, "确 定", {}, kBig);
    ok.icon = "ok";
    ok.tabIndex = 0;
}

void addBatchDialog(Builder& b, const BatchTexts& t) {
    constexpr std::array<int, 3> kFrameLefts = {120, 3360, 6600};
    const auto frames = batchFrames(t.form);
    const auto labels = batchLabels(t.form);
    const auto fields = batchFields(t.form);
    int tab = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const Ctl frame = frames[i];
        b.add(frame, Kind::Frame, {}, kFrameLefts[i], 120, 3135, 1575, t.frames[i], {}, kSmall);
        // Four labels per frame from left to right: price caption, 元, quantity caption, 股.
        const std::size_t label = 4 * i;
        b.add(labels[label], Kind::Label, frame, 240, 480, 960, 240, t.priceCaption, {}, kSmall);
        b.add(labels[label + 1], Kind::Label, frame, 2640, 480, 240, 240, "元", {}, kSmall);
        b.add(labels[label + 2], Kind::Label, frame, 240, 1080, 960, 240, t.quantityCaption, {},
              kSmall);
        b.add(labels[label + 3], Kind::Label, frame, 2640, 1080, 240, 240, "股", {}, kSmall);
        for (std::size_t row = 0; row < 2; ++row) {
            Control& field = b.add(fields[2 * i + row], Kind::Field, frame, 1320,
                                   row == 0 ? 360 : 960, 1335, 375, {}, {}, kSmall);
            field.align = Align::Center;
            field.tabIndex = tab++;
        }
    }
    for (const auto& [ctl, left, caption, icon] :
         {std::tuple{batchOk(t.form), 2640, "确 定", "ok"},
          std::tuple{batchClear(t.form), 5880, "清 空", "clear"}}) {
        Control& button = b.add(ctl, Kind::Button, {}, left, 1920, 1335, 615, caption, {}, kSmall);
        button.icon = icon;
        button.iconPlace = IconPlace::Above;
        button.tabIndex = tab++;
    }
}

// The date of a trade and a summary of the rules in force on it.
void addRulesDialog(Builder& b) {
    b.add(formRules::LabelDate, Kind::Label, {}, 240, 300, 1200, 270, "成交日期", {}, kSmall)
        .buddy = formRules::DateTrade;
    Control& date = b.add(formRules::DateTrade, Kind::Date, {}, 1440, 240, 2160, 360, {},
                          "成交的日期，2008年9月19日起", kSmall);
    date.tabIndex = 0;
    date.earliestDate = kFirstRulesDateText;
    b.add(formRules::LabelRules, Kind::Label, {}, 240, 780, 6120, 1560, {}, {}, kSmall).wordWrap =
        true;
    b.addButton(formRules::cmdOK, 3600, 2520, 1275, 495, "确 定", "ok", 1);
    b.addButton(formRules::cmdCancel, 5085, 2520, 1275, 495, "取 消", "exit", 2);
}

// The minimum commission of the trade-date rules.
void addMinimumDialog(Builder& b) {
    b.add(formMinimum::LabelMinimum, Kind::Label, {}, 240, 300, 2520, 270, "每笔最低佣金（元）", {},
          kSmall)
        .buddy = formMinimum::TextMinimum;
    Control& field = b.add(formMinimum::TextMinimum, Kind::Field, {}, 2880, 240, 1440, 360, {},
                           "0到100元；填0表示免五，即不设最低佣金", kSmall);
    field.align = Align::Center;
    field.tabIndex = 0;
    b.add(formMinimum::LabelMinimumNote, Kind::Label, {}, 240, 780, 5520, 600,
          "券商每笔交易至少收取的佣金，一般为5元。\n填0表示“免五”：佣金按费率计算，不设最低。", {},
          kSmall)
        .wordWrap = true;
    b.addButton(formMinimum::cmdOK, 3000, 1620, 1275, 495, "确 定", "ok", 1);
    b.addButton(formMinimum::cmdCancel, 4485, 1620, 1275, 495, "取 消", "exit", 2);
}

// The target sell price: the kind of target, the target, and the sale that meets it.
void addTargetDialog(Builder& b) {
    Control& profit = b.add(formTarget::OptTarget_0, Kind::Option, {}, 240, 180, 1560, 300,
                            "盈利金额", {}, kSmall);
    profit.chosen = true;
    profit.tabIndex = 0;
    b.add(formTarget::OptTarget_1, Kind::Option, {}, 1920, 180, 1560, 300, "收益率", {}, kSmall)
        .tabIndex = 1;
    b.add(formTarget::LabelTarget, Kind::Label, {}, 240, 660, 1380, 270, "目标", {}, kSmall).buddy =
        formTarget::TextTarget;
    Control& target = b.add(formTarget::TextTarget, Kind::Field, {}, 1680, 600, 1800, 360, {},
                            "想赚的金额或收益率；负数为止损：最多亏这么多", kSmall);
    target.align = Align::Center;
    target.tabIndex = 2;
    b.add(formTarget::LabelTargetUnit, Kind::Label, {}, 3540, 660, 300, 270, "元", {}, kSmall);
    b.addButton(formTarget::cmdCalc, 3960, 570, 1440, 420, "计 算", "calculate", 3);
    // What the target sale is worked out with: the main window's rules, market and rates.
    b.add(formTarget::LabelRulesInUse, Kind::Label, {}, 240, 1080, 5160, 600, {},
          "计算所用的规则：主窗口选的费用规则、市场和费率", kSmall)
        .wordWrap = true;
    constexpr std::array kResults = {
        std::tuple{formTarget::LabelTargetPrice, formTarget::TextTargetPrice,
                   formTarget::LabelTargetPriceUnit, "目标卖出价", "元"},
        std::tuple{formTarget::LabelTargetAmount, formTarget::TextTargetAmount,
                   formTarget::LabelTargetAmountUnit, "卖出金额", "元"},
        std::tuple{formTarget::LabelTargetFees, formTarget::TextTargetFees,
                   formTarget::LabelTargetFeesUnit, "卖出费用", "元"},
        std::tuple{formTarget::LabelTargetProfit, formTarget::TextTargetProfit,
                   formTarget::LabelTargetProfitUnit, "盈亏金额", "元"},
        std::tuple{formTarget::LabelTargetYield, formTarget::TextTargetYield,
                   formTarget::LabelTargetYieldUnit, "收 益 率", "％"}};
    int top = 1740;
    for (const auto& [label, field, unit, caption, unitCaption] : kResults) {
        b.add(label, Kind::Label, {}, 240, top + 60, 1380, 270, caption, {}, kSmall).buddy = field;
        Control& result = b.add(field, Kind::Field, {}, 1680, top, 1800, 360, {}, {}, kSmall);
        result.readOnly = true;
        result.align = Align::Right;
        b.add(unit, Kind::Label, {}, 3540, top + 60, 300, 270, unitCaption, {}, kSmall);
        top += 480;
    }
    b.addButton(formTarget::cmdUse, 1680, 4260, 1800, 495, "填入卖出栏", "batch-sell", 4).enabled =
        false;
    b.addButton(formTarget::cmdClose, 3960, 4260, 1440, 495, "关 闭", "exit", 5);
}

}  // namespace

void addDialogForms(Builder& b) {
    // The about box takes the main window's place while it is open; the other windows belong to
    // the main window and open beside it, leaving its buy and sell columns in view.
    Control& about = b.addForm(form2::Form2, 6015, 7215, "关于股票交易费用Zunmo计算器", kSmall);
    about.place = Place::OverMain;
    about.escCloses = true;
    about.returnActivatesMain = true;
    const auto dialog = [&b](Ctl form, int width, int height, std::string_view title) -> Control& {
        Control& d = b.addForm(form, width, height, title, kSmall);
        d.ownedByMain = true;
        d.escCloses = true;
        d.place = Place::BesideMain;
        return d;
    };
    for (const BatchTexts& t : kBatchTexts) {
        dialog(formControl(t.form), 9870, 2760, t.caption).returnActivatesMain = true;
    }
    dialog(formRules::FormRules, 6600, 3255, "按成交日期计算费用").modal = true;
    dialog(formMinimum::FormMinimum, 6000, 2355, "最低佣金").modal = true;
    dialog(formTarget::FormTarget, 5640, 4995, "目标卖出价");
}

void addDialogs(Builder& b) {
    addForm2(b);
    for (const BatchTexts& t : kBatchTexts) {
        addBatchDialog(b, t);
    }
    addRulesDialog(b);
    addMinimumDialog(b);
    addTargetDialog(b);
}

}  // namespace zm::layout
