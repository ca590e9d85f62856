// Takes the pictures of the user guide from the real program: the windows are built as main()
// builds them, driven with key events and clicks as a user would drive them, and each window is
// saved as it paints itself (QWidget::grab). Every step is checked before the next one, so a
// picture never shows a drive that went wrong, and the run doubles as a test of the whole road.
//
//   zm_screenshots OUTPUT_DIRECTORY
//
// Writes main-window.png (a purchase and a partial sale typed with the Enter key),
// batch-buy.png (the multi-batch buy dialog with three batches), about-box.png, the main window
// under today's rules with the target price dialog, and one picture of each holding tool of the
// tools menu with its worked example (tool-average.png, tool-swing.png, tool-lots.png,
// tool-limit.png, tool-exrights.png), the journal window with the guide's worked example
// (journal.png) and the statement import with its fee check (import.png). Exit status
// 0 when every step and every picture succeeded, 1 otherwise (each failure is printed), 2 on a
// wrong command line. The pictures are at the screen's scale: QT_SCALE_FACTOR=2 gives twice the
// pixels, for checking the layout at high dpi. The settings file and the journal go into a
// temporary directory that is removed at the end.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "app/main_window.h"
#include "app/qt_window_model.h"
#include "guide_examples/journal_examples.h"
#include "session/session.h"
#include "settings/profile_file.h"
#include "ui/layout_build.h"
#include "ui/qt_text.h"
#include "ui/table_view.h"
#include "ui/translations.h"
#include "ui/widgets.h"

namespace {

using zm::Ctl;
using zm::FormId;
namespace form1 = zm::form1;
namespace form2 = zm::form2;
namespace formTarget = zm::formTarget;

int g_failures = 0;

// The sample statements of the import picture and the names of their copies, read together:
// new trades and rows skipped (bank transfers) from the first, rows whose amounts do not add up
// from the second.
constexpr std::pair<const char*, const char*> kImportSamples[] = {
    {"tab_gbk_quoted.txt", "交割单2024年3月.txt"}, {"unbalanced.csv", "交割单2024年8月.csv"}};

void fail(const QString& what) {
    ++g_failures;
    std::fprintf(stderr, "zm_screenshots: %s\n", qPrintable(what));
}

bool check(bool ok, const QString& what) {
    if (!ok) {
        fail(what);
    }
    return ok;
}

// A message box means the drive typed something the program refused: it is recorded as a
// failure and answered, so that the run never waits for a hand that is not there.
void watchForMessageBoxes(QObject* parent) {
    auto* timer = new QTimer(parent);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            fail(QStringLiteral("unexpected message: %1").arg(box->text()));
            box->accept();
        }
    });
    timer->start(50);
}

class Drive {
public:
    explicit Drive(zm::ui::QtWindowModel& windows) : m_windows(windows) {}

    QWidget* form(FormId f) const { return m_windows.form(f); }

    template <class T = QWidget>
    T* control(Ctl c) const {
        T* widget = qobject_cast<T*>(m_windows.control(c));
        if (widget == nullptr) {
            fail(QStringLiteral("no control %1").arg(zm::ui::qtName(c)));
        }
        return widget;
    }

    QString text(Ctl c) const {
        auto* field = control<QLineEdit>(c);
        return field == nullptr ? QString() : field->text();
    }

    QString caption(Ctl c) const {
        auto* label = control<QLabel>(c);
        return label == nullptr ? QString() : label->text();
    }

    // Types into the field that has the focus, which must be `expected`, then presses Enter.
    bool typeAndEnter(Ctl expected, const QString& typed) {
        QWidget* focus = QApplication::focusWidget();
        if (!check(focus != nullptr && focus == control(expected),
                   QStringLiteral("the focus is not in %1 before typing %2")
                       .arg(zm::ui::qtName(expected), typed))) {
            return false;
        }
        QTest::keyClicks(focus, typed);
        QTest::keyClick(focus, Qt::Key_Return);
        QTest::qWait(20);
        return true;
    }

    void click(Ctl button) {
        if (auto* b = control<QAbstractButton>(button)) {
            QTest::mouseClick(b, Qt::LeftButton);
            QTest::qWait(50);
        }
    }

    bool waitActive(FormId f) {
        QWidget* window = form(f);
        // The active window itself: a batch dialog counts as active for QTest while its
        // parent, the main window, is.
        return check(window != nullptr && QTest::qWaitFor([window] {
                         return window->windowHandle() != nullptr &&
                                QGuiApplication::focusWindow() == window->windowHandle();
                     }),
                     QStringLiteral("window %1 did not become active")
                         .arg(window == nullptr ? QStringLiteral("?") : window->objectName()));
    }

private:
    zm::ui::QtWindowModel& m_windows;
};

