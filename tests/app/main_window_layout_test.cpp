// The main window as it opens: every control with its name, kind, caption, tool tip, font and
// place, the field kinds, the banner, the icons and the fonts.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTest>
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "layout/placement.h"
#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/placement.h"
#include "ui/widgets.h"

namespace zm {
namespace {

using test::QtProgram;

enum class Kind { Frame, Field, Label, List, Option, Button };

struct Expected {
    Ctl name;
    Kind kind;
    Ctl parent;                // the frame it stands in, or the window
    std::string_view caption;  // labels, frames, options, buttons
    std::string_view toolTip;
    double pointSize;
    std::optional<std::array<int, 4>> twipsBox;  // left, top, width, height where fixed
};

constexpr double kBig = 14.25;
constexpr double kSmall = 12;

// clang-format off
// The window's controls as they open, but for the rows of the two side frames (below). Boxes
// are in twips, left and top inside the parent.
const Expected kControls[] = {
    {form1::Frame1, Kind::Frame, form1::Form1, "交易类别", "", kSmall, {{240, 720, 2175, 1095}}},
    {form1::Frame4, Kind::Frame, form1::Form1, "费率设置", "佣金费就是手续费，官方叫法为“佣金”，券商称之为“手续费”，国家规定最高为3.0‰", kSmall, {{240, 1920, 2175, 1215}}},
    {form1::Frame5, Kind::Frame, form1::Form1, "送股分红除权", "", kSmall, {{240, 3240, 2175, 1215}}},
    {form1::Frame2, Kind::Frame, form1::Form1, "买入计算", "", kBig, {{2640, 120, 3615, 6495}}},
    {form1::Frame3, Kind::Frame, form1::Form1, "卖出计算", "", kBig, {{6360, 120, 3615, 6495}}},
    {form1::Command5, Kind::Button, form1::Form1, "多次买入", "多次买入计算，使用后如需计算单次买入，请先点击清空", kSmall, {{120, 4560, 1095, 615}}},
    {form1::Command6, Kind::Button, form1::Form1, "多次卖出", "多次卖出计算，使用后如需计算单次卖出，请先点击清空", kSmall, {{1440, 4560, 1095, 615}}},
    {form1::Command3, Kind::Button, form1::Form1, "关 于", "关于本程序的最初编写原因", kSmall, {{120, 5280, 1095, 615}}},
    {form1::Command1, Kind::Button, form1::Form1, "计 算", "只计算单次买入卖出费用", kSmall, {{1440, 5280, 1095, 615}}},
    {form1::Command2, Kind::Button, form1::Form1, "退 出", "退出本程序", kSmall, {{120, 6000, 1095, 615}}},
    {form1::Command4, Kind::Button, form1::Form1, "清 空", "清空所有数据，以便重新计算", kSmall, {{1440, 6000, 1095, 615}}},
    {form1::Option1, Kind::Option, form1::Frame1, "上海A股", "", kSmall, {{480, 240, 1575, 240}}},
    {form1::Option2, Kind::Option, form1::Frame1, "深圳A股", "", kSmall, {{480, 480, 1575, 240}}},
    {form1::Option3, Kind::Option, form1::Frame1, "基金、权证", "", kSmall, {{480, 720, 1575, 240}}},
    {form1::Label23, Kind::Label, form1::Frame4, "佣  金", "佣金费就是手续费，官方叫法为“佣金”，券商称之为“手续费”，国家规定最高为3.0‰", kSmall, std::nullopt},
    {form1::Combo1, Kind::List, form1::Frame4, "", "佣金费就是手续费，官方叫法为“佣金”，券商称之为“手续费”，国家规定最高为3.0‰", kSmall, {{840, 240, 1005, 360}}},
    {form1::Label20_0, Kind::Label, form1::Frame4, "‰", "佣金费就是手续费，官方叫法为“佣金”，券商称之为“手续费”，国家规定最高为3.0‰", kSmall, std::nullopt},
    {form1::Label24, Kind::Label, form1::Frame4, "印花税", "历史最高印花税为6‰，最低为1‰", kSmall, std::nullopt},
    {form1::Combo2, Kind::List, form1::Frame4, "", "历史最高印花税为6‰，最低为1‰", kSmall, {{960, 720, 855, 360}}},
    {form1::Label20_1, Kind::Label, form1::Frame4, "‰", "历史最高印花税为6‰，最低为1‰", kSmall, std::nullopt},
    {form1::Label20_3, Kind::Label, form1::Frame5, "10股送", "送股的数量", kSmall, std::nullopt},
    {form1::Text21, Kind::Field, form1::Frame5, "", "送股的数量", kSmall, {{1080, 240, 735, 360}}},
    {form1::Label20_2, Kind::Label, form1::Frame5, "股", "送股的数量", kSmall, std::nullopt},
    {form1::Label20_4, Kind::Label, form1::Frame5, "10股派", "分红的数量", kSmall, std::nullopt},
    {form1::Text22, Kind::Field, form1::Frame5, "", "分红的数量", kSmall, {{1080, 720, 735, 360}}},
    {form1::Label20_5, Kind::Label, form1::Frame5, "元", "分红的数量", kSmall, std::nullopt},
};

// A row of a side frame: the field, its caption label and its unit label (which carries the
// field's tool tip).
struct SideRow {
    Ctl field;
    std::string_view fieldTip;
    Ctl label;
    std::string_view caption;
    std::string_view labelTip;
    Ctl unitLabel;
    std::string_view unit;
};

const SideRow kBuyRows[] = {
    {form1::Text1, "每股买入的价格，就是成交价", form1::Label1, "买入价格", "每股买入的价格，就是成交价。成交价有可能低于打入的价格：例如打入9.45元，成交的价格有可能是9.43元", form1::Label19_0, "元"},
    {form1::Text2, "买入股票的数量，100股为1手。", form1::Label2, "买入数量", "买入股票的数量，100股为1手。买入的数量必须是100的整数倍，最小单位为100股，既1手", form1::Label19_1, "股"},
    {form1::Text3, "本次买入总金额", form1::Label3, "交易金额", "本次买入总金额，既买入价格 × 买入数量", form1::Label19_2, "元"},
    {form1::Text4, "本次买入手续费", form1::Label4, "佣    金", "本次买入佣金，既手续费。手续费各个券商自由浮动，但不得高于3.0‰，起点 5 元", form1::Label19_3, "元"},
    {form1::Text5, "本次买入印花税，既本次交易总金额的1‰", form1::Label5, "印 花 税", "本次买入印花税，既本次买入总金额的1‰，财政部决定2005年1月24日起印花税为1‰", form1::Label19_4, "元"},
    {form1::Text6, "过户费每100股0.1元，起点1元（深交所不收） ", form1::Label6, "过 户 费", "过户费每100股0.1元，起点1元（深交所不收） ", form1::Label19_5, "元"},
    {form1::Text7, "本次买入总费用", form1::Label7, "费用合计", "本次买入各项费用合计，既手续费、印花税、过户费的总和，不包括交易金额", form1::Label19_6, "元"},
    {form1::Text10, "本次买入股票实际交付金额", form1::Label21, "实付金额", "本次买入股票实际交付金额，既 交易金额 + 费用合计，如有分红则减去分红", form1::Label19_18, "元"},
    {form1::Text8, "本次买入每股成本价", form1::Label9, "买入成本", "本次买入每股成本价，既加上买入的各种费用后每股成本价", form1::Label19_7, "元"},
    {form1::Text9, "每股的保本价格", form1::Label8, "保本价格", "每股的保本价格，既扣除买入卖出的各种费用后保证不亏损的每股价格", form1::Label19_8, "元"},
};

const SideRow kSellRows[] = {
    {form1::Text11, "每股卖出的价格，就是成交价", form1::Label10, "卖出价格", "每股卖出的价格，就是成交价。一般你打入多少就是多少，极少数情况下会比打入的价格高1～2分钱", form1::Label19_9, "元"},
    {form1::Text12, "卖出股票的数量。", form1::Label11, "卖出数量", "卖出股票的数量。因为配股的原因，所以有可能出现零头，既不满1手（不满100股）", form1::Label19_10, "股"},
    {form1::Text13, "本次卖出总金额", form1::Label12, "交易金额", "本次卖出总金额，既卖出价格 × 卖出数量", form1::Label19_11, "元"},
    {form1::Text14, "本次卖出手续费", form1::Label13, "佣    金", "本次卖出佣金，既手续费。手续费各个券商自由浮动，但不得高于3.0‰，起点 5 元", form1::Label19_12, "元"},
    {form1::Text15, "本次卖出印花税，既本次交易总金额的1‰", form1::Label14, "印 花 税", "本次卖出印花税，既本次卖出总金额的1‰，财政部决定2005年1月24日起印花税为1‰", form1::Label19_13, "元"},
    {form1::Text16, "过户费每100股0.1元，起点1元（深交所不收） ", form1::Label15, "过 户 费", "过户费每100股0.1元，起点1元（深交所不收） ", form1::Label19_14, "元"},
    {form1::Text17, "本次卖出总费用", form1::Label16, "费用合计", "本次卖出各项费用合计，既手续费、印花税、过户费的总和，不包括交易金额", form1::Label19_15, "元"},
    {form1::Text20, "本次卖出股票实际收到的金额", form1::Label22, "实收金额", "本次卖出股票实际收到的金额，既交易金额 - 费用合计", form1::Label19_19, "元"},
    {form1::Text18, "本次所赚金额在投资金额中所占的百分比既为收益率", form1::Label18, "收 益 率", "本次所赚金额在投资金额中所占的百分比既为收益率，例：投资100元，赚1元，收益率既为1%", form1::Label19_16, "％"},
    {form1::Text19, "一轮买入卖出后的盈亏金额", form1::Label17, "盈亏金额", "一轮买入卖出后的盈亏金额，既扣除各种费用后赚了多少钱，或亏了多少钱", form1::Label19_17, "元"},
};
// clang-format on

std::string captionOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text().toStdString();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        return frame->title().toStdString();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text().toStdString();
    }
    return {};
}

