#include "layout/layout.h"

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "fees/messages.h"

namespace zm::layout {
namespace {

constexpr double kBig = 14.25;  // Form1, the buy and sell frames and their controls, about's OK
constexpr double kSmall = 12;   // Form1's other three frames and six buttons; the dialogs

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

class Builder {
public:
    std::vector<Control> rows;

    Control& add(Control c) { return rows.emplace_back(c); }
    Control& add(Ctl ctl, Kind kind, std::optional<Ctl> container, int left, int top, int width,
                 int height, std::string_view caption, std::string_view toolTip, double pointSize) {
        return add(Control{.ctl = ctl,
                           .kind = kind,
                           .container = container ? container->name() : std::string_view(),
                           .left = left,
                           .top = top,
                           .width = width,
                           .height = height,
                           .caption = caption,
                           .toolTip = toolTip,
                           .pointSize = pointSize});
    }
};

// One row of the buy or the sell frame: caption label, field, unit label.
void addSideFrame(Builder& b, Ctl frame, const std::array<Row, 10>& rows, bool buyFrame, int& tab) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const int top = kRowTops[i];
        // The seven upper fields of the buy frame are a little lower than the rest.
        const int height = buyFrame && i < 7 ? 375 : 405;
        b.add(row.label, Kind::Label, frame, 240, top + 120, 1140, 285, row.caption, row.labelTip,
              kBig)
            .buddy = row.field.name();
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
    b.add(form1::Frame1, Kind::Frame, {}, 240, 720, 2175, 1095, "交易类别", {}, kSmall);
    b.add(form1::Frame4, Kind::Frame, {}, 240, 1920, 2175, 1215, "费率设置", kCombo1Tip, kSmall);
    b.add(form1::Frame5, Kind::Frame, {}, 240, 3240, 2175, 1215, "送股分红除权", {}, kSmall);
    b.add(form1::Frame2, Kind::Frame, {}, 2640, 120, 3615, 6495, "买入计算", {}, kBig);
    b.add(form1::Frame3, Kind::Frame, {}, 6360, 120, 3615, 6495, "卖出计算", {}, kBig);

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
    b.add(form1::Combo1, Kind::List, form1::Frame4, 960, 240, 855, kFieldHeight, {}, kCombo1Tip,
          kSmall)
        .tabIndex = tab++;
    b.add(form1::Combo2, Kind::List, form1::Frame4, 960, 720, 855, kFieldHeight, {}, kCombo2Tip,
          kSmall)
        .tabIndex = tab++;
    b.add(form1::Label23, Kind::Label, form1::Frame4, 120, 300, 840, 240, "佣  金", kCombo1Tip,
          kSmall)
        .buddy = form1::Combo1.name();
    b.add(form1::Label20_0, Kind::Label, form1::Frame4, 1800, 300, 285, 240, "‰", kCombo1Tip,
          kSmall);
    b.add(form1::Label24, Kind::Label, form1::Frame4, 120, 780, 840, 240, "印花税", kCombo2Tip,
          kSmall)
        .buddy = form1::Combo2.name();
    b.add(form1::Label20_1, Kind::Label, form1::Frame4, 1800, 780, 285, 240, "‰", kCombo2Tip,
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
        .buddy = form1::Text21.name();
    b.add(form1::Label20_2, Kind::Label, form1::Frame5, 1800, 300, 285, 240, "股", kText21Tip,
          kSmall);
    b.add(form1::Label20_4, Kind::Label, form1::Frame5, 240, 780, 840, 240, "10股派", kText22Tip,
          kSmall)
        .buddy = form1::Text22.name();
    b.add(form1::Label20_5, Kind::Label, form1::Frame5, 1800, 780, 285, 240, "元", kText22Tip,
          kSmall);

    for (const Button& def : kButtons) {
        Control& button = b.add(def.name, Kind::Button, {}, def.left, def.top, 1095, 615,
                                def.caption, def.toolTip, kSmall);
        button.icon = def.icon;
        button.tabIndex = tab++;
    }
}

void addForm2(Builder& b) {
    b.add(form2::Image1, Kind::Picture, {}, 1440, 240, 3150, 1350, {}, "打开使用说明", kSmall);
    b.add(form2::Label1, Kind::Label, {}, 360, 1800, 5295, 3615, kNote, {}, kSmall).wordWrap = true;
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

std::vector<Control> build() {
    Builder b;
    Control main{.ctl = form1::Form1,
                 .kind = Kind::Form,
                 .width = 10065,
                 .height = 6720,
                 .caption = msg::kMainTitle,
                 .pointSize = kBig,
                 .icon = "app"};
    b.add(main);
    Control about = main;
    about.ctl = form2::Form2;
    about.width = 6015;
    about.height = 7215;
    about.caption = "关于股票交易费用Zunmo计算器";
    about.pointSize = kSmall;
    b.add(about);
    for (const BatchTexts& t : kBatchTexts) {
        Control batch = about;
        batch.ctl = formControl(t.form);
        batch.width = 9870;
        batch.height = 2760;
        batch.caption = t.caption;
        b.add(batch);
    }
    addForm1(b);
    addForm2(b);
    for (const BatchTexts& t : kBatchTexts) {
        addBatchDialog(b, t);
    }
    return std::move(b.rows);
}

}  // namespace

std::span<const Control> controls() {
    static const std::vector<Control> rows = build();
    return rows;
}

const Control& form(FormId f) {
    return controls()[static_cast<std::size_t>(f)];
}

const Control* find(FormId f, std::string_view name) {
    const auto rows = controls();
    const auto it = std::ranges::find_if(
        rows, [&](const Control& c) { return c.form() == f && c.name() == name; });
    return it == rows.end() ? nullptr : &*it;
}

const Control* find(Ctl c) {
    const auto rows = controls();
    const auto it = std::ranges::find(rows, c, &Control::ctl);
    return it == rows.end() ? nullptr : &*it;
}

std::vector<const Control*> tabOrder(FormId f) {
    std::vector<const Control*> order;
    for (const Control& c : controls()) {
        if (c.form() == f && c.tabIndex >= 0) {
            order.push_back(&c);
        }
    }
    std::ranges::sort(order, {}, &Control::tabIndex);
    return order;
}

}  // namespace zm::layout
