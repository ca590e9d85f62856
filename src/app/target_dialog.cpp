#include "app/target_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "fees/display_format.h"
#include "input/session.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace zm::ui {
namespace {

constexpr double kPointSize = 12;

QLineEdit* resultField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setFocusPolicy(Qt::ClickFocus);
    setBackground(field, Background::ButtonFace);
    return field;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const char* icon) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(commandIcon(QString::fromLatin1(icon)));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TargetDialog::TargetDialog(Session& session, QWidget* parent)
    : QDialog(parent, kFixedDialog), m_session(session) {
    setObjectName(QStringLiteral("FormTarget"));
    setWindowTitle(QStringLiteral("目标卖出价"));
    setWindowIcon(commandIcon(QStringLiteral("app")));
    setFont(songFont(kPointSize));
    setModal(false);

    auto* grid = new QGridLayout(this);
    m_profit = new QRadioButton(QStringLiteral("盈利金额"), this);
    m_profit->setObjectName(QStringLiteral("OptTarget_0"));
    m_profit->setChecked(true);
    m_yield = new QRadioButton(QStringLiteral("收益率"), this);
    m_yield->setObjectName(QStringLiteral("OptTarget_1"));
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_profit);
    kinds->addWidget(m_yield);
    kinds->addStretch();
    grid->addLayout(kinds, 0, 0, 1, 3);

    auto* prompt = new QLabel(QStringLiteral("目标"), this);
    prompt->setObjectName(QStringLiteral("LabelTarget"));
    m_target = new FieldEdit(this);
    m_target->setObjectName(QStringLiteral("TextTarget"));
    m_target->setAlignment(Qt::AlignCenter);
    m_target->setToolTip(QStringLiteral("想赚的金额或收益率；负数为止损：最多亏这么多"));
    prompt->setBuddy(m_target);
    m_unit = new QLabel(QStringLiteral("元"), this);
    m_unit->setObjectName(QStringLiteral("LabelTargetUnit"));
    auto* calc = button(this, "cmdCalc", QStringLiteral("计 算"), "calculate");
    grid->addWidget(prompt, 1, 0);
    grid->addWidget(m_target, 1, 1);
    grid->addWidget(m_unit, 1, 2);
    grid->addWidget(calc, 1, 3);

    const struct {
        const char* name;
        const char* caption;
        const char* unit;
        QLineEdit** field;
    } rows[] = {{"TextTargetPrice", "目标卖出价", "元", &m_price},
                {"TextTargetAmount", "卖出金额", "元", &m_amount},
                {"TextTargetFees", "卖出费用", "元", &m_fees},
                {"TextTargetProfit", "盈亏金额", "元", &m_profitShown},
                {"TextTargetYield", "收 益 率", "％", &m_yieldShown}};
    int row = 2;
    for (const auto& r : rows) {
        *r.field = resultField(this, r.name);
        // Each result's caption and unit carry its name: LabelTargetPrice, LabelTargetPriceUnit, …
        const QString name = QString::fromLatin1(r.name).replace(QLatin1String("Text"),
                                                                  QLatin1String("Label"));
        auto* caption = new QLabel(QString::fromUtf8(r.caption), this);
        caption->setObjectName(name);
        auto* unit = new QLabel(QString::fromUtf8(r.unit), this);
        unit->setObjectName(name + QLatin1String("Unit"));
        grid->addWidget(caption, row, 0);
        grid->addWidget(*r.field, row, 1);
        grid->addWidget(unit, row, 2);
        ++row;
    }
    auto* fill = button(this, "cmdUse", QStringLiteral("填入卖出栏"), "batch-sell");
    fill->setEnabled(false);
    auto* close = button(this, "cmdClose", QStringLiteral("关 闭"), "exit");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(fill);
    buttons->addWidget(close);
    grid->addLayout(buttons, row, 0, 1, 4);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_profit, &QRadioButton::toggled, this, [this](bool profit) {
        m_unit->setText(profit ? QStringLiteral("元") : QStringLiteral("％"));
        showSale(std::nullopt);
    });
    connect(m_target, &FieldEdit::enterPressed, this, &TargetDialog::calculate);
    connect(calc, &QPushButton::clicked, this, &TargetDialog::calculate);
    connect(fill, &QPushButton::clicked, this, &TargetDialog::use);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    m_target->setFocus();
}

void TargetDialog::calculate() {
    const TargetKind kind = m_profit->isChecked() ? TargetKind::Profit : TargetKind::Yield;
    showSale(m_session.targetSale(kind, fromQ(m_target->text())));
    if (!m_sale) {
        m_target->setFocus();
        m_target->selectAll();
    }
}

void TargetDialog::showSale(const std::optional<TargetSale>& sale) {
    m_sale = sale;
    m_price->setText(sale ? toQ(formatPrice(sale->price, m_session.priceDecimals())) : QString());
    m_amount->setText(sale ? toQ(formatAmount(sale->amount)) : QString());
    m_fees->setText(sale ? toQ(formatAmount(sale->fees)) : QString());
    m_profitShown->setText(sale ? toQ(formatAmount(sale->profit)) : QString());
    m_yieldShown->setText(sale && sale->yield ? toQ(formatAmount(*sale->yield)) : QString());
    findChild<QPushButton*>(QStringLiteral("cmdUse"))->setEnabled(sale.has_value());
}

void TargetDialog::use() {
    if (m_sale) {
        m_session.useTargetSale(*m_sale);
    }
}

}  // namespace zm::ui