bool hasKind(QWidget* w, Kind kind) {
    switch (kind) {
        case Kind::Frame:
            return qobject_cast<QGroupBox*>(w) != nullptr;
        case Kind::Field:
            return qobject_cast<ui::FieldEdit*>(w) != nullptr;
        case Kind::Label:
            return qobject_cast<QLabel*>(w) != nullptr;
        case Kind::List:
            return qobject_cast<QComboBox*>(w) != nullptr;
        case Kind::Option:
            return qobject_cast<QRadioButton*>(w) != nullptr;
        case Kind::Button:
            return qobject_cast<QPushButton*>(w) != nullptr;
    }
    return false;
}

TEST(MainWindowLayout, every_control_has_its_name_kind_caption_tool_tip_font_and_place) {
    QtProgram program;
    for (const Expected& e : kControls) {
        SCOPED_TRACE(e.name.name());
        QWidget* w = program.control(e.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(hasKind(w, e.kind));
        // Controls placed on the window itself sit in its client area, below the menu bar.
        QWidget* parent = w->parentWidget();
        EXPECT_EQ(parent == program.form1()->clientArea() ? std::string(form1::Form1.name())
                                                          : parent->objectName().toStdString(),
                  e.parent.name());
        EXPECT_EQ(captionOf(w), e.caption);
        EXPECT_EQ(w->toolTip().toStdString(), e.toolTip);
        EXPECT_EQ(w->font().pointSizeF(), e.pointSize);
        EXPECT_EQ(w->font().families(), ui::songFamilies());
        if (e.twipsBox) {
            const auto [left, top, width, height] = *e.twipsBox;
            EXPECT_EQ(w->geometry(), ui::twipsRect(left, top, width, height));
        }
        EXPECT_TRUE(w->isVisible());
    }
}

TEST(MainWindowLayout, every_row_of_the_side_frames_has_its_field_caption_and_unit) {
    QtProgram program;
    constexpr int kTops[] = {480, 1080, 1680, 2280, 2880, 3480, 4080, 4680, 5280, 5880};
    for (const auto& [frame, rows] :
         {std::pair{form1::Frame2, kBuyRows}, std::pair{form1::Frame3, kSellRows}}) {
        for (std::size_t i = 0; i < std::size(kBuyRows); ++i) {
            const SideRow& row = rows[i];
            SCOPED_TRACE(row.field.name());
            auto* field = program.control<ui::FieldEdit>(row.field);
            auto* label = program.control<QLabel>(row.label);
            auto* unit = program.control<QLabel>(row.unitLabel);
            ASSERT_NE(field, nullptr);
            ASSERT_NE(label, nullptr);
            ASSERT_NE(unit, nullptr);
            for (QWidget* w : {static_cast<QWidget*>(field), static_cast<QWidget*>(label),
                               static_cast<QWidget*>(unit)}) {
                EXPECT_EQ(w->parentWidget()->objectName(), ui::qtName(frame));
                EXPECT_EQ(w->font().pointSizeF(), kBig);
                EXPECT_EQ(w->font().families(), ui::songFamilies());
            }
            EXPECT_EQ(field->toolTip().toStdString(), row.fieldTip);
            EXPECT_EQ(label->text().toStdString(), row.caption);
            EXPECT_EQ(label->toolTip().toStdString(), row.labelTip);
            EXPECT_EQ(label->buddy(), field);
            EXPECT_EQ(unit->text().toStdString(), row.unit);
            EXPECT_EQ(unit->toolTip().toStdString(), row.fieldTip);
            // The seven upper fields of the buy frame are 375 twips high, all others 405.
            const int height = frame == form1::Frame2 && i < 7 ? 375 : 405;
            EXPECT_EQ(field->geometry(), ui::twipsRect(1560, kTops[i], 1575, height));
            EXPECT_EQ(unit->pos(), ui::twipsRect(3120, kTops[i] + 120, 285, 285).topLeft());
        }
    }
}

TEST(MainWindowLayout, caption_labels_sit_beside_their_field_and_name_it_for_screen_readers) {
    QtProgram program;
    int captions = 0;
    for (QLabel* label : program.form1()->findChildren<QLabel*>()) {
        QWidget* field = label->buddy();
        if (field == nullptr) {
            continue;
        }
        SCOPED_TRACE(label->objectName().toStdString());
        ++captions;
        EXPECT_EQ(field->parentWidget(), label->parentWidget());
        const QString frame = label->parentWidget()->objectName();
        if (frame == ui::qtName(form1::Frame2) || frame == ui::qtName(form1::Frame3)) {
            EXPECT_EQ(label->x(), ui::twips(240));
            EXPECT_EQ(label->y(), field->y() + ui::twips(120));
        } else {
            EXPECT_LT(label->geometry().right(), field->x());
        }
        EXPECT_EQ(field->accessibleName(), QString(label->text()).remove(QLatin1Char(' ')));
        EXPECT_EQ(field->accessibleDescription(), field->toolTip());
    }
    EXPECT_EQ(captions, 24);  // ten rows in each side frame, two rates, bonus and dividend
}

TEST(MainWindowLayout, no_label_cuts_its_text) {
    QtProgram program;
    for (QLabel* label : program.form1()->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width());
        EXPECT_GE(label->height(), metrics.height());
    }
}

