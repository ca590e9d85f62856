// The yardstick of the start-up benchmark: a window with the same number and kinds of controls
// as the main window (5 frames, 48 labels, 22 single-line fields, 2 drop-down lists with their
// 31 and 7 entries, 3 option buttons, 6 push buttons), with the same captions at the same
// places, built the plainest way Qt offers: default font, no font mapping, no icons, no tool
// tips, no styles, no engine behind it.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace {

// Positions in twips (15 to a pixel), as the main window is laid out.
QRect box(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

void addRows(QGroupBox* frame, const char* const (&captions)[10], const char* const (&units)[10]) {
    for (int i = 0; i < 10; ++i) {
        const int top = 480 + 600 * i;
        (new QLabel(QString::fromUtf8(captions[i]), frame))
            ->setGeometry(box(240, top + 120, 1140, 285));
        (new QLineEdit(frame))->setGeometry(box(1560, top, 1575, 405));
        (new QLabel(QString::fromUtf8(units[i]), frame))
            ->setGeometry(box(3120, top + 120, 285, 285));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8("股票交易费用成本Zunmo计算器3.0版"));
    window.setFixedSize(10065 / 15, 6720 / 15);

    auto* frame1 = new QGroupBox(QString::fromUtf8("交易类别"), &window);
    frame1->setGeometry(box(240, 720, 2175, 1095));
    auto* frame4 = new QGroupBox(QString::fromUtf8("费率设置"), &window);
    frame4->setGeometry(box(240, 1920, 2175, 1215));
    auto* frame5 = new QGroupBox(QString::fromUtf8("送股分红除权"), &window);
    frame5->setGeometry(box(240, 3240, 2175, 1215));
    auto* frame2 = new QGroupBox(QString::fromUtf8("买入计算"), &window);
    frame2->setGeometry(box(2640, 120, 3615, 6495));
    auto* frame3 = new QGroupBox(QString::fromUtf8("卖出计算"), &window);
    frame3->setGeometry(box(6360, 120, 3615, 6495));

    const char* const buyCaptions[10] = {"买入价格", "买入数量", "交易金额", "佣    金",
                                         "印 花 税", "过 户 费", "费用合计", "实付金额",
                                         "买入成本", "保本价格"};
    const char* const buyUnits[10] = {"元", "股", "元", "元", "元", "元", "元", "元", "元", "元"};
    const char* const sellCaptions[10] = {"卖出价格", "卖出数量", "交易金额", "佣    金",
                                          "印 花 税", "过 户 费", "费用合计", "实收金额",
                                          "收 益 率", "盈亏金额"};
    const char* const sellUnits[10] = {"元", "股", "元", "元", "元", "元", "元", "元", "％", "元"};
    addRows(frame2, buyCaptions, buyUnits);
    addRows(frame3, sellCaptions, sellUnits);

    const char* const markets[3] = {"上海A股", "深圳A股", "基金、权证"};
    for (int i = 0; i < 3; ++i) {
        (new QRadioButton(QString::fromUtf8(markets[i]), frame1))
            ->setGeometry(box(480, 240 + 240 * i, 1575, 240));
    }

    auto* combo1 = new QComboBox(frame4);
    combo1->setGeometry(box(960, 240, 855, 360));
    for (int tenths = 30; tenths >= 0; --tenths) {
        combo1->addItem(QString::number(tenths / 10.0, 'f', 1));
    }
    auto* combo2 = new QComboBox(frame4);
    combo2->setGeometry(box(960, 720, 855, 360));
    for (int rate = 6; rate >= 0; --rate) {
        combo2->addItem(QString::number(rate));
    }
    (new QLabel(QString::fromUtf8("佣  金"), frame4))->setGeometry(box(120, 300, 840, 240));
    (new QLabel(QString::fromUtf8("‰"), frame4))->setGeometry(box(1800, 300, 285, 240));
    (new QLabel(QString::fromUtf8("印花税"), frame4))->setGeometry(box(120, 780, 840, 240));
    (new QLabel(QString::fromUtf8("‰"), frame4))->setGeometry(box(1800, 780, 285, 240));

    (new QLineEdit(frame5))->setGeometry(box(1080, 240, 735, 360));
    (new QLineEdit(frame5))->setGeometry(box(1080, 720, 735, 360));
    (new QLabel(QString::fromUtf8("10股送"), frame5))->setGeometry(box(240, 300, 840, 240));
    (new QLabel(QString::fromUtf8("股"), frame5))->setGeometry(box(1800, 300, 285, 240));
    (new QLabel(QString::fromUtf8("10股派"), frame5))->setGeometry(box(240, 780, 840, 240));
    (new QLabel(QString::fromUtf8("元"), frame5))->setGeometry(box(1800, 780, 285, 240));

    const char* const buttons[6] = {"多次买入", "多次卖出", "关 于", "计 算", "退 出", "清 空"};
    for (int i = 0; i < 6; ++i) {
        (new QPushButton(QString::fromUtf8(buttons[i]), &window))
            ->setGeometry(box(i % 2 == 0 ? 120 : 1440, 4560 + 720 * (i / 2), 1095, 615));
    }

    window.show();
    return QApplication::exec();
}
