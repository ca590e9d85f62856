#include "app/target_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "fees/display_format.h"
#include "session/session.h"
#include "ui/layout_build.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace zm::ui {
namespace {

constexpr double kPointSize = 12;

QLineEdit* resultField(QWidget* parent, Ctl ctl) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(qtName(ctl));
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setFocusPolicy(Qt::ClickFocus);
    setBackground(field, Background::ButtonFace);
    return field;
}

QPushButton* button(QWidget* parent, Ctl ctl, const QString& caption, const char* icon) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(qtName(ctl));
    b->setIcon(commandIcon(QString::fromLatin1(icon)));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TargetDialog::TargetDialog(Session& session, QWidget* parent)
    : QDialog(parent, kFixedDialog), m_session(session) {
    setObjectName(qtName(formTarget::FormTarget));
    setWindowTitle(QStringLiteral("目标卖出价"));
    setWindowIcon(commandIcon(QStringLiteral("app")));
    setFont(songFont(kPointSize));
    setModal(false);

    auto* grid = new QGridLayout(this);
    m_profit = new QRadioButton(QStringLiteral("盈利金额"), this);
    m_profit->setObjectName(qtName(formTarget::OptTarget_0));
    m_profit->setChecked(true);
    m_yield = new QRadioButton(QStringLiteral("收益率"), this);
    m_yield->setObjectName(qtName(formTarget::OptTarget_1));
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_profit);
    kinds->addWidget(m_yield);
    kinds->addStretch();
    grid->addLayout(kinds, 0, 0, 1, 3);

    auto* prompt = new QLabel(QStringLiteral("目标"), this);
    prompt->setObjectName(qtName(formTarget::LabelTarget));
    m_target = new FieldEdit(this);
    m_target->setObjectName(qtName(formTarget::TextTarget));
    m_target->setAlignment(Qt::AlignCenter);
    m_target->setToolTip(QStringLiteral("想赚的金额或收益率；负数为止损：最多亏这么多"));
    prompt->setBuddy(m_target);
    m_unit = new QLabel(QStringLiteral("元"), this);
    m_unit->setObjectName(qtName(formTarget::LabelTargetUnit));
    auto* calc = button(this, formTarget::cmdCalc, QStringLiteral("计 算"), "calculate");
    grid->addWidget(prompt, 1, 0);
    grid->addWidget(m_target, 1, 1);
    grid->addWidget(m_unit, 1, 2);
    grid->addWidget(calc, 1, 3);

    const struct {
        Ctl field;
        Ctl captionLabel;
        Ctl unitLabel;
        const char* caption;
        const char* unit;
        QLineEdit** edit;
    } rows[] = {{formTarget::TextTargetPrice, formTarget::LabelTargetPrice,
                 formTarget::LabelTargetPriceUnit, "目标卖出价", "元", &m_price},
                {formTarget::TextTargetAmount, formTarget::LabelTargetAmount,
                 formTarget::LabelTargetAmountUnit, "卖出金额", "元", &m_amount},
                {formTarget::TextTargetFees, formTarget::LabelTargetFees,
                 formTarget::LabelTargetFeesUnit, "卖出费用", "元", &m_fees},
                {formTarget::TextTargetProfit, formTarget::LabelTargetProfit,
                 formTarget::LabelTargetProfitUnit, "盈亏金额", "元", &m_profitShown},
                {formTarget::TextTargetYield, formTarget::LabelTargetYield,
                 formTarget::LabelTargetYieldUnit, "收 益 率", "％", &m_yieldShown}};
    int row = 2;
    for (const auto& r : rows) {
        *r.edit = resultField(this, r.field);
        auto* caption = new QLabel(QString::fromUtf8(r.caption), this);
        caption->setObjectName(qtName(r.captionLabel));
        auto* unit = new QLabel(QString::fromUtf8(r.unit), this);
        unit->setObjectName(qtName(r.unitLabel));
        grid->addWidget(caption, row, 0);
        grid->addWidget(*r.edit, row, 1);
        grid->addWidget(unit, row, 2);
        ++row;
    }
    auto* fill = button(this, formTarget::cmdUse, QStringLiteral("填入卖出栏"), "batch-sell");
    fill->setEnabled(false);
    auto* close = button(this, formTarget::cmdClose, QStringLiteral("关 闭"), "exit");
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
    child<QPushButton>(this, formTarget::cmdUse)->setEnabled(sale.has_value());
}

void TargetDialog::use() {
    if (m_sale) {
        m_session.useTargetSale(*m_sale);
    }
}

}  // namespace zm::ui
