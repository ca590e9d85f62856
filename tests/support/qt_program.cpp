#include "support/qt_program.h"

#include <QApplication>
#include <QFile>
#include <QTest>

#include "settings/profile_file.h"
#include "ui/widgets.h"

namespace zm::test {
namespace {

std::string settingsFileIn(const QTemporaryDir& dir) {
    return settings::settingsFilePath(dir.path().toStdString());
}

}  // namespace

QtProgram::QtProgram() : QtProgram(Options{}) {}

QtProgram::QtProgram(const Options& options)
    : m_session(m_windows, settingsFileIn(m_dir),
                (m_dir.path() + "/journal.sqlite").toStdString()) {
    ui::installFontSubstitutions();
    QApplication::setQuitOnLastWindowClosed(false);
    settings::ProfileFile file(settingsFileIn(m_dir));
    if (options.commission) {
        file.writeString("TIP", "手续费", *options.commission);
    }
    if (options.stampDuty) {
        file.writeString("TIP", "印花税", *options.stampDuty);
    }
    m_windows.setSession(m_session);
    m_session.start(options.show);
    if (options.show) {
        activate(form1());
    }
}

QtProgram::~QtProgram() {
    // The windows go first: they hold the session.
    m_windows.destroyAll();
}

QString QtProgram::settingsPath() const {
    return QString::fromStdString(settingsFileIn(m_dir));
}

bool QtProgram::settingsFileExists() const {
    return QFile::exists(settingsPath());
}

bool QtProgram::activate(QWidget* window) {
    window->activateWindow();
    return waitUntilActive(window);
}

bool QtProgram::waitUntilActive(QWidget* window) {
    return QTest::qWaitFor([window] {
        return window->windowHandle() != nullptr &&
               QGuiApplication::focusWindow() == window->windowHandle();
    });
}

}  // namespace zm::test
