#include "win/win_window_model.h"

#include "settings/program_folder.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fees/fee_schedule.h"
#include "fees/messages.h"
#include "session/session.h"
#include "win/resource.h"
#include "win/wide_text.h"

namespace zm::win {
namespace {

constexpr wchar_t kFormClass[] = L"ZunmoCalcForm";
constexpr UINT_PTR kSubclassId = 1;

FormId formOf(int index) {
    return static_cast<FormId>(index);
}

int indexOf(FormId f) {
    return static_cast<int>(f);
}

// GetDpiForWindow and AdjustWindowRectExForDpi exist from Windows 10 (1607) on; older systems
// get the system DPI and the plain adjustment, so the program still starts there.
UINT dpiOf(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi != nullptr && hwnd != nullptr) {
        const UINT dpi = getDpi(hwnd);
        if (dpi != 0) {
            return dpi;
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

RECT windowRectFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    RECT r{0, 0, clientWidth, clientHeight};
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust != nullptr) {
        adjust(&r, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    }
    return r;
}

// Twips to pixels at `dpi`: 1440 twips to the inch.
int px(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

std::wstring windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

bool isEdit(HWND hwnd) {
    wchar_t name[16] = {};
    GetClassNameW(hwnd, name, 16);
    return lstrcmpiW(name, WC_EDITW) == 0;
}

// No WS_CLIPCHILDREN: a group box paints only its line and caption, so the window's own
// background must show through inside it.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// A button's caption as it is shown: the buttons are only 73 pixels wide at 96 dpi, so a caption
// too long for one line beside the icon is split into lines of equal length (多次/买入) rather
// than cut off.
std::wstring fittedCaption(HWND button, const std::wstring& caption, int room) {
    HDC dc = GetDC(button);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
    const auto width = [dc](const std::wstring& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    };
    std::wstring fitted = caption;
    for (std::size_t count = 1; count < caption.size(); ++count) {
        const std::size_t perLine = (caption.size() + count - 1) / count;
        std::wstring lines;
        bool fits = true;
        for (std::size_t at = 0; at < caption.size(); at += perLine) {
            std::wstring line = caption.substr(at, perLine);
            line.erase(0, line.find_first_not_of(L' '));
            line.erase(line.find_last_not_of(L' ') + 1);
            fits = fits && width(line) <= room;
            lines += (lines.empty() ? L"" : L"\r\n") + line;
        }
        if (fits) {
            fitted = lines;
            break;
        }
    }
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    return fitted;
}

std::wstring withCrLf(const std::wstring& text) {
    std::wstring out;
    for (wchar_t ch : text) {
        if (ch == L'\n') {
            out += L'\r';
        }
        out += ch;
    }
    return out;
}

// The menu bar and its menus and items are no child windows.
bool isMenuRow(const layout::Control& c) {
    return c.kind == layout::Kind::MenuBar || c.kind == layout::Kind::Menu ||
           c.kind == layout::Kind::MenuItem || c.kind == layout::Kind::Separator;
}

std::wstring withoutLineBreaks(std::wstring text) {
    std::erase(text, L'\r');
    std::erase(text, L'\n');
    return text;
}

}  // namespace

int controlId(const layout::Control& c) {
    return static_cast<int>(&c - layout::controls().data()) + 100;
}

WinWindowModel::WinWindowModel(HINSTANCE instance) : m_instance(instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WinWindowModel::formProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
    m_banner = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_BANNER), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

WinWindowModel::~WinWindowModel() {
    for (int i = 0; i < 4; ++i) {
        destroyForm(formOf(i));
    }
    for (auto& [key, handle] : m_fonts) {
        DeleteObject(handle);
    }
    if (m_banner != nullptr) {
        DeleteObject(m_banner);
    }
}

void WinWindowModel::showBanner() {
    m_bannerShown = true;
    if (HWND hwnd = m_forms[0].hwnd) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

int WinWindowModel::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab, Shift+Tab and the arrow keys among the option buttons, as in a dialog.
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (root != nullptr && isOurs(root) && IsDialogMessageW(root, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool WinWindowModel::returnsToMain(HWND hwnd) const {
    for (std::size_t i = 0; i < m_forms.size(); ++i) {
        if (m_forms[i].hwnd == hwnd) {
            return layout::form(formOf(static_cast<int>(i))).returnActivatesMain;
        }
    }
    return false;
}

bool WinWindowModel::isOurs(HWND hwnd) const {
    return std::ranges::any_of(m_forms, [hwnd](const Form& f) { return f.hwnd == hwnd; });
}

HWND WinWindowModel::control(Ctl c) const {
    // The menus' dialogs are the Qt program's only; this program has none of their controls.
    if (static_cast<std::size_t>(indexOf(c.form())) >= m_forms.size()) {
        return nullptr;
    }
    const Form& form = m_forms[static_cast<std::size_t>(indexOf(c.form()))];
    if (form.hwnd == nullptr) {
        return nullptr;
    }
    const layout::Control* row = layout::find(c);
    if (row == nullptr) {
        return nullptr;
    }
    return row->kind == layout::Kind::Form ? form.hwnd : GetDlgItem(form.hwnd, controlId(*row));
}

const layout::Control* WinWindowModel::rowOf(HWND hwnd) const {
    const int id = GetDlgCtrlID(hwnd) - 100;
    const auto rows = layout::controls();
    if (id < 0 || static_cast<std::size_t>(id) >= rows.size()) {
        return nullptr;
    }
    return &rows[static_cast<std::size_t>(id)];
}

HFONT WinWindowModel::font(double pointSize, UINT dpi) {
    const int hundredths = static_cast<int>(std::lround(pointSize * 100));
    const auto key = std::make_pair(hundredths, dpi);
    if (const auto it = m_fonts.find(key); it != m_fonts.end()) {
        return it->second;
    }
    const int height = -MulDiv(hundredths, static_cast<int>(dpi), 7200);
    HFONT f = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, L"宋体");
    m_fonts[key] = f;
    return f;
}

void WinWindowModel::load(FormId f) {
    Form& form = m_forms[static_cast<std::size_t>(indexOf(f))];
    if (form.hwnd != nullptr) {
        return;
    }
    const layout::Control& row = layout::form(f);
    DWORD style = kFormStyle;
    if (f == FormId::Form1) {
        style |= WS_MINIMIZEBOX;
    }
    // The batch dialogs belong to the main window (no taskbar button of their own); the about
    // box stands alone, since the main window is hidden while it is open.
    const bool owned = f == FormId::Form3 || f == FormId::Form4;
    HWND owner = owned ? m_forms[0].hwnd : nullptr;
    form.hwnd =
        CreateWindowExW(owned ? 0 : WS_EX_APPWINDOW, kFormClass, toWide(row.caption).c_str(), style,
                        CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr, m_instance, this);
    SetWindowLongPtrW(form.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropW(form.hwnd, L"ZunmoForm",
             reinterpret_cast<HANDLE>(static_cast<INT_PTR>(indexOf(f) + 1)));
    form.dpi = dpiOf(form.hwnd);
    createControls(f);
    placeControls(f);
    // Centred on the screen's work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT r{};
    GetWindowRect(form.hwnd, &r);
    SetWindowPos(form.hwnd, nullptr, work.left + (work.right - work.left - (r.right - r.left)) / 2,
                 work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (f == FormId::Form1) {
        const auto fill = [this](Ctl c, const auto& entries) {
            HWND list = control(c);
            for (const std::string& entry : entries) {
                SendMessageW(list, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(toWide(entry).c_str()));
            }
        };
        fill(form1::Combo1, commissionRateEntries());
        fill(form1::Combo2, stampDutyRateEntries());
    }
}

void WinWindowModel::createControls(FormId f) {
    Form& form = m_forms[static_cast<std::size_t>(indexOf(f))];
    form.toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, form.hwnd,
                                   nullptr, m_instance, nullptr);
    SendMessageW(form.toolTip, TTM_SETMAXTIPWIDTH, 0, 480);
    // The tips are Chinese: 宋体 at the system's tip size, whatever the system's UI font.
    SendMessageW(form.toolTip, WM_SETFONT, reinterpret_cast<WPARAM>(font(9, form.dpi)), FALSE);
    std::vector<HWND> frames;
    bool firstOption = true;
    for (const layout::Control& c : layout::controls()) {
        if (c.form() != f || c.kind == layout::Kind::Form || isMenuRow(c)) {
            continue;
        }
        const wchar_t* cls = WC_STATICW;
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        switch (c.kind) {
            case layout::Kind::Frame:
                cls = WC_BUTTONW;
                style |= BS_GROUPBOX;
                break;
            case layout::Kind::Label:
                if (c.wordWrap) {
                    // A text of several lines (the about box's note) scrolls when a face with
                    // taller lines than 宋体 needs more room than its box: a borderless
                    // read-only edit, painted like a label, whose scroll bar shows only then.
                    cls = WC_EDITW;
                    style |= ES_MULTILINE | ES_READONLY | WS_VSCROLL;
                } else {
                    style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
                }
                break;
            case layout::Kind::Field:
                cls = WC_EDITW;
                style |= ES_AUTOHSCROLL | (c.readOnly ? ES_READONLY : 0) |
                         (c.align == layout::Align::Center  ? ES_CENTER
                          : c.align == layout::Align::Right ? ES_RIGHT
                                                            : ES_LEFT);
                exStyle = WS_EX_CLIENTEDGE;
                break;
            case layout::Kind::List:
                cls = WC_COMBOBOXW;
                style |= CBS_DROPDOWNLIST | WS_VSCROLL;
                break;
            case layout::Kind::Option:
                cls = WC_BUTTONW;
                style |= BS_AUTORADIOBUTTON | (firstOption ? WS_GROUP : 0);
                firstOption = false;
                break;
            case layout::Kind::Button:
                cls = WC_BUTTONW;
                style |= BS_PUSHBUTTON | BS_MULTILINE;
                break;
            case layout::Kind::Picture:
                style |= SS_BITMAP | SS_NOTIFY | SS_REALSIZECONTROL;
                break;
            case layout::Kind::Line:
                style |= SS_ETCHEDHORZ;
                break;
            case layout::Kind::Date:
                cls = DATETIMEPICK_CLASSW;
                break;
            case layout::Kind::Form:
            case layout::Kind::MenuBar:
            case layout::Kind::Menu:
            case layout::Kind::MenuItem:
            case layout::Kind::Separator:
                break;
        }
        if (c.tabIndex >= 0) {
            style |= WS_TABSTOP;
        }
        std::wstring caption = toWide(c.caption);
        if (c.kind == layout::Kind::Label && c.wordWrap) {
            caption = withCrLf(caption);  // a multi-line edit breaks lines at CR LF only
        }
        HWND hwnd = CreateWindowExW(exStyle, cls, caption.c_str(), style, 0, 0, 0, 0, form.hwnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(c))),
                                    m_instance, nullptr);
        SetWindowSubclass(hwnd, &WinWindowModel::controlProc, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
        if (c.kind == layout::Kind::Frame) {
            frames.push_back(hwnd);
        }
        if (c.kind == layout::Kind::Field) {
            SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // as much as the control can hold
        }
        if (c.kind == layout::Kind::Option && c.chosen) {
            SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
            m_chosen[c.ctl.index()] = true;
        }
        if (c.kind == layout::Kind::Picture && m_banner != nullptr) {
            SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_banner));
        }
        if (c.kind == layout::Kind::Button && !c.icon.empty()) {
            const int size = MulDiv(16, static_cast<int>(form.dpi), 96);
            HIMAGELIST icons = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
            HICON icon = static_cast<HICON>(
                LoadImageW(m_instance, toWide(c.icon).c_str(), IMAGE_ICON, size, size, 0));
            ImageList_AddIcon(icons, icon);
            DestroyIcon(icon);
            BUTTON_IMAGELIST list{};
            list.himl = icons;
            list.uAlign = c.iconPlace == layout::IconPlace::Above ? BUTTON_IMAGELIST_ALIGN_TOP
                                                                  : BUTTON_IMAGELIST_ALIGN_LEFT;
            SendMessageW(hwnd, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
        }
        if (!c.toolTip.empty()) {
            TTTOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = form.hwnd;
            tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
            std::wstring tip = toWide(c.toolTip);
            tool.lpszText = tip.data();
            SendMessageW(form.toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    // Tab order is the order of the siblings; the frames go to the bottom so that they never
    // cover the controls drawn inside them.
    HWND previous = HWND_TOP;
    for (const layout::Control* c : layout::tabOrder(f)) {
        HWND hwnd = GetDlgItem(form.hwnd, controlId(*c));
        SetWindowPos(hwnd, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = hwnd;
    }
    for (HWND frame : frames) {
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// Positions, sizes and fonts at the window's DPI: at creation and whenever the window moves to
// a monitor of another DPI.
void WinWindowModel::placeControls(FormId f) {
    Form& form = m_forms[static_cast<std::size_t>(indexOf(f))];
    const layout::Control& row = layout::form(f);
    const UINT dpi = form.dpi;
    const RECT outer =
        windowRectFor(px(row.width, dpi), px(row.height, dpi), kFormStyle,
                      f == FormId::Form3 || f == FormId::Form4 ? 0 : WS_EX_APPWINDOW, dpi);
    SetWindowPos(form.hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const layout::Control& c : layout::controls()) {
        if (c.form() != f || c.kind == layout::Kind::Form || isMenuRow(c)) {
            continue;
        }
        int left = c.left;
        int top = c.top;
        if (c.container) {
            const layout::Control* frame = layout::find(*c.container);
            left += frame->left;
            top += frame->top;
        }
        HWND hwnd = GetDlgItem(form.hwnd, controlId(c));
        int height = px(c.height, dpi);
        if (c.kind == layout::Kind::List) {
            height += MulDiv(200, static_cast<int>(dpi), 96);  // room for the open list
        } else if (c.kind == layout::Kind::Line) {
            height = 2;
        }
        SetWindowPos(hwnd, nullptr, px(left, dpi), px(top, dpi), px(c.width, dpi), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const double points = c.pointSize != 0 ? c.pointSize : row.pointSize;
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font(points, dpi)), TRUE);
        if (c.kind == layout::Kind::Label && c.wordWrap) {
            fitWrappedText(f, c, hwnd);
        }
        if (c.kind == layout::Kind::Button && c.iconPlace == layout::IconPlace::Left) {
            const int room = px(c.width, dpi) - MulDiv(6 + 16 + 3, static_cast<int>(dpi), 96);
            SetWindowTextW(hwnd,
                           fittedCaption(hwnd, withoutLineBreaks(windowText(hwnd)), room).c_str());
        }
    }
}

// A text of several lines takes the room it needs down to the next control below it, as in
// the Qt windows; what still does not fit scrolls.
void WinWindowModel::fitWrappedText(FormId f, const layout::Control& c, HWND hwnd) {
    const UINT dpi = m_forms[static_cast<std::size_t>(indexOf(f))].dpi;
    int below = layout::form(f).height;
    for (const layout::Control& other : layout::controls()) {
        if (other.form() == f && other.kind != layout::Kind::Form &&
            other.container == c.container && other.top > c.top + c.height / 2 &&
            other.left < c.left + c.width && c.left < other.left + other.width) {
            below = std::min(below, other.top);
        }
    }
    RECT box{};
    GetWindowRect(hwnd, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int room = std::max(height, px(below - c.top, dpi) - 2);
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    const std::wstring text = windowText(hwnd);
    RECT need{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    const int fitted = std::clamp(static_cast<int>(need.bottom), height, room);
    SetWindowPos(hwnd, nullptr, 0, 0, width, fitted, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowScrollBar(hwnd, SB_VERT, need.bottom > fitted);
}

LRESULT CALLBACK WinWindowModel::formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* model = reinterpret_cast<WinWindowModel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const auto index = reinterpret_cast<INT_PTR>(GetPropW(hwnd, L"ZunmoForm"));
    if (model == nullptr || index == 0) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return model->onFormMessage(formOf(static_cast<int>(index) - 1), hwnd, msg, wParam, lParam);
}

LRESULT WinWindowModel::onFormMessage(FormId f, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Form& form = m_forms[static_cast<std::size_t>(indexOf(f))];
    switch (msg) {
        case WM_ACTIVATE: {
            if (LOWORD(wParam) == WA_INACTIVE) {
                form.savedFocus = GetFocus();
                return 0;
            }
            // The focus comes back to where it was, as in a dialog; the first time, to the
            // first control of the tab chain (the about box's OK).
            if (form.savedFocus != nullptr && IsWindow(form.savedFocus)) {
                ::SetFocus(form.savedFocus);
            } else if (const auto order = layout::tabOrder(f); !order.empty()) {
                ::SetFocus(GetDlgItem(hwnd, controlId(*order.front())));
            }
            // Form1's activate event: first showing, or a return from the about box or a batch
            // dialog; not after a message box, nor from another program.
            const HWND from = reinterpret_cast<HWND>(lParam);
            const bool first = !form.everActive;
            form.everActive = true;
            if (f == FormId::Form1 && m_session != nullptr &&
                (first || (from != nullptr && from != hwnd && returnsToMain(from)))) {
                m_session->handle(form1::Form1, Gesture::Activate);
            }
            return 0;
        }
        case WM_COMMAND:
            if (lParam != 0) {
                onCommand(f, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            }
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(
                colours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (f == FormId::Form1 && m_bannerShown) {
                paintBanner(hwnd, dc, form.dpi);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DPICHANGED: {
            form.dpi = HIWORD(wParam);
            placeControls(f);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case WM_CLOSE:
            if (m_session == nullptr) {
                break;
            }
            m_session->handle(formControl(f), Gesture::Close);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void WinWindowModel::onCommand(FormId /*f*/, HWND hwnd, WORD code) {
    const layout::Control* row = rowOf(hwnd);
    if (row == nullptr || m_session == nullptr) {
        return;
    }
    if (row->kind == layout::Kind::Option && code == BN_CLICKED) {
        reportChosenOption(row->ctl);
        return;
    }
    if ((row->kind == layout::Kind::Picture && code == STN_CLICKED) ||
        (row->kind == layout::Kind::Button && code == BN_CLICKED)) {
        m_session->handle(row->ctl, Gesture::Click);
    }
}

void WinWindowModel::reportChosenOption(Ctl option) {
    // Choosing an option reports it once, by a click, the arrow keys or the program; a click on
    // the option already chosen changes nothing.
    const layout::Control* row = layout::find(option);
    const bool chosen = isChecked(option);
    for (const layout::Control* other : layout::rowsOf(option.form())) {
        if (other->kind == layout::Kind::Option && other->container == row->container) {
            const bool was = m_chosen[other->ctl.index()];
            m_chosen[other->ctl.index()] = isChecked(other->ctl);
            if (other->ctl == option && chosen && !was && m_session != nullptr) {
                m_session->handle(option, Gesture::Choose);
            }
        }
    }
}

UserGuide WinWindowModel::openUserGuide() {
    // The program's page is the user guide that comes with it: 使用说明.txt beside the .exe.
    const std::string guide = settings::programFolder() + "\\使用说明.txt";
    if (GetFileAttributesW(toWide(guide).c_str()) == INVALID_FILE_ATTRIBUTES) {
        return {UserGuide::Outcome::Missing, guide};
    }
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        m_forms[1].hwnd, L"open", toWide(guide).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return {result > 32 ? UserGuide::Outcome::Opened : UserGuide::Outcome::NoBrowser, guide};
}

LRESULT CALLBACK WinWindowModel::controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR /*id*/, DWORD_PTR model) {
    return reinterpret_cast<WinWindowModel*>(model)->onControlMessage(hwnd, msg, wParam, lParam);
}

LRESULT WinWindowModel::onControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const layout::Control* row = rowOf(hwnd);
    const bool field = row != nullptr && row->kind == layout::Kind::Field;
    const bool button = row != nullptr && row->kind == layout::Kind::Button;
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter reaches the field or the button itself instead of the dialog manager.
            if ((field || button) && lParam != 0 &&
                reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
                reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
                return DLGC_WANTMESSAGE;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN && button) {
                SendMessageW(hwnd, BM_CLICK, 0, 0);  // Enter presses it, as Space does
                return 0;
            }
            if (wParam == VK_RETURN && field && m_session != nullptr) {
                m_session->handle(row->ctl, Gesture::Enter);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' && (field || button)) {
                return 0;  // no beep: Enter was handled as a key
            }
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            // The focus coming from another control of the program (Tab, a click, the program
            // itself) is reported; the focus merely returning with its window (from another
            // program, after a message box) is not.
            const HWND from = reinterpret_cast<HWND>(wParam);
            if (field && m_session != nullptr && from != nullptr &&
                isOurs(GetAncestor(from, GA_ROOT))) {
                m_session->handle(row->ctl, Gesture::Focus);
            }
            return result;
        }
        case WM_LBUTTONDOWN:
            // A click into a field that has not the focus selects its whole text, rather than
            // putting the caret where the mouse is.
            if (field && GetFocus() != hwnd) {
                ::SetFocus(hwnd);
                SendMessageW(hwnd, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &WinWindowModel::controlProc, kSubclassId);
            m_looks.erase(hwnd);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

HBRUSH WinWindowModel::colours(HWND hwnd, HDC dc) {
    Look look;
    if (const auto it = m_looks.find(hwnd); it != m_looks.end()) {
        look = it->second;
    }
    int background = look.background;
    if (background < 0) {
        const bool editable = isEdit(hwnd) && (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) == 0;
        background = editable ? COLOR_WINDOW : COLOR_BTNFACE;
    }
    SetTextColor(dc, look.fore);
    SetBkColor(dc, GetSysColor(background));
    return GetSysColorBrush(background);
}

void WinWindowModel::paintBanner(HWND /*hwnd*/, HDC dc, UINT dpi) {
    const layout::Banner& b = layout::kBanner;
    const std::wstring banner = toWide(b.text);
    const int length = static_cast<int>(banner.size());
    // The banner has the band left of the buy frame; a face wider than 宋体 is made smaller so
    // that the shadow's last glyph does not run under the frame.
    double points = b.pointSize;
    HGDIOBJ old = SelectObject(dc, font(points, dpi));
    SIZE size{};
    GetTextExtentPoint32W(dc, banner.c_str(), length, &size);
    const int room = px(layout::find(form1::Frame2)->left - b.shadowLeft, dpi) - 4;
    if (size.cx > room) {
        points = std::floor(points * room / size.cx * 4) / 4;
        SelectObject(dc, font(points, dpi));
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(b.shadowColour.r, b.shadowColour.g, b.shadowColour.b));
    TextOutW(dc, px(b.shadowLeft, dpi), px(b.shadowTop, dpi), banner.c_str(), length);
    SetTextColor(dc, RGB(b.colour.r, b.colour.g, b.colour.b));
    TextOutW(dc, px(b.textLeft, dpi), px(b.textTop, dpi), banner.c_str(), length);
    SelectObject(dc, old);
}

std::string WinWindowModel::text(Ctl c) const {
    HWND hwnd = control(c);
    return hwnd == nullptr ? std::string() : toUtf8(windowText(hwnd));
}

void WinWindowModel::setText(Ctl c, std::string_view text) {
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return;
    }
    if (layout::find(c)->kind == layout::Kind::List) {
        // A drop-down list chooses among its own entries.
        const std::wstring wanted = toWide(text);
        const auto count = SendMessageW(hwnd, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring entry(static_cast<std::size_t>(SendMessageW(hwnd, CB_GETLBTEXTLEN, i, 0)),
                               L'\0');
            SendMessageW(hwnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
            if (entry == wanted) {
                SendMessageW(hwnd, CB_SETCURSEL, i, 0);
                return;
            }
        }
        // One the user may type into takes any text.
        if ((GetWindowLongW(hwnd, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWN) {
            SetWindowTextW(hwnd, wanted.c_str());
        }
        return;
    }
    SetWindowTextW(hwnd, toWide(text).c_str());
}

bool WinWindowModel::isReadOnly(Ctl c) const {
    HWND hwnd = control(c);
    return hwnd != nullptr && isEdit(hwnd) && (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) != 0;
}

void WinWindowModel::setReadOnly(Ctl c, bool readOnly) {
    HWND hwnd = control(c);
    if (hwnd != nullptr && isEdit(hwnd)) {
        SendMessageW(hwnd, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    }
}

void WinWindowModel::setBackground(Ctl c, Background background) {
    if (HWND hwnd = control(c)) {
        m_looks[hwnd].background =
            background == Background::ButtonFace ? COLOR_BTNFACE : COLOR_WINDOW;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

std::string WinWindowModel::caption(Ctl c) const {
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return {};
    }
    // The lines a button's caption was split into, or the CR of a multi-line text's CR LF,
    // are the window's, not the caption's.
    std::wstring text = windowText(hwnd);
    if (layout::find(c)->kind == layout::Kind::Button) {
        return toUtf8(withoutLineBreaks(text));
    }
    std::erase(text, L'\r');
    return toUtf8(text);
}

void WinWindowModel::setCaption(Ctl c, std::string_view caption) {
    if (HWND hwnd = control(c)) {
        SetWindowTextW(hwnd, toWide(caption).c_str());
    }
}

void WinWindowModel::setForeColor(Ctl c, Rgb colour) {
    if (HWND hwnd = control(c)) {
        m_looks[hwnd].fore = RGB(colour.r, colour.g, colour.b);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void WinWindowModel::setToolTip(Ctl c, std::string_view toolTip) {
    HWND hwnd = control(c);
    const Form& form = m_forms[static_cast<std::size_t>(indexOf(c.form()))];
    if (hwnd == nullptr || form.toolTip == nullptr) {
        return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    std::wstring tip = toWide(toolTip);
    tool.lpszText = tip.data();
    if (!SendMessageW(form.toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool))) {
        SendMessageW(form.toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

Rgb WinWindowModel::foreColor(Ctl c) const {
    HWND hwnd = control(c);
    const auto it = m_looks.find(hwnd);
    const COLORREF fore = it == m_looks.end() ? RGB(0, 0, 0) : it->second.fore;
    return Rgb{GetRValue(fore), GetGValue(fore), GetBValue(fore)};
}

std::string WinWindowModel::toolTip(Ctl c) const {
    HWND hwnd = control(c);
    const Form& form = m_forms[static_cast<std::size_t>(indexOf(c.form()))];
    if (hwnd == nullptr || form.toolTip == nullptr) {
        return {};
    }
    std::wstring tip(1024, L'\0');
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = form.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = tip.data();
    SendMessageW(form.toolTip, TTM_GETTEXTW, tip.size(), reinterpret_cast<LPARAM>(&tool));
    return toUtf8(tip.c_str());
}

bool WinWindowModel::isEnabled(Ctl c) const {
    HWND hwnd = control(c);
    return hwnd == nullptr || IsWindowEnabled(hwnd) != FALSE;
}

void WinWindowModel::setEnabled(Ctl c, bool enabled) {
    if (HWND hwnd = control(c)) {
        EnableWindow(hwnd, enabled ? TRUE : FALSE);
    }
}

void WinWindowModel::setEntries(Ctl c, const std::vector<std::string>& entries) {
    HWND hwnd = control(c);
    if (hwnd == nullptr || layout::find(c)->kind != layout::Kind::List) {
        return;
    }
    SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(entry).c_str()));
    }
}

void WinWindowModel::setEditable(Ctl c, bool editable) {
    HWND old = control(c);
    if (old == nullptr || layout::find(c)->kind != layout::Kind::List) {
        return;
    }
    const auto style = static_cast<DWORD>(GetWindowLongW(old, GWL_STYLE));
    if (((style & CBS_DROPDOWNLIST) == CBS_DROPDOWN) == editable) {
        return;
    }
    // A combo box takes its kind (a list to pick from, or one to type into) when it is created:
    // it is made again, with the same identifier, place, font, entries and text, right after the
    // old one in the tab chain.
    std::vector<std::wstring> entries;
    const auto count = SendMessageW(old, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(SendMessageW(old, CB_GETLBTEXTLEN, i, 0)),
                           L'\0');
        SendMessageW(old, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entries.push_back(entry);
    }
    const std::wstring text = windowText(old);
    HWND parent = GetParent(old);
    RECT r{};
    GetWindowRect(old, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    // A combo box's window height includes its drop-down part.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(old, &info);
    const int height = std::max<int>(r.bottom - r.top, info.rcItem.bottom * 10);
    const DWORD kind = editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
    HWND made = CreateWindowExW(0, WC_COMBOBOXW, L"", (style & ~DWORD{CBS_DROPDOWNLIST}) | kind,
                                r.left, r.top, r.right - r.left, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))),
                                m_instance, nullptr);
    SetWindowSubclass(made, &WinWindowModel::controlProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(made, WM_SETFONT, SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
    SetWindowPos(made, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::wstring tip(1024, L'\0');
    const Form& form = m_forms[static_cast<std::size_t>(indexOf(c.form()))];
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = form.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(old);
    tool.lpszText = tip.data();
    SendMessageW(form.toolTip, TTM_GETTEXTW, tip.size(), reinterpret_cast<LPARAM>(&tool));
    SendMessageW(form.toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    DestroyWindow(old);
    for (const std::wstring& entry : entries) {
        SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    setText(c, toUtf8(text));
    setToolTip(c, toUtf8(tip.c_str()));
}

bool WinWindowModel::isChecked(Ctl c) const {
    HWND hwnd = control(c);
    return hwnd != nullptr && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WinWindowModel::setChecked(Ctl c, bool checked) {
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return;
    }
    // Choosing one option of the group clears the others, as a click does.
    if (checked) {
        for (const layout::Control& row : layout::controls()) {
            if (row.form() == c.form() && row.kind == layout::Kind::Option && row.ctl != c) {
                SendMessageW(control(row.ctl), BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
    }
    SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // The program choosing an option counts as choosing it.
    if (layout::find(c)->kind == layout::Kind::Option) {
        reportChosenOption(c);
    }
}

void WinWindowModel::setFocus(Ctl c) {
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return;
    }
    Form& form = m_forms[static_cast<std::size_t>(indexOf(c.form()))];
    // In a window that is not active yet the focus arrives when it becomes active.
    if (GetActiveWindow() != form.hwnd) {
        form.savedFocus = hwnd;
    }
    ::SetFocus(hwnd);
}

void WinWindowModel::selectAllInFocused() {
    HWND focused = GetFocus();
    if (focused != nullptr && isEdit(focused)) {
        SendMessageW(focused, EM_SETSEL, 0, -1);
    }
}

void WinWindowModel::showMessage(std::string_view text) {
    HWND owner = GetActiveWindow();
    if (owner == nullptr || !isOurs(owner)) {
        owner = m_forms[0].hwnd;
    }
    MessageBoxW(owner, toWide(text).c_str(), toWide(msg::kMessageTitle).c_str(),
                MB_OK | MB_ICONWARNING);
}

bool WinWindowModel::isLoaded(FormId f) const {
    return m_forms[static_cast<std::size_t>(indexOf(f))].hwnd != nullptr;
}

void WinWindowModel::show(FormId f) {
    load(f);
    HWND hwnd = m_forms[static_cast<std::size_t>(indexOf(f))].hwnd;
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
}

void WinWindowModel::hide(FormId f) {
    if (HWND hwnd = m_forms[static_cast<std::size_t>(indexOf(f))].hwnd) {
        ShowWindow(hwnd, SW_HIDE);
    }
}

void WinWindowModel::unload(FormId f) {
    destroyForm(f);
}

void WinWindowModel::destroyForm(FormId f) {
    Form& form = m_forms[static_cast<std::size_t>(indexOf(f))];
    if (form.hwnd == nullptr) {
        return;
    }
    HWND hwnd = form.hwnd;
    form = Form{};
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemovePropW(hwnd, L"ZunmoForm");
    DestroyWindow(hwnd);
}

void WinWindowModel::quit() {
    // Ends the message loop once the running handler returns, with exit status 0.
    PostQuitMessage(0);
}

}  // namespace zm::win
