// Importing a broker's statement (交割单): the 账本 menu's item and FormJournal's two buttons that
// open FormImport, and FormImport itself: the files, the preview of their rows, the commission
// agreed with the broker for checking the fees, the summary of that check and 确定/取消.
#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>

#include "layout/layout_rows.h"

namespace zm::layout {
namespace {

constexpr int kMargin = 240;
constexpr int kRowHeight = 480;
constexpr int kFieldHeight = 360;
constexpr int kLabelHeight = 270;
constexpr int kLabelDrop = 60;
constexpr int kButtonWidth = 1275;
constexpr int kButtonHeight = 495;
constexpr int kWideButtonWidth = 2100;   // a caption of six characters beside its icon
constexpr int kSmallButtonWidth = 1260;  // three characters, an ellipsis the last
constexpr int kSmallButtonHeight = 420;

// FormImport: the table takes all the growth of the window; the rows below it move down.
constexpr int kImportWidth = 14400;
constexpr int kTableTop = kMargin + kRowHeight + 60;
constexpr int kTableHeight = 4800;
constexpr int kAgreementRow = kTableTop + kTableHeight + 180;
constexpr int kSummaryRow = kAgreementRow + kRowHeight + 60;
constexpr int kButtonRow = kSummaryRow + kRowHeight + 60;
constexpr int kImportHeight = kButtonRow + kButtonHeight + kMargin;

constexpr Follow kBelowTable{.moveY = 100};

constexpr auto kImportColumns = withTradeColumns(
    std::array{Column{"状态", 1100}, Column{"原因", 2400}},
    std::array{Column{"佣金率", 1100, Align::Right}, Column{"多收", 900, Align::Right}});

// A caption and its field on one row, next in the tab chain.
Control& addField(Builder& b, Ctl label, Ctl field, int left, int top, int captionWidth,
                  int fieldWidth, std::string_view caption, std::string_view tip, int& tab,
                  Follow follow) {
    Control& l = b.add(label, Kind::Label, {}, left, top + kLabelDrop, captionWidth, kLabelHeight,
                       caption, tip, kSmall);
    l.buddy = field;
    l.follow = follow;
    Control& f = b.add(field, Kind::Field, {}, left + captionWidth + 60, top, fieldWidth,
                       kFieldHeight, {}, tip, kSmall);
    f.tabIndex = tab++;
    f.follow = follow;
    return f;
}

}  // namespace

void addImportMenuItem(Builder& b) {
    b.add(form1::mnuJournalImport, Kind::MenuItem, form1::mnuJournal, 0, 0, 0, 0, "导入交割单(&I)…",
          {}, kSmall);
}

void addJournalImportButtons(Builder& b) {
    using namespace formJournal;
    // On FormJournal's button row, right of 导出CSV.
    // A copy: adding rows moves the others.
    const Control exportRow = *std::ranges::find(b.rows, cmdExport, &Control::ctl);
    int left = exportRow.left + exportRow.width + 120;
    for (const auto& [ctl, caption, icon, tip] :
         {std::tuple{cmdImport, "导入交割单…", "batch-buy",
                     std::string_view("从券商导出的交割单文件导入买卖、分红和红利税")},
          std::tuple{
              cmdCheckFees, "核对费用…", "calculate",
              std::string_view("按约定的佣金率核对年度栏所填年份（不填为全部）的买卖费用")}}) {
        // After 导出CSV in the tab chain: the same place, later in the rows.
        Control& button = b.addButton(ctl, left, exportRow.top, kWideButtonWidth, kButtonHeight,
                                      caption, icon, exportRow.tabIndex, tip);
        button.follow = exportRow.follow;
        left += kWideButtonWidth + 120;
    }
}

void addImportForm(Builder& b) {
    Control& d =
        b.addForm(formImport::FormImport, kImportWidth, kImportHeight, "导入交割单", kSmall);
    d.ownedByMain = true;
    d.escCloses = true;
    d.modal = true;
    d.place = Place::OverMain;
    d.resizable = true;
}

void addImportWindow(Builder& b) {
    using namespace formImport;
    int tab = 0;
    constexpr int kReadLeft = kImportWidth - kMargin - kSmallButtonWidth;
    constexpr int kBrowseLeft = kReadLeft - 120 - kSmallButtonWidth;
    constexpr int kFileLeft = kMargin + 1320 + 60;
    addField(b, LabelImportFile, TextImportFile, kMargin, kMargin, 1320,
             kBrowseLeft - 120 - kFileLeft, "交割单文件",
             "交割单文件的路径，可以输入或粘贴；几个文件用分号（;）隔开；相对路径从当前文件夹算起",
             tab, Follow{.growX = 100});
    for (const auto& [ctl, left, caption, tip] :
         {std::tuple{cmdBrowse, kBrowseLeft, "浏览…", "选择一个或几个交割单文件"},
          std::tuple{cmdRead, kReadLeft, "读取", "读取交割单，在下面列出每一行和它的处理"}}) {
        b.addButton(ctl, left, kMargin - 30, kSmallButtonWidth, kSmallButtonHeight, caption, {},
                    tab++, tip)
            .follow = Follow{.moveX = 100};
    }
    Control& list =
        b.add(ListImport, Kind::Table, {}, kMargin, kTableTop, kImportWidth - 2 * kMargin,
              kTableHeight, {}, "新增的行和选定导入的不平行在按确定后记入账本", kSmall);
    list.columns = kImportColumns;
    list.follow = Follow{.growX = 100, .growY = 100};
    list.tabIndex = tab++;

    constexpr std::string_view kRateTip = "与券商约定的佣金率，千分之几，如0.1即万分之一";
    constexpr std::string_view kMinimumTip = "每笔委托的最低佣金（元），没有最低收费时填0";
    addField(b, LabelAgreedRate, TextAgreedRate, kMargin, kAgreementRow, 1620, 900, "约定佣金率‰",
             kRateTip, tab, kBelowTable)
        .align = Align::Center;
    addField(b, LabelAgreedMinimum, TextAgreedMinimum, 3060, kAgreementRow, 1500, 900,
             "最低佣金(元)", kMinimumTip, tab, kBelowTable)
        .align = Align::Center;
    for (const auto& [ctl, left, width, caption, tip] :
         {std::tuple{ChkFeesIncluded, 5760, 2400, "佣金含规费",
                     "佣金已含经手费、证管费（深圳还含过户费），不另外收取"},
          std::tuple{ChkFundMinimum, 8280, 2280, "基金也收最低",
                     "基金的买卖也按最低佣金收取；不勾选时基金只按费率收取"}}) {
        Control& check =
            b.add(ctl, Kind::Check, {}, left, kAgreementRow + 30, width, 300, caption, tip, kSmall);
        check.tabIndex = tab++;
        check.follow = kBelowTable;
    }
    b.addButton(cmdCheckFees, 10800, kAgreementRow - 60, kWideButtonWidth, kButtonHeight,
                "核对费用", "calculate", tab++, "按约定的佣金率核对列表中每一笔买卖的费用")
        .follow = kBelowTable;

    Control& summary = addField(b, LabelOverCharged, TextOverCharged, kMargin, kSummaryRow, 1200,
                                kImportWidth - 2 * kMargin - 1260, "核对结果", {}, tab,
                                Follow{.moveY = 100, .growX = 100});
    summary.readOnly = true;

    b.addButton(cmdTakeRow, kMargin, kButtonRow, kWideButtonWidth, kButtonHeight, "导入此行", "ok",
                tab++, "选中的不平行也要导入时按此处；再按一次取消")
        .follow = kBelowTable;
    const int cancelLeft = kImportWidth - kMargin - kButtonWidth;
    b.addButton(cmdOK, cancelLeft - 150 - kButtonWidth, kButtonRow, kButtonWidth, kButtonHeight,
                "确 定", "ok", tab++, "把新增的行记入账本")
        .follow = Follow{.moveX = 100, .moveY = 100};
    b.addButton(cmdCancel, cancelLeft, kButtonRow, kButtonWidth, kButtonHeight, "取 消", "exit",
                tab++)
        .follow = Follow{.moveX = 100, .moveY = 100};
}

}  // namespace zm::layout
