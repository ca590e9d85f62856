#include <windows.h>

#include <commctrl.h>

#include "journal/store.h"
#include "session/session.h"
#include "settings/program_folder.h"
#include "settings/settings_location.h"
#include "win/date_field.h"
#include "win/win_window_model.h"

// Held while the program runs, so that the setup program and the uninstaller
// (packaging/windows/zunmo-calc.nsi) can tell that it is running and refuse to replace or remove
// its files under it. More than one copy may run; each holds the same mutex.
constexpr wchar_t kRunningMutexName[] = L"zunmo-calc.running";

// Takes no arguments; reads and writes only the settings file TKVR.INI: beside the executable
// where its folder is writable and it is no installed copy, else in %APPDATA%\zunmo-calc
// (settings_location.h).
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command*/, int /*show*/) {
    // Closed by the system when the process ends.
    CreateMutexW(nullptr, FALSE, kRunningMutexName);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES |
                                                       ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    zm::win::useChineseCalendars();

    zm::win::WinWindowModel windows(instance);
    // The journal's file is per user (%APPDATA%); it is opened when first used.
    zm::Session session(windows,
                        zm::settings::settingsFileForProgram(zm::settings::programFolder()),
                        zm::journal::defaultJournalPath());
    windows.setSession(session);
    session.start();
    return windows.run();
}
