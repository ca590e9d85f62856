// Focus and keys in the main window: where the focus goes when the window becomes active, the
// select-all of the input fields, Tab, Enter and the market options.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/widgets.h"
#include "view/messages.h"

namespace zm {
namespace {

using test::QtMessageWatcher;
using test::QtProgram;

constexpr std::array<Ctl, 6> kTabChain = {form1::Text1,  form1::Text2,  form1::Text11,
                                          form1::Text12, form1::Text21, form1::Text22};

std::string focusName() {
    QWidget* w = QApplication::focusWidget();
    return w == nullptr ? std::string() : w->objectName().toStdString();
}

QString selected(QtProgram& program, Ctl field) {
    return program.control<QLineEdit>(field)->selectedText();
}

// Gives a field the focus by a click in the middle of its text, as the user does.
void clickInto(QLineEdit* field) {
    QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
}

TEST(MainWindowFocus, focus_is_in_text1_when_the_window_first_shows) {
    QtMessageWatcher watcher;
    QtProgram program;
    EXPECT_EQ(focusName(), form1::Text1.name());
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(MainWindowFocus, tab_walks_the_six_inputs_in_their_order_selecting_each_text) {
    QtProgram program;
    for (Ctl c : kTabChain) {
        program.control<QLineEdit>(c)->setText(QStringLiteral("12"));
    }
    for (std::size_t i = 1; i < kTabChain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focusName(), kTabChain[i].name());
        EXPECT_EQ(selected(program, kTabChain[i]), QStringLiteral("12"));
    }
}

TEST(MainWindowFocus, a_click_into_a_field_holding_text_selects_all_of_it) {
    QtProgram program;
    for (Ctl c :
         {form1::Text2, form1::Text11, form1::Text12, form1::Text21, form1::Text22, form1::Text1}) {
        SCOPED_TRACE(c.name());
        auto* field = program.control<QLineEdit>(c);
        field->setText(QStringLiteral("1234.5"));
        clickInto(field);
        EXPECT_EQ(focusName(), c.name());
        EXPECT_EQ(field->selectedText(), QStringLiteral("1234.5"));
        // A second click, with the focus already there, places the cursor as usual.
        clickInto(field);
        EXPECT_FALSE(field->hasSelectedText());
    }
}

TEST(MainWindowFocus, a_drag_during_the_focusing_click_keeps_the_whole_text_selected) {
    QtProgram program;
    auto* field = program.control<QLineEdit>(form1::Text11);
    field->setText(QStringLiteral("98.76"));
    const QPoint at = field->rect().center();
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseMove(field, at + QPoint(4, 0));
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, at + QPoint(4, 0));
    EXPECT_EQ(field->selectedText(), QStringLiteral("98.76"));
}

TEST(MainWindowFocus, result_fields_take_a_click_but_select_nothing_and_stay_out_of_the_tab_chain) {
    QtProgram program;
    auto* text3 = program.control<QLineEdit>(form1::Text3);
    text3->setText(QStringLiteral("10,000.00"));
    clickInto(text3);
    EXPECT_EQ(focusName(), form1::Text3.name());
    EXPECT_FALSE(text3->hasSelectedText());
    EXPECT_EQ(text3->focusPolicy(), Qt::ClickFocus);
}

TEST(MainWindowFocus, a_double_click_in_a_result_field_selects_the_whole_figure_to_copy) {
    QtProgram program;
    QApplication::clipboard()->clear();
    for (const char* figure : {"4,970.50", "-1,234,567.89"}) {
        auto* text19 = program.control<QLineEdit>(form1::Text19);
        text19->setText(QString::fromUtf8(figure));
        QApplication::processEvents();  // painted: the field has placed its text
        // Inside the digits after the first comma, where the word rules would stop at the
        // comma and the point.
        const auto inside = static_cast<int>(text19->text().indexOf(QLatin1Char(',')) + 2);
        QPoint at(0, text19->height() / 2);
        while (at.x() < text19->width() && text19->cursorPositionAt(at) < inside) {
            at.rx() += 1;
        }
        QTest::mouseClick(text19, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(text19, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(focusName(), form1::Text19.name());
        EXPECT_EQ(text19->selectedText(), QString::fromUtf8(figure));
        QTest::keyClick(text19, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(figure));
    }
}

// Records every key event that reaches the window itself, past the field that had the focus.
class KeySpy : public QObject {
public:
    int keys = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            ++keys;
        }
        return false;
    }
};

TEST(MainWindowFocus, enter_in_a_field_presses_no_button_and_goes_no_further_than_the_field) {
    QtMessageWatcher watcher;
    QtProgram program;
    std::vector<std::unique_ptr<QSignalSpy>> clicks;
    for (auto* button : program.form1()->findChildren<QPushButton*>()) {
        clicks.push_back(std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    }
    KeySpy spy;
    program.form1()->installEventFilter(&spy);
    for (QWidget* frame : program.form1()->findChildren<QGroupBox*>()) {
        frame->installEventFilter(&spy);
    }
    // Valid entries move on without a message; result fields ignore Enter.
    program.control<QLineEdit>(form1::Text1)->setText(QStringLiteral("9.5"));
    program.control<QLineEdit>(form1::Text21)->setText(QStringLiteral("3"));
    program.control<QLineEdit>(form1::Text22)->setText(QStringLiteral("1.5"));
    for (Ctl c : {form1::Text21, form1::Text22, form1::Text1, form1::Text3, form1::Text19}) {
        SCOPED_TRACE(c.name());
        auto* field = program.control<QLineEdit>(c);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(spy.keys, 0);
    }
    auto* text3 = program.control<QLineEdit>(form1::Text3);
    text3->setFocus();
    QTest::keyClick(text3, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(spy.keys, 0);
    EXPECT_EQ(program.control<QLineEdit>(form1::Text22)->text(), QStringLiteral("1.50"));
    for (const auto& spyOfButton : clicks) {
        EXPECT_EQ(spyOfButton->count(), 0);
    }
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(MainWindowFocus, enter_in_the_bonus_and_dividend_walks_on_and_back_to_text1_selected) {
    QtMessageWatcher watcher;
    QtProgram program;
    auto* text21 = program.control<QLineEdit>(form1::Text21);
    program.control<QLineEdit>(form1::Text1)->setText(QStringLiteral("9.50"));
    clickInto(text21);
    QTest::keyClicks(text21, QStringLiteral("3"));
    QTest::keyClick(text21, Qt::Key_Return);
    EXPECT_EQ(focusName(), form1::Text22.name());
    EXPECT_EQ(selected(program, form1::Text22), QStringLiteral("0.00"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(program.control<QLineEdit>(form1::Text22)->text(), QStringLiteral("2.00"));
    EXPECT_EQ(focusName(), form1::Text1.name());
    EXPECT_EQ(selected(program, form1::Text1), QStringLiteral("9.50"));
}

TEST(MainWindowFocus, a_message_box_closing_leaves_the_focus_in_the_refused_field) {
    QtMessageWatcher watcher;
    QtProgram program;
    program.control<QLineEdit>(form1::Text11)->setText(QStringLiteral("abc"));
    auto* text12 = program.control<QLineEdit>(form1::Text12);
    clickInto(text12);
    QTest::keyClicks(text12, QStringLiteral("100"));
    watcher.expect(msg::kSellPriceNotNumber);
    QTest::keyClick(text12, Qt::Key_Return);
    // The main window becomes active again once the box is gone.
    QtProgram::activate(program.form1());
    QTest::qWait(50);
    EXPECT_EQ(focusName(), form1::Text11.name());
    EXPECT_EQ(selected(program, form1::Text11), QStringLiteral("abc"));
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("股票计算器提示"));
    EXPECT_EQ(watcher.seen()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(watcher.seen()[0].buttonCount, 1);
}

TEST(MainWindowFocus, a_message_shown_by_the_model_returns_the_focus_where_it_was) {
    QtMessageWatcher watcher;
    QtProgram program;
    auto* text12 = program.control<QLineEdit>(form1::Text12);
    clickInto(text12);
    watcher.expect("一条消息       ");
    program.windows().showMessage("一条消息       ");
    QtProgram::activate(program.form1());
    QTest::qWait(50);
    EXPECT_EQ(focusName(), form1::Text12.name());
}

TEST(MainWindowFocus,
     returning_from_a_batch_dialog_puts_the_focus_in_text1_with_its_text_selected) {
    for (Ctl button : {form1::Command5, form1::Command6}) {
        SCOPED_TRACE(button.name());
        QtMessageWatcher watcher;
        QtProgram program;
        program.control<QLineEdit>(form1::Text1)->setText(QStringLiteral("12.00"));
        clickInto(program.control<QLineEdit>(form1::Text11));
        QTest::mouseClick(program.control<QPushButton>(button), Qt::LeftButton);
        const FormId dialog = button == form1::Command5 ? FormId::Form4 : FormId::Form3;
        ASSERT_TRUE(QtProgram::waitUntilActive(program.form(dialog)));
        EXPECT_EQ(QApplication::focusWidget(), program.control(batchFields(dialog)[0]));
        // The dialog's close box hides it; the window manager then activates the main window.
        program.form(dialog)->close();
        ASSERT_TRUE(QtProgram::activate(program.form1()));
        EXPECT_EQ(focusName(), form1::Text1.name());
        EXPECT_EQ(selected(program, form1::Text1), QStringLiteral("12.00"));
    }
}

TEST(MainWindowFocus, coming_back_from_another_program_keeps_the_focus_and_a_half_typed_value) {
    QtProgram program;
    auto* text12 = program.control<QLineEdit>(form1::Text12);
    clickInto(text12);
    QTest::keyClicks(text12, QStringLiteral("12"));
    // A top-level window that is none of the program's forms stands for another application.
    QWidget other;
    other.resize(100, 100);
    other.show();
    ASSERT_TRUE(QtProgram::activate(&other));
    ASSERT_TRUE(QtProgram::activate(program.form1()));
    EXPECT_EQ(focusName(), form1::Text12.name());
    EXPECT_FALSE(text12->hasSelectedText());
    QTest::keyClicks(text12, QStringLiteral("3"));
    EXPECT_EQ(text12->text(), QStringLiteral("123"));
}

TEST(MainWindowFocus, choosing_the_fund_market_by_click_or_arrow_key_sets_both_rates_to_zero) {
    {
        QtProgram program;
        QTest::mouseClick(program.control(form1::Option3), Qt::LeftButton);
        EXPECT_EQ(program.control<QComboBox>(form1::Combo1)->currentText(), QStringLiteral("0.0"));
        EXPECT_EQ(program.control<QComboBox>(form1::Combo2)->currentText(), QStringLiteral("0"));
        // A click on the market already chosen leaves a rate picked since.
        program.control<QComboBox>(form1::Combo1)->setCurrentText(QStringLiteral("1.5"));
        QTest::mouseClick(program.control(form1::Option3), Qt::LeftButton);
        EXPECT_EQ(program.control<QComboBox>(form1::Combo1)->currentText(), QStringLiteral("1.5"));
    }
    {
        QtProgram program;
        auto* option1 = program.control<QRadioButton>(form1::Option1);
        option1->setFocus();
        QTest::keyClick(option1, Qt::Key_Down);
        EXPECT_EQ(program.control<QComboBox>(form1::Combo1)->currentText(), QStringLiteral("2.7"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_TRUE(program.control<QRadioButton>(form1::Option3)->isChecked());
        EXPECT_EQ(program.control<QComboBox>(form1::Combo1)->currentText(), QStringLiteral("0.0"));
        EXPECT_EQ(program.control<QComboBox>(form1::Combo2)->currentText(), QStringLiteral("0"));
    }
}

}  // namespace
}  // namespace zm

namespace zm {
namespace {

// Under today's rules the commission box takes typed rates: Enter in it checks the rate, works the
// purchase on screen again and goes on to the buy price; a rate it refuses keeps the focus there.
TEST(MainWindowFocus, enter_in_the_typed_commission_rate_works_the_figures_again_and_goes_on) {
    test::QtMessageWatcher watcher;
    test::QtProgram program;
    for (const char* typed : {"10", "1000"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    program.menuItem(form1::mnuRulesCurrent)->trigger();
    QLineEdit* rate = program.control<QComboBox>(form1::Combo1)->lineEdit();
    ASSERT_NE(rate, nullptr);
    const auto type = [rate](const char* text) {
        rate->setFocus();
        rate->selectAll();
        QTest::keyClicks(rate, QString::fromUtf8(text));
        QTest::keyClick(rate, Qt::Key_Return);
    };
    type("0.25");
    EXPECT_EQ(program.control<QLineEdit>(form1::Text4)->text(), QStringLiteral("5.00"));
    EXPECT_EQ(program.control<QLineEdit>(form1::Text10)->text(), QStringLiteral("10,005.10"));
    EXPECT_EQ(focusName(), "Text1");
    watcher.expect(msg::kCommissionRateDecimals);
    type("0.0855");
    EXPECT_EQ(watcher.pending(), 0u);
    // The main window becomes active again once the box is gone.
    QtProgram::activate(program.form1());
    EXPECT_EQ(focusName(), "Combo1");
    EXPECT_EQ(rate->selectedText(), QStringLiteral("0.0855"));
    // Full-width digits, as an input method types them, are taken as in every other field.
    rate->setText(QStringLiteral("０．３"));
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(program.windows().text(form1::Combo1), "0.3");
    EXPECT_EQ(program.control<QLineEdit>(form1::Text4)->text(), QStringLiteral("5.00"));
    EXPECT_EQ(focusName(), "Text1");
}

// The trade date typed over the whole text of its field with real keys keeps every digit typed,
// in each form a date is written in; a date the calendar does not have is refused by name with
// the field's text selected to type again, and a day picked in the calendar is written there.
TEST(MainWindowFocus, a_date_typed_over_the_selected_date_is_taken_as_typed) {
    const std::pair<const char*, const char*> rows[] = {
        {"2023-08-27", "2023-08-27"}, {"2019-03-15", "2019-03-15"}, {"2023/8/27", "2023-08-27"},
        {"2023.8.27", "2023-08-27"},  {"20230827", "2023-08-27"},   {"2023-02-30", nullptr}};
    for (const auto& [typed, date] : rows) {
        SCOPED_TRACE(typed);
        QtMessageWatcher watcher;
        QtProgram program;
        program.menuItem(form1::mnuRulesDate)->trigger();
        ASSERT_TRUE(QtProgram::waitUntilActive(program.form(FormId::FormRules)));
        auto* field = program.control<ui::DateField>(formRules::DateTrade);
        ASSERT_EQ(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromUtf8(typed));
        if (date == nullptr) {
            watcher.expect(msg::kRulesDateInvalid);
        }
        QTest::keyClick(field, Qt::Key_Return);
        if (date != nullptr) {
            EXPECT_EQ(program.session().rules().date.iso(), date);
            EXPECT_EQ(program.form(FormId::FormRules), nullptr);
            continue;
        }
        EXPECT_EQ(watcher.seen().size(), 1u);
        QtProgram::activate(program.form(FormId::FormRules));
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->selectedText(), QString::fromUtf8(typed));
        emit field->calendarWidget()->clicked(QDate(2021, 6, 1));
        EXPECT_EQ(field->text(), QStringLiteral("2021-06-01"));
    }
}

}  // namespace
}  // namespace zm
