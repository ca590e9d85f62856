// The window model on the real widgets: what the engine's calls do to the controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/translations.h"
#include "view/messages.h"

namespace zm {
namespace {

using test::QtMessageWatcher;
using test::QtProgram;

TEST(QtWindowModel, lists_choose_only_their_own_entries) {
    QtProgram program;
    WindowModel& ui = program.windows();
    ui.setText(form1::Combo1, "1.5");
    EXPECT_EQ(ui.text(form1::Combo1), "1.5");
    for (std::string_view notEntry : {"2.75", " 2.7", "1.50", "", "abc"}) {
        ui.setText(form1::Combo1, notEntry);
        EXPECT_EQ(ui.text(form1::Combo1), "1.5") << notEntry;
    }
    ui.setText(form1::Combo2, "0");
    EXPECT_EQ(program.control<QComboBox>(form1::Combo2)->currentText(), QStringLiteral("0"));
}

TEST(QtWindowModel, texts_and_captions_reach_the_widgets_in_utf8) {
    QtProgram program;
    WindowModel& ui = program.windows();
    ui.setText(form1::Text19, "-1,234.56");
    EXPECT_EQ(program.control<QLineEdit>(form1::Text19)->text(), QStringLiteral("-1,234.56"));
    EXPECT_EQ(ui.text(form1::Text19), "-1,234.56");
    ui.setCaption(form1::Label17, "大亏特亏");
    EXPECT_EQ(program.control<QLabel>(form1::Label17)->text(), QStringLiteral("大亏特亏"));
    EXPECT_EQ(ui.caption(form1::Label17), "大亏特亏");
    ui.setCaption(form1::Label19_17, "％");
    EXPECT_EQ(ui.caption(form1::Label19_17), "％");
    EXPECT_EQ(ui.caption(form1::Frame2), "买入计算");
    EXPECT_EQ(ui.caption(form1::Command4), "清 空");
    EXPECT_EQ(ui.caption(form1::Option3), "基金、权证");
}

TEST(QtWindowModel, colours_backgrounds_locks_and_tool_tips_change_the_widgets) {
    QtProgram program;
    WindowModel& ui = program.windows();
    ui.setForeColor(form1::Label17, kRed);
    EXPECT_EQ(program.control(form1::Label17)->palette().color(QPalette::WindowText),
              QColor(255, 0, 0));
    ui.setForeColor(form1::Label17, kBlack);
    EXPECT_EQ(program.control(form1::Label17)->palette().color(QPalette::WindowText),
              QColor(0, 0, 0));

    ui.setReadOnly(form1::Text2, true);
    ui.setBackground(form1::Text2, Background::ButtonFace);
    EXPECT_TRUE(ui.isReadOnly(form1::Text2));
    EXPECT_EQ(program.control(form1::Text2)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Button));
    ui.setReadOnly(form1::Text2, false);
    ui.setBackground(form1::Text2, Background::Window);
    EXPECT_FALSE(program.control<QLineEdit>(form1::Text2)->isReadOnly());
    EXPECT_EQ(program.control(form1::Text2)->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Base));

    ui.setToolTip(form1::Label8, "保本");
    EXPECT_EQ(program.control(form1::Label8)->toolTip(), QStringLiteral("保本"));
    ui.setToolTip(form1::Text9, "每股");
    EXPECT_EQ(program.control(form1::Text9)->accessibleDescription(), QStringLiteral("每股"));
}

TEST(QtWindowModel, options_report_and_take_their_choice) {
    QtProgram program;
    WindowModel& ui = program.windows();
    EXPECT_TRUE(ui.isChecked(form1::Option1));
    ui.setChecked(form1::Option2, true);
    EXPECT_TRUE(ui.isChecked(form1::Option2));
    EXPECT_FALSE(ui.isChecked(form1::Option1));
}

