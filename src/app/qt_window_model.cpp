#include "app/qt_window_model.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

#include "about/about_box.h"
#include "app/main_window.h"
#include "layout/placement.h"
#include "session/session.h"
#include "ui/dialog_window.h"
#include "ui/message_box.h"
#include "ui/placement.h"
#include "ui/qt_text.h"
#include "ui/table_view.h"
#include "ui/widgets.h"
#include "view/messages.h"

namespace zm::ui {

namespace {

// The form a top-level widget of the program is, by its objectName.
std::optional<FormId> formOf(const QObject* window) {
    const QString name = window->objectName();
    for (std::size_t i = 0; i < kFormCount; ++i) {
        const auto f = static_cast<FormId>(i);
        if (name == qtName(formControl(f))) {
            return f;
        }
    }
    return std::nullopt;
}

}  // namespace

bool QtWindowModel::PlaceKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        const auto f = formOf(window);
        // A window that was never on the screen has no place yet.
        if (f && window->isWindow() && window->windowHandle() != nullptr) {
            QPoint mainAt;
            for (const QWidget* top : QApplication::topLevelWidgets()) {
                if (formOf(top) == FormId::Form1) {
                    mainAt = top->frameGeometry().topLeft();
                }
            }
            m_places[*f] = {window->geometry().topLeft(), mainAt};
        }
    }
    return false;
}

QtWindowModel::QtWindowModel() {
    QObject::connect(qApp, &QApplication::focusChanged, &m_context,
                     [this] { m_pendingFocus = nullptr; });
}

QtWindowModel::~QtWindowModel() {
    destroyAll();
}

void QtWindowModel::destroyAll() {
    for (auto& [id, window] : m_forms) {
        delete window.data();
    }
    m_forms.clear();
    for (auto& window : m_unloaded) {
        delete window.data();
    }
    m_unloaded.clear();
}

QWidget* QtWindowModel::form(FormId f) const {
    const auto it = m_forms.find(f);
    return it == m_forms.end() ? nullptr : it->second.data();
}

MainWindow* QtWindowModel::mainWindow() const {
    return static_cast<MainWindow*>(form(FormId::Form1));
}

QObject* QtWindowModel::object(Ctl c) const {
    return m_controls[c.index()].data();
}

QWidget* QtWindowModel::control(Ctl c) const {
    return qobject_cast<QWidget*>(object(c));
}

void QtWindowModel::report(Ctl c, Gesture g) {
    if (m_session != nullptr) {
        m_session->handle(c, g);
    }
}

std::string QtWindowModel::text(Ctl c) const {
    QWidget* w = control(c);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return fromQ(edit->text());
    }
    if (auto* list = qobject_cast<QComboBox*>(w)) {
        return fromQ(list->currentText());
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return fromQ(label->text());
    }
    return {};
}

void QtWindowModel::setText(Ctl c, std::string_view text) {
    QWidget* w = control(c);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(toQ(text));
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        // A drop-down list only chooses among its own entries; one the user may type into
        // takes any text.
        const int index = list->findText(toQ(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) {
            list->setCurrentIndex(index);
        } else if (list->isEditable()) {
            list->setCurrentText(toQ(text));
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(toQ(text));
    }
}

bool QtWindowModel::isReadOnly(Ctl c) const {
    auto* edit = qobject_cast<QLineEdit*>(control(c));
    return edit != nullptr && edit->isReadOnly();
}

void QtWindowModel::setReadOnly(Ctl c, bool readOnly) {
    if (auto* edit = qobject_cast<QLineEdit*>(control(c))) {
        edit->setReadOnly(readOnly);
    }
}

void QtWindowModel::setBackground(Ctl c, Background background) {
    if (QWidget* w = control(c)) {
        ui::setBackground(w, background);
    }
}

std::string QtWindowModel::caption(Ctl c) const {
    if (QAction* item = action(c)) {
        return fromQ(item->text());
    }
    if (auto* menu = qobject_cast<QMenu*>(object(c))) {
        return fromQ(menu->title());
    }
    QWidget* w = control(c);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return fromQ(label->text());
    }
    if (auto* note = qobject_cast<QTextEdit*>(w)) {
        return fromQ(note->toPlainText());
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        return fromQ(frame->title());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return fromQ(button->text());
    }
    if (w != nullptr && w->isWindow()) {
        return fromQ(w->windowTitle());
    }
    return {};
}

