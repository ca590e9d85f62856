// The windows made from their layout rows: the window itself, its controls in row order, the
// tab chain, and the places, sizes and fonts of the controls at the window's DPI.
#include "win/win_window_model.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fees/fee_schedule.h"
#include "win/date_field.h"
#include "win/resource.h"
#include "win/wide_text.h"
#include "win/win_util.h"

namespace zm::win {
namespace {

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

bool hasMenuBar(FormId f) {
    return std::ranges::any_of(layout::rowsOf(f), [](const layout::Control* c) {
        return c->kind == layout::Kind::MenuBar;
    });
}

// The options of one container are one group; the first of them starts it.
bool startsGroup(const layout::Control& option) {
    for (const layout::Control* other : layout::rowsOf(option.form())) {
        if (other == &option) {
            return true;
        }
        if (other->kind == layout::Kind::Option && other->container == option.container) {
            return false;
        }
    }
    return true;
}

bool groupHasChosen(const layout::Control& option) {
    return std::ranges::any_of(layout::rowsOf(option.form()), [&](const layout::Control* other) {
        return other->kind == layout::Kind::Option && other->container == option.container &&
               other->chosen;
    });
}

}  // namespace

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
    // The session may be gone already: no gesture is reported while the windows go. The windows
    // the main window owns first: they would go with it.
    m_session = nullptr;
    for (std::size_t i = kFormCount; i-- > 0;) {
        destroyForm(static_cast<FormId>(i));
    }
    for (auto& [key, handle] : m_fonts) {
        DeleteObject(handle);
    }
    if (m_banner != nullptr) {
        DeleteObject(m_banner);
    }
}

