#include <QApplication>

#include "app/main_window.h"
#include "app/qt_window_model.h"
#include "journal/store.h"
#include "session/session.h"
#include "settings/settings_location.h"
#include "ui/qt_text.h"
#include "ui/translations.h"
#include "ui/widgets.h"

// Takes no arguments; reads and writes only the settings file TKVR.INI: beside the executable
// where its folder is writable, else in the user's settings folder (settings_location.h).
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zm::ui::installFontSubstitutions();
    // Chinese standard buttons and context menus on any desktop, as the rest of the program.
    zm::ui::installQtTranslations();
    QApplication::setWindowIcon(zm::ui::commandIcon(QStringLiteral("app")));
    // The installed launcher (zunmo-calc.desktop): Wayland desktops match the windows to it,
    // and so to its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("zunmo-calc"));
    // The program ends when the main window is unloaded, not when the last window closes: the
    // main window is hidden while the about box is open.
    QApplication::setQuitOnLastWindowClosed(false);

    zm::ui::QtWindowModel windows;
    // The journal's file is per user ($XDG_DATA_HOME); it is opened when first used.
    zm::Session session(
        windows,
        zm::settings::settingsFileForProgram(zm::ui::fromQ(QCoreApplication::applicationDirPath())),
        zm::journal::defaultJournalPath());
    windows.setSession(session);
    session.start();
    const int status = QApplication::exec();
    windows.destroyAll();
    return status;
}