TEST(QtWindowModel, controls_of_windows_not_open_read_empty_and_change_nothing) {
    QtProgram program;
    WindowModel& ui = program.windows();
    ui.unload(FormId::Form3);
    ui.setText(form3::Text1, "5");
    EXPECT_EQ(ui.text(form3::Text1), "");
    // The menus' dialogs are not windows of the model: their controls read empty too.
    ui.setText(formTarget::TextTarget, "5");
    EXPECT_EQ(ui.text(formTarget::TextTarget), "");
    EXPECT_FALSE(ui.isReadOnly(formTarget::TextTarget));
    ui.setFocus(formTarget::TextTarget);
    ui.selectAllInFocused();
}

TEST(QtWindowModel, load_show_hide_and_unload_manage_the_dialog_windows) {
    QtProgram program;
    WindowModel& ui = program.windows();
    // Form load's reset created both dialogs, hidden.
    ASSERT_TRUE(ui.isLoaded(FormId::Form3));
    ASSERT_TRUE(ui.isLoaded(FormId::Form4));
    EXPECT_FALSE(program.form(FormId::Form3)->isVisible());
    EXPECT_EQ(program.form(FormId::Form3)->objectName(), ui::qtName(form3::Form3));
    EXPECT_EQ(program.form(FormId::Form4)->objectName(), ui::qtName(form4::Form4));
    QWidget* form4 = program.form(FormId::Form4);
    ui.load(FormId::Form4);
    EXPECT_EQ(program.form(FormId::Form4), form4);

    ui.setText(form4::Text2, "300");
    ui.show(FormId::Form4);
    EXPECT_TRUE(form4->isVisible());
    ui.hide(FormId::Form4);
    EXPECT_FALSE(form4->isVisible());
    EXPECT_EQ(ui.text(form4::Text2), "300");

    QPointer<QWidget> gone = form4;
    ui.unload(FormId::Form4);
    EXPECT_FALSE(ui.isLoaded(FormId::Form4));
    EXPECT_FALSE(form4->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(gone, nullptr);
    ui.unload(FormId::Form4);  // not loaded: nothing

    ui.show(FormId::Form2);
    EXPECT_TRUE(ui.isLoaded(FormId::Form2));
    EXPECT_EQ(program.form(FormId::Form2)->objectName(), ui::qtName(form2::Form2));
}

TEST(QtWindowModel, select_all_right_after_showing_a_dialog_acts_on_the_field_given_the_focus) {
    QtProgram program;
    WindowModel& ui = program.windows();
    ui.setText(form4::Text1, "8.88");
    ui.show(FormId::Form4);
    ui.setFocus(form4::Text1);
    ui.selectAllInFocused();
    EXPECT_EQ(program.control<QLineEdit>(form4::Text1)->selectedText(), QStringLiteral("8.88"));
    ASSERT_TRUE(QtProgram::waitUntilActive(program.form(FormId::Form4)));
    EXPECT_EQ(QApplication::focusWidget(), program.control(form4::Text1));
    EXPECT_EQ(program.control<QLineEdit>(form4::Text1)->selectedText(), QStringLiteral("8.88"));
}

TEST(QtWindowModel,
     a_message_box_has_the_warning_icon_the_title_one_ok_button_and_the_text_as_given) {
    QtMessageWatcher watcher;
    QtProgram program;
    watcher.expect("输入错误，买入价格必须输入数字，请重新输入       ");
    program.windows().showMessage("输入错误，买入价格必须输入数字，请重新输入       ");
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("股票计算器提示"));
    EXPECT_EQ(watcher.seen()[0].icon, QMessageBox::Warning);
    EXPECT_EQ(watcher.seen()[0].buttonCount, 1);
}

TEST(QtWindowModel, the_ok_button_of_a_message_box_reads_chinese_in_an_english_session) {
    // The tests run in the C locale, the language of no Chinese desktop.
    QtMessageWatcher watcher;
    QtProgram program;
    watcher.expect(msg::kBuyQtyLot);
    program.windows().showMessage(msg::kBuyQtyLot);
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].okText, QStringLiteral("确定"));
}