void save(QWidget* window, const QDir& dir, const QString& name) {
    if (window == nullptr) {
        return;
    }
    window->repaint();
    const QPixmap picture = window->grab();
    const QString path = dir.filePath(name);
    if (check(!picture.isNull() && picture.save(path, "PNG"),
              QStringLiteral("could not write %1").arg(path))) {
        std::printf("%s (%dx%d)\n", qPrintable(path), picture.width(), picture.height());
    }
}

// The keyboard road of one round trip: a purchase of 1,000 shares at 10.50 in Shanghai, sold
// in part, 600 shares at 11.80, so that the window shows the break-even price of the 400 left.
void roundTripByKeyboard(Drive& d) {
    if (!d.typeAndEnter(form1::Text1, QStringLiteral("10.5")) ||
        !d.typeAndEnter(form1::Text2, QStringLiteral("1000"))) {
        return;
    }
    check(
        d.text(form1::Text3) == QStringLiteral("10,500.00"),
        QStringLiteral("the buy side was not calculated: Text3 is '%1'").arg(d.text(form1::Text3)));
    if (!d.typeAndEnter(form1::Text11, QStringLiteral("11.8"))) {
        return;
    }
    check(d.text(form1::Text12) == QStringLiteral("1000"),
          QStringLiteral("the sell quantity was not prefilled: '%1'").arg(d.text(form1::Text12)));
    // The prefilled quantity is selected, so typing replaces it.
    if (!d.typeAndEnter(form1::Text12, QStringLiteral("600"))) {
        return;
    }
    check(d.caption(form1::Label17) == QStringLiteral("剩余股票") &&
              d.text(form1::Text19) == QStringLiteral("400") && !d.text(form1::Text9).isEmpty(),
          QStringLiteral("the partial sale is not shown: %1 %2")
              .arg(d.caption(form1::Label17), d.text(form1::Text19)));
}

// Three batches of a purchase typed into the multi-batch buy dialog, each confirmed with Enter.
void batchBuy(Drive& d) {
    d.click(form1::Command5);
    if (!d.waitActive(FormId::Form4)) {
        return;
    }
    const char* const typed[] = {"10.2", "300", "10.25", "500", "10.3", "200"};
    for (std::size_t i = 0; i < std::size(typed); ++i) {
        if (!d.typeAndEnter(zm::batchFields(FormId::Form4)[i], QString::fromLatin1(typed[i]))) {
            return;
        }
    }
    check(d.text(form1::Text2) == QStringLiteral("1,000") &&
              d.control<QLineEdit>(form1::Text1)->isReadOnly(),
          QStringLiteral("the combined purchase did not reach the main window: '%1'")
              .arg(d.text(form1::Text2)));
}

// Today's fee rules chosen from the menu, the commission typed as 0.25 per mille, and the same
// round trip as the user guide's example of them; then the target sell price for 500 yuan.
void todaysRules(Drive& d, zm::ui::MainWindow* form1) {
    d.click(form1::Command4);  // Clear
    form1->findChild<QAction*>(zm::ui::qtName(form1::mnuRulesCurrent))->trigger();
    auto* combo1 = d.control<QComboBox>(form1::Combo1);
    if (!check(combo1 != nullptr && combo1->isEditable(),
               QStringLiteral("today's rules did not make the commission editable"))) {
        return;
    }
    combo1->setCurrentText(QStringLiteral("0.25"));
    for (const auto& [field, typed] :
         {std::pair{form1::Text1, "10"}, std::pair{form1::Text2, "1000"},
          std::pair{form1::Text11, "10.5"}, std::pair{form1::Text12, "1000"}}) {
        if (!d.typeAndEnter(field, QString::fromLatin1(typed))) {
            return;
        }
    }
    check(d.text(form1::Text10) == QStringLiteral("10,005.10") &&
              d.text(form1::Text19) == QStringLiteral("484.54"),
          QStringLiteral("today's rules give %1 and %2")
              .arg(d.text(form1::Text10), d.text(form1::Text19)));
}

void targetPrice(zm::ui::MainWindow* form1) {
    form1->findChild<QAction*>(zm::ui::qtName(form1::mnuTarget))->trigger();
    auto* form = zm::ui::child<QWidget>(form1, formTarget::FormTarget);
    if (!check(form != nullptr && QTest::qWaitForWindowActive(form),
               QStringLiteral("the target dialog did not open"))) {
        return;
    }
    auto* target = zm::ui::child<QLineEdit>(form, formTarget::TextTarget);
    QTest::keyClicks(target, QStringLiteral("500"));
    QTest::keyClick(target, Qt::Key_Return);
    QTest::qWait(20);
    check(zm::ui::child<QLineEdit>(form, formTarget::TextTargetPrice)->text() ==
              QStringLiteral("10.52"),
          QStringLiteral("the target price is not 10.52"));
}

