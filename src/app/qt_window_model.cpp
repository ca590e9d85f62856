#include "app/qt_window_model.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <array>
#include <optional>

#include "about/about_box.h"
#include "app/main_window.h"
#include "batch/batch_dialog.h"
#include "fees/messages.h"
#include "session/session.h"
#include "ui/message_box.h"
#include "ui/placement.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace zm::ui {

namespace {

// The form a top-level widget of the program is, by its objectName.
std::optional<FormId> formOf(const QObject* window) {
    constexpr std::array<FormId, 4> kForms = {FormId::Form1, FormId::Form2, FormId::Form3,
                                              FormId::Form4};
    const QString name = window->objectName();
    const auto it =
        std::ranges::find_if(kForms, [&name](FormId f) { return name == qtName(formControl(f)); });
    return it == kForms.end() ? std::nullopt : std::optional<FormId>(*it);
}

}  // namespace

bool QtWindowModel::PlaceKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        const auto f = formOf(window);
        // A window that was never on the screen has no place yet.
        if (f && window->isWindow() && window->windowHandle() != nullptr) {
            m_places[*f] = window->geometry().topLeft();
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

QWidget* QtWindowModel::control(Ctl c) const {
    QWidget* window = form(c.form());
    if (window == nullptr) {
        return nullptr;
    }
    const QString name = toQ(c.name());
    if (window->objectName() == name) {
        return window;
    }
    QWidget* found = window->findChild<QWidget*>(name);
#ifndef NDEBUG
    // Every control the engine names is in the control table; one the window lacks is a window
    // built differently from the table.
    if (found == nullptr && window->findChild<QAction*>(name) == nullptr) {
        qFatal("%s has no control %s", qPrintable(window->objectName()), qPrintable(name));
    }
#endif
    return found;
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
    QWidget* w = control(c);
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return fromQ(label->text());
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
    QWidget* window = form(c.form());
    return window == nullptr ? nullptr : window->findChild<QAction*>(toQ(c.name()));
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
    } else if (auto* option = qobject_cast<QRadioButton*>(control(c))) {
        option->setChecked(checked);
    }
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

void QtWindowModel::setFocus(Ctl c) {
    QWidget* w = control(c);
    if (w == nullptr) {
        return;
    }
    w->setFocus(Qt::OtherFocusReason);
    // In a window that is not active yet the focus arrives when it becomes active.
    m_pendingFocus = QApplication::focusWidget() == w ? nullptr : w;
}

void QtWindowModel::selectAllInFocused() {
    QWidget* focused =
        m_pendingFocus != nullptr ? m_pendingFocus.data() : QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focused)) {
        edit->selectAll();
    }
}

void QtWindowModel::showMessage(std::string_view text) {
    QWidget* parent = QApplication::activeWindow();
    if (parent == nullptr) {
        parent = form(FormId::Form1);
    }
    QMessageBox box(QMessageBox::Warning, toQ(msg::kMessageTitle), toQ(text), QMessageBox::Ok,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    fitMessageText(box);
    box.exec();
}

bool QtWindowModel::isLoaded(FormId f) const {
    return form(f) != nullptr;
}

QWidget* QtWindowModel::create(FormId f) {
    Q_ASSERT(m_session != nullptr);
    switch (f) {
        case FormId::Form1:
            return new MainWindow(*m_session);
        case FormId::Form2:
            return new AboutBox(*m_session);
        case FormId::Form3:
        case FormId::Form4:
            // The main window as parent: the window manager keeps a dialog above it and with it.
            return new BatchDialog(f, *m_session, form(FormId::Form1));
        case FormId::FormRules:
        case FormId::FormMinimum:
        case FormId::FormTarget:
            // The menus' dialogs belong to the main window, which opens them itself.
            break;
    }
    return nullptr;
}

void QtWindowModel::load(FormId f) {
    if (isLoaded(f)) {
        return;
    }
    QWidget* window = create(f);
    if (window == nullptr) {
        return;
    }
    window->installEventFilter(&m_placeKeeper);
    m_forms[f] = window;
}

void QtWindowModel::place(FormId f, QWidget* window) const {
    if (const auto it = m_places.find(f); it != m_places.end()) {
        // Where it was, given as a position of its own: a window shown again without one is
        // placed anew by the window manager (the main window moved on each return from the
        // about box). It is the client area's position, which does not depend on the frame
        // that the window manager adds only while the window is on the screen.
        if (QWindow* handle = window->windowHandle()) {
            handle->setPosition(it->second);
        } else {
            window->setGeometry(QRect(it->second, window->size()));
        }
        return;
    }
    const MainWindow* main = mainWindow();
    if (f == FormId::Form1 || main == nullptr || !main->isVisible()) {
        return;
    }
    // The frames of the windows not yet shown are taken to be as wide as the main window's.
    const QRect mainFrame = main->frameGeometry();
    const QSize dialogFrame = window->size() + (mainFrame.size() - main->size());
    const QRect available = main->screen()->availableGeometry();
    if (f == FormId::Form2) {
        window->move(centredOver(mainFrame, dialogFrame, available));
    } else {
        window->move(placeBeside(mainFrame, dialogFrame, available, main->resultColumns()));
    }
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

void QtWindowModel::quit() {
    // Ends the event loop once the running handler returns, with exit status 0.
    QCoreApplication::exit(0);
}

}  // namespace zm::ui