TEST(QtWindowModel, a_resizable_window_keeps_its_size_as_the_least_and_its_controls_follow) {
    QtProgram program;
    program.windows().show(FormId::FormJournal);
    QWidget* window = program.form(FormId::FormJournal);
    const QSize least = window->size();
    EXPECT_EQ(window->minimumSize(), least);
    std::vector<std::pair<const layout::Control*, QRect>> before;
    for (const layout::Control* row : layout::rowsOf(FormId::FormJournal)) {
        if (QWidget* w = program.control(row->ctl);
            w != nullptr && row->kind != layout::Kind::Form) {
            before.emplace_back(row, w->geometry());
        }
    }
    constexpr int kWider = 200;
    constexpr int kTaller = 100;
    window->resize(least + QSize(kWider, kTaller));
    QApplication::processEvents();
    for (const auto& [row, was] : before) {
        const layout::Follow& f = row->follow;
        const QRect expected(was.x() + kWider * f.moveX / 100, was.y() + kTaller * f.moveY / 100,
                             was.width() + kWider * f.growX / 100,
                             was.height() + kTaller * f.growY / 100);
        EXPECT_EQ(program.control(row->ctl)->geometry(), expected) << row->name();
    }
}

TEST(QtWindowModel, a_question_gives_the_answer_and_the_folder_dialog_the_folder_typed) {
    QtMessageWatcher watcher;
    QtProgram program;
    for (const bool yes : {true, false}) {
        watcher.expect(msg::kJournalDeleteQuestion);
        watcher.answer(yes);
        EXPECT_EQ(program.windows().askYesNo(msg::kJournalDeleteQuestion), yes);
    }
    ASSERT_EQ(watcher.seen().size(), 2u);
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("股票计算器提示"));
    EXPECT_EQ(watcher.seen()[0].icon, QMessageBox::Question);
    EXPECT_EQ(watcher.seen()[0].buttonCount, 2);
    const QTemporaryDir folder;
    watcher.typeFolder(folder.path().toStdString());
    EXPECT_EQ(program.windows().chooseFolder(msg::kExportFolderTitle, "/"),
              folder.path().toStdString());
    watcher.typeFolder("");
    EXPECT_EQ(program.windows().chooseFolder(msg::kExportFolderTitle, "/"), std::nullopt);
}

}  // namespace
}  // namespace zm

namespace zm {
namespace {

// Every entry of a context menu reads Chinese (a separator has no text).
bool allChinese(QMenu* menu) {
    bool chinese = true;
    for (QAction* item : menu->actions()) {
        const QString text = item->text();
        chinese =
            chinese && (item->isSeparator() || std::any_of(text.begin(), text.end(), [](QChar c) {
                            return c.unicode() >= 0x4E00;
                        }));
    }
    return chinese;
}

TEST(QtWindowModel, fields_context_menus_and_message_buttons_are_chinese_without_qts_translation) {
    // Qt's own translation taken away, as on a system without qt6-translations-l10n.
    QList<QTranslator*> removed;
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        if (dynamic_cast<ui::FallbackTranslator*>(t) == nullptr) {
            QCoreApplication::removeTranslator(t);
            removed.append(t);
        }
    }
    QtMessageWatcher watcher;
    QtProgram program;
    std::unique_ptr<QMenu> field(
        program.control<QLineEdit>(form1::Text1)->createStandardContextMenu());
    EXPECT_TRUE(allChinese(field.get()));
    QTextEdit note;
    std::unique_ptr<QMenu> text(note.createStandardContextMenu());
    EXPECT_TRUE(allChinese(text.get()));
    watcher.expect(msg::kBuyQtyLot);
    program.windows().showMessage(msg::kBuyQtyLot);
    ASSERT_EQ(watcher.seen().size(), 1u);
    EXPECT_EQ(watcher.seen()[0].okText, QStringLiteral("确定"));
    for (QTranslator* t : removed) {
        QCoreApplication::installTranslator(t);
    }
}

}  // namespace
}  // namespace zm
