// The Windows window model against the in-memory model of the tests: the same script of gestures
// (tests/support/parity.h), made with real input (typed characters, keys, mouse clicks, the
// menus' access keys) on the real windows under Wine, must leave every control, window and
// message as the in-memory model leaves them; and every row of the layout table has its window,
// control or menu entry. The windows run in this test's own process, whose message loop the
// driver turns; a second thread answers the message boxes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/parity.h"
#include "win/program.h"
#include "win/win_util.h"

namespace zm {
namespace {

using namespace std::chrono_literals;
using test::key;
using test::sendKeys;
using test::parity::Act;
using test::parity::Snapshot;
using test::parity::Step;

// Answers the program's message boxes of one thread with OK, keeping their texts; a question
// with the answer queued for it (否 when none was), a folder dialog with the path queued for it,
// typed into its field.
class MessageAnswerer {
public:
    explicit MessageAnswerer(DWORD thread) : m_thread(thread), m_worker([this] { watch(); }) {}
    ~MessageAnswerer() {
        m_stop = true;
        m_worker.join();
    }
    MessageAnswerer(const MessageAnswerer&) = delete;
    MessageAnswerer& operator=(const MessageAnswerer&) = delete;

    std::vector<std::string> take() {
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_seen, {});
    }
    void answer(bool yes) {
        const std::lock_guard lock(m_mutex);
        m_answers.push_back(yes);
    }
    void typeFolder(std::string_view path) {
        const std::lock_guard lock(m_mutex);
        m_folders.push_back(test::toWide(path));
    }

private:
    // A dialog of the thread that is no message box: the folder dialog.
    static BOOL CALLBACK findDialog(HWND window, LPARAM found) {
        wchar_t cls[16] = {};
        GetClassNameW(window, cls, 16);
        if (std::wstring_view(cls) != L"#32770" || !IsWindowVisible(window)) {
            return TRUE;
        }
        wchar_t title[64] = {};
        GetWindowTextW(window, title, 64);
        if (title != test::toWide(msg::kMessageTitle)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    void typeIntoFolderDialog(HWND dialog) {
        std::optional<std::wstring> path;
        {
            const std::lock_guard lock(m_mutex);
            if (!m_folders.empty()) {
                path = m_folders.front();
                m_folders.pop_front();
            }
        }
        if (!path) {
            ADD_FAILURE() << "a dialog nobody prepared";
        }
        HWND field = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        if (path && !path->empty() && field != nullptr) {
            // Typed into its field. (Wine's folder dialog has none, and takes only a folder
            // chosen in its tree: the script cancels it.)
            SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path->c_str()));
            PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        } else {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        test::waitFor([dialog] { return !IsWindow(dialog); });
    }
    static BOOL CALLBACK findBox(HWND window, LPARAM found) {
        // The class first: a window's title is asked of its thread, which may be busy.
        wchar_t cls[16] = {};
        GetClassNameW(window, cls, 16);
        if (std::wstring_view(cls) != L"#32770" || !IsWindowVisible(window)) {
            return TRUE;
        }
        wchar_t title[64] = {};
        GetWindowTextW(window, title, 64);
        if (title == test::toWide(msg::kMessageTitle)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }
    void watch() {
        while (!m_stop) {
            HWND box = nullptr;
            EnumThreadWindows(m_thread, &findBox, reinterpret_cast<LPARAM>(&box));
            if (box != nullptr) {
                wchar_t text[512] = {};
                SendDlgItemMessageW(box, 0xFFFF, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
                {
                    const std::lock_guard lock(m_mutex);
                    m_seen.push_back(test::toUtf8(text));
                }
                int button = IDOK;
                if (GetDlgItem(box, IDYES) != nullptr) {
                    const std::lock_guard lock(m_mutex);
                    button = !m_answers.empty() && m_answers.front() ? IDYES : IDNO;
                    if (!m_answers.empty()) {
                        m_answers.pop_front();
                    }
                }
                PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
                test::waitFor([box] { return !IsWindow(box); });
            } else {
                HWND dialog = nullptr;
                EnumThreadWindows(m_thread, &findDialog, reinterpret_cast<LPARAM>(&dialog));
                if (dialog != nullptr) {
                    typeIntoFolderDialog(dialog);
                }
            }
            std::this_thread::sleep_for(20ms);
        }
    }

    DWORD m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<std::string> m_seen;
    std::deque<bool> m_answers;
    std::deque<std::wstring> m_folders;  // empty: the dialog is cancelled
    std::thread m_worker;
};

class WinDriver : public test::parity::Driver {
public:
    WinDriver() {
        m_windows.setSession(m_session);
        m_windows.load(FormId::Form1);
        m_session.formLoad();
        m_windows.show(FormId::Form1);
        pump();  // the main window's first activation
    }
    ~WinDriver() override {
        m_session.handle(form1::Command2, Gesture::Click);
        pump();
    }
    WinDriver(const WinDriver&) = delete;
    WinDriver& operator=(const WinDriver&) = delete;

    void act(const Step& step) override {
        const Ctl c = step.ctl;
        const layout::Control& row = *layout::find(c);
        switch (step.act) {
            case Act::Type: {
                m_windows.setFocus(c);
                pump();
                HWND edit = GetFocus();
                ASSERT_TRUE(edit != nullptr && win::isEdit(edit)) << c.name() << " takes no text";
                SendMessageW(edit, EM_SETSEL, 0, -1);
                std::vector<INPUT> typed;
                for (wchar_t ch : test::toWide(step.text)) {
                    typed.push_back(key(0, ch, false));
                    typed.push_back(key(0, ch, true));
                }
                sendKeys(typed);
                break;
            }
            case Act::Enter:
                m_windows.setFocus(c);
                pump();
                sendKeys({key(VK_RETURN, 0, false), key(VK_RETURN, 0, true)});
                break;
            case Act::Click:
                if (row.kind == layout::Kind::MenuItem) {
                    chooseMenu(c);
                } else {
                    click(c);
                }
                break;
            case Act::Choose:
                click(c);
                break;
            case Act::Pick: {
                // An entry chosen in the open list, as the list reports it.
                HWND list = control(c);
                const auto index =
                    SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(test::toWide(step.text).c_str()));
                ASSERT_GE(index, 0) << step.text;
                SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
                SendMessageW(GetParent(list), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list));
                break;
            }
            case Act::SetDate: {
                // Typed over the selected text of the date field.
                m_windows.setFocus(c);
                m_windows.selectAllInFocused();
                pump();
                std::vector<INPUT> typed;
                for (char ch : step.text) {
                    typed.push_back(key(0, static_cast<WORD>(ch), false));
                    typed.push_back(key(0, static_cast<WORD>(ch), true));
                }
                sendKeys(typed);
                break;
            }
            case Act::Close:
                // What the close box does.
                PostMessageW(m_windows.window(c.form()), WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            case Act::Sort: {
                // Clicks on a header apart, not taken for a double click.
                std::this_thread::sleep_for(std::chrono::milliseconds(GetDoubleClickTime() + 50));
                HWND header = ListView_GetHeader(control(c));
                RECT r{};
                Header_GetItemRect(header, test::parity::headerColumn(step), &r);
                MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
                clickAt(c.form(), r, 1);
                break;
            }
            case Act::ChooseRow:
            case Act::OpenRow: {
                HWND table = control(c);
                const int place = test::parity::shownPlace(step);
                ASSERT_LT(place, ListView_GetItemCount(table)) << "no row shown at " << step.text;
                ListView_EnsureVisible(table, place, FALSE);
                RECT r{};
                ListView_GetItemRect(table, place, &r, LVIR_LABEL);
                MapWindowPoints(table, nullptr, reinterpret_cast<POINT*>(&r), 2);
                clickAt(c.form(), r, step.act == Act::OpenRow ? 2 : 1);
                break;
            }
            case Act::Answer:
                m_answerer.answer(step.text == "是");
                break;
            case Act::TypeFolder:
                m_answerer.typeFolder(step.text);
                break;
        }
        pump();
    }

    std::vector<std::vector<std::string>> table(Ctl c) const override {
        HWND table = control(c);
        std::vector<std::vector<std::string>> lines;
        if (table == nullptr) {
            return lines;
        }
        HWND header = ListView_GetHeader(table);
        const int columns = Header_GetItemCount(header);
        std::vector<std::string> headers;
        for (int i = 0; i < columns; ++i) {
            wchar_t text[128] = {};
            HDITEMW item{};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = 128;
            SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
            headers.push_back(test::toUtf8(text));
        }
        lines.push_back(headers);
        for (int row = 0; row < ListView_GetItemCount(table); ++row) {
            std::vector<std::string> cells;
            for (int i = 0; i < columns; ++i) {
                wchar_t text[256] = {};
                ListView_GetItemText(table, row, i, text, 256);
                cells.push_back(test::toUtf8(text));
            }
            lines.push_back(cells);
        }
        return lines;
    }

    const WindowModel& model() const override { return m_windows; }

    bool isVisible(FormId f) const override {
        HWND window = m_windows.window(f);
        return window != nullptr && IsWindowVisible(window);
    }

    std::vector<std::string> takeMessages() override { return m_answerer.take(); }

    std::optional<Ctl> focus() const override {
        // The control itself, or the part of one that takes the keys (an editable list's edit).
        for (HWND hwnd = GetFocus(); hwnd != nullptr; hwnd = GetParent(hwnd)) {
            const auto c = win::controlOfId(GetDlgCtrlID(hwnd));
            HWND window = c ? m_windows.window(c->form()) : nullptr;
            if (window != nullptr && GetDlgItem(window, win::controlId(*c)) == hwnd) {
                return c;
            }
        }
        return std::nullopt;
    }

    test::parity::Selection selection() const override {
        const std::optional<Ctl> c = focus();
        const layout::Kind kind = c ? layout::find(*c)->kind : layout::Kind::Field;
        if (!c || (kind != layout::Kind::Field && kind != layout::Kind::Date)) {
            return {};
        }
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(control(*c), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        if (end == start) {
            return {};  // a caret, no selection
        }
        return {static_cast<int>(start), static_cast<int>(end - start)};
    }

    win::WinWindowModel& windows() { return m_windows; }

private:
    HWND control(Ctl c) const { return GetDlgItem(m_windows.window(c.form()), win::controlId(c)); }
    // The thread's messages handled until none but timers and painting came for a while.
    void pump() {
        const auto end = std::chrono::steady_clock::now() + 10s;
        auto quiet = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() < end) {
            MSG msg;
            bool any = false;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message != WM_QUIT) {
                    m_windows.dispatch(msg);
                }
                // The carets' and tool tips' timers and repainting never stop; the rest does.
                any = any || (msg.message != WM_TIMER && msg.message != WM_PAINT &&
                              msg.message != 0x0118 /* WM_SYSTIMER */);
            }
            const auto now = std::chrono::steady_clock::now();
            if (any) {
                quiet = now;
            } else if (now - quiet > 150ms) {
                return;
            }
            std::this_thread::sleep_for(10ms);
        }
    }
    void click(Ctl c) {
        RECT r{};
        GetWindowRect(control(c), &r);
        clickAt(c.form(), r, 1);
    }
    // One click, or two as a double click, in the middle of a rectangle of the screen.
    void clickAt(FormId f, const RECT& r, int clicks) {
        SetForegroundWindow(m_windows.window(f));
        pump();
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = MulDiv((r.left + r.right) / 2, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        move.mi.dy = MulDiv((r.top + r.bottom) / 2, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        std::vector<INPUT> inputs{move};
        for (int i = 0; i < clicks; ++i) {
            INPUT down = move;
            down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
            INPUT up = move;
            up.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
            inputs.push_back(down);
            inputs.push_back(up);
        }
        sendKeys(inputs);
    }
    // Alt with the menu's access key, then the item's: all at once, since the menu's own loop,
    // which runs inside the dispatch of Alt, takes the item's key.
    void chooseMenu(Ctl item) {
        const auto accessKey = [](Ctl c) {
            const std::string_view caption = layout::find(c)->caption;
            return static_cast<WORD>(caption[caption.find('&') + 1]);
        };
        const Ctl menu = *layout::find(item)->container;
        SetForegroundWindow(m_windows.window(FormId::Form1));
        pump();
        sendKeys({key(VK_MENU, 0, false), key(accessKey(menu), 0, false),
                  key(accessKey(menu), 0, true), key(VK_MENU, 0, true),
                  key(accessKey(item), 0, false), key(accessKey(item), 0, true)});
    }

    test::TempDir m_dir;
    win::WinWindowModel m_windows{GetModuleHandleW(nullptr)};
    Session m_session{m_windows, m_dir.file("TKVR.INI"), m_dir.file("journal.sqlite")};
    MessageAnswerer m_answerer{GetCurrentThreadId()};
};

TEST(Parity, the_windows_program_shows_what_the_in_memory_model_shows_after_every_gesture) {
    test::parity::MemoryDriver memory;
    const std::vector<Snapshot> expected = test::parity::run(memory);
    WinDriver windows;
    const std::vector<Snapshot> actual = test::parity::run(windows);
    EXPECT_EQ(test::parity::differences(expected, actual), std::vector<std::string>{});
}

TEST(Parity, every_row_of_every_window_has_its_control_menu_or_item) {
    WinDriver driver;
    win::WinWindowModel& windows = driver.windows();
    std::vector<std::string> missing;
    for (std::size_t i = 0; i < kFormCount; ++i) {
        const auto f = static_cast<FormId>(i);
        windows.load(f);
        HWND window = windows.window(f);
        for (const layout::Control* row : layout::rowsOf(f)) {
            bool there = false;
            switch (row->kind) {
                case layout::Kind::Form:
                    there = window != nullptr;
                    break;
                case layout::Kind::MenuBar:
                    there = GetMenu(window) != nullptr;
                    break;
                case layout::Kind::Menu:
                case layout::Kind::MenuItem:
                    there = windows.caption(row->ctl) == row->caption;
                    break;
                case layout::Kind::Separator: {
                    // The separator's menu has one entry per row it holds.
                    const HMENU bar = GetMenu(window);
                    int menuIndex = 0;
                    for (const layout::Control* other : layout::rowsOf(f)) {
                        if (other->ctl == *row->container) {
                            break;
                        }
                        menuIndex += other->kind == layout::Kind::Menu ? 1 : 0;
                    }
                    int rows = 0;
                    for (const layout::Control* other : layout::rowsOf(f)) {
                        rows += other->container == row->container ? 1 : 0;
                    }
                    there = GetMenuItemCount(GetSubMenu(bar, menuIndex)) == rows;
                    break;
                }
                default:
                    there = GetDlgItem(window, win::controlId(row->ctl)) != nullptr;
                    break;
            }
            if (!there) {
                missing.emplace_back(row->ctl.name());
            }
        }
    }
    EXPECT_EQ(missing, std::vector<std::string>{});
}

}  // namespace
}  // namespace zm
