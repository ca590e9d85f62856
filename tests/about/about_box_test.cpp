// The about box on real widgets: it takes the main window's place until OK or its close box,
// shows the note, the notice and our banner, and its picture opens the program's page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

#include "about/about_box.h"
#include "support/qt_message_watcher.h"
#include "support/qt_program.h"
#include "view/messages.h"

namespace zm {
namespace {

using test::QtMessageWatcher;
using test::QtProgram;

// A user guide page in a temporary folder, for the picture to open.
struct GuideStandIn {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("user-guide.html"));
    GuideStandIn() {
        QFile page(path);
        EXPECT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html></html>");
    }
};

// PATH and BROWSER as a test sets them, restored when it ends.
class BrowserEnvironment {
public:
    BrowserEnvironment(const QString& path, const QByteArray& browser)
        : m_path(qgetenv("PATH")),
          m_browser(qgetenv("BROWSER")),
          m_hadBrowser(qEnvironmentVariableIsSet("BROWSER")) {
        qputenv("PATH", path.toLocal8Bit());
        if (browser.isEmpty()) {
            qunsetenv("BROWSER");
        } else {
            qputenv("BROWSER", browser);
        }
    }
    ~BrowserEnvironment() {
        qputenv("PATH", m_path);
        if (m_hadBrowser) {
            qputenv("BROWSER", m_browser);
        } else {
            qunsetenv("BROWSER");
        }
    }

private:
    QByteArray m_path;
    QByteArray m_browser;
    bool m_hadBrowser;
};

// A program in `dir` that writes its arguments, one a line, into `dir`/<name>.args.
void writeBrowser(const QString& dir, const QString& name) {
    QFile script(dir + QLatin1Char('/') + name);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1/%2.args'\n")
                     .arg(dir, name)
                     .toUtf8());
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QWidget* openAbout(QtProgram& program) {
    QTest::mouseClick(program.control<QPushButton>(form1::Command3), Qt::LeftButton);
    QWidget* about = program.form(FormId::Form2);
    EXPECT_TRUE(about != nullptr && QTest::qWaitForWindowActive(about));
    return about;
}

// Stands in for the system's web browser: records every page it is asked to open.
TEST(AboutBox, about_replaces_the_main_window_and_ok_brings_it_back_unchanged) {
    QtMessageWatcher watcher;
    QtProgram program;
    program.control<QLineEdit>(form1::Text1)->setText(QStringLiteral("9.50"));
    QWidget* about = openAbout(program);
    EXPECT_FALSE(program.form1()->isVisible());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("关于股票交易费用Zunmo计算器"));
    EXPECT_EQ(about->size(), QSize(401, 481));  // 6015 × 7215 twips
    auto* ok = program.control<QToolButton>(form2::Command1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("确 定"));
    EXPECT_FALSE(ok->icon().isNull());
    EXPECT_EQ(QApplication::focusWidget(), ok);