void QtWindowModel::setCaption(Ctl c, std::string_view caption) {
    QWidget* w = control(c);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(toQ(caption));
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        frame->setTitle(toQ(caption));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(toQ(caption));
    } else if (w != nullptr && w->isWindow()) {
        w->setWindowTitle(toQ(caption));
    }
}

Rgb QtWindowModel::foreColor(Ctl c) const {
    QWidget* w = control(c);
    if (w == nullptr) {
        return kBlack;
    }
    const QColor colour = w->palette().color(QPalette::WindowText);
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())};
}

std::string QtWindowModel::toolTip(Ctl c) const {
    QWidget* w = control(c);
    return w == nullptr ? std::string() : fromQ(w->toolTip());
}

void QtWindowModel::setForeColor(Ctl c, Rgb colour) {
    if (QWidget* w = control(c)) {
        ui::setForeColor(w, colour);
    }
}

void QtWindowModel::setToolTip(Ctl c, std::string_view toolTip) {
    QWidget* w = control(c);
    if (w == nullptr) {
        return;
    }
    w->setToolTip(toQ(toolTip));
    // A field's tool tip is also what a screen reader says about it.
    if (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QComboBox*>(w) != nullptr) {
        w->setAccessibleDescription(toQ(toolTip));
    }
}

QAction* QtWindowModel::action(Ctl c) const {
    return qobject_cast<QAction*>(object(c));
}

bool QtWindowModel::isChecked(Ctl c) const {
    if (QAction* item = action(c)) {
        return item->isChecked();
    }
    auto* option = qobject_cast<QAbstractButton*>(control(c));
    return option != nullptr && option->isChecked();
}

void QtWindowModel::setChecked(Ctl c, bool checked) {
    if (QAction* item = action(c)) {
        item->setChecked(checked);
    } else if (auto* option = qobject_cast<QAbstractButton*>(control(c));
               option != nullptr && option->isCheckable()) {
        option->setChecked(checked);  // an option button or a check box
    }
}

bool QtWindowModel::isEnabled(Ctl c) const {
    if (QAction* item = action(c)) {
        return item->isEnabled();
    }
    QWidget* w = control(c);
    return w == nullptr || w->isEnabled();
}

void QtWindowModel::setEnabled(Ctl c, bool enabled) {
    if (QAction* item = action(c)) {
        item->setEnabled(enabled);
    } else if (QWidget* w = control(c)) {
        w->setEnabled(enabled);
    }
}

void QtWindowModel::setEntries(Ctl c, const std::vector<std::string>& entries) {
    if (auto* list = qobject_cast<QComboBox*>(control(c))) {
        list->clear();
        for (const std::string& entry : entries) {
            list->addItem(toQ(entry));
        }
    }
}

void QtWindowModel::setEditable(Ctl c, bool editable) {
    if (auto* list = qobject_cast<QComboBox*>(control(c))) {
        list->setEditable(editable);
        if (editable) {
            // Typed rates are taken as typed: no completion, no entries added on Enter.
            list->setInsertPolicy(QComboBox::NoInsert);
            list->setCompleter(nullptr);
        }
    }
}

void QtWindowModel::setTabAfter(Ctl c, Ctl previous) {
    if (QWidget* w = control(c), *before = control(previous); w != nullptr && before != nullptr) {
        QWidget::setTabOrder(before, w);
    }
}

void QtWindowModel::setFocus(Ctl c) {
    QWidget* w = control(c);
    if (w == nullptr) {
        return;
    }
    w->setFocus(Qt::OtherFocusReason);
    // The focus moved into another window of the program brings that window to the front, as
    // SetFocus does on Windows; in a window not shown yet it arrives when the window becomes
    // active.
    if (QWidget* window = w->window(); window->isVisible() && !window->isActiveWindow() &&
                                       QApplication::activeModalWidget() == nullptr) {
        window->activateWindow();
    }
    m_pendingFocus = QApplication::focusWidget() == w ? nullptr : w;
}