TEST(MainWindowLayout, window_has_its_caption_and_a_fixed_client_size) {
    QtProgram program;
    ui::MainWindow* form1 = program.form1();
    EXPECT_EQ(form1->objectName(), ui::qtName(form1::Form1));
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("股票交易费用成本Zunmo计算器3.0版"));
    EXPECT_EQ(form1->clientArea()->size(), QSize(ui::twips(10065), ui::twips(6720)));
    EXPECT_EQ(form1->clientArea()->y(), form1->findChild<QMenuBar*>()->height());
    EXPECT_EQ(form1->minimumSize(), form1->maximumSize());
    EXPECT_EQ(form1->font().pointSizeF(), 14.25);
}

TEST(MainWindowLayout,
     inputs_are_editable_and_centred_results_read_only_right_aligned_on_button_face) {
    QtProgram program;
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const QColor window = QApplication::palette().color(QPalette::Base);
    ASSERT_NE(buttonFace, window);
    std::vector<Ctl> fields(kMainFields.begin(), kMainFields.end());
    fields.insert(fields.end(), {form1::Text21, form1::Text22});
    for (Ctl c : fields) {
        SCOPED_TRACE(c.name());
        auto* field = program.control<QLineEdit>(c);
        ASSERT_NE(field, nullptr);
        const bool input = std::ranges::find(kMainInputs, c) != kMainInputs.end();
        EXPECT_EQ(field->isReadOnly(), !input);
        EXPECT_EQ(field->alignment(), input ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_EQ(field->palette().color(QPalette::Base), input ? window : buttonFace);
        EXPECT_EQ(field->maxLength(), 32767);  // Qt's largest: no field limits its text
        EXPECT_EQ(field->validator(), nullptr);
        EXPECT_TRUE(field->inputMask().isEmpty());
    }
}

TEST(MainWindowLayout, a_figure_wider_than_its_field_shows_whole_in_a_smaller_font) {
    QtProgram program;
    // The largest trade amount in the side frames; a large dividend in the narrow Frame5.
    const std::pair<Ctl, QString> cases[] = {
        {form1::Text3, QStringLiteral("100,000,000,000.00")},
        {form1::Text19, QStringLiteral("-99,999,999,999.99")},
        {form1::Text2, QStringLiteral("2,147,483,600")},
        {form1::Text22, QStringLiteral("123,456.78")},
    };
    for (const auto& [c, figure] : cases) {
        SCOPED_TRACE(c.name());
        auto* field = program.control<QLineEdit>(c);
        const double ownSize = field->font().pointSizeF();
        field->setText(figure);
        EXPECT_LT(field->font().pointSizeF(), ownSize);
        // The frame's line and the field's margin of two pixels at each side.
        EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), field->width() - 6);
        field->setText(QStringLiteral("9.50"));
        EXPECT_EQ(field->font().pointSizeF(), ownSize);
        EXPECT_EQ(field->font().families(), ui::songFamilies());
    }
}