    QPointer<QWidget> guard = about;
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(program.form1()->isVisible());
    EXPECT_FALSE(program.windows().isLoaded(FormId::Form2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return guard == nullptr; }));
    EXPECT_EQ(program.control<QLineEdit>(form1::Text1)->text(), QStringLiteral("9.50"));

    // Opened again: a fresh window with the same texts.
    openAbout(program);
    EXPECT_EQ(program.control<QTextEdit>(form2::Label1)->toPlainText(), ui::aboutNote());
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(AboutBox, the_close_box_and_enter_on_ok_bring_the_main_window_back_too) {
    QtMessageWatcher watcher;
    QtProgram program;
    EXPECT_TRUE(openAbout(program)->close());
    EXPECT_TRUE(program.form1()->isVisible());
    EXPECT_FALSE(program.windows().isLoaded(FormId::Form2));

    openAbout(program);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(program.form1()->isVisible());
    EXPECT_FALSE(program.windows().isLoaded(FormId::Form2));
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(AboutBox, note_and_notice_say_why_the_program_exists_and_where_it_lives) {
    QtProgram program;
    openAbout(program);
    auto* note = program.control<QTextEdit>(form2::Label1);
    auto* notice = program.control<QLabel>(form2::Label2);
    ASSERT_NE(note, nullptr);
    ASSERT_NE(notice, nullptr);
    const QString text = note->toPlainText();
    EXPECT_EQ(text, ui::aboutNote());
    EXPECT_EQ(notice->text(), ui::aboutNotice());
    EXPECT_GE(text.size(), 420);
    EXPECT_LE(text.size(), 450);
    EXPECT_TRUE(text.trimmed().endsWith(QStringLiteral("Zunmo")));  // the signature
    EXPECT_TRUE(text.contains(QStringLiteral("你们好")));
    EXPECT_EQ(notice->text().count(QStringLiteral("。")), 1);
    EXPECT_TRUE(notice->text().contains(QStringLiteral("使用说明")));
    EXPECT_EQ(note->font().pointSizeF(), 12.0);
    EXPECT_EQ(note->lineWrapMode(), QTextEdit::WidgetWidth);
    // Every line of the notice can be read: nothing is cut off at the bottom.
    EXPECT_GE(notice->height(), notice->heightForWidth(notice->width()));
}

TEST(AboutBox, tab_takes_the_focus_to_the_read_only_note_and_the_keys_scroll_it) {
    QtProgram program;
    openAbout(program);
    auto* note = program.control<QTextEdit>(form2::Label1);
    ASSERT_NE(note, nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), note);
    EXPECT_TRUE(note->isReadOnly());
    QScrollBar* bar = note->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);  // the note is longer than its box
    QTest::keyClick(note, Qt::Key_Down);
    const int afterDown = bar->value();
    EXPECT_GT(afterDown, 0);
    QTest::keyClick(note, Qt::Key_PageDown);
    EXPECT_GT(bar->value(), afterDown);
    QTest::keyClick(note, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(note, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(note->textCursor().selectedText().size(), ui::aboutNote().size());
    EXPECT_EQ(note->toPlainText(), ui::aboutNote());  // the keys changed nothing
    QTest::keyClick(note, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), ui::qtName(form2::Command1));
}

TEST(AboutBox, the_banner_is_our_own_picture_of_210_by_90) {
    QtProgram program;
    openAbout(program);
    auto* image = program.control<QLabel>(form2::Image1);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(96, 16, 210, 90));
    const QImage picture = image->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(210, 90));
    // Drawn, not blank: the paper and the blue name differ.
    EXPECT_NE(picture.pixelColor(105, 60), picture.pixelColor(3, 3));
    int blue = 0;
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 105; ++x) {
            const QColor c = picture.pixelColor(x, y);
            blue += c.blue() > 200 && c.red() < 80 && c.green() < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 100);
}

TEST(AboutBox, a_click_on_the_picture_opens_the_page_each_time_and_leaves_the_box_open) {
    QtMessageWatcher watcher;
    QtProgram program;
    // The desktop's opener, which notes each page it is given.
    QTemporaryDir bin;
    QFile opener(bin.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1/opened'\n")
                     .arg(bin.path())
                     .toUtf8());
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    BrowserEnvironment environment(bin.path(), {});
    GuideStandIn guide;
    program.windows().setUserGuidePath(guide.path);
    QWidget* about = openAbout(program);
    auto* image = program.control<QLabel>(form2::Image1);
    QTest::mouseClick(image, Qt::LeftButton);
    QTest::mouseClick(image, Qt::LeftButton);
    QFile opened(bin.filePath(QStringLiteral("opened")));
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    const QString page = QUrl::fromLocalFile(guide.path).toString();
    EXPECT_EQ(QString::fromUtf8(opened.readAll()),
              page + QLatin1Char('\n') + page + QLatin1Char('\n'));
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(program.form1()->isVisible());
    EXPECT_TRUE(watcher.seen().empty());
}

