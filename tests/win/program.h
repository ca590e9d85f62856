// The Windows program as a user meets it, for the tests of tests/win: zunmo-calc.exe copied into
// a folder whose name has Chinese characters and blanks, started as a process of its own, driven
// with real input (SendInput: typed characters, keys, the menus' access keys, mouse clicks) and
// read back through the windows (WM_GETTEXT, the focus of its GUI thread, the selection), its
// message boxes found by their title and answered. Runs under Wine on Xvfb.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "session/session.h"
#include "settings/program_folder.h"
#include "support/memory_window_model.h"
#include "support/temp_dir.h"
#include "view/messages.h"
#include "win/wide_text.h"
#include "win/win_window_model.h"

namespace zm::test {

using namespace std::chrono_literals;
using win::toUtf8;
using win::toWide;

// Polls until `done` holds, for at most `patience`.
inline bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds patience = 5s) {
    const auto end = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return done();
}

inline void sendKeys(const std::vector<INPUT>& inputs) {
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()),
                        sizeof(INPUT)),
              inputs.size());
}

inline INPUT key(WORD vk, WORD unicode, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = unicode;
    in.ki.dwFlags = (unicode != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

// The program in a folder of its own, started and ended with the test.
class Program {
public:
    explicit Program(std::string_view iniBytes = {}, bool readOnlyIni = false) {
        const auto exe = pathOf(settings::programFolder()) / "zunmo-calc.exe";  // beside this
        m_folder = pathOf(m_dir.path()) / pathOf("股票 计算器");
        std::filesystem::create_directory(m_folder);
        std::filesystem::copy_file(exe, m_folder / "zunmo-calc.exe");
        if (!iniBytes.empty()) {
            std::ofstream(ini(), std::ios::binary) << iniBytes;
            if (readOnlyIni) {
                SetFileAttributesW(ini().c_str(), FILE_ATTRIBUTE_READONLY);
            }
        }
        start();
    }
    // The program that is already in `folder` (one the test may not write to).
    explicit Program(std::filesystem::path folder) : m_folder(std::move(folder)) { start(); }
    ~Program() {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_process.hProcess, 1);
            WaitForSingleObject(m_process.hProcess, 5000);
        }
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
        std::error_code ec;
        if (std::filesystem::exists(ini(), ec)) {
            SetFileAttributesW(ini().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const std::filesystem::path& folder() const { return m_folder; }
    std::filesystem::path ini() const { return m_folder / "TKVR.INI"; }

    // The visible window of the program whose title starts with the form's (the main window's
    // title tells the fee rules after it), or nullptr.
    HWND visibleForm(FormId f) const {
        const std::wstring title = toWide(layout::form(f).caption);
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            wchar_t text[128] = {};
            GetWindowTextW(w, text, 128);
            if (pid == m_process.dwProcessId && IsWindowVisible(w) &&
                std::wstring_view(text).starts_with(title)) {
                return w;
            }
        }
        return nullptr;
    }
    // The same, once it is there (a first start of Wine may take a while).
    HWND form(FormId f) const {
        HWND found = nullptr;
        waitFor([&] { return (found = visibleForm(f)) != nullptr; }, 20s);
        return found;
    }
    bool isVisible(FormId f) const { return visibleForm(f) != nullptr; }
    HWND control(Ctl c) const { return GetDlgItem(form(c.form()), win::controlId(c)); }
    // GetWindowTextW reads a control of another process from its creation caption only, so
    // the text is asked for with WM_GETTEXT, which is what GetWindowTextW sends in-process.
    std::string text(Ctl c) const {
        HWND hwnd = control(c);
        const auto length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return toUtf8(text);
    }
    HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(m_process.dwThreadId, &info);
        return info.hwndFocus;
    }
    bool focusIn(Ctl c) const {
        return waitFor([&] { return focus() == control(c); });
    }
    bool wholeTextSelected(Ctl c) const {
        HWND hwnd = control(c);
        const auto sel = static_cast<DWORD>(SendMessageW(hwnd, EM_GETSEL, 0, 0));
        return LOWORD(sel) == 0 && HIWORD(sel) == SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    }
    bool isReadOnly(Ctl c) const {
        return (GetWindowLongW(control(c), GWL_STYLE) & ES_READONLY) != 0;
    }

    std::string title(FormId f) const {
        wchar_t text[256] = {};
        GetWindowTextW(form(f), text, 256);
        return toUtf8(text);
    }
    RECT frame(FormId f) const {
        RECT r{};
        GetWindowRect(form(f), &r);
        return r;
    }
    bool isChecked(Ctl option) const {
        return SendMessageW(control(option), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool isEnabled(FormId f) const { return IsWindowEnabled(form(f)) != FALSE; }

    // Types into the control that has the focus.
    void type(std::string_view typed) {
        std::vector<INPUT> inputs;
        for (wchar_t ch : toWide(typed)) {
            inputs.push_back(key(0, ch, false));
            inputs.push_back(key(0, ch, true));
        }
        sendKeys(inputs);
    }
    // Types into the field that has the focus, then presses Enter.
    void typeAndEnter(std::string_view typed) {
        type(typed);
        press(VK_RETURN);
    }
    // Presses and releases a key, with Shift held when `shift`.
    void press(WORD vk, bool shift = false) {
        std::vector<INPUT> inputs;
        if (shift) {
            inputs.push_back(key(VK_SHIFT, 0, false));
        }
        inputs.push_back(key(vk, 0, false));
        inputs.push_back(key(vk, 0, true));
        if (shift) {
            inputs.push_back(key(VK_SHIFT, 0, true));
        }
        sendKeys(inputs);
    }
    // A menu item chosen by the keyboard: Alt with its menu's access key, then the item's.
    void chooseMenu(Ctl item) {
        const auto accessKey = [](Ctl c) {
            const std::string_view caption = layout::find(c)->caption;
            return static_cast<WORD>(caption[caption.find('&') + 1]);
        };
        const Ctl menu = *layout::find(item)->container;
        sendKeys({key(VK_MENU, 0, false), key(accessKey(menu), 0, false),
                  key(accessKey(menu), 0, true), key(VK_MENU, 0, true)});
        std::this_thread::sleep_for(200ms);
        press(accessKey(item));
    }
    // Ctrl+V with `text` on the clipboard.
    void paste(std::string_view text) {
        const std::wstring wide = toWide(text);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
        ASSERT_NE(memory, nullptr);
        std::copy(wide.c_str(), wide.c_str() + wide.size() + 1,
                  static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        sendKeys({key(VK_CONTROL, 0, false), key('V', 0, false), key('V', 0, true),
                  key(VK_CONTROL, 0, true)});
    }
    // A left click in the middle of the control.
    void click(Ctl c) {
        RECT r{};
        GetWindowRect(control(c), &r);
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        INPUT in[3] = {};
        for (INPUT& i : in) {
            i.type = INPUT_MOUSE;
            i.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
            i.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        }
        in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
        in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
        sendKeys({in[0], in[1], in[2]});
    }

    // The message box with the program's title: its text, once it is answered with OK; empty
    // when none came.
    std::string answerMessage() const {
        const std::wstring title = toWide(msg::kMessageTitle);
        HWND box = nullptr;
        waitFor([&] {
            box = FindWindowW(L"#32770", title.c_str());
            return box != nullptr && IsWindowVisible(box);
        });
        if (box == nullptr) {
            return {};
        }
        wchar_t text[512] = {};
        // The message's static control.
        SendDlgItemMessageW(box, 0xFFFF, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        waitFor([&] { return !IsWindow(box); });
        return toUtf8(text);
    }
    bool noMessageBox() const {
        return FindWindowW(L"#32770", toWide(msg::kMessageTitle).c_str()) == nullptr;
    }

    // Exit status once the program ended.
    DWORD exitCode() const {
        if (WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0) {
            return STILL_ACTIVE;
        }
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }

private:
    void start() {
        std::wstring command = L"\"" + (m_folder / "zunmo-calc.exe").wstring() + L"\"";
        STARTUPINFOW info{};
        info.cb = sizeof info;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            m_folder.c_str(), &info, &m_process)) {
            throw std::runtime_error("zunmo-calc.exe did not start");
        }
        WaitForInputIdle(m_process.hProcess, 10000);
    }

    TempDir m_dir;
    std::filesystem::path m_folder;
    PROCESS_INFORMATION m_process{};
};

// The same key road on the in-memory window model: what the Linux program shows for it.
struct Expected {
    TempDir dir;
    MemoryWindowModel ui;
    Session session{ui, dir.path() + "/TKVR.INI"};
    Expected() {
        ui.setUpMainWindow();
        session.formLoad();
    }
    void typeAndEnter(Ctl field, std::string_view typed) {
        ui.setFocus(field);
        ui.setText(field, typed);
        session.handle(field, Gesture::Enter);
    }
};

}  // namespace zm::test
