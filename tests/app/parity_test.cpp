// The Qt program against the in-memory model of the tests: the same script of gestures, made
// with real key and mouse events on the real widgets, must leave every control, window and
// message as the in-memory model leaves them; and every row of the layout table has its widget.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QScopeGuard>
#include <QTest>

#include "layout/layout.h"
#include "support/parity.h"
#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/table_view.h"
#include "ui/widgets.h"

namespace zm {
namespace {

using test::parity::Act;
using test::parity::Snapshot;
using test::parity::Step;

class QtDriver : public test::parity::Driver {
public:
    // `expected` announces each step's message boxes to the watcher, which answers them; a box
    // with another text fails the test.
    explicit QtDriver(const std::vector<Snapshot>& expected) : m_expected(expected) {}

    void act(const Step& step) override {
        if (m_step < m_expected.size()) {
            for (const std::string& message : m_expected[m_step].messages) {
                m_watcher.expect(message);
            }
        }
        ++m_step;
        // The window manager's part, which the offscreen platform leaves out: when a message
        // box or a window goes, the window of the program active last before takes the
        // activation.
        const auto reactivate = qScopeGuard([this] {
            for (auto it = m_activations.rbegin();
                 QApplication::activeWindow() == nullptr && it != m_activations.rend(); ++it) {
                if (*it != nullptr && (*it)->isVisible()) {
                    test::QtProgram::activate(*it);
                }
            }
            if (QWidget* active = QApplication::activeWindow()) {
                m_activations.removeAll(active);
                m_activations.append(active);
            }
        });
        QObject* object = m_program.windows().object(step.ctl);
        ASSERT_NE(object, nullptr) << step.ctl.name() << " is not there";
        auto* widget = qobject_cast<QWidget*>(object);
        switch (step.act) {
            case Act::Type: {
                QWidget* target = widget;
                if (auto* list = qobject_cast<QComboBox*>(widget)) {
                    target = list->lineEdit();
                }
                auto* edit = qobject_cast<QLineEdit*>(target);
                ASSERT_NE(edit, nullptr) << step.ctl.name();
                edit->setFocus();
                edit->selectAll();
                typeInto(edit,
                         QString::fromUtf8(step.text.data(), static_cast<int>(step.text.size())));
                break;
            }
            case Act::Enter:
                widget->setFocus();
                QTest::keyClick(widget, Qt::Key_Return);
                break;
            case Act::Click:
                if (auto* item = qobject_cast<QAction*>(object)) {
                    item->trigger();
                } else {
                    clickInto(widget);
                }
                break;
            case Act::Choose:
                clickInto(widget);
                break;
            case Act::Pick: {
                auto* list = qobject_cast<QComboBox*>(widget);
                const int index = list->findText(QString::fromUtf8(step.text.data()));
                ASSERT_GE(index, 0) << step.text;
                list->setCurrentIndex(index);
                emit list->activated(index);
                break;
            }
            case Act::SetDate:
                // Typed over the selected text of the date field, as on Windows.
                widget->setFocus();
                QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(widget, QString::fromUtf8(step.text.data()));
                break;
            case Act::Close:
                widget->close();
                break;
            case Act::Sort: {
                QHeaderView* header = tableOf(widget)->header();
                const int column = test::parity::headerColumn(step);
                clickInto(header->viewport(), QPoint(header->sectionViewportPosition(column) +
                                                         header->sectionSize(column) / 2,
                                                     header->height() / 2));
                break;
            }
            case Act::ChooseRow:
            case Act::OpenRow: {
                ui::TableView* table = tableOf(widget);
                const QModelIndex shown = table->model()->index(test::parity::shownPlace(step), 0);
                ASSERT_TRUE(shown.isValid()) << "no row shown at " << step.text;
                table->scrollTo(shown);
                const QPoint at = table->visualRect(shown).center();
                clickInto(table->viewport(), at);
                if (step.act == Act::OpenRow) {
                    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
                }
                break;
            }
            case Act::Answer:
                m_watcher.answer(step.text == "是");
                break;
            case Act::TypeFolder:
                m_watcher.typeFolder(step.text);
                break;
        }
        QApplication::processEvents();
    }

