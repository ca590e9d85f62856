#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QWindow>
#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <vector>

#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "fees/fee_schedule.h"
#include "input/session.h"

namespace zm::ui {
namespace {

// The six input fields, in the order Enter and Tab walk them.
constexpr std::array<std::string_view, 6> kInputs = {"Text1",  "Text2",  "Text11",
                                                     "Text12", "Text21", "Text22"};

constexpr double kWindowPointSize = 14.25;  // Form1, the buy and sell frames and their controls
constexpr double kSmallPointSize = 12;      // the other three frames and the six buttons
constexpr double kBannerPointSize = 30;

// One row of the buy or the sell frame: caption label, field, unit label (an element of the
// Label19 array, carrying the field's tool tip).
struct Row {
    std::string_view field;
    std::string_view label;
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
    {"Text1", "Label1", "买入价格",
     "每股买入的价格，就是成交价。成交价有可能低于打入的价格：例如打入9.45元，成交的价格有可能是9."
     "43元",
     0, "元", "每股买入的价格，就是成交价", true},
    {"Text2", "Label2", "买入数量",
     "买入股票的数量，100股为1手。买入的数量必须是100的整数倍，最小单位为100股，既1手", 1, "股",
     "买入股票的数量，100股为1手。", true},
    {"Text3", "Label3", "交易金额", "本次买入总金额，既买入价格 × 买入数量", 2, "元",
     "本次买入总金额", false},
    {"Text4", "Label4", "佣    金",
     "本次买入佣金，既手续费。手续费各个券商自由浮动，但不得高于3.0‰，起点 5 元", 3, "元",
     "本次买入手续费", false},
    {"Text5", "Label5", "印 花 税",
     "本次买入印花税，既本次买入总金额的1‰，财政部决定2005年1月24日起印花税为1‰", 4, "元",
     "本次买入印花税，既本次交易总金额的1‰", false},
    {"Text6", "Label6", "过 户 费", "过户费每100股0.1元，起点1元（深交所不收） ", 5, "元",
     "过户费每100股0.1元，起点1元（深交所不收） ", false},
    {"Text7", "Label7", "费用合计",
     "本次买入各项费用合计，既手续费、印花税、过户费的总和，不包括交易金额", 6, "元",
     "本次买入总费用", false},
    {"Text10", "Label21", "实付金额",
     "本次买入股票实际交付金额，既 交易金额 + 费用合计，如有分红则减去分红", 18, "元",
     "本次买入股票实际交付金额", false},
    {"Text8", "Label9", "买入成本", "本次买入每股成本价，既加上买入的各种费用后每股成本价", 7, "元",
     "本次买入每股成本价", false},
    {"Text9", "Label8", "保本价格",
     "每股的保本价格，既扣除买入卖出的各种费用后保证不亏损的每股价格", 8, "元", "每股的保本价格",
     false},
}};

constexpr std::array<Row, 10> kSellRows = {{
    {"Text11", "Label10", "卖出价格",
     "每股卖出的价格，就是成交价。一般你打入多少就是多少，极少数情况下会比打入的价格高1～2分钱", 9,
     "元", "每股卖出的价格，就是成交价", true},
    {"Text12", "Label11", "卖出数量",
     "卖出股票的数量。因为配股的原因，所以有可能出现零头，既不满1手（不满100股）", 10, "股",
     "卖出股票的数量。", true},
    {"Text13", "Label12", "交易金额", "本次卖出总金额，既卖出价格 × 卖出数量", 11, "元",
     "本次卖出总金额", false},
    {"Text14", "Label13", "佣    金",
     "本次卖出佣金，既手续费。手续费各个券商自由浮动，但不得高于3.0‰，起点 5 元", 12, "元",
     "本次卖出手续费", false},
    {"Text15", "Label14", "印 花 税",
     "本次卖出印花税，既本次卖出总金额的1‰，财政部决定2005年1月24日起印花税为1‰", 13, "元",
     "本次卖出印花税，既本次交易总金额的1‰", false},
    {"Text16", "Label15", "过 户 费", "过户费每100股0.1元，起点1元（深交所不收） ", 14, "元",
     "过户费每100股0.1元，起点1元（深交所不收） ", false},
    {"Text17", "Label16", "费用合计",
     "本次卖出各项费用合计，既手续费、印花税、过户费的总和，不包括交易金额", 15, "元",
     "本次卖出总费用", false},
    {"Text20", "Label22", "实收金额", "本次卖出股票实际收到的金额，既交易金额 - 费用合计", 19, "元",
     "本次卖出股票实际收到的金额", false},
    {"Text18", "Label18", "收 益 率",
     "本次所赚金额在投资金额中所占的百分比既为收益率，例：投资100元，赚1元，收益率既为1%", 16, "％",
     "本次所赚金额在投资金额中所占的百分比既为收益率", false},
    {"Text19", "Label17", "盈亏金额",
     "一轮买入卖出后的盈亏金额，既扣除各种费用后赚了多少钱，或亏了多少钱", 17, "元",
     "一轮买入卖出后的盈亏金额", false},
}};

constexpr std::string_view kCombo1Tip =
    "佣金费就是手续费，官方叫法为“佣金”，券商称之为“手续费”，国家规定最高为3.0‰";
constexpr std::string_view kCombo2Tip = "历史最高印花税为6‰，最低为1‰";
constexpr std::string_view kText21Tip = "送股的数量";
constexpr std::string_view kText22Tip = "分红的数量";

struct Button {
    std::string_view name;
    std::string_view caption;
    std::string_view toolTip;
    const char* icon;
    int left;
    int top;
};

// In the left column below the frames, in tab order.
constexpr std::array<Button, 6> kButtons = {{
    {"Command5", "多次买入", "多次买入计算，使用后如需计算单次买入，请先点击清空", "batch-buy", 120,
     4560},
    {"Command6", "多次卖出", "多次卖出计算，使用后如需计算单次卖出，请先点击清空", "batch-sell",
     1440, 4560},
    {"Command3", "关 于", "关于本程序的最初编写原因", "about", 120, 5280},
    {"Command1", "计 算", "只计算单次买入卖出费用", "calculate", 1440, 5280},
    {"Command2", "退 出", "退出本程序", "exit", 120, 6000},
    {"Command4", "清 空", "清空所有数据，以便重新计算", "clear", 1440, 6000},
}};

// A push button that shows its 16 × 16 icon at the left of its caption. The buttons are only
// 73 pixels wide: a caption too long for one line beside the icon is split into lines of equal
// length (多次/买入) instead of being cut, which a plain QPushButton would do.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        opt.icon = QIcon();
        p.drawControl(QStyle::CE_PushButton, opt);