TEST(MainWindowLayout, rate_lists_hold_their_entries_in_order_and_take_no_typing) {
    QtProgram program;
    auto* combo1 = program.control<QComboBox>(form1::Combo1);
    auto* combo2 = program.control<QComboBox>(form1::Combo2);
    ASSERT_EQ(combo1->count(), 31);
    EXPECT_EQ(combo1->itemText(0), QStringLiteral("3.0"));
    EXPECT_EQ(combo1->itemText(1), QStringLiteral("2.9"));
    EXPECT_EQ(combo1->itemText(29), QStringLiteral("0.1"));
    EXPECT_EQ(combo1->itemText(30), QStringLiteral("0.0"));
    QStringList stamp;
    for (int i = 0; i < combo2->count(); ++i) {
        stamp << combo2->itemText(i);
    }
    EXPECT_EQ(stamp, QStringList({"6", "5", "4", "3", "2", "1", "0"}));
    EXPECT_FALSE(combo1->isEditable());
    EXPECT_FALSE(combo2->isEditable());
}

TEST(MainWindowLayout, every_button_shows_a_drawn_16_pixel_icon) {
    QtProgram program;
    for (Ctl c : {form1::Command1, form1::Command2, form1::Command3, form1::Command4,
                  form1::Command5, form1::Command6}) {
        SCOPED_TRACE(c.name());
        auto* button = program.control<QPushButton>(c);
        EXPECT_EQ(button->iconSize(), QSize(16, 16));
        const QImage image = button->icon().pixmap(16, 16).toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_FALSE(button->autoDefault() && button->isDefault());
    }
}

