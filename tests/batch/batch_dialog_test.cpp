// The multi-batch dialogs on real widgets: how they are built, real keys and clicks through
// their Enter flow, OK and Clear, the locks they put on the main window, and their lifecycle.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>

#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/dialog_window.h"
#include "view/messages.h"

namespace zm {
namespace {

using test::QtMessageWatcher;
using test::QtProgram;

std::string focusName() {
    QWidget* w = QApplication::focusWidget();
    return w == nullptr ? std::string() : w->objectName().toStdString();
}

// Opens a dialog with its main-window button, as the user does, and waits until it is active.
QWidget* open(QtProgram& program, FormId dialog) {
    const Ctl button = dialog == FormId::Form4 ? form1::Command5 : form1::Command6;
    QTest::mouseClick(program.control<QPushButton>(button), Qt::LeftButton);
    QWidget* window = program.form(dialog);
    EXPECT_TRUE(window != nullptr && QtProgram::waitUntilActive(window));
    return window;
}

QLineEdit* field(QtProgram& program, Ctl c) {
    return program.control<QLineEdit>(c);
}

// Types a value into the focused field and presses Enter.
void typeAndEnter(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

QString shown(QtProgram& program, Ctl c) {
    return program.control<QLineEdit>(c)->text();
}

bool lockedWithButtonFace(QLineEdit* edit) {
    return edit->isReadOnly() &&
           edit->palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Button);
}

bool editableWithWindowColour(QLineEdit* edit) {
    return !edit->isReadOnly() &&
           edit->palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Base);
}

struct Layout {
    FormId form;
    const char* caption;
    std::array<const char*, 3> frames;
    const char* price;
    const char* quantity;
};

TEST(BatchDialogWindow, both_dialogs_are_built_with_their_captions_frames_and_labels) {
    QtProgram program;
    const Layout layouts[] = {{FormId::Form4,
                               "Zunmo算股多批买入",
                               {"第一批买入", "第二批买入", "第三批买入"},
                               "买入价格",
                               "买入数量"},
                              {FormId::Form3,
                               "Zunmo算股多批卖出",
                               {"第一批卖出", "第二批卖出", "第三批卖出"},
                               "卖出价格",
                               "卖出数量"}};
    for (const Layout& l : layouts) {
        SCOPED_TRACE(formName(l.form));
        QWidget* w = program.form(l.form);
        ASSERT_NE(w, nullptr);  // created hidden by the start-up reset
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->objectName(), ui::qtName(formControl(l.form)));
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(l.caption));
        EXPECT_EQ(w->size(), QSize(658, 184));  // 9870 × 2760 twips
        for (std::size_t f = 0; f < 3; ++f) {
            auto* frame = program.control<QGroupBox>(batchFrames(l.form)[f]);
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(frame->title(), QString::fromUtf8(l.frames[f]));
            EXPECT_EQ(frame->geometry(), QRect(8 + 216 * static_cast<int>(f), 8, 209, 105));
            const std::array<const char*, 4> labels = {l.price, "元", l.quantity, "股"};
            for (std::size_t k = 0; k < 4; ++k) {
                auto* label = program.control<QLabel>(batchLabels(l.form)[4 * f + k]);
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->parentWidget(), frame);
                EXPECT_EQ(label->text(), QString::fromUtf8(labels[k]));
            }
            for (std::size_t row = 0; row < 2; ++row) {
                QLineEdit* edit = field(program, batchFields(l.form)[2 * f + row]);
                ASSERT_NE(edit, nullptr);
                EXPECT_EQ(edit->parentWidget(), frame);
                EXPECT_EQ(edit->alignment(), Qt::AlignCenter);
                EXPECT_EQ(edit->geometry(), QRect(88, row == 0 ? 24 : 64, 89, 25));
            }
        }
        const std::pair<Ctl, const char*> buttons[] = {{batchOk(l.form), "确 定"},
                                                       {batchClear(l.form), "清 空"}};
        for (const auto& [c, caption] : buttons) {
            auto* button = program.control<QToolButton>(c);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), QString::fromUtf8(caption));
            EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
            EXPECT_FALSE(button->icon().isNull());
        }
        EXPECT_EQ(program.control(batchClear(l.form))->geometry(), QRect(392, 128, 89, 41));
    }
}