        const QStringList lines = captionLines();
        const QFontMetrics fm(font());
        int textWidth = 0;
        for (const QString& line : lines) {
            textWidth = std::max(textWidth, fm.horizontalAdvance(line));
        }
        const int lineHeight = fm.height();
        const int textHeight = lineHeight * static_cast<int>(lines.size());
        const QSize iconBox = iconSize();
        const int total = iconBox.width() + kGap + textWidth;
        int x = (width() - total) / 2;
        int shift = 0;
        if (isDown() || isChecked()) {
            shift = style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opt, this);
        }
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        icon().paint(&p,
                     QRect(QPoint(x + shift, (height() - iconBox.height()) / 2 + shift), iconBox),
                     Qt::AlignCenter, mode);
        x += iconBox.width() + kGap;
        int y = (height() - textHeight) / 2 + shift;
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
        for (const QString& line : lines) {
            p.drawText(QRect(x + shift, y, textWidth, lineHeight), Qt::AlignCenter, line);
            y += lineHeight;
        }
    }

private:
    static constexpr int kGap = 3;

    QStringList captionLines() const {
        const QFontMetrics fm(font());
        const QString caption = text();
        const int room = width() - 6 - iconSize().width() - kGap;
        for (int count = 1; count < caption.size(); ++count) {
            const int perLine = static_cast<int>((caption.size() + count - 1) / count);
            QStringList lines;
            bool fits = true;
            for (qsizetype at = 0; at < caption.size(); at += perLine) {
                lines << caption.mid(at, perLine).trimmed();
                fits = fits && fm.horizontalAdvance(lines.back()) <= room;
            }
            if (fits) {
                return lines;
            }
        }
        return {caption};
    }
};

QString q(std::string_view s) {
    return toQ(s);
}

// The accessible name of a field: its caption label's text without the blanks that spread it.
QString spokenName(std::string_view caption) {
    return q(caption).remove(QLatin1Char(' '));
}