// Every icon of the program renders from its resource (the SVG icon engine is there).
TEST(MainWindowLayout, every_icon_of_the_program_renders_from_the_resources) {
    for (const char* name :
         {"calculate", "exit", "about", "clear", "batch-buy", "batch-sell", "ok", "app"}) {
        SCOPED_TRACE(name);
        const QImage image = ui::commandIcon(QString::fromLatin1(name)).pixmap(16, 16).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16));
        int inked = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(inked, 20);
    }
}

TEST(MainWindowLayout, song_font_is_a_face_with_the_chinese_glyphs_and_simsun_maps_to_it) {
    QtProgram program;
    const QFont song = ui::songFont(12);
    const QFontMetrics metrics(song);
    for (QChar c : QStringLiteral("股票交易费用成本计算器佣金印花税过户费‰％")) {
        EXPECT_TRUE(metrics.inFont(c)) << QString(c).toStdString();
    }
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("SimSun"), 12)).family(), QFontInfo(song).family());
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("宋体"), 12)).family(), QFontInfo(song).family());
    // The windows ask for SimSun first, by both its names; the face shown is the first family
    // of the list that is installed (SimSun itself where it is).
    const QStringList families = song.families();
    ASSERT_GE(families.size(), 3) << "no installed stand-in for SimSun";
    EXPECT_EQ(families.mid(0, 2), QStringList({"SimSun", "宋体"}));
    const QStringList installed = QFontDatabase::families();
    const auto first = std::find_if(families.begin(), families.end(), [&](const QString& f) {
        return installed.contains(f, Qt::CaseInsensitive);
    });
    ASSERT_NE(first, families.end());
    EXPECT_EQ(QFontInfo(song).family().toLower(), first->toLower());
    // Set where the suite runs on a machine with a face of that name (tests/CMakeLists.txt).
    const QString expected = qEnvironmentVariable("ZM_EXPECT_SONG_FACE");
    if (!expected.isEmpty()) {
        EXPECT_EQ(QFontInfo(song).family(), expected);
    }
}

