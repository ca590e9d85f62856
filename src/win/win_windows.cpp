// The program's windows as the session opens and closes them: shown where they were left, or
// where their row says (beside or over the main window), kept from input while a modal window
// is open, hidden and destroyed; the message box and the user guide page.
#include "win/win_window_model.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/program_folder.h"
#include "view/messages.h"
#include "win/wide_text.h"
#include "win/win_util.h"

namespace zm::win {
namespace {

layout::Rect toRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

layout::Rect windowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return toRect(r);
}

// The client area's top-left corner on the screen. A window is put back by its client area: the
// frame that Wine's window manager draws around a shown window is not the frame that the window
// rectangle of a hidden one takes, and a window put back by its frame moved by a title bar.
layout::Point clientOrigin(HWND hwnd) {
    POINT p{0, 0};
    ClientToScreen(hwnd, &p);
    return {p.x, p.y};
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

bool WinWindowModel::isLoaded(FormId f) const {
    return form(f).hwnd != nullptr;
}

void WinWindowModel::show(FormId f) {
    load(f);
    HWND hwnd = form(f).hwnd;
    if (!IsWindowVisible(hwnd)) {
        place(f);
    }
    updateModality(f, std::nullopt);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
}

void WinWindowModel::hide(FormId f) {
    HWND hwnd = form(f).hwnd;
    if (hwnd == nullptr) {
        return;
    }
    keepPlace(f);
    updateModality(std::nullopt, f);
    ShowWindow(hwnd, SW_HIDE);
}

void WinWindowModel::unload(FormId f) {
    destroyForm(f);
}

void WinWindowModel::destroyForm(FormId f) {
    HWND hwnd = form(f).hwnd;
    if (hwnd == nullptr) {
        return;
    }
    keepPlace(f);
    forget(f);
    updateModality(std::nullopt, std::nullopt);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemovePropW(hwnd, L"ZunmoForm");
    DestroyWindow(hwnd);
}

void WinWindowModel::forget(FormId f) {
    if (form(f).hwnd == nullptr) {
        return;
    }
    form(f) = Form{};
    for (const layout::Control* row : layout::rowsOf(f)) {
        const std::size_t i = row->ctl.index();
        m_controls[i] = nullptr;
        m_menus[i] = MenuPlace{};
        m_looks[i] = Look{};
        m_chosen[i] = false;
        m_tables.erase(row->ctl);
    }
}

void WinWindowModel::keepPlace(FormId f) {
    HWND hwnd = form(f).hwnd;
    HWND main = form(FormId::Form1).hwnd;
    if (hwnd != nullptr && IsWindowVisible(hwnd)) {
        m_places[static_cast<std::size_t>(f)] = KeptPlace{
            clientOrigin(hwnd), main != nullptr ? windowRect(main).topLeft() : layout::Point{}};
    }
}

void WinWindowModel::place(FormId f) {
    HWND hwnd = form(f).hwnd;
    const layout::Rect frame = windowRect(hwnd);
    HWND main = form(FormId::Form1).hwnd;
    const layout::Place where = layout::form(f).place;
    if (const auto& kept = m_places[static_cast<std::size_t>(f)];
        kept &&
        (main == nullptr || layout::returnsWhereLeft(where == layout::Place::BesideMain,
                                                     kept->mainAt, windowRect(main).topLeft()))) {
        // The client area goes back where it was; the frame is measured as the window is now.
        const layout::Point client = clientOrigin(hwnd);
        SetWindowPos(hwnd, nullptr, kept->client.x - (client.x - frame.left),
                     kept->client.y - (client.y - frame.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (where == layout::Place::Desktop || main == nullptr || main == hwnd ||
        !IsWindowVisible(main)) {
        return;
    }
    const layout::Rect mainFrame = windowRect(main);
    const layout::Rect work = toRect(workAreaOf(main));
    const layout::Size size{frame.width, frame.height};
    std::vector<layout::Rect> open;
    for (std::size_t i = 0; i < kFormCount; ++i) {
        HWND other = m_forms[i].hwnd;
        if (other != nullptr && other != hwnd && other != main && IsWindowVisible(other)) {
            open.push_back(windowRect(other));
        }
    }
    const layout::Point at = where == layout::Place::OverMain
                                 ? layout::centredOver(mainFrame, size, work)
                                 : layout::offOpenDialogs(layout::placeBeside(mainFrame, size, work,
                                                                              keptClearOfDialogs()),
                                                          size, open, work);
    SetWindowPos(hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

layout::Rect WinWindowModel::keptClearOfDialogs() const {
    layout::Rect kept;
    for (Ctl frame : layout::kKeptClearOfDialogs) {
        if (HWND hwnd = control(frame)) {
            kept = layout::united(kept, windowRect(hwnd));
        }
    }
    return kept;
}

void WinWindowModel::updateModality(std::optional<FormId> arriving, std::optional<FormId> leaving) {
    std::optional<FormId> modal;
    for (std::size_t i = 0; i < kFormCount; ++i) {
        const auto f = static_cast<FormId>(i);
        const bool open = f == arriving || (f != leaving && m_forms[i].hwnd != nullptr &&
                                            IsWindowVisible(m_forms[i].hwnd));
        if (layout::form(f).modal && open) {
            modal = f;
        }
    }
    for (std::size_t i = 0; i < kFormCount; ++i) {
        if (HWND hwnd = m_forms[i].hwnd) {
            const bool takesInput = !modal || *modal == static_cast<FormId>(i);
            if ((IsWindowEnabled(hwnd) != FALSE) != takesInput) {
                EnableWindow(hwnd, takesInput ? TRUE : FALSE);
            }
        }
    }
}

void WinWindowModel::quit() {
    // Ends the message loop once the running handler returns, with exit status 0.
    PostQuitMessage(0);
}

HWND WinWindowModel::dialogOwner() const {
    // Over the window the user is in: the one with the focus, else the active one, else the
    // main window.
    HWND owner = GetAncestor(GetFocus(), GA_ROOT);
    if (!isOurs(owner)) {
        owner = GetActiveWindow();
    }
    if (!isOurs(owner)) {
        owner = form(FormId::Form1).hwnd;
    }
    return owner;
}

void WinWindowModel::reactivate(HWND owner) {
    // The box's owner is active again before the program goes on (the refused field takes the
    // focus next): under Wine the activation may otherwise come late, and go to the main window.
    if (owner != nullptr && IsWindowVisible(owner) && GetActiveWindow() != owner) {
        SetActiveWindow(owner);
    }
}

void WinWindowModel::showMessage(std::string_view text) {
    HWND owner = dialogOwner();
    MessageBoxW(owner, toWide(text).c_str(), toWide(msg::kMessageTitle).c_str(),
                MB_OK | MB_ICONWARNING);
    reactivate(owner);
}

UserGuide WinWindowModel::openUserGuide() {
    // The guide comes beside the .exe (user-guide.html with its pictures in images\); the
    // program run from its build folder finds the page made there, in guide\.
    const std::string folder = settings::programFolder();
    const std::string beside = folder + "\\user-guide.html";
    const std::string built = folder + "\\guide\\user-guide.html";
    const std::string page = !fileExists(beside) && fileExists(built) ? built : beside;
    if (!fileExists(page)) {
        return {UserGuide::Outcome::Missing, page};
    }
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        form(FormId::Form2).hwnd, L"open", toWide(page).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return {result > 32 ? UserGuide::Outcome::Opened : UserGuide::Outcome::NoBrowser, page};
}

}  // namespace zm::win
