#include <windows.h>

#include <commctrl.h>

#include "session/session.h"
#include "settings/program_folder.h"
#include "settings/settings_location.h"
#include "win/date_field.h"
#include "win/win_window_model.h"

// Takes no arguments; reads and writes only the settings file TKVR.INI: beside the executable
// where its folder is writable, else in %APPDATA%\zunmo-calc (settings_location.h).
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command*/, int /*show*/) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    zm::win::useChineseCalendars();

    zm::win::WinWindowModel windows(instance);
    zm::Session session(windows,
                        zm::settings::settingsFileForProgram(zm::settings::programFolder()));
    windows.setSession(session);
    session.start();
    return windows.run();
}