// Where the main window goes when it does not fit the screen's work area. Sizes in logical
// pixels: the window's 671 x 448 under a title bar of 30.
TEST(WindowPlacement, a_window_that_does_not_fit_goes_to_the_top_left_of_the_work_area) {
    const QSize window(671, 448);
    const QMargins frame(1, 30, 1, 1);
    const struct {
        const char* name;
        QRect workArea;
        std::optional<QPoint> place;  // nullopt: left to the window manager
    } rows[] = {
        {"full_hd_at_100_percent", QRect(0, 27, 1920, 1053), std::nullopt},
        {"exactly_fits", QRect(0, 0, 673, 479), std::nullopt},
        {"one_pixel_too_short", QRect(0, 0, 673, 478), QPoint(0, 0)},
        // 1366 x 768 at 150 % is 911 x 512; a panel takes the rest.
        {"1366_by_768_at_150_percent_above_a_44_pixel_panel", QRect(0, 0, 911, 468), QPoint(0, 0)},
        {"1366_by_768_at_150_percent_under_a_32_pixel_top_bar_and_a_dock", QRect(0, 32, 911, 440),
         QPoint(0, 32)},
        {"too_narrow_only", QRect(0, 0, 600, 1000), QPoint(0, 0)},
        {"second_screen_with_a_left_panel", QRect(1968, 0, 800, 450), QPoint(1968, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ui::placementOnSmallScreen(window, frame, row.workArea), row.place);
    }
}

int countPixels(const QImage& image, QColor colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

TEST(MainWindowLayout, banner_is_blue_over_its_grey_shadow_in_the_band_and_survives_repaints) {
    QtProgram program;
    ui::MainWindow* form1 = program.form1();
    const QColor blue(0, 0, 255);
    const QColor grey(100, 100, 100);
    const QRect band(0, 0, ui::twips(2640), ui::twips(720));
    QWidget* client = form1->clientArea();
    const QRect below(0, band.bottom() + 1, client->width(), client->height() - band.height());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const QImage image = client->grab().toImage();
        EXPECT_GT(countPixels(image, blue, band), 100);
        EXPECT_GT(countPixels(image, grey, band), 100);
        EXPECT_EQ(countPixels(image, blue, below), 0);
        // Covered and uncovered: hidden and shown again, repainted from scratch.
        form1->hide();
        form1->show();
        form1->repaint();
    }
    // The shadow is the same text 42 twips right of and below the blue one.
    const QImage image = client->grab().toImage();
    int blueLeft = band.right();
    int greyLeft = band.right();
    for (int x = band.left(); x <= band.right(); ++x) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            if (image.pixelColor(x, y) == blue) {
                blueLeft = std::min(blueLeft, x);
            }
            if (image.pixelColor(x, y) == grey) {
                greyLeft = std::min(greyLeft, x);
            }
        }
    }
    EXPECT_GT(greyLeft, blueLeft);
    EXPECT_LE(QFontMetricsF(form1->bannerFont()).horizontalAdvance(QStringLiteral("Zunmo算股")) +
                  142.0 / 15.0,
              ui::twips(2640));
}

}  // namespace
}  // namespace zm

