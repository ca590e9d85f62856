#pragma once

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;

namespace zm {
class Session;
}

namespace zm::ui {

// FormRules: the trade date whose fee rules the calculator is to use, with a calendar drop-down
// and a summary of those rules. OK hands the date to the session, which refuses a date before
// the rules begin (the dialog stays open, the date field keeps the focus).
class RulesDialog : public QDialog {
    Q_OBJECT
public:
    RulesDialog(Session& session, QWidget* parent);

    void accept() override;

private:
    void showSummary();

    Session& m_session;
    QDateEdit* m_date = nullptr;
    QLabel* m_summary = nullptr;
};

// FormMinimum: the minimum commission per trade of the trade-date rules, 0 to 100 yuan.
class MinimumDialog : public QDialog {
    Q_OBJECT
public:
    MinimumDialog(Session& session, QWidget* parent);

    void accept() override;

private:
    Session& m_session;
    QLineEdit* m_field = nullptr;
};

}  // namespace zm::ui
