#include "app/rules_dialogs.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "fees/display_format.h"
#include "fees/fee_rules.h"
#include "fees/messages.h"
#include "session/session.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace zm::ui {
namespace {

constexpr double kPointSize = 12;

QPushButton* addButtons(QDialog* dialog, QGridLayout* grid, int row, Ctl okButton,
                        Ctl cancelButton) {
    auto* ok = new QPushButton(QStringLiteral("确 定"), dialog);
    ok->setObjectName(qtName(okButton));
    ok->setIcon(commandIcon(QStringLiteral("ok")));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取 消"), dialog);
    cancel->setObjectName(qtName(cancelButton));
    cancel->setIcon(commandIcon(QStringLiteral("exit")));
    cancel->setAutoDefault(false);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, row, 0, 1, 2);
    return ok;
}

void setUpDialog(QDialog* dialog, Ctl form, const QString& title) {
    dialog->setObjectName(qtName(form));
    dialog->setWindowTitle(title);
    dialog->setWindowIcon(commandIcon(QStringLiteral("app")));
    dialog->setFont(songFont(kPointSize));
    dialog->setModal(true);
}

QDate toQDate(TradeDate d) {
    return {d.year, d.month, d.day};
}

}  // namespace

RulesDialog::RulesDialog(Session& session, QWidget* parent)
    : QDialog(parent, kFixedDialog), m_session(session) {
    setUpDialog(this, formRules::FormRules, QStringLiteral("按成交日期计算费用"));
    auto* grid = new QGridLayout(this);
    auto* prompt = new QLabel(QStringLiteral("成交日期"), this);
    prompt->setObjectName(qtName(formRules::LabelDate));
    m_date = new QDateEdit(this);
    m_date->setObjectName(qtName(formRules::DateTrade));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_date->setToolTip(QStringLiteral("成交的日期，2008年9月19日起"));
    // Any date can be typed, so that an early one gets its message; the calendar offers the
    // dates the rules cover.
    m_date->setMinimumDate(QDate(1990, 12, 19));
    m_date->calendarWidget()->setMinimumDate(toQDate(kFirstRulesDate));
    const FeeRules& rules = session.rules();
    m_date->setDate(rules.kind == RuleKind::OnDate ? toQDate(rules.date) : QDate::currentDate());
    prompt->setBuddy(m_date);
    m_summary = new QLabel(this);
    m_summary->setObjectName(qtName(formRules::LabelRules));
    m_summary->setFrameShape(QFrame::StyledPanel);
    m_summary->setMinimumWidth(twips(6000));
    m_summary->setWordWrap(true);
    grid->addWidget(prompt, 0, 0);
    grid->addWidget(m_date, 0, 1);
    grid->addWidget(m_summary, 1, 0, 1, 2);
    addButtons(this, grid, 2, formRules::cmdOK, formRules::cmdCancel);
    connect(m_date, &QDateEdit::dateChanged, this, &RulesDialog::showSummary);
    showSummary();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_date->setFocus();
}

void RulesDialog::showSummary() {
    const QDate d = m_date->date();
    const TradeDate date{d.year(), d.month(), d.day()};
    if (date < kFirstRulesDate) {
        m_summary->setText(toQ(msg::kRulesDateTooEarly).trimmed());
        return;
    }
    const Era& era = eraOn(date);
    m_summary->setText(toQ(std::string("自") + era.from.chinese() + "起：\n" +
                           rulesSummary(era, m_session.rules().minCommission)));
}

void RulesDialog::accept() {
    if (m_session.chooseRulesOnDate(fromQ(m_date->date().toString(QStringLiteral("yyyy-MM-dd"))))) {
        QDialog::accept();
        return;
    }
    m_date->setFocus();
    m_date->selectAll();
}

MinimumDialog::MinimumDialog(Session& session, QWidget* parent)
    : QDialog(parent, kFixedDialog), m_session(session) {
    setUpDialog(this, formMinimum::FormMinimum, QStringLiteral("最低佣金"));
    auto* grid = new QGridLayout(this);
    auto* prompt = new QLabel(QStringLiteral("每笔最低佣金（元）"), this);
    prompt->setObjectName(qtName(formMinimum::LabelMinimum));
    m_field = new QLineEdit(toQ(formatAmount(session.rules().minCommission)), this);
    m_field->setObjectName(qtName(formMinimum::TextMinimum));
    m_field->setAlignment(Qt::AlignCenter);
    m_field->setToolTip(QStringLiteral("0到100元；填0表示免五，即不设最低佣金"));
    prompt->setBuddy(m_field);
    auto* note = new QLabel(QStringLiteral("券商每笔交易至少收取的佣金，一般为5元。\n"
                                           "填0表示“免五”：佣金按费率计算，不设最低。"),
                            this);
    note->setObjectName(qtName(formMinimum::LabelMinimumNote));
    grid->addWidget(prompt, 0, 0);
    grid->addWidget(m_field, 0, 1);
    grid->addWidget(note, 1, 0, 1, 2);
    addButtons(this, grid, 2, formMinimum::cmdOK, formMinimum::cmdCancel);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_field->setFocus();
    m_field->selectAll();
}

void MinimumDialog::accept() {
    if (m_session.setMinimumCommission(fromQ(m_field->text()))) {
        QDialog::accept();
        return;
    }
    m_field->setFocus();
    m_field->selectAll();
}

}  // namespace zm::ui
