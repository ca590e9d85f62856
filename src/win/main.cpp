#include <windows.h>

#include <commctrl.h>

#include "session/session.h"
#include "settings/profile_file.h"
#include "settings/program_folder.h"
#include "win/win_window_model.h"

// Takes no arguments; reads and writes only the settings file beside the executable.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command*/, int /*show*/) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    zm::win::WinWindowModel windows(instance);
    zm::Session session(windows, zm::settings::settingsFilePath(zm::settings::programFolder()));
    windows.setSession(session);
    windows.load(zm::FormId::Form1);
    // Form load: the banner, then the engine's load steps.
    windows.showBanner();
    session.formLoad();
    windows.show(zm::FormId::Form1);
    return windows.run();
}