    std::vector<std::vector<std::string>> table(Ctl c) const override {
        const auto* view = qobject_cast<const ui::TableView*>(m_program.windows().object(c));
        std::vector<std::vector<std::string>> lines;
        if (view == nullptr) {
            return lines;
        }
        const auto cells = [](const QStringList& texts) {
            std::vector<std::string> line;
            for (const QString& text : texts) {
                line.push_back(text.toStdString());
            }
            return line;
        };
        lines.push_back(cells(view->headers()));
        for (const QStringList& row : view->shownRows()) {
            lines.push_back(cells(row));
        }
        return lines;
    }

    const WindowModel& model() const override { return m_program.windows(); }

    bool isVisible(FormId f) const override {
        const QWidget* window = m_program.form(f);
        return window != nullptr && window->isVisible();
    }

    std::vector<std::string> takeMessages() override {
        std::vector<std::string> texts;
        for (; m_taken < m_watcher.seen().size(); ++m_taken) {
            texts.push_back(m_watcher.seen()[m_taken].text.toStdString());
        }
        return texts;
    }

    std::optional<Ctl> focus() const override {
        // The widget itself, or the part of one that takes the keys (an editable list's line).
        for (const QWidget* w = QApplication::focusWidget(); w != nullptr && !w->isWindow();
             w = w->parentWidget()) {
            for (std::size_t i = 0; i < kControlCount; ++i) {
                if (m_program.windows().object(controlAt(i)) == w) {
                    return controlAt(i);
                }
            }
        }
        return std::nullopt;
    }

    test::parity::Selection selection() const override {
        const std::optional<Ctl> c = focus();
        const auto* edit =
            c ? qobject_cast<const QLineEdit*>(m_program.windows().object(*c)) : nullptr;
        if (edit == nullptr || !edit->hasSelectedText()) {
            return {};
        }
        return {edit->selectionStart(), static_cast<int>(edit->selectedText().size())};
    }

    test::QtProgram& program() { return m_program; }

private:
    // A click into a window that is not active activates it first, as the window manager does.
    static void clickInto(QWidget* widget, QPoint at = {}) {
        if (!widget->window()->isActiveWindow()) {
            test::QtProgram::activate(widget->window());
        }
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }
    // Typed key by key; a character with no key of its own (Chinese) as an input method sends
    // it, a key event carrying its text.
    static void typeInto(QWidget* widget, const QString& text) {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(widget, ch.toLatin1());
            } else {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
                QApplication::sendEvent(widget, &press);
            }
        }
    }
    static ui::TableView* tableOf(QWidget* widget) {
        auto* table = qobject_cast<ui::TableView*>(widget);
        EXPECT_NE(table, nullptr);
        return table;
    }

    const std::vector<Snapshot>& m_expected;
    QList<QPointer<QWidget>> m_activations;  // the program's windows in the order last active
    std::size_t m_step = 0;
    test::QtMessageWatcher m_watcher;
    std::size_t m_taken = 0;
    mutable test::QtProgram m_program;
};

TEST(Parity, the_qt_program_shows_what_the_in_memory_model_shows_after_every_gesture) {
    test::parity::MemoryDriver memory;
    const std::vector<Snapshot> expected = test::parity::run(memory);
    QtDriver qt(expected);
    const std::vector<Snapshot> actual = test::parity::run(qt);
    EXPECT_EQ(test::parity::differences(expected, actual), std::vector<std::string>{});
}

TEST(Parity, every_row_of_every_window_has_its_widget_menu_or_item) {
    const std::vector<Snapshot> none;
    QtDriver qt(none);
    ui::QtWindowModel& windows = qt.program().windows();
    std::vector<std::string> missing;
    for (std::size_t i = 0; i < kFormCount; ++i) {
        const auto f = static_cast<FormId>(i);
        windows.load(f);
        for (const layout::Control* row : layout::rowsOf(f)) {
            if (windows.object(row->ctl) == nullptr) {
                missing.emplace_back(row->ctl.name());
            }
        }
    }
    EXPECT_EQ(missing, std::vector<std::string>{});
}

}  // namespace
}  // namespace zm