// A label at its place; a box lower than the font's line would cut the glyphs' feet, so the
// height is the font's line at least.
QLabel* makeLabel(QWidget* parent, const QString& name, std::string_view caption,
                  std::string_view toolTip, const QFont& font, QRect box) {
    auto* label = new QLabel(q(caption), parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setToolTip(q(toolTip));
    box.setHeight(std::max(box.height(), QFontMetrics(font).height()));
    label->setGeometry(box);
    return label;
}

FieldEdit* makeField(QWidget* parent, std::string_view name, bool input, std::string_view toolTip,
                     std::string_view caption, const QFont& font, QRect box) {
    auto* field = new FieldEdit(parent);
    field->setObjectName(q(name));
    field->setFont(font);
    field->setToolTip(q(toolTip));
    field->setAccessibleName(spokenName(caption));
    field->setAccessibleDescription(q(toolTip));
    field->setGeometry(box);
    // Figures up to the trade-amount limit are longer than the fields are wide.
    field->setKeepTextInView(true);
    if (input) {
        field->setAlignment(Qt::AlignCenter);
    } else {
        // Results: only the program writes them. They take the focus on a click (to copy a
        // figure) but are left out of the tab chain, which runs through the inputs.
        field->setReadOnly(true);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setFocusPolicy(Qt::ClickFocus);
        setBackground(field, Background::ButtonFace);
    }
    return field;
}

// Frames in the classic look: the caption sits on the etched line at the top, so the rows keep
// the room the layout gives them below it (a style that puts the caption above the box would
// push its top line through the first row).
QStyle* frameStyle() {
    static QPointer<QStyle> style;
    if (style == nullptr) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style != nullptr) {
            style->setParent(qApp);
        }
    }
    return style.data();
}

QGroupBox* makeFrame(QWidget* parent, const char* name, std::string_view caption, const QFont& font,
                     QRect box) {
    auto* frame = new QGroupBox(q(caption), parent);
    if (QStyle* style = frameStyle()) {
        frame->setStyle(style);
    }
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFont(font);
    frame->setGeometry(box);
    return frame;
}

void buildSideFrame(QGroupBox* frame, const std::array<Row, 10>& rows, bool buyFrame,
                    const QFont& font) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const int top = kRowTops[i];
        // The seven upper fields of the buy frame are a little lower than the rest.
        const int height = buyFrame && i < 7 ? 375 : 405;
        auto* label = makeLabel(frame, q(row.label), row.caption, row.labelTip, font,
                                twipsRect(240, top + 120, 1140, 285));
        auto* field = makeField(frame, row.field, row.input, row.fieldTip, row.caption, font,
                                twipsRect(1560, top, 1575, height));
        label->setBuddy(field);
        makeLabel(frame, QStringLiteral("Label19_%1").arg(row.unitIndex), row.unit, row.fieldTip,
                  font, twipsRect(3120, top + 120, 285, 285));
    }
}

// Heights of the two rows of the rate and dividend frames, which the layout leaves open: a
// field one 12-point line plus its frame, a label centred beside it.
constexpr int kSmallFieldHeight = 360;
constexpr int kSmallLabelOffset = 60;

QComboBox* makeList(QWidget* parent, const char* name, std::string_view toolTip,
                    std::string_view caption, const QFont& font, int top) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(false);
    list->setFont(font);
    list->setToolTip(q(toolTip));
    list->setAccessibleName(spokenName(caption));
    list->setAccessibleDescription(q(toolTip));
    list->setGeometry(twipsRect(960, top, 855, kSmallFieldHeight));
    return list;
}

}  // namespace

MainWindow::MainWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_session(session) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("股票交易费用成本Zunmo计算器3.0版"));
    setWindowIcon(commandIcon(QStringLiteral("app")));
    setFont(songFont(kWindowPointSize));
    setFixedSize(twips(10065), twips(6720));
    buildFrames();
    connectEvents();
}

MainWindow::~MainWindow() {
    // The window handle goes away inside QWidget's destructor, which changes the focus window;
    // this part of the object is gone by then.
    disconnect(qApp, nullptr, this, nullptr);
}