void WinWindowModel::paintBanner() {
    m_bannerShown = true;
    if (HWND hwnd = form(FormId::Form1).hwnd) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
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

// No WS_CLIPCHILDREN: a group box paints only its line and caption, so the window's own
// background must show through inside it.
DWORD WinWindowModel::formStyle(FormId f) {
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (f == FormId::Form1 ? WS_MINIMIZEBOX : 0) |
           (layout::form(f).resizable ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0);
}

// A window the main window owns has no taskbar button of its own; the about box stands alone,
// since the main window is hidden while it is open.
DWORD WinWindowModel::formExStyle(FormId f) {
    return layout::form(f).ownedByMain ? 0 : WS_EX_APPWINDOW;
}

void WinWindowModel::load(FormId f) {
    Form& w = form(f);
    if (w.hwnd != nullptr) {
        return;
    }
    const layout::Control& row = layout::form(f);
    HWND owner = row.ownedByMain ? form(FormId::Form1).hwnd : nullptr;
    w.hwnd = CreateWindowExW(formExStyle(f), kFormClass, toWide(row.caption).c_str(), formStyle(f),
                             CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner, nullptr, m_instance,
                             nullptr);
    SetWindowLongPtrW(w.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropW(w.hwnd, L"ZunmoForm", reinterpret_cast<HANDLE>(static_cast<INT_PTR>(f) + 1));
    m_controls[formControl(f).index()] = w.hwnd;
    w.dpi = dpiOf(w.hwnd);
    buildMenuBar(f);
    createControls(f);
    placeControls(f);
    if (row.place == layout::Place::Desktop) {
        // Centred on the work area of its screen.
        const RECT work = workAreaOf(w.hwnd);
        RECT r{};
        GetWindowRect(w.hwnd, &r);
        SetWindowPos(w.hwnd, nullptr, work.left + (work.right - work.left - (r.right - r.left)) / 2,
                     work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (f == FormId::Form1) {
        const auto fill = [this](Ctl c, const auto& entries) {
            for (const std::string& entry : entries) {
                SendMessageW(control(c), CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(toWide(entry).c_str()));
            }
        };
        fill(form1::Combo1, commissionRateEntries());
        fill(form1::Combo2, stampDutyRateEntries());
    }
}

void WinWindowModel::createControls(FormId f) {
    Form& w = form(f);
    w.toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, w.hwnd,
                                nullptr, m_instance, nullptr);
    SendMessageW(w.toolTip, TTM_SETMAXTIPWIDTH, 0, 480);
    // The tips are Chinese: 宋体 at the system's tip size, whatever the system's UI font.
    SendMessageW(w.toolTip, WM_SETFONT, reinterpret_cast<WPARAM>(font(9, w.dpi)), FALSE);
    std::vector<HWND> frames;
    for (const layout::Control* c : layout::rowsOf(f)) {
        if (c->kind == layout::Kind::Form || isMenuRow(*c)) {
            continue;
        }
        HWND hwnd = createControl(*c, w, m_chosen[c->ctl.index()]);
        m_controls[c->ctl.index()] = hwnd;
        if (c->kind == layout::Kind::Frame) {
            frames.push_back(hwnd);
        }
    }
    // Tab order is the order of the siblings; the frames go to the bottom so that they never
    // cover the controls drawn inside them.
    HWND previous = HWND_TOP;
    for (const layout::Control* c : layout::tabOrder(f)) {
        HWND hwnd = control(c->ctl);
        SetWindowPos(hwnd, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = hwnd;
    }
    for (HWND frame : frames) {
        SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

HWND WinWindowModel::createControl(const layout::Control& c, Form& w, bool& chosen) {
    const wchar_t* cls = WC_STATICW;
    // Arrow keys move only among the options of one group: every other control is a group of
    // its own.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_GROUP;
    DWORD exStyle = 0;
    bool tabStop = c.tabIndex >= 0;
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
            style =
                (style & ~DWORD{WS_GROUP}) | BS_AUTORADIOBUTTON | (startsGroup(c) ? WS_GROUP : 0);
            // The group is one Tab stop: its chosen option.
            tabStop = tabStop && (c.chosen || !groupHasChosen(c));
            break;
        case layout::Kind::Check:
            cls = WC_BUTTONW;
            style |= BS_AUTOCHECKBOX;
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
            cls = WC_EDITW;
            style |= ES_AUTOHSCROLL | ES_LEFT | WS_CLIPCHILDREN;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case layout::Kind::Table:
            cls = WC_LISTVIEWW;
            style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case layout::Kind::Form:
        case layout::Kind::MenuBar:
        case layout::Kind::Menu:
        case layout::Kind::MenuItem:
        case layout::Kind::Separator:
            break;
    }
    if (tabStop) {
        style |= WS_TABSTOP;
    }
    if (!c.enabled) {
        style |= WS_DISABLED;
    }
    std::wstring caption = toWide(c.caption);
    if (c.kind == layout::Kind::Label && c.wordWrap) {
        caption = withCrLf(caption);
    }
    HWND hwnd = CreateWindowExW(exStyle, cls, caption.c_str(), style, 0, 0, 0, 0, w.hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(c.ctl))),
                                m_instance, nullptr);
    SetWindowSubclass(hwnd, &WinWindowModel::controlProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    if (c.kind == layout::Kind::Field) {
        SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // as much as the control can hold
    }
    if (c.kind == layout::Kind::Date) {
        addDateDropDown(hwnd);
    }
    if (c.kind == layout::Kind::Table) {
        setUpTable(hwnd, c);
    }
    if ((c.kind == layout::Kind::Option || c.kind == layout::Kind::Check) && c.chosen) {
        SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    }
    chosen = c.kind == layout::Kind::Option && c.chosen;
    if (c.kind == layout::Kind::Picture && m_banner != nullptr) {
        SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_banner));
    }
    if (c.kind == layout::Kind::Button && !c.icon.empty()) {
        addIcon(hwnd, c, w.dpi);
    }
    if (!c.toolTip.empty()) {
        addToolTip(w, hwnd, c.toolTip);
    }
    return hwnd;
}

void WinWindowModel::addIcon(HWND button, const layout::Control& c, UINT dpi) {
    const int size = MulDiv(16, static_cast<int>(dpi), 96);
    HIMAGELIST icons = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0);
    HICON icon = static_cast<HICON>(
        LoadImageW(m_instance, toWide(c.icon).c_str(), IMAGE_ICON, size, size, 0));
    ImageList_AddIcon(icons, icon);
    DestroyIcon(icon);
    BUTTON_IMAGELIST list{};
    list.himl = icons;
    list.uAlign = c.iconPlace == layout::IconPlace::Above ? BUTTON_IMAGELIST_ALIGN_TOP
                                                          : BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

void WinWindowModel::addToolTip(const Form& w, HWND hwnd, std::string_view tip) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = w.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    std::wstring text = toWide(tip);
    tool.lpszText = text.data();
    if (!SendMessageW(w.toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool))) {
        SendMessageW(w.toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Positions, sizes and fonts at the window's DPI: at creation and whenever the window moves to
// a monitor of another DPI.
void WinWindowModel::placeControls(FormId f) {
    Form& w = form(f);
    const layout::Control& row = layout::form(f);
    const UINT dpi = w.dpi;
    const int clientWidth = px(row.width, dpi);
    const int clientHeight = px(row.height, dpi);
    const RECT outer =
        windowRectFor(clientWidth, clientHeight, formStyle(f), formExStyle(f), hasMenuBar(f), dpi);
    SetWindowPos(w.hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that takes two lines (a narrow window, a large menu font) takes room from the
    // client area, which keeps its size: the window grows by what is missing.
    RECT client{};
    GetClientRect(w.hwnd, &client);
    if (client.right != clientWidth || client.bottom != clientHeight) {
        SetWindowPos(w.hwnd, nullptr, 0, 0, outer.right - outer.left + clientWidth - client.right,
                     outer.bottom - outer.top + clientHeight - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const layout::Control* c : layout::rowsOf(f)) {
        if (c->kind == layout::Kind::Form || isMenuRow(*c)) {
            continue;
        }
        const auto [left, top] = layout::cornerInWindow(*c);
        HWND hwnd = control(c->ctl);
        int height = px(c->height, dpi);
        if (c->kind == layout::Kind::List) {
            height += MulDiv(200, static_cast<int>(dpi), 96);  // room for the open list
        } else if (c->kind == layout::Kind::Line) {
            height = 2;
        }
        SetWindowPos(hwnd, nullptr, px(left, dpi), px(top, dpi), px(c->width, dpi), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const double points = c->pointSize != 0 ? c->pointSize : row.pointSize;
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font(points, dpi)), TRUE);
        if (c->kind == layout::Kind::Date) {
            setUpDateField(hwnd, font(points, dpi));
        }
        if (c->kind == layout::Kind::Table) {
            sizeTableColumns(hwnd, *c, dpi);
        }
        if (c->kind == layout::Kind::Label && c->wordWrap) {
            fitWrappedText(f, *c, hwnd);
        }
        if (c->kind == layout::Kind::Button && c->iconPlace == layout::IconPlace::Left) {
            const int room = px(c->width, dpi) - MulDiv(6 + 16 + 3, static_cast<int>(dpi), 96);
            SetWindowTextW(hwnd,
                           fittedCaption(hwnd, withoutLineBreaks(windowText(hwnd)), room).c_str());
        }
    }
}

// A text of several lines takes the room it needs down to the next control below it, as in
// the Qt windows; what still does not fit scrolls.
void WinWindowModel::fitWrappedText(FormId f, const layout::Control& c, HWND hwnd) {
    const UINT dpi = form(f).dpi;
    int below = layout::form(f).height;
    for (const layout::Control* other : layout::rowsOf(f)) {
        if (other->kind != layout::Kind::Form && !isMenuRow(*other) &&
            other->container == c.container && other->top > c.top + c.height / 2 &&
            other->left < c.left + c.width && c.left < other->left + other->width) {
            below = std::min(below, other->top);
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

}  // namespace zm::win
