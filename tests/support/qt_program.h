#pragma once

#include <QAction>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/qt_window_model.h"
#include "session/session.h"
#include "ui/qt_text.h"

namespace zm::test {

// The whole program as main() builds it (window model, session, Form1's load, Form1 shown and
// active), with its settings file in a fresh temporary directory.
class QtProgram {
public:
    struct Options {
        // Written into the settings file before the program starts (key "手续费" and "印花税"
        // of section "TIP"); nothing means no file.
        std::optional<std::string> commission;
        std::optional<std::string> stampDuty;
        bool show = true;
    };

    QtProgram();
    explicit QtProgram(const Options& options);
    ~QtProgram();
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;

    ui::QtWindowModel& windows() { return m_windows; }
    Session& session() { return m_session; }
    ui::MainWindow* form1() const { return m_windows.mainWindow(); }
    QWidget* form(FormId f) const { return m_windows.form(f); }

    // A control of a loaded form, or nullptr.
    template <class T = QWidget>
    T* control(Ctl c) const {
        return qobject_cast<T*>(m_windows.control(c));
    }

    // A menu item of the main window, to trigger as a click on it does.
    QAction* menuItem(Ctl c) const { return qobject_cast<QAction*>(m_windows.object(c)); }

    QString settingsPath() const;
    bool settingsFileExists() const;
    // Makes a window active, as a window manager would on a click, and waits until it is.
    static bool activate(QWidget* window);
    // Waits until a window is the one with the focus. (QTest::qWaitForWindowActive also takes a
    // batch dialog for active while its parent, the main window, is.)
    static bool waitUntilActive(QWidget* window);

private:
    QTemporaryDir m_dir;
    ui::QtWindowModel m_windows;
    Session m_session;
};

}  // namespace zm::test