void MainWindow::buildFrames() {
    const QFont big = songFont(kWindowPointSize);
    const QFont small = songFont(kSmallPointSize);

    auto* frame1 = makeFrame(this, "Frame1", "交易类别", small, twipsRect(240, 720, 2175, 1095));
    auto* frame4 = makeFrame(this, "Frame4", "费率设置", small, twipsRect(240, 1920, 2175, 1215));
    auto* frame5 =
        makeFrame(this, "Frame5", "送股分红除权", small, twipsRect(240, 3240, 2175, 1215));
    auto* frame2 = makeFrame(this, "Frame2", "买入计算", big, twipsRect(2640, 120, 3615, 6495));
    auto* frame3 = makeFrame(this, "Frame3", "卖出计算", big, twipsRect(6360, 120, 3615, 6495));
    frame4->setToolTip(q(kCombo1Tip));

    buildSideFrame(frame2, kBuyRows, true, big);
    buildSideFrame(frame3, kSellRows, false, big);

    const std::array<std::pair<const char*, std::string_view>, 3> options = {
        {{"Option1", "上海A股"}, {"Option2", "深圳A股"}, {"Option3", "基金、权证"}}};
    for (std::size_t i = 0; i < options.size(); ++i) {
        auto* option = new QRadioButton(q(options[i].second), frame1);
        option->setObjectName(QString::fromLatin1(options[i].first));
        option->setFont(small);
        option->setGeometry(twipsRect(480, 240 + 240 * static_cast<int>(i), 1575, 240));
    }
    // The window opens on the Shanghai market; no market is chosen by the load steps.
    frame1->findChild<QRadioButton*>(QStringLiteral("Option1"))->setChecked(true);

    const auto labelBox = [](int left, int top) {
        return twipsRect(left, top + kSmallLabelOffset, 840, 240);
    };
    const auto unitBox = [](int top) { return twipsRect(1800, top + kSmallLabelOffset, 285, 240); };

    auto* combo1 = makeList(frame4, "Combo1", kCombo1Tip, "佣  金", small, 240);
    auto* combo2 = makeList(frame4, "Combo2", kCombo2Tip, "印花税", small, 720);
    for (const std::string& entry : commissionRateEntries()) {
        combo1->addItem(q(entry));
    }
    for (const std::string& entry : stampDutyRateEntries()) {
        combo2->addItem(q(entry));
    }
    makeLabel(frame4, QStringLiteral("Label23"), "佣  金", kCombo1Tip, small, labelBox(120, 240))
        ->setBuddy(combo1);
    makeLabel(frame4, QStringLiteral("Label20_0"), "‰", kCombo1Tip, small, unitBox(240));
    makeLabel(frame4, QStringLiteral("Label24"), "印花税", kCombo2Tip, small, labelBox(120, 720))
        ->setBuddy(combo2);
    makeLabel(frame4, QStringLiteral("Label20_1"), "‰", kCombo2Tip, small, unitBox(720));

    auto* text21 = makeField(frame5, "Text21", true, kText21Tip, "10股送", small,
                             twipsRect(1080, 240, 735, kSmallFieldHeight));
    auto* text22 = makeField(frame5, "Text22", true, kText22Tip, "10股派", small,
                             twipsRect(1080, 720, 735, kSmallFieldHeight));
    makeLabel(frame5, QStringLiteral("Label20_3"), "10股送", kText21Tip, small, labelBox(240, 240))
        ->setBuddy(text21);
    makeLabel(frame5, QStringLiteral("Label20_2"), "股", kText21Tip, small, unitBox(240));
    makeLabel(frame5, QStringLiteral("Label20_4"), "10股派", kText22Tip, small, labelBox(240, 720))
        ->setBuddy(text22);
    makeLabel(frame5, QStringLiteral("Label20_5"), "元", kText22Tip, small, unitBox(720));

    for (const Button& def : kButtons) {
        auto* button = new CommandButton(q(def.caption), this);
        button->setObjectName(q(def.name));
        button->setFont(small);
        button->setToolTip(q(def.toolTip));
        button->setIcon(commandIcon(QString::fromLatin1(def.icon)));
        button->setIconSize(QSize(16, 16));
        // Enter on a focused button presses it (as Space does); this window is no dialog, so
        // no button ever answers Enter typed into a field.
        button->setAutoDefault(true);
        button->setDefault(false);
        button->setGeometry(twipsRect(def.left, def.top, 1095, 615));
    }

    // Tab order: the six inputs in the order the Enter key walks them, then the market, the
    // rates and the buttons.
    std::vector<std::string_view> order(kInputs.begin(), kInputs.end());
    order.insert(order.end(), {"Option1", "Option2", "Option3", "Combo1", "Combo2"});
    std::ranges::transform(kButtons, std::back_inserter(order), &Button::name);
    QWidget* previous = nullptr;
    for (std::string_view name : order) {
        auto* widget = findChild<QWidget*>(q(name));
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void MainWindow::connectEvents() {
    // Enter and the focus of the six inputs go to the engine; the result fields report neither.
    for (std::string_view name : kInputs) {
        auto* field = findChild<FieldEdit*>(q(name));
        const Ctl ctl = f1(name);
        connect(field, &FieldEdit::enterPressed, this,
                [this, ctl] { m_session.enterPressed(ctl); });
        connect(field, &FieldEdit::focusGained, this, [this, ctl] { m_session.focusGained(ctl); });
    }

    // The fund market is chosen by a click, by the arrow keys or by the program: every way of
    // choosing it sets both rates to zero; a click on the option already chosen changes nothing.
    connect(findChild<QRadioButton*>(QStringLiteral("Option3")), &QRadioButton::toggled, this,
            [this](bool checked) {
                if (checked) {
                    m_session.option3Click();
                }
            });

    const auto onClick = [this](const char* name, void (Session::*handler)()) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this,
                [this, handler] { (m_session.*handler)(); });
    };
    onClick("Command1", &Session::command1Click);
    onClick("Command2", &Session::command2Click);
    onClick("Command3", &Session::command3Click);
    onClick("Command4", &Session::command4Click);
    onClick("Command5", &Session::command5Click);
    onClick("Command6", &Session::command6Click);

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::onFocusWindowChanged);
}