TEST(AboutBox, without_a_browser_a_message_says_where_the_page_is_and_the_box_stays) {
    // Only the offscreen platform is sure to have no browser to start.
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        GTEST_SKIP() << "needs the offscreen platform";
    }
    QtMessageWatcher watcher;
    QtProgram program;
    GuideStandIn guide;
    // No browser at all; then the desktop's opener alone, which finds none and says so.
    QTemporaryDir nothing;
    QTemporaryDir openerOnly;
    QFile opener(openerOnly.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nexit 3\n");
    opener.close();
    opener.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    for (const QTemporaryDir* path : {&nothing, &openerOnly}) {
        BrowserEnvironment environment(path->path(), {});
        program.windows().setUserGuidePath(guide.path);
        watcher.expect(msg::browserFailed(ui::fromQ(guide.path)));
        openAbout(program);
        QTest::mouseClick(program.control(form2::Image1), Qt::LeftButton);
        QTest::mouseClick(program.control<QAbstractButton>(form2::Command1), Qt::LeftButton);
    }
    QTemporaryDir none;
    BrowserEnvironment environment(none.path(), {});
    QWidget* about = openAbout(program);
    // A program copied without its page.
    const QString missing = guide.dir.filePath(QStringLiteral("gone/user-guide.html"));
    program.windows().setUserGuidePath(missing);
    watcher.expect(msg::guideMissing(ui::fromQ(missing)));
    QTest::mouseClick(program.control(form2::Image1), Qt::LeftButton);
    EXPECT_EQ(watcher.pending(), 0u);
    ASSERT_EQ(watcher.seen().size(), 3u);
    for (const auto& seen : watcher.seen()) {
        EXPECT_EQ(seen.title, QStringLiteral("股票计算器提示"));
        EXPECT_EQ(seen.icon, QMessageBox::Warning);
        EXPECT_TRUE(seen.text.endsWith(QStringLiteral("       ")));
    }
    EXPECT_TRUE(about->isVisible());
    EXPECT_TRUE(program.windows().isLoaded(FormId::Form2));
}

TEST(AboutBox, without_the_desktops_opener_the_picture_tries_browser_then_debians_browsers) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        GTEST_SKIP() << "needs the offscreen platform, which has no opener of its own";
    }
    const QString page = QStringLiteral("/usr/share/doc/zunmo-calc/user-guide.html");
    const std::vector<QStringList> commands =
        ui::fallbackBrowsers(page, QStringLiteral("w3m:firefox --new-tab %s::"));
    const std::vector<QStringList> expected = {
        {QStringLiteral("w3m"), page},
        {QStringLiteral("firefox"), QStringLiteral("--new-tab"), page},
        {QStringLiteral("sensible-browser"), page},
        {QStringLiteral("x-www-browser"), page}};
    EXPECT_EQ(commands, expected);

    QtMessageWatcher watcher;
    QtProgram program;
    GuideStandIn guide;
    QTemporaryDir bin;
    writeBrowser(bin.path(), QStringLiteral("x-www-browser"));
    // BROWSER names a program that is not there: the next one that is, is started.
    BrowserEnvironment environment(bin.path(), "no-such-browser %s");
    program.windows().setUserGuidePath(guide.path);
    openAbout(program);
    QTest::mouseClick(program.control(form2::Image1), Qt::LeftButton);
    QFile args(bin.filePath(QStringLiteral("x-www-browser.args")));
    ASSERT_TRUE(QTest::qWaitFor([&args] { return args.exists() && args.size() > 0; }, 5000));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(args.readAll()).trimmed(), guide.path);
    EXPECT_TRUE(watcher.seen().empty());
}

// The page the picture opens: the installed guide, else the copy in the build folder. The copy
// is the page the build makes, with every picture it shows beside it.
TEST(AboutBox, the_picture_opens_the_installed_guide_or_the_one_in_the_build_folder) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("lib/zunmo-calc")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/zunmo-calc")));
    const QString installed =
        prefix.filePath(QStringLiteral("share/doc/zunmo-calc/user-guide.html"));
    QFile page(installed);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    const QString build = QStringLiteral(ZM_BUILD_DIR);
    const struct {
        const char* name;
        QString programDirectory;
        QString page;
    } rows[] = {
        {"installed", prefix.filePath(QStringLiteral("lib/zunmo-calc")), installed},
        {"build_folder", build, build + QStringLiteral("/guide/user-guide.html")},
        {"neither_names_the_installed_place", prefix.filePath(QStringLiteral("x")),
         QDir::cleanPath(
             prefix.filePath(QStringLiteral("x/../../share/doc/zunmo-calc/user-guide.html")))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ui::userGuidePath(row.programDirectory), row.page);
    }

    QFile built(build + QStringLiteral("/guide/user-guide.html"));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(built.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<h2>使用说明</h2>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<table>")));
    const QRegularExpression image(QStringLiteral("<img [^>]*src=\"([^\"]+)\""));
    int pictures = 0;
    for (auto it = image.globalMatch(html); it.hasNext(); ++pictures) {
        const QString source = it.next().captured(1);
        EXPECT_TRUE(QFileInfo::exists(build + QStringLiteral("/guide/") + source))
            << source.toStdString();
    }
    EXPECT_EQ(pictures, 19);
}

}  // namespace
}  // namespace zm