namespace zm {
namespace {

// The room a combo box gives its text: the edit field of a list, the line edit of one the user
// may type into.
int textRoom(QComboBox* list) {
    if (list->isEditable()) {
        return list->lineEdit()->contentsRect().width() - 4;
    }
    QStyleOptionComboBox option;
    option.initFrom(list);
    return list->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
        .width();
}

TEST(MainWindowLayout, the_commission_box_shows_every_rate_it_takes_whole_in_its_field_and_list) {
    test::QtMessageWatcher watcher;
    QtProgram program;
    auto* combo1 = program.control<QComboBox>(form1::Combo1);
    const auto fits = [combo1](const QString& rate) {
        const int need = combo1->fontMetrics().horizontalAdvance(rate);
        EXPECT_LE(need, textRoom(combo1)) << rate.toStdString();
        // The open list, beside its scroll bar, with the margins of an entry.
        combo1->showPopup();
        EXPECT_GE(combo1->view()->viewport()->width(), need + 6) << rate.toStdString();
        combo1->hidePopup();
    };
    fits(QStringLiteral("3.0"));
    program.menuItem(form1::mnuRulesCurrent)->trigger();
    ASSERT_TRUE(combo1->isEditable());
    for (const char* rate : {"0.085", "2.999", "0.25", "0.018"}) {
        combo1->setCurrentText(QString::fromLatin1(rate));
        fits(QString::fromLatin1(rate));
    }
}

TEST(MainWindowLayout, the_trade_date_field_and_its_calendar_are_chinese_in_an_english_locale) {
    test::QtMessageWatcher watcher;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QtProgram program;
    program.menuItem(form1::mnuRulesDate)->trigger();
    auto* date = program.control<ui::DateField>(formRules::DateTrade);
    ASSERT_NE(date, nullptr);
    const QLocale calendar = date->calendarWidget()->locale();
    EXPECT_EQ(calendar.monthName(12, QLocale::LongFormat), QStringLiteral("十二月"));
    EXPECT_EQ(calendar.dayName(1, QLocale::ShortFormat), QStringLiteral("周一"));
    EXPECT_EQ(date->calendarWidget()->firstDayOfWeek(), Qt::Monday);
    QLocale::setDefault(QLocale::system());
    QTest::mouseClick(program.control(formRules::cmdCancel), Qt::LeftButton);
}

TEST(MainWindowLayout, the_dialogs_open_beside_the_main_window_as_the_batch_dialogs_do) {
    test::QtMessageWatcher watcher;
    QtProgram program;
    const QWidget* main = program.form1();
    // Beside the main window, and off a dialog already open there.
    const auto expectBeside = [&](FormId f, std::vector<layout::Rect> open) {
        QWidget* dialog = program.form(f);
        ASSERT_NE(dialog, nullptr);
        const QSize frame = dialog->size() + (main->frameGeometry().size() - main->size());
        const QRect screen = main->screen()->availableGeometry();
        const QPoint beside = ui::placeBeside(main->frameGeometry(), frame, screen,
                                              program.form1()->keptClearOfDialogs());
        const layout::Point at =
            layout::offOpenDialogs({beside.x(), beside.y()}, {frame.width(), frame.height()}, open,
                                   {screen.x(), screen.y(), screen.width(), screen.height()});
        EXPECT_EQ(dialog->pos(), QPoint(at.x, at.y)) << formName(f);
        EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint) << formName(f);
    };
    program.menuItem(form1::mnuTarget)->trigger();
    expectBeside(FormId::FormTarget, {});
    const QRect target = program.form(FormId::FormTarget)->frameGeometry();
    program.menuItem(form1::mnuAverage)->trigger();
    expectBeside(FormId::FormAverage, {{target.x(), target.y(), target.width(), target.height()}});
    QTest::keyClick(program.form(FormId::FormAverage), Qt::Key_Escape);
    EXPECT_FALSE(program.form(FormId::FormAverage)->isVisible());
    QTest::mouseClick(program.control(form1::Command5), Qt::LeftButton);
    expectBeside(FormId::Form4, {{target.x(), target.y(), target.width(), target.height()}});
    // Esc closes a batch dialog as it closes the others.
    QTest::keyClick(program.form(FormId::Form4), Qt::Key_Escape);
    EXPECT_FALSE(program.form(FormId::Form4)->isVisible());
}

}  // namespace
}  // namespace zm
