// The Windows program as a user meets it: zunmo-calc.exe copied into a folder whose name has
// Chinese characters and blanks, started as a process of its own, driven with real input
// (SendInput: typed characters, Enter, mouse clicks) and read back through the windows
// (GetWindowTextW, the focus of its GUI thread, the selection), its message boxes found by their
// title and answered. Runs under Wine on Xvfb (./test.sh); the expected figures come from the
// same key road on the in-memory window model.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "fees/messages.h"
#include "layout/layout.h"
#include "session/session.h"
#include "settings/profile_file.h"
#include "settings/program_folder.h"
#include "support/memory_window_model.h"
#include "support/temp_dir.h"
#include "win/wide_text.h"
#include "win/win_window_model.h"

namespace zm {
namespace {

using namespace std::chrono_literals;
using win::toUtf8;
using win::toWide;

const std::string kFeeGbk = "\xCA\xD6\xD0\xF8\xB7\xD1";  // 手续费

// Polls until `done` holds, for at most five seconds.
bool waitFor(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return done();
}

void sendKeys(const std::vector<INPUT>& inputs) {
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.data()),
                        sizeof(INPUT)),
              inputs.size());
}

INPUT key(WORD vk, WORD unicode, bool up) {
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
        const auto exe = test::pathOf(settings::programFolder()) / "zunmo-calc.exe";  // beside this
        m_folder = test::pathOf(m_dir.path()) / test::pathOf("股票 计算器");
        std::filesystem::create_directory(m_folder);
        std::filesystem::copy_file(exe, m_folder / "zunmo-calc.exe");
        if (!iniBytes.empty()) {
            std::ofstream(ini(), std::ios::binary) << iniBytes;
            if (readOnlyIni) {
                SetFileAttributesW(ini().c_str(), FILE_ATTRIBUTE_READONLY);
            }
        }
        std::wstring command = L"\"" + (m_folder / "zunmo-calc.exe").wstring() + L"\"";
        STARTUPINFOW start{};
        start.cb = sizeof start;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            m_folder.c_str(), &start, &m_process)) {
            throw std::runtime_error("zunmo-calc.exe did not start");
        }
        WaitForInputIdle(m_process.hProcess, 10000);
    }
    ~Program() {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_process.hProcess, 1);
            WaitForSingleObject(m_process.hProcess, 5000);
        }
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
        SetFileAttributesW(ini().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    std::filesystem::path ini() const { return m_folder / "TKVR.INI"; }

    // The visible window of the program with the form's title, or nullptr.
    HWND visibleForm(FormId f) const {
        const std::wstring title = toWide(layout::form(f).caption);
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            wchar_t text[128] = {};
            GetWindowTextW(w, text, 128);
            if (pid == m_process.dwProcessId && IsWindowVisible(w) && title == text) {
                return w;
            }
        }
        return nullptr;
    }
    // The same, once it is there (at most five seconds).
    HWND form(FormId f) const {
        HWND found = nullptr;
        waitFor([&] { return (found = visibleForm(f)) != nullptr; });
        return found;
    }
    bool isVisible(FormId f) const { return visibleForm(f) != nullptr; }
    HWND control(Ctl c) const {
        return GetDlgItem(form(c.form()), win::controlId(*layout::find(c)));
    }
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

    // Types into the field that has the focus, then presses Enter.
    void typeAndEnter(std::string_view typed) {
        std::vector<INPUT> inputs;
        for (wchar_t ch : toWide(typed)) {
            inputs.push_back(key(0, ch, false));
            inputs.push_back(key(0, ch, true));
        }
        inputs.push_back(key(VK_RETURN, 0, false));
        inputs.push_back(key(VK_RETURN, 0, true));
        sendKeys(inputs);
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
    test::TempDir m_dir;
    std::filesystem::path m_folder;
    PROCESS_INFORMATION m_process{};
};