void MainWindow::formLoad() {
    WZ();
    m_session.formLoad();
}

void MainWindow::WZ() {
    m_bannerShown = true;
    update();
}

QFont MainWindow::bannerFont() const {
    QFont banner = font();
    banner.setPointSizeF(kBannerPointSize);
    // The banner has the band left of the buy frame; a face wider than 宋体 is made smaller so
    // that the shadow's last glyph does not run under the frame.
    const qreal room = twips(2640) - 142.0 / 15.0 - 4.0;
    const qreal width = QFontMetricsF(banner).horizontalAdvance(QStringLiteral("Zunmo算股"));
    if (width > room) {
        banner.setPointSizeF(kBannerPointSize * room / width);
    }
    return banner;
}

QRect MainWindow::resultColumns() const {
    QRect columns;
    for (const char* name : {"Frame2", "Frame3"}) {
        if (const auto* frame = findChild<QGroupBox*>(QString::fromLatin1(name))) {
            columns |= QRect(frame->mapToGlobal(QPoint(0, 0)), frame->size());
        }
    }
    return columns;
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!m_bannerShown) {
        return;
    }
    // The window's surface is cleared by Qt before every paint; drawing the banner here keeps
    // it across every repaint. Positions are the text's top-left corner, in twips.
    QPainter painter(this);
    const QFont banner = bannerFont();
    painter.setFont(banner);
    const qreal ascent = QFontMetricsF(banner).ascent();
    const QString text = QStringLiteral("Zunmo算股");
    painter.setPen(QColor(100, 100, 100));
    painter.drawText(QPointF(142.0 / 15.0, 142.0 / 15.0 + ascent), text);
    painter.setPen(QColor(0, 0, 255));
    painter.drawText(QPointF(100.0 / 15.0, 100.0 / 15.0 + ascent), text);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box: the engine unloads all four windows and ends the program.
    event->accept();
    m_session.form1Unload();
}

MainWindow::Previous MainWindow::classify(QWindow* window) const {
    if (window == windowHandle()) {
        return Previous::Form1;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window) {
            continue;
        }
        if (qobject_cast<QMessageBox*>(top) != nullptr) {
            return Previous::MessageBox;
        }
        const QString name = top->objectName();
        if (name == QLatin1String("Form2") || name == QLatin1String("Form3") ||
            name == QLatin1String("Form4")) {
            return Previous::OwnWindow;
        }
        return Previous::Other;
    }
    return Previous::Other;
}

void MainWindow::onFocusWindowChanged(QWindow* window) {
    // No window of the program has the focus: another application has it. (The platforms
    // bridge the moment between two of the program's own windows, so this is no such step.)
    if (window == nullptr) {
        m_lastActive = Previous::Other;
        return;
    }
    const Previous now = classify(window);
    const Previous before = m_lastActive;
    m_lastActive = now;
    // Form1's activate event: first showing, or a return from the about box or a batch dialog.
    // A message box closing must leave the focus where the refusal put it; a drop-down list's
    // popup or a tool tip is no return either.
    if (now == Previous::Form1 && (before == Previous::Nothing || before == Previous::OwnWindow)) {
        m_session.form1Activated();
    }
}

}  // namespace zm::ui