// A tool of the tools menu with its worked example: opened from its menu item, each control set
// as a user sets it (a field typed over, a list's entry or a date picked, an option clicked; an
// option has no text), Enter pressed in `enterIn`, and saved once `result` shows `expected`.
struct Set {
    Ctl ctl;
    const char* text = nullptr;
};

void toolPicture(Drive& d, zm::ui::MainWindow* form1, Ctl item, std::initializer_list<Set> sets,
                 Ctl enterIn, Ctl result, const QString& expected, const QDir& dir,
                 const QString& name) {
    form1->findChild<QAction*>(zm::ui::qtName(item))->trigger();
    const FormId f = enterIn.form();
    if (!d.waitActive(f)) {
        return;
    }
    for (const Set& s : sets) {
        QWidget* w = d.control(s.ctl);
        const QString text = QString::fromUtf8(s.text == nullptr ? "" : s.text);
        if (auto* date = qobject_cast<QDateEdit*>(w)) {
            date->setDate(QDate::fromString(text, Qt::ISODate));
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            list->setCurrentIndex(list->findText(text));
        } else if (qobject_cast<QRadioButton*>(w) != nullptr) {
            QTest::mouseClick(w, Qt::LeftButton);
        } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, text);
        }
    }
    QWidget* last = d.control(enterIn);
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    QTest::qWait(20);
    if (check(d.text(result) == expected,
              QStringLiteral("%1 shows '%2', not '%3'")
                  .arg(zm::ui::qtName(result), d.text(result), expected))) {
        save(d.form(f), dir, name);
    }
}

void toolPictures(Drive& d, zm::ui::MainWindow* form1, const QDir& out) {
    namespace avg = zm::formAverage;
    namespace swg = zm::formSwing;
    namespace lts = zm::formLots;
    namespace lim = zm::formLimit;
    namespace exr = zm::formExRights;
    toolPicture(d, form1, form1::mnuAverage,
                {{avg::TextAvgHeld, "1000"},
                 {avg::TextAvgCost, "12"},
                 {avg::TextAvgPrice, "9"},
                 {avg::OptAvg_1},
                 {avg::TextAvgTarget, "10.5"}},
                avg::TextAvgTarget, avg::TextAvgNewCost, QStringLiteral("10.431"), out,
                QStringLiteral("tool-average.png"));
    toolPicture(d, form1, form1::mnuSwing,
                {{swg::TextSwingHeld, "1000"},
                 {swg::TextSwingCost, "10.5"},
                 {swg::TextSwingQty, "500"},
                 {swg::TextSwingBuy, "9.8"},
                 {swg::TextSwingSell, "10.1"}},
                swg::TextSwingSell, swg::TextSwingProfit, QStringLiteral("137.37"), out,
                QStringLiteral("tool-swing.png"));
    toolPicture(d, form1, form1::mnuLots,
                {{lts::TextLotsCash, "10000"}, {lts::TextLotsPrice, "9.99"}}, lts::TextLotsPrice,
                lts::TextLotsLeft, QStringLiteral("4.90"), out, QStringLiteral("tool-lots.png"));
    toolPicture(d, form1, form1::mnuLimit,
                {{lim::TextLimitClose, "3.33"},
                 {lim::ComboLimitBoard, "主板ST"},
                 {lim::DateLimit, "2026-07-06"}},
                lim::TextLimitClose, lim::TextLimitUp, QStringLiteral("3.66"), out,
                QStringLiteral("tool-limit.png"));
    toolPicture(d, form1, form1::mnuExRights,
                {{exr::TextExClose, "10"},
                 {exr::TextExCash, "0.5"},
                 {exr::TextExRights, "3"},
                 {exr::TextExRightsPrice, "6"}},
                exr::TextExRightsPrice, exr::TextExPrice, QStringLiteral("9.04"), out,
                QStringLiteral("tool-exrights.png"));
}

// Each column of the tables made as wide as its header and cells, as a double click on the
// header's divider makes it, and the window widened until every column shows.
void fitColumns(zm::ui::QtWindowModel& windows, FormId f, std::initializer_list<Ctl> tables) {
    int missing = 0;
    for (Ctl c : tables) {
        auto* view = qobject_cast<zm::ui::TableView*>(windows.control(c));
        if (!check(view != nullptr, QStringLiteral("no table %1").arg(zm::ui::qtName(c)))) {
            return;
        }
        for (int column = 0; column < view->header()->count(); ++column) {
            view->resizeColumnToContents(column);
        }
        missing = std::max(missing, view->header()->length() - view->viewport()->width());
    }
    QWidget* window = windows.form(f);
    window->resize(window->width() + std::max(0, missing + 4), window->height());
    QTest::qWait(100);
}