TEST(BatchDialogWindow, real_keys_walk_the_buy_batches_and_enter_on_ok_confirms) {
    QtMessageWatcher watcher;
    QtProgram program;
    QWidget* dialog = open(program, FormId::Form4);
    EXPECT_EQ(focusName(), form4::Text1.name());

    typeAndEnter(QStringLiteral("10"));
    EXPECT_EQ(focusName(), form4::Text2.name());
    EXPECT_EQ(shown(program, form1::Text1), QString());  // a price alone changes nothing
    typeAndEnter(QStringLiteral("1000"));
    EXPECT_EQ(focusName(), form4::Text3.name());
    EXPECT_EQ(shown(program, form1::Text1), QStringLiteral("10.00"));
    EXPECT_EQ(shown(program, form1::Text2), QStringLiteral("1,000"));
    EXPECT_TRUE(lockedWithButtonFace(program.control<QLineEdit>(form1::Text1)));
    EXPECT_TRUE(lockedWithButtonFace(program.control<QLineEdit>(form1::Text2)));

    typeAndEnter(QStringLiteral("10.5"));
    typeAndEnter(QStringLiteral("500"));
    EXPECT_EQ(focusName(), form4::Text5.name());
    EXPECT_EQ(shown(program, form1::Text1), QStringLiteral("10.17"));
    EXPECT_EQ(shown(program, form1::Text2), QStringLiteral("1,500"));

    // A field that already holds text is selected on arrival: typing replaces it.
    field(program, form4::Text6)->setText(QStringLiteral("999"));
    typeAndEnter(QStringLiteral("11"));
    EXPECT_EQ(field(program, form4::Text6)->selectedText(), QStringLiteral("999"));
    typeAndEnter(QStringLiteral("100"));
    EXPECT_EQ(field(program, form4::Text6)->text(), QStringLiteral("100"));
    EXPECT_EQ(focusName(), form4::Command1.name());
    EXPECT_EQ(shown(program, form1::Text2), QStringLiteral("1,600"));
    EXPECT_TRUE(dialog->isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(program.form(FormId::Form4), dialog);  // hidden, not destroyed
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(BatchDialogWindow, a_refused_entry_shows_its_message_and_selects_the_field) {
    QtMessageWatcher watcher;
    QtProgram program;
    open(program, FormId::Form3);
    typeAndEnter(QStringLiteral("11"));
    watcher.expect(msg::kSellQtyMin);
    typeAndEnter(QStringLiteral("0.5"));
    EXPECT_EQ(watcher.pending(), 0u);
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("股票计算器提示"));
    EXPECT_EQ(watcher.seen()[0].icon, QMessageBox::Warning);
    // The dialog becomes active again once the box has gone (the offscreen platform has no
    // window manager to do it).
    QtProgram::activate(program.form(FormId::Form3));
    EXPECT_EQ(focusName(), form3::Text2.name());
    EXPECT_EQ(field(program, form3::Text2)->selectedText(), QStringLiteral("0.5"));
    EXPECT_EQ(shown(program, form1::Text11), QString());
    EXPECT_TRUE(editableWithWindowColour(program.control<QLineEdit>(form1::Text11)));
}

TEST(BatchDialogWindow, ok_hides_and_keeps_the_fields_and_its_clear_unlocks_the_main_window) {
    QtMessageWatcher watcher;
    QtProgram program;
    QWidget* dialog = open(program, FormId::Form3);
    field(program, form3::Text1)->setText(QStringLiteral("11.00"));
    field(program, form3::Text2)->setText(QStringLiteral("1000"));
    QTest::mouseClick(program.control(form3::Command1), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(shown(program, form1::Text12), QStringLiteral("1,000"));
    EXPECT_TRUE(lockedWithButtonFace(program.control<QLineEdit>(form1::Text11)));
    EXPECT_TRUE(lockedWithButtonFace(program.control<QLineEdit>(form1::Text12)));
    EXPECT_TRUE(editableWithWindowColour(program.control<QLineEdit>(form1::Text1)));

    EXPECT_EQ(open(program, FormId::Form3), dialog);
    EXPECT_EQ(field(program, form3::Text2)->text(), QStringLiteral("1000"));
    EXPECT_EQ(field(program, form3::Text1)->selectedText(), QStringLiteral("11.00"));

    QTest::mouseClick(program.control(form3::Command2), Qt::LeftButton);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(field(program, form3::Text1)->text(), QString());
    EXPECT_EQ(field(program, form3::Text2)->text(), QString());
    EXPECT_TRUE(editableWithWindowColour(program.control<QLineEdit>(form1::Text11)));
    EXPECT_TRUE(editableWithWindowColour(program.control<QLineEdit>(form1::Text12)));
    EXPECT_EQ(shown(program, form1::Text12), QStringLiteral("1,000"));  // the figures stay
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(BatchDialogWindow, the_close_box_hides_the_dialog_and_computes_nothing) {
    QtMessageWatcher watcher;
    QtProgram program;
    QWidget* dialog = open(program, FormId::Form4);
    field(program, form4::Text1)->setText(QStringLiteral("10"));
    field(program, form4::Text2)->setText(QStringLiteral("1000"));
    EXPECT_TRUE(dialog->close());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(shown(program, form1::Text1), QString());
    EXPECT_TRUE(editableWithWindowColour(program.control<QLineEdit>(form1::Text1)));
    EXPECT_EQ(open(program, FormId::Form4), dialog);
    EXPECT_EQ(field(program, form4::Text2)->text(), QStringLiteral("1000"));
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(BatchDialogWindow, main_clear_unlocks_both_sides_and_the_next_use_builds_fresh_dialogs) {
    QtMessageWatcher watcher;
    QtProgram program;
    open(program, FormId::Form4);
    typeAndEnter(QStringLiteral("10"));
    typeAndEnter(QStringLiteral("1000"));
    open(program, FormId::Form3);
    typeAndEnter(QStringLiteral("11"));
    typeAndEnter(QStringLiteral("1000"));
    QPointer<QWidget> oldBuy = program.form(FormId::Form4);
    QPointer<QWidget> oldSell = program.form(FormId::Form3);
    ASSERT_TRUE(lockedWithButtonFace(program.control<QLineEdit>(form1::Text12)));

    QTest::mouseClick(program.control<QPushButton>(form1::Command4), Qt::LeftButton);
    for (Ctl c : {form1::Text1, form1::Text2, form1::Text11, form1::Text12}) {
        EXPECT_TRUE(editableWithWindowColour(program.control<QLineEdit>(c))) << c.name();
    }
    EXPECT_FALSE(program.windows().isLoaded(FormId::Form3));
    EXPECT_FALSE(program.windows().isLoaded(FormId::Form4));
    EXPECT_EQ(program.control<QLabel>(form1::Label17)->text(), QStringLiteral("盈亏金额"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return oldBuy == nullptr && oldSell == nullptr; }));

    QWidget* fresh = open(program, FormId::Form4);
    EXPECT_NE(fresh, nullptr);
    EXPECT_EQ(field(program, form4::Text1)->text(), QString());
    EXPECT_EQ(focusName(), form4::Text1.name());
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(BatchDialogWindow, exit_with_both_dialogs_open_ends_the_program) {
    QtMessageWatcher watcher;
    QtProgram program;
    open(program, FormId::Form4);
    open(program, FormId::Form3);
    QPointer<QWidget> buy = program.form(FormId::Form4);
    QPointer<QWidget> sell = program.form(FormId::Form3);

    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &guard, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    QTimer::singleShot(0, qApp, [&] {
        QTest::mouseClick(program.control<QPushButton>(form1::Command2), Qt::LeftButton);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    for (FormId f : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4}) {
        EXPECT_FALSE(program.windows().isLoaded(f));
    }
    EXPECT_EQ(buy, nullptr);
    EXPECT_EQ(sell, nullptr);
    EXPECT_TRUE(watcher.seen().empty());
}

}  // namespace
}  // namespace zm
