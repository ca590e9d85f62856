#pragma once

#include <QDialog>
#include <optional>

#include "fees/target_price.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace zm {
class Session;
}

namespace zm::ui {

class FieldEdit;

// FormTarget: the lowest sell price that nets a chosen profit or yield, or limits a loss, for
// the purchase the main window has computed. Modeless; its figures are what the sell side would
// show at that price, and "填入卖出栏" puts the price and the shares into the sell side.
class TargetDialog : public QDialog {
    Q_OBJECT
public:
    TargetDialog(Session& session, QWidget* parent);

private:
    void calculate();
    void use();
    void showSale(const std::optional<TargetSale>& sale);

    Session& m_session;
    QRadioButton* m_profit = nullptr;
    QRadioButton* m_yield = nullptr;
    FieldEdit* m_target = nullptr;
    QLabel* m_unit = nullptr;
    QLineEdit* m_price = nullptr;
    QLineEdit* m_amount = nullptr;
    QLineEdit* m_fees = nullptr;
    QLineEdit* m_profitShown = nullptr;
    QLineEdit* m_yieldShown = nullptr;
    std::optional<TargetSale> m_sale;
};

}  // namespace zm::ui
