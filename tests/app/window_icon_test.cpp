// The program's own icon (icons/app.svg, also installed for the desktop's launcher) is the icon
// of every window, so that the task bar shows one program whichever window is in front.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QTest>

#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "ui/widgets.h"

namespace zm {
namespace {

using test::QtMessageWatcher;
using test::QtProgram;

QImage drawn(const QIcon& icon, int size) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(WindowIcon, every_window_shows_the_programs_icon_at_every_size) {
    QtMessageWatcher watcher;
    QtProgram program;
    // Form4 and Form3 through their buttons; the about box last, as it hides the main window.
    QTest::mouseClick(program.control<QAbstractButton>(form1::Command5), Qt::LeftButton);
    QTest::mouseClick(program.control<QAbstractButton>(form1::Command6), Qt::LeftButton);
    QTest::mouseClick(program.control<QAbstractButton>(form1::Command3), Qt::LeftButton);
    const QIcon app = ui::commandIcon(QStringLiteral("app"));
    ASSERT_FALSE(app.isNull());
    for (FormId f : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4}) {
        QWidget* window = program.form(f);
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->objectName().toStdString());
        for (int size : {16, 32, 48}) {
            const QImage shown = drawn(window->windowIcon(), size);
            ASSERT_FALSE(shown.isNull());
            EXPECT_EQ(shown, drawn(app, size)) << size;
        }
    }
    // The other icons differ from it, so the comparison tells icons apart.
    EXPECT_NE(drawn(ui::commandIcon(QStringLiteral("about")), 32), drawn(app, 32));
}

}  // namespace
}  // namespace zm
