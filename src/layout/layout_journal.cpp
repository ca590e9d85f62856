// The journal (账本): its menu in the main window, FormRecord (a trade of the main window taken
// into the journal), FormJournal (what is held and every entry), FormEntry (one entry, added or
// changed) and FormExport (the two lists written as CSV files).
#include <array>
#include <optional>
#include <span>
#include <tuple>
#include <utility>

#include "fees/fee_rules.h"
#include "layout/layout_rows.h"

namespace zm::layout {
namespace {

constexpr int kMargin = 240;
constexpr int kRowHeight = 480;
constexpr int kFieldHeight = 360;
constexpr int kLabelHeight = 270;
constexpr int kLabelDrop = 60;  // a caption sits this much lower than its field's top
constexpr int kButtonWidth = 1275;
constexpr int kButtonHeight = 495;

// A caption label and its field (or list, or date field) on one row, next in the tab chain; both
// follow a resized window as `follow` says.
Control& addField(Builder& b, Ctl label, Ctl field, Kind kind, int left, int top, int captionWidth,
                  int fieldWidth, std::string_view caption, std::string_view tip, int& tab,
                  Follow follow = {}) {
    Control& l = b.add(label, Kind::Label, {}, left, top + kLabelDrop, captionWidth, kLabelHeight,
                       caption, tip, kSmall);
    l.buddy = field;
    l.follow = follow;
    Control& f = b.add(field, kind, {}, left + captionWidth + 60, top, fieldWidth, kFieldHeight, {},
                       tip, kSmall);
    f.tabIndex = tab++;
    f.follow = follow;
    if (kind == Kind::Date) {
        f.earliestDate = kFirstTradingDayText;
    }
    return f;
}

// 确 定 and 取 消 at the right of a dialog's bottom row.
void addOkCancel(Builder& b, Ctl ok, Ctl cancel, int formWidth, int top, int& tab) {
    const int cancelLeft = formWidth - kMargin - kButtonWidth;
    b.addButton(ok, cancelLeft - 150 - kButtonWidth, top, kButtonWidth, kButtonHeight, "确 定",
                "ok", tab++);
    b.addButton(cancel, cancelLeft, top, kButtonWidth, kButtonHeight, "取 消", "exit", tab++);
}

constexpr std::string_view kCodeTip = "六位数字的证券代码，如600000；市场由代码而定";
constexpr std::string_view kNameTip = "证券的简称，可以不填";

// FormRecord: what will be recorded, then the code, the name and the date of the trade.
constexpr int kRecordWidth = 6600;
constexpr int kRecordTradeHeight = 900;
constexpr int kRecordFirstRow = kMargin + kRecordTradeHeight + 120;
constexpr int kRecordButtons = kRecordFirstRow + 3 * kRowHeight + 120;
constexpr int kRecordHeight = kRecordButtons + kButtonHeight + kMargin;

void addRecord(Builder& b) {
    using namespace formRecord;
    b.add(LabelRecordTrade, Kind::Label, {}, kMargin, kMargin, kRecordWidth - 2 * kMargin,
          kRecordTradeHeight, {}, {}, kSmall)
        .wordWrap = true;
    int tab = 0;
    int top = kRecordFirstRow;
    addField(b, LabelRecordCode, TextRecordCode, Kind::Field, kMargin, top, 1200, 1800, "证券代码",
             kCodeTip, tab)
        .align = Align::Center;
    top += kRowHeight;
    addField(b, LabelRecordName, TextRecordName, Kind::Field, kMargin, top, 1200, 1800, "证券名称",
             kNameTip, tab);
    top += kRowHeight;
    addField(b, LabelRecordDate, DateRecord, Kind::Date, kMargin, top, 1200, 1800, "成交日期",
             "成交的日期；按成交日期计算费用时为那个日期", tab);
    addOkCancel(b, cmdOK, cmdCancel, kRecordWidth, kRecordButtons, tab);
}

// FormJournal: 持仓 above, 流水 below, each a table that takes half the growth of the window's
// height and all of its width; the controls between and below them move down with the tables.
// Wide enough for every column's header at 宋体 12 points (16 pixels a character).
constexpr int kJournalWidth = 15600;
constexpr int kTableWidth = kJournalWidth - 2 * kMargin;
constexpr int kHoldingsTop = 540;
constexpr int kHoldingsHeight = 2700;
constexpr int kPriceRow = kHoldingsTop + kHoldingsHeight + 120;
constexpr int kEntriesLabelTop = kPriceRow + kRowHeight + 60;
constexpr int kEntriesTop = kEntriesLabelTop + 300;
constexpr int kEntriesHeight = 3300;
constexpr int kJournalButtons = kEntriesTop + kEntriesHeight + 180;
constexpr int kYearRow = kJournalButtons + kButtonHeight + 180;
constexpr int kJournalHeight = kYearRow + kRowHeight + kLabelHeight + kMargin;

constexpr Follow kTopTable{.growX = 100, .growY = 50};
constexpr Follow kBetweenTables{.moveY = 50};
constexpr Follow kBottomTable{.moveY = 50, .growX = 100, .growY = 50};
constexpr Follow kBelowTables{.moveY = 100};

constexpr std::array kHoldingColumns = {
    Column{"代码", 850},
    Column{"名称", 1100},
    Column{"股数", 1000, Align::Right},
    Column{"持仓成本价", 1500, Align::Right},
    Column{"摊薄成本价", 1500, Align::Right},
    Column{"保本价", 1050, Align::Right},
    Column{"现价", 900, Align::Right},
    Column{"浮动盈亏", 1300, Align::Right},
    Column{"已实现盈亏", 1500, Align::Right},
    Column{"已收分红", 1300, Align::Right},
    Column{"卖出应缴红利税", 2000, Align::Right},
};

constexpr auto kEntryColumns = withTradeColumns(
    std::array<Column, 0>{},
    std::array{Column{"实现盈亏", 1300, Align::Right}, Column{"红利税", 1000, Align::Right}});

void addJournal(Builder& b) {
    using namespace formJournal;
    int tab = 0;
    b.add(LabelHoldings, Kind::Label, {}, kMargin, kMargin, 1200, kLabelHeight, "持仓", {}, kSmall)
        .buddy = ListHoldings;
    // Which cost the realised profit (and the cost the holdings are set against) is by.
    constexpr std::string_view kMethodTip =
        "已实现盈亏和持仓成本按哪种成本计算：移动平均成本，或先买先卖（先进先出）的各批成本";
    b.add(LabelCostMethod, Kind::Label, {}, 6600, kMargin, 1500, kLabelHeight, "盈亏计算按",
          kMethodTip, kSmall);
    Control& average = b.add(OptCostAverage, Kind::Option, {}, 8160, kMargin - 30, 1800, 300,
                             "移动平均成本", kMethodTip, kSmall);
    average.chosen = true;
    average.tabIndex = tab++;
    b.add(OptCostFifo, Kind::Option, {}, 10080, kMargin - 30, 1800, 300, "先进先出", kMethodTip,
          kSmall)
        .tabIndex = tab++;
    Control& holdings = b.add(ListHoldings, Kind::Table, {}, kMargin, kHoldingsTop, kTableWidth,
                              kHoldingsHeight, {}, {}, kSmall);
    holdings.columns = kHoldingColumns;
    holdings.follow = kTopTable;
    holdings.tabIndex = tab++;

    Control& price = addField(b, LabelCurrentPrice, TextCurrentPrice, Kind::Field, kMargin,
                              kPriceRow, 1800, 1440, "选中持仓的现价",
                              "选中持仓的当前价格，按回车保存并重算浮动盈亏", tab, kBetweenTables);
    price.align = Align::Center;

    Control& entriesLabel = b.add(LabelEntries, Kind::Label, {}, kMargin, kEntriesLabelTop, 1200,
                                  kLabelHeight, "流水", {}, kSmall);
    entriesLabel.follow = kBetweenTables;
    entriesLabel.buddy = ListEntries;
    Control& entries = b.add(ListEntries, Kind::Table, {}, kMargin, kEntriesTop, kTableWidth,
                             kEntriesHeight, {}, "双击或按回车修改这一笔", kSmall);
    entries.columns = kEntryColumns;
    entries.follow = kBottomTable;
    entries.tabIndex = tab++;

    constexpr std::array kButtons = {
        std::tuple{cmdAdd, "新增", "ok", std::string_view("新增一笔买卖、分红或费用")},
        std::tuple{cmdEdit, "修改", "calculate", std::string_view("修改选中的一笔")},
        std::tuple{cmdDelete, "删除", "clear", std::string_view("删除选中的一笔")},
        std::tuple{cmdUndo, "撤销", "clear", std::string_view("撤销上一次新增、修改或删除")},
        std::tuple{cmdExport, "导出CSV", "batch-sell",
                   std::string_view("把持仓和流水保存为CSV文件，可用Excel打开")},
    };
    int left = kMargin;
    for (const auto& [ctl, caption, icon, tip] : kButtons) {
        Control& button = b.addButton(ctl, left, kJournalButtons, kButtonWidth, kButtonHeight,
                                      caption, icon, tab++, tip);
        button.follow = kBelowTables;
        // Editing needs a chosen entry, undoing a change to take back.
        button.enabled = ctl == cmdAdd || ctl == cmdExport;
        left += kButtonWidth + 120;
    }
    b.addButton(cmdClose, kJournalWidth - kMargin - kButtonWidth, kJournalButtons, kButtonWidth,
                kButtonHeight, "关闭", "exit", tab++)
        .follow = Follow{.moveX = 100, .moveY = 100};

    constexpr std::string_view kYearTip = "输入年份后按回车，显示这一年的已实现盈亏、费用和分红";
    Control& year = addField(b, LabelYear, TextYear, Kind::Field, kMargin, kYearRow, 600, 900,
                             "年度", kYearTip, tab, kBelowTables);
    year.align = Align::Center;
    // The year's figures beside it, its four fees on the line below.
    constexpr int kSummaryLeft = kMargin + 600 + 60 + 900 + 300;
    int summaryLeft = kSummaryLeft;
    for (const auto& [ctl, width] :
         {std::pair{LabelYearRealised, 3000}, std::pair{LabelYearDividends, 2700},
          std::pair{LabelYearTax, 2400}}) {
        b.add(ctl, Kind::Label, {}, summaryLeft, kYearRow + kLabelDrop, width, kLabelHeight, {},
              kYearTip, kSmall)
            .follow = kBelowTables;
        summaryLeft += width + 120;
    }
    b.add(LabelYearFees, Kind::Label, {}, kSummaryLeft, kYearRow + kRowHeight,
          kJournalWidth - kMargin - kSummaryLeft, kLabelHeight, {}, kYearTip, kSmall)
        .follow = kBelowTables;
}

// FormEntry: the kind, the security and the date on the left with the quantity and price or the
// dividend; the four fees on the right.
constexpr int kEntryWidth = 7320;
constexpr int kEntryCaption = 1200;
constexpr int kEntryField = 1800;
constexpr int kEntryRight = kMargin + kEntryCaption + 60 + kEntryField + 300;
constexpr int kEntryButtons = kMargin + 8 * kRowHeight + 120;
constexpr int kEntryHeight = kEntryButtons + kButtonHeight + kMargin;

void addEntry(Builder& b) {
    using namespace formEntry;
    int tab = 0;
    int top = kMargin;
    const auto left = [&](Ctl label, Ctl field, Kind kind, std::string_view caption,
                          std::string_view tip) -> Control& {
        Control& f = addField(b, label, field, kind, kMargin, top, kEntryCaption, kEntryField,
                              caption, tip, tab);
        top += kRowHeight;
        return f;
    };
    left(LabelEntryKind, ComboEntryKind, Kind::List, "类    别",
         "买入、卖出、现金分红、送转股、红利税或其他费用");
    left(LabelEntryCode, TextEntryCode, Kind::Field, "证券代码", kCodeTip).align = Align::Center;
    left(LabelEntryName, TextEntryName, Kind::Field, "证券名称", kNameTip);
    left(LabelEntryDate, DateEntry, Kind::Date, "日    期", "成交、到账或扣款的日期");
    left(LabelEntryQty, TextEntryQty, Kind::Field, "数量（股）",
         "成交的股数；送转股时可填到账的股数，或在下面填每10股送转")
        .align = Align::Center;
    left(LabelEntryPrice, TextEntryPrice, Kind::Field, "价格（元）", "每股成交价格").align =
        Align::Center;
    left(LabelEntryPerTen, TextEntryPerTen, Kind::Field, "每10股派", "每10股派发的现金（元）")
        .align = Align::Center;
    left(LabelEntryTotal, TextEntryTotal, Kind::Field, "金额（元）",
         "到账的分红总额，或扣除的红利税、其他费用")
        .align = Align::Center;

    constexpr std::string_view kFeeTip = "按成交日期的规则预先算出；可改为券商实际收取的金额";
    top = kMargin + 4 * kRowHeight;
    for (const auto& [label, field, caption] :
         {std::tuple{LabelEntryCommission, TextEntryCommission, "佣    金"},
          std::tuple{LabelEntryStamp, TextEntryStamp, "印 花 税"},
          std::tuple{LabelEntryTransfer, TextEntryTransfer, "过 户 费"},
          std::tuple{LabelEntryOther, TextEntryOther, "其他费用"}}) {
        addField(b, label, field, Kind::Field, kEntryRight, top, 1080,
                 kEntryWidth - kMargin - kEntryRight - 1140, caption, kFeeTip, tab)
            .align = Align::Right;
        top += kRowHeight;
    }
    addOkCancel(b, cmdOK, cmdCancel, kEntryWidth, kEntryButtons, tab);
}

// FormExport: the folder the two files go into.
constexpr int kExportWidth = 6600;
constexpr int kExportButtons = kMargin + kRowHeight + 720;
constexpr int kExportHeight = kExportButtons + kButtonHeight + kMargin;

void addExport(Builder& b) {
    using namespace formExport;
    int tab = 0;
    addField(b, LabelExportFolder, TextExportFolder, Kind::Field, kMargin, kMargin, 1200, 3540,
             "保存到", "保存CSV文件的文件夹，可以输入或粘贴；相对路径从当前文件夹算起", tab);
    b.addButton(cmdBrowse, kExportWidth - kMargin - 900, kMargin - 30, 900, 420, "浏览…", {}, tab++,
                "选择文件夹");
    b.add(LabelExportNote, Kind::Label, {}, kMargin, kMargin + kRowHeight,
          kExportWidth - 2 * kMargin, 600,
          "写入“流水.csv”和“持仓.csv”两个文件（UTF-8编码，可用Excel打开）。", {}, kSmall)
        .wordWrap = true;
    addOkCancel(b, cmdOK, cmdCancel, kExportWidth, kExportButtons, tab);
}

}  // namespace

void addJournalMenu(Builder& b) {
    b.add(form1::mnuJournal, Kind::Menu, form1::MenuBar, 0, 0, 0, 0, "账本(&J)", {}, kSmall);
    // Recording needs a trade on screen: the items follow every calculation.
    for (const auto& [ctl, caption] : {std::pair{form1::mnuRecordBuy, "记入这笔买入(&B)…"},
                                       std::pair{form1::mnuRecordSell, "记入这笔卖出(&S)…"}}) {
        b.add(ctl, Kind::MenuItem, form1::mnuJournal, 0, 0, 0, 0, caption, {}, kSmall).enabled =
            false;
    }
    b.add(form1::mnuJournalSep, Kind::Separator, form1::mnuJournal, 0, 0, 0, 0, {}, {}, kSmall);
    b.add(form1::mnuJournalOpen, Kind::MenuItem, form1::mnuJournal, 0, 0, 0, 0, "打开账本(&O)…", {},
          kSmall);
    b.add(form1::mnuJournalExport, Kind::MenuItem, form1::mnuJournal, 0, 0, 0, 0, "导出CSV(&E)…",
          {}, kSmall);
}

void addJournalForms(Builder& b) {
    // The three dialogs are modal and open over the main window; the journal window is modeless,
    // opens beside the main window and may be made larger.
    const auto dialog = [&b](Ctl form, int width, int height, std::string_view title) {
        Control& d = b.addForm(form, width, height, title, kSmall);
        d.ownedByMain = true;
        d.escCloses = true;
        d.modal = true;
        d.place = Place::OverMain;
    };
    dialog(formRecord::FormRecord, kRecordWidth, kRecordHeight, "记入账本");
    Control& journal =
        b.addForm(formJournal::FormJournal, kJournalWidth, kJournalHeight, "账本", kSmall);
    journal.ownedByMain = true;
    journal.escCloses = true;
    journal.place = Place::BesideMain;
    journal.resizable = true;
    dialog(formEntry::FormEntry, kEntryWidth, kEntryHeight, "账本记录");
    dialog(formExport::FormExport, kExportWidth, kExportHeight, "导出CSV");
}

void addJournalWindows(Builder& b) {
    addRecord(b);
    addJournal(b);
    addEntry(b);
    addExport(b);
}

}  // namespace zm::layout