void QtWindowModel::selectAllInFocused() {
    QWidget* focused =
        m_pendingFocus != nullptr ? m_pendingFocus.data() : QApplication::focusWidget();
    if (auto* list = qobject_cast<QComboBox*>(focused)) {
        focused = list->lineEdit();  // a list the user types into: its text; else none
    }
    if (auto* edit = qobject_cast<QLineEdit*>(focused)) {
        edit->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(focused)) {
        spin->selectAll();
    }
}

QWidget* QtWindowModel::dialogOwner() const {
    QWidget* parent = QApplication::activeWindow();
    return parent != nullptr ? parent : form(FormId::Form1);
}

void QtWindowModel::showMessage(std::string_view text) {
    QMessageBox box(QMessageBox::Warning, toQ(msg::kMessageTitle), toQ(text), QMessageBox::Ok,
                    dialogOwner());
    box.setDefaultButton(QMessageBox::Ok);
    // 确定 whatever language the session has and whatever translations are installed.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    fitMessageText(box);
    box.exec();
}

bool QtWindowModel::askYesNo(std::string_view text) {
    QMessageBox box(QMessageBox::Question, toQ(msg::kMessageTitle), toQ(text),
                    QMessageBox::Yes | QMessageBox::No, dialogOwner());
    // 否 the default, so that Enter never agrees by accident; Esc and the close box answer 否.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    fitMessageText(box);
    return box.exec() == QMessageBox::Yes;
}

void QtWindowModel::setRows(Ctl c, const std::vector<Cells>& rows) {
    if (auto* table = qobject_cast<TableView*>(control(c))) {
        table->setRows(rows);
    }
}

std::optional<std::size_t> QtWindowModel::chosenRow(Ctl c) const {
    const auto* table = qobject_cast<TableView*>(control(c));
    return table != nullptr ? table->chosenRow() : std::nullopt;
}

void QtWindowModel::chooseRow(Ctl c, std::optional<std::size_t> row) {
    if (auto* table = qobject_cast<TableView*>(control(c))) {
        table->chooseRow(row);
    }
}

std::optional<std::string> QtWindowModel::chooseFolder(std::string_view title,
                                                       std::string_view start) {
    const QString folder = QFileDialog::getExistingDirectory(dialogOwner(), toQ(title), toQ(start));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return fromQ(QDir::toNativeSeparators(folder));
}

std::vector<std::string> QtWindowModel::chooseFiles(std::string_view title, std::string_view start,
                                                    std::string_view filter) {
    const QStringList files =
        QFileDialog::getOpenFileNames(dialogOwner(), toQ(title), toQ(start), toQ(filter));
    std::vector<std::string> paths;
    std::ranges::transform(files, std::back_inserter(paths), [](const QString& file) {
        return fromQ(QDir::toNativeSeparators(file));
    });
    return paths;
}

bool QtWindowModel::isLoaded(FormId f) const {
    return form(f) != nullptr;
}

QWidget* QtWindowModel::create(FormId f) {
    Q_ASSERT(m_session != nullptr);
    const GestureSink sink = [this](Ctl c, Gesture g) { report(c, g); };
    const BuiltControls* built = nullptr;
    QWidget* window = nullptr;
    if (f == FormId::Form1) {
        auto* main = new MainWindow(sink);
        built = &main->controls();
        window = main;
    } else if (f == FormId::Form2) {
        auto* about = new AboutBox(sink);
        built = &about->controls();
        window = about;
    } else {
        // A window the main window owns has it as parent: the window manager keeps it above the
        // main window and with it.
        auto* dialog =
            new DialogWindow(f, sink, layout::form(f).ownedByMain ? form(FormId::Form1) : nullptr);
        built = &dialog->controls();
        window = dialog;
    }
    for (const auto& [ctl, made] : *built) {
        m_controls[ctl.index()] = made;
    }
    return window;
}