// The same key road on the in-memory window model: what the Linux program shows for it.
struct Expected {
    test::TempDir dir;
    test::MemoryWindowModel ui;
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

// Every field of the main window, and the caption that tells a partial sale.
std::vector<Ctl> shownControls() {
    std::vector<Ctl> controls(kMainFields.begin(), kMainFields.end());
    controls.insert(controls.end(), {form1::Text21, form1::Text22, form1::Label17});
    return controls;
}

TEST(WindowsFrontEnd, a_purchase_and_a_partial_sale_by_the_keyboard_show_every_figure) {
    Program program;
    ASSERT_NE(program.form(FormId::Form1), nullptr);
    ASSERT_TRUE(program.focusIn(form1::Text1)) << "Text1 has not the focus at start";
    Expected expected;
    const std::pair<Ctl, std::string_view> road[] = {{form1::Text1, "10.5"},
                                                     {form1::Text2, "1000"},
                                                     {form1::Text11, "11.8"},
                                                     {form1::Text12, "600"}};
    for (const auto& [field, typed] : road) {
        ASSERT_TRUE(program.focusIn(field)) << field.name() << " has not the focus";
        // The prefilled sell quantity is selected, so typing replaces it.
        if (field == form1::Text12) {
            EXPECT_EQ(program.text(form1::Text12), "1000");
            EXPECT_TRUE(program.wholeTextSelected(form1::Text12));
        }
        program.typeAndEnter(typed);
        expected.typeAndEnter(field, typed);
    }
    ASSERT_TRUE(waitFor([&] { return program.text(form1::Text19) == "400"; }))
        << "the partial sale is not shown: " << program.text(form1::Text19);
    EXPECT_EQ(program.text(form1::Text3), "10,500.00");
    EXPECT_EQ(program.text(form1::Label17), "剩余股票");
    for (const Ctl name : shownControls()) {
        const bool label = name == form1::Label17;
        EXPECT_EQ(program.text(name), label ? expected.ui.caption(name) : expected.ui.text(name))
            << name;
    }
    EXPECT_TRUE(expected.ui.messages.empty());
    EXPECT_TRUE(program.noMessageBox());

    // The rates were saved beside the program, in GBK.
    std::ifstream in(program.ini(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(bytes.find("[TIP]\r\n" + kFeeGbk + "="), std::string::npos) << bytes;
    const std::u8string ini = program.ini().u8string();
    EXPECT_EQ(
        settings::ProfileFile(std::string(ini.begin(), ini.end())).readString("TIP", "手续费"),
        expected.ui.text(form1::Combo1));

    program.click(form1::Command2);  // Exit
    EXPECT_EQ(program.exitCode(), 0u);
}

TEST(WindowsFrontEnd, a_refused_quantity_says_why_and_keeps_the_focus_in_its_field) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.typeAndEnter("10.5");
    ASSERT_TRUE(program.focusIn(form1::Text2));
    program.typeAndEnter("150");
    Expected expected;
    expected.typeAndEnter(form1::Text1, "10.5");
    expected.typeAndEnter(form1::Text2, "150");
    ASSERT_EQ(expected.ui.messages.size(), 1u);
    EXPECT_EQ(program.answerMessage(), expected.ui.messages[0]);
    EXPECT_TRUE(program.focusIn(form1::Text2));
    EXPECT_TRUE(program.wholeTextSelected(form1::Text2));
    EXPECT_EQ(program.text(form1::Text2), "150");
    EXPECT_EQ(program.text(form1::Text3), "");

    // 10,000 characters pasted over the selected text: kept as pasted, and refused.
    const std::string pasted(10000, '9');
    program.paste(pasted);
    program.typeAndEnter("");
    expected.typeAndEnter(form1::Text2, pasted);
    ASSERT_EQ(expected.ui.messages.size(), 2u);
    EXPECT_EQ(program.answerMessage(), expected.ui.messages[1]);
    EXPECT_EQ(program.text(form1::Text2), pasted);
    EXPECT_TRUE(program.focusIn(form1::Text2));
}

TEST(WindowsFrontEnd, a_read_only_settings_file_gives_the_write_message_and_the_results_stay) {
    const std::string before = "[TIP]\r\n" + kFeeGbk + "=2.5\r\n";
    Program program(before, true);
    ASSERT_TRUE(program.focusIn(form1::Text1));
    EXPECT_EQ(program.text(form1::Combo1), "2.5");
    program.typeAndEnter("10.5");
    ASSERT_TRUE(program.focusIn(form1::Text2));
    program.typeAndEnter("1000");
    // One message per rate that could not be written.
    EXPECT_EQ(program.answerMessage(), msg::kWriteFailed);
    EXPECT_EQ(program.answerMessage(), msg::kWriteFailed);
    EXPECT_TRUE(waitFor([&] { return program.text(form1::Text3) == "10,500.00"; }));
    std::ifstream in(program.ini(), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()),
              before);
}

TEST(WindowsFrontEnd, a_batch_purchase_locks_the_buy_fields_and_clear_unlocks_them) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.click(form1::Command5);
    ASSERT_NE(program.form(FormId::Form4), nullptr);
    const std::string_view steps[] = {"10.2", "300", "10.25", "500", "10.3", "200"};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Ctl field = batchFields(FormId::Form4)[i];
        const std::string_view typed = steps[i];
        ASSERT_TRUE(program.focusIn(field)) << field.name() << " has not the focus";
        program.typeAndEnter(typed);
    }
    // Only the main window's fields are locked, not the dialog's own Text1 and Text2.
    EXPECT_FALSE(program.isReadOnly(form4::Text1));
    EXPECT_FALSE(program.isReadOnly(form4::Text2));
    // The last quantity leads to OK, and Enter presses it.
    ASSERT_TRUE(program.focusIn(form4::Command1));
    program.typeAndEnter("");
    ASSERT_TRUE(waitFor([&] { return !program.isVisible(FormId::Form4); }));
    EXPECT_TRUE(waitFor([&] { return program.text(form1::Text2) == "1,000"; }))
        << program.text(form1::Text2);
    EXPECT_TRUE(program.isReadOnly(form1::Text1));
    EXPECT_TRUE(program.isReadOnly(form1::Text2));
    // Back from the dialog, the focus goes to Text1.
    EXPECT_TRUE(program.focusIn(form1::Text1));

    program.click(form1::Command4);  // Clear
    EXPECT_TRUE(waitFor([&] { return !program.isReadOnly(form1::Text1); }));
    EXPECT_FALSE(program.isReadOnly(form1::Text2));
    for (const Ctl name : {form1::Text1, form1::Text2, form1::Text3, form1::Text7}) {
        EXPECT_EQ(program.text(name), "") << name;
    }
    EXPECT_TRUE(program.noMessageBox());
}

TEST(WindowsFrontEnd, the_about_box_replaces_the_main_window_and_ok_brings_it_back_to_text1) {
    Program program;
    ASSERT_TRUE(program.focusIn(form1::Text1));
    program.typeAndEnter("10.5");
    ASSERT_TRUE(program.focusIn(form1::Text2));
    const std::string price = program.text(form1::Text1);
    program.click(form1::Command3);
    ASSERT_NE(program.form(FormId::Form2), nullptr);
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::Form1); }));
    EXPECT_TRUE(program.focusIn(form2::Command1));
    program.click(form2::Command1);
    ASSERT_NE(program.form(FormId::Form1), nullptr);
    EXPECT_TRUE(waitFor([&] { return !program.isVisible(FormId::Form2); }));
    EXPECT_TRUE(program.focusIn(form1::Text1));
    EXPECT_EQ(program.text(form1::Text1), price);
}

}  // namespace
}  // namespace zm