// The journal's pictures: the worked example typed into the journal window, then two sample
// statements imported (copied beside the journal under the names a user's files might have,
// and typed relative to the current folder) and their fees checked.
void journalPictures(zm::Session& session, zm::ui::QtWindowModel& windows, const QDir& work,
                     const QDir& out) {
    const zm::guide::CellReader cell = [&windows](Ctl table, std::size_t row, std::size_t column) {
        auto* view = qobject_cast<zm::ui::TableView*>(windows.control(table));
        if (view == nullptr) {
            return std::string();
        }
        const std::vector<QStringList> rows = view->shownRows();
        const auto r = static_cast<qsizetype>(column);
        return row < rows.size() && r < rows[row].size() ? zm::ui::fromQ(rows[row][r])
                                                         : std::string();
    };
    const std::string journal = zm::guide::journalExample(session, windows, cell);
    if (check(journal.empty(), QString::fromStdString("journal: " + journal))) {
        fitColumns(windows, FormId::FormJournal,
                   {zm::formJournal::ListHoldings, zm::formJournal::ListEntries});
        save(windows.form(FormId::FormJournal), out, QStringLiteral("journal.png"));
    }
    session.handle(zm::formJournal::cmdClose, zm::Gesture::Click);

    QStringList typed;
    for (const auto& [sample, copy] : kImportSamples) {
        const QString name = QString::fromUtf8(copy);
        check(QFile::copy(QStringLiteral(ZM_STATEMENT_SAMPLES "/") + QString::fromUtf8(sample),
                          work.filePath(name)),
              QStringLiteral("could not copy %1").arg(QString::fromUtf8(sample)));
        typed << name;
    }
    const QString current = QDir::currentPath();
    QDir::setCurrent(work.path());
    const std::string imported = zm::guide::importExample(
        session, windows, cell, zm::ui::fromQ(typed.join(QStringLiteral(" ; "))));
    QDir::setCurrent(current);
    if (check(imported.empty(), QString::fromStdString("import: " + imported))) {
        fitColumns(windows, FormId::FormImport, {zm::formImport::ListImport});
        save(windows.form(FormId::FormImport), out, QStringLiteral("import.png"));
    }
    session.handle(zm::formImport::cmdCancel, zm::Gesture::Click);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zm_screenshots OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "zm_screenshots: cannot create %s\n", argv[1]);
        return 2;
    }
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid()) {
        std::fprintf(stderr, "zm_screenshots: no temporary directory\n");
        return 1;
    }

    // The program as main() starts it, but for the settings file's place.
    zm::ui::installFontSubstitutions();
    zm::ui::installQtTranslations();
    QApplication::setWindowIcon(zm::ui::commandIcon(QStringLiteral("app")));
    QApplication::setQuitOnLastWindowClosed(false);
    // A steady text cursor: the pictures do not depend on the moment they are taken.
    QApplication::setCursorFlashTime(0);
    watchForMessageBoxes(&app);

    zm::ui::QtWindowModel windows;
    zm::Session session(windows, zm::settings::settingsFilePath(zm::ui::fromQ(settingsDir.path())),
                        zm::ui::fromQ(settingsDir.filePath(QStringLiteral("journal.sqlite"))));
    windows.setSession(session);
    session.start();

    Drive d(windows);
    if (d.waitActive(FormId::Form1)) {
        roundTripByKeyboard(d);
        save(d.form(FormId::Form1), out, QStringLiteral("main-window.png"));

        batchBuy(d);
        save(d.form(FormId::Form4), out, QStringLiteral("batch-buy.png"));

        d.click(form1::Command3);
        if (d.waitActive(FormId::Form2)) {
            save(d.form(FormId::Form2), out, QStringLiteral("about-box.png"));
            d.click(form2::Command1);
            check(d.form(FormId::Form2) == nullptr || !d.form(FormId::Form2)->isVisible(),
                  QStringLiteral("OK did not close the about box"));
        }
        todaysRules(d, windows.mainWindow());
        save(d.form(FormId::Form1), out, QStringLiteral("main-window-today.png"));
        targetPrice(windows.mainWindow());
        save(zm::ui::child<QWidget>(windows.mainWindow(), formTarget::FormTarget), out,
             QStringLiteral("target-dialog.png"));
        toolPictures(d, windows.mainWindow(), out);
        journalPictures(session, windows, QDir(settingsDir.path()), out);

        d.click(form1::Command2);  // Exit
        check(!windows.isLoaded(FormId::Form1), QStringLiteral("Exit did not end the program"));
    }
    windows.destroyAll();
    return g_failures == 0 ? 0 : 1;
}