void QtWindowModel::load(FormId f) {
    if (isLoaded(f)) {
        return;
    }
    QWidget* window = create(f);
    window->installEventFilter(&m_placeKeeper);
    m_forms[f] = window;
}

void QtWindowModel::place(FormId f, QWidget* window) const {
    const MainWindow* main = mainWindow();
    const layout::Place where = layout::form(f).place;
    const auto it = m_places.find(f);
    if (it != m_places.end() &&
        (main == nullptr ||
         layout::returnsWhereLeft(where == layout::Place::BesideMain,
                                  {it->second.mainAt.x(), it->second.mainAt.y()},
                                  {main->frameGeometry().x(), main->frameGeometry().y()}))) {
        // Where it was, given as a position of its own: a window shown again without one is
        // placed anew by the window manager (the main window moved on each return from the
        // about box). It is the client area's position, which does not depend on the frame
        // that the window manager adds only while the window is on the screen.
        if (QWindow* handle = window->windowHandle()) {
            handle->setPosition(it->second.at);
        } else {
            window->setGeometry(QRect(it->second.at, window->size()));
        }
        return;
    }
    if (where == layout::Place::Desktop || main == nullptr || !main->isVisible()) {
        return;
    }
    // The frames of the windows not yet shown are taken to be as wide as the main window's.
    const QRect mainFrame = main->frameGeometry();
    const QSize dialogFrame = window->size() + (mainFrame.size() - main->size());
    const QRect available = main->screen()->availableGeometry();
    if (where == layout::Place::OverMain) {
        window->move(centredOver(mainFrame, dialogFrame, available));
        return;
    }
    const QPoint beside =
        placeBeside(mainFrame, dialogFrame, available, main->keptClearOfDialogs());
    std::vector<layout::Rect> open;
    for (const auto& [other, shown] : m_forms) {
        if (other != f && other != FormId::Form1 && shown != nullptr && shown->isVisible()) {
            const QRect r = shown->frameGeometry();
            open.push_back({r.x(), r.y(), r.width(), r.height()});
        }
    }
    const layout::Point at = layout::offOpenDialogs(
        {beside.x(), beside.y()}, {dialogFrame.width(), dialogFrame.height()}, open,
        {available.x(), available.y(), available.width(), available.height()});
    window->move(at.x, at.y);
}

void QtWindowModel::show(FormId f) {
    load(f);
    QWidget* window = form(f);
    if (!window->isVisible()) {
        place(f, window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void QtWindowModel::hide(FormId f) {
    if (QWidget* window = form(f)) {
        window->hide();
    }
}

void QtWindowModel::unload(FormId f) {
    const auto it = m_forms.find(f);
    if (it == m_forms.end()) {
        return;
    }
    QPointer<QWidget> window = it->second;
    m_forms.erase(it);
    for (const layout::Control* row : layout::rowsOf(f)) {
        m_controls[row->ctl.index()] = nullptr;
    }
    if (window == nullptr) {
        return;
    }
    // Hidden at once and out of the model, so the rest of the handler no longer sees it;
    // destroyed once control is back in the event loop. hide(), not close(): a window's own
    // close handling calls back into the engine, which is unloading it.
    window->hide();
    window->deleteLater();
    m_unloaded.push_back(window);
    std::erase_if(m_unloaded, [](const QPointer<QWidget>& w) { return w == nullptr; });
}

void QtWindowModel::paintBanner() {
    mainWindow()->WZ();
}

void QtWindowModel::quit() {
    // Ends the event loop once the running handler returns, with exit status 0.
    QCoreApplication::exit(0);
}

UserGuide QtWindowModel::openUserGuide() {
    const QUrl page = m_guidePath.isEmpty() ? userGuideUrl() : QUrl::fromLocalFile(m_guidePath);
    const std::string path = fromQ(page.toLocalFile());
    if (!QFileInfo::exists(page.toLocalFile())) {
        return {UserGuide::Outcome::Missing, path};
    }
    if (!openInBrowser(page)) {
        return {UserGuide::Outcome::NoBrowser, path};
    }
    return {UserGuide::Outcome::Opened, path};
}

}  // namespace zm::ui
