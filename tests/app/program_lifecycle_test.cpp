// The program from start to end: the state it opens in, what is read at start, and how it ends.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/layout_build.h"

namespace zm {
namespace {

using test::QtMessageWatcher;
using test::QtProgram;

QString text(QtProgram& program, Ctl field) {
    return program.control<QLineEdit>(field)->text();
}

TEST(ProgramLifecycle, opens_empty_with_the_default_rates_and_writes_no_file) {
    QtMessageWatcher watcher;
    QtProgram program;
    for (Ctl c : kMainFields) {
        EXPECT_EQ(text(program, c), QString()) << c.name();
    }
    EXPECT_EQ(text(program, form1::Text21), QStringLiteral("0"));
    EXPECT_EQ(text(program, form1::Text22), QStringLiteral("0.00"));
    EXPECT_TRUE(program.control<QRadioButton>(form1::Option1)->isChecked());
    EXPECT_EQ(program.control<QComboBox>(form1::Combo1)->currentText(), QStringLiteral("2.7"));
    EXPECT_EQ(program.control<QComboBox>(form1::Combo2)->currentText(), QStringLiteral("3"));
    EXPECT_FALSE(program.settingsFileExists());
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(ProgramLifecycle, opens_with_the_stored_commission_and_the_default_of_a_missing_stamp_duty) {
    QtMessageWatcher watcher;
    QtProgram program(QtProgram::Options{.commission = "1.5", .stampDuty = std::nullopt});
    EXPECT_EQ(program.control<QComboBox>(form1::Combo1)->currentText(), QStringLiteral("1.5"));
    EXPECT_EQ(program.control<QComboBox>(form1::Combo2)->currentText(), QStringLiteral("3"));
    EXPECT_TRUE(watcher.seen().empty());
}

// Runs the event loop until the program ends it; a program that does not end fails, not hangs.
int runUntilTheProgramEnds(const std::function<void()>& action) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &guard, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    QTimer::singleShot(0, qApp, action);
    const int status = QApplication::exec();
    guard.stop();
    return status;
}

TEST(ProgramLifecycle, closing_the_main_window_with_both_dialogs_open_ends_with_status_0) {
    QtMessageWatcher watcher;
    QtProgram program;
    QTest::mouseClick(program.control<QPushButton>(form1::Command5), Qt::LeftButton);
    QTest::mouseClick(program.control<QPushButton>(form1::Command6), Qt::LeftButton);
    ASSERT_TRUE(program.form(FormId::Form3)->isVisible());
    ASSERT_TRUE(program.form(FormId::Form4)->isVisible());
    QPointer<QWidget> form1 = program.form1();
    const int status = runUntilTheProgramEnds([&] { form1->close(); });
    EXPECT_EQ(status, 0);
    for (FormId f : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4}) {
        EXPECT_FALSE(program.windows().isLoaded(f));
    }
    EXPECT_EQ(form1, nullptr);  // destroyed once the event loop had it back
    EXPECT_FALSE(program.settingsFileExists());
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(ProgramLifecycle, exit_with_both_dialogs_loaded_unloads_every_window_and_ends_with_status_0) {
    QtMessageWatcher watcher;
    QtProgram program;
    QTest::mouseClick(program.control<QPushButton>(form1::Command6), Qt::LeftButton);
    QPointer<QWidget> form3 = program.form(FormId::Form3);
    QPointer<QWidget> form4 = program.form(FormId::Form4);
    ASSERT_NE(form4, nullptr);
    const int status = runUntilTheProgramEnds(
        [&] { QTest::mouseClick(program.control<QPushButton>(form1::Command2), Qt::LeftButton); });
    EXPECT_EQ(status, 0);
    for (FormId f : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4}) {
        EXPECT_FALSE(program.windows().isLoaded(f));
    }
    EXPECT_EQ(form3, nullptr);
    EXPECT_EQ(form4, nullptr);
    EXPECT_FALSE(program.settingsFileExists());
}

TEST(ProgramLifecycle, typing_a_purchase_with_enter_fills_the_buy_side) {
    QtMessageWatcher watcher;
    QtProgram program;
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1000"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(text(program, form1::Text1), QStringLiteral("10.00"));
    EXPECT_EQ(text(program, form1::Text2), QStringLiteral("1,000"));
    EXPECT_EQ(text(program, form1::Text3), QStringLiteral("10,000.00"));
    EXPECT_EQ(QApplication::focusWidget(), program.control(form1::Text11));
    EXPECT_TRUE(program.settingsFileExists());
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(ProgramLifecycle, todays_rules_from_the_menu_and_back_leave_the_programs_own_figures) {
    QtMessageWatcher watcher;
    QtProgram program;
    for (const char* typed : {"10", "1000", "10.5", "1000"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QStringList own;
    for (std::size_t i = 2; i < kMainFields.size(); ++i) {
        own << text(program, kMainFields[i]);
    }
    ASSERT_EQ(own[7], QStringLiteral("10,058.00"));  // Text10 at the default 2.7 and 3 per mille

    program.form1()->findChild<QAction*>(ui::qtName(form1::mnuRulesCurrent))->trigger();
    EXPECT_TRUE(program.form1()->windowTitle().endsWith(QStringLiteral("（现行规则）")));
    auto* combo1 = program.control<QComboBox>(form1::Combo1);
    ASSERT_TRUE(combo1->isEditable());
    EXPECT_FALSE(program.control<QComboBox>(form1::Combo2)->isEnabled());
    combo1->setFocus();
    combo1->lineEdit()->selectAll();
    QTest::keyClicks(combo1->lineEdit(), QStringLiteral("0.25"));
    QTest::keyClick(combo1, Qt::Key_Tab);  // leaving the list takes the typed rate
    QTest::mouseClick(program.control<QPushButton>(form1::Command1), Qt::LeftButton);
    EXPECT_EQ(text(program, form1::Text10), QStringLiteral("10,005.10"));
    EXPECT_EQ(text(program, form1::Text9), QStringLiteral("10.02"));
    EXPECT_EQ(text(program, form1::Text20), QStringLiteral("10,489.64"));
    EXPECT_EQ(text(program, form1::Text19), QStringLiteral("484.54"));

    program.form1()->findChild<QAction*>(ui::qtName(form1::mnuRulesClassic))->trigger();
    EXPECT_FALSE(combo1->isEditable());
    EXPECT_EQ(combo1->currentText(), QStringLiteral("2.7"));
    EXPECT_EQ(program.control<QComboBox>(form1::Combo2)->currentText(), QStringLiteral("3"));
    for (std::size_t i = 2; i < kMainFields.size(); ++i) {
        EXPECT_EQ(text(program, kMainFields[i]), own[i - 2]) << kMainFields[i].name();
    }
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(ProgramLifecycle, the_target_price_dialog_fills_the_sell_side_through_its_button) {
    QtMessageWatcher watcher;
    QtProgram program(QtProgram::Options{.commission = "3.0", .stampDuty = "3"});
    for (const char* typed : {"10", "1000"}) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    program.form1()->findChild<QAction*>(ui::qtName(form1::mnuTarget))->trigger();
    auto* form = ui::child<QWidget>(program.form1(), formTarget::FormTarget);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->isVisible());
    auto* target = ui::child<QLineEdit>(form, formTarget::TextTarget);
    QTest::keyClicks(target, QStringLiteral("1000"));
    QTest::keyClick(target, Qt::Key_Return);
    EXPECT_EQ(ui::child<QLineEdit>(form, formTarget::TextTargetPrice)->text(),
              QStringLiteral("11.13"));
    EXPECT_EQ(ui::child<QLineEdit>(form, formTarget::TextTargetProfit)->text(),
              QStringLiteral("1,001.22"));
    QTest::mouseClick(ui::child<QPushButton>(form, formTarget::cmdUse), Qt::LeftButton);
    EXPECT_EQ(text(program, form1::Text11), QStringLiteral("11.13"));
    EXPECT_EQ(text(program, form1::Text12), QStringLiteral("1,000"));
    EXPECT_EQ(text(program, form1::Text19), QStringLiteral("1,001.22"));
    EXPECT_TRUE(watcher.seen().empty());
}

}  // namespace
}  // namespace zm
