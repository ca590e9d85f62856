// The messages of the program's windows and controls, turned into the gestures the session
// takes: Enter and Focus of fields, Enter and DateSet of date fields, Choose, Enter and Leave of
// lists, Choose of options, Click of buttons, pictures and menu items, Close and Activate of
// windows. The message loop moves the focus as a dialog does.
#include "win/win_window_model.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "session/session.h"
#include "win/date_field.h"
#include "win/wide_text.h"
#include "win/win_util.h"

namespace zm::win {
namespace {

bool isKey(LPARAM message, WPARAM key) {
    const auto* msg = reinterpret_cast<const MSG*>(message);
    return msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == key;
}

}  // namespace

std::optional<Ctl> controlOfId(int id) {
    if (id < 100 || static_cast<std::size_t>(id - 100) >= kControlCount) {
        return std::nullopt;
    }
    return controlAt(static_cast<std::size_t>(id - 100));
}

std::optional<Ctl> WinWindowModel::ctlOf(HWND hwnd) const {
    // The edit part of a list the user may type into stands for its list.
    HWND parent = GetParent(hwnd);
    if (parent != nullptr && hasClass(parent, WC_COMBOBOXW)) {
        hwnd = parent;
    }
    const auto c = controlOfId(GetDlgCtrlID(hwnd));
    if (!c || control(*c) != hwnd) {
        return std::nullopt;
    }
    return c;
}

const layout::Control* WinWindowModel::rowOf(HWND hwnd) const {
    const auto c = ctlOf(hwnd);
    return c ? layout::find(*c) : nullptr;
}

std::optional<FormId> WinWindowModel::formOf(HWND window) const {
    for (std::size_t i = 0; i < kFormCount; ++i) {
        if (window != nullptr && m_forms[i].hwnd == window) {
            return static_cast<FormId>(i);
        }
    }
    return std::nullopt;
}

void WinWindowModel::report(Ctl c, Gesture g) {
    if (m_session != nullptr) {
        m_session->handle(c, g);
    }
}

int WinWindowModel::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        dispatch(msg);
    }
    return static_cast<int>(msg.wParam);
}

void WinWindowModel::dispatch(MSG& msg) {
    // Tab, Shift+Tab, the arrow keys among the options, Esc, as in a dialog.
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (root != nullptr && isOurs(root) && IsDialogMessageW(root, &msg)) {
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

LRESULT CALLBACK WinWindowModel::formProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* model = reinterpret_cast<WinWindowModel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const auto index = reinterpret_cast<INT_PTR>(GetPropW(hwnd, L"ZunmoForm"));
    if (model == nullptr || index == 0) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return model->onFormMessage(static_cast<FormId>(index - 1), hwnd, msg, wParam, lParam);
}

LRESULT WinWindowModel::onFormMessage(FormId f, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            onActivate(f, hwnd, wParam, lParam);
            return 0;
        case WM_COMMAND:
            onCommand(f, wParam, lParam);
            return 0;
        case WM_NEXTDLGCTL:
            moveFocus(hwnd, wParam, lParam);
            return 0;
        case WM_NOTIFY:
            onTableNotice(*reinterpret_cast<const NMHDR*>(lParam));
            break;
        case WM_GETMINMAXINFO:
            if (layout::form(f).resizable) {
                limitSize(f, *reinterpret_cast<MINMAXINFO*>(lParam));
                return 0;
            }
            break;
        case WM_SIZE:
            if (layout::form(f).resizable && wParam != SIZE_MINIMIZED) {
                followSize(f);
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(
                colours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (f == FormId::Form1 && m_bannerShown) {
                paintBanner(dc, form(f).dpi);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DPICHANGED: {
            form(f).dpi = HIWORD(wParam);
            placeControls(f);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        }
        case WM_CLOSE:
            // The session hides or unloads the window, or keeps it open.
            report(formControl(f), Gesture::Close);
            return 0;
        case WM_DESTROY:
            // Also a window destroyed with the window that owns it.
            forget(f);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void WinWindowModel::onActivate(FormId f, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    Form& w = form(f);
    if (LOWORD(wParam) == WA_INACTIVE) {
        w.savedFocus = GetFocus();
        return;
    }
    // The focus comes back to where it was, as in a dialog; the first time, to the first
    // control of the tab chain (the about box's OK).
    if (w.savedFocus != nullptr && IsWindow(w.savedFocus) && IsChild(hwnd, w.savedFocus)) {
        ::SetFocus(w.savedFocus);
    } else if (const auto order = layout::tabOrder(f); !order.empty()) {
        ::SetFocus(control(order.front()->ctl));
    }
    // Form1's activate event: first showing, or a return from a window whose row says so (the
    // about box, a batch dialog); not after a message box, nor from another program.
    const auto from = formOf(reinterpret_cast<HWND>(lParam));
    const bool first = !w.everActive;
    w.everActive = true;
    if (f == FormId::Form1 &&
        (first || (from && *from != f && layout::form(*from).returnActivatesMain))) {
        report(form1::Form1, Gesture::Activate);
    }
}

void WinWindowModel::onCommand(FormId f, WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) {
        // A menu item's command, or the dialog manager's Esc (IDCANCEL).
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            if (layout::form(f).escCloses) {
                report(formControl(f), Gesture::Close);
            }
            return;
        }
        const auto item = controlOfId(id);
        const layout::Control* row = item ? layout::find(*item) : nullptr;
        if (row != nullptr && row->kind == layout::Kind::MenuItem && row->form() == f) {
            report(*item, Gesture::Click);
        }
        return;
    }
    const layout::Control* row = rowOf(reinterpret_cast<HWND>(lParam));
    if (row == nullptr) {
        return;
    }
    const WORD code = HIWORD(wParam);
    switch (row->kind) {
        case layout::Kind::Option:
            if (code == BN_CLICKED) {
                reportChosenOption(row->ctl);
            }
            break;
        case layout::Kind::Check:
        case layout::Kind::Button:
            if (code == BN_CLICKED) {
                report(row->ctl, Gesture::Click);
            }
            break;
        case layout::Kind::Picture:
            if (code == STN_CLICKED) {
                report(row->ctl, Gesture::Click);
            }
            break;
        case layout::Kind::Date:
            // The date typed or picked in the calendar; not the program's own setting.
            if (code == EN_CHANGE && !m_settingDate) {
                report(row->ctl, Gesture::DateSet);
            }
            break;
        case layout::Kind::List:
            // The user picked an entry (the program's CB_SETCURSEL sends nothing).
            if (code == CBN_SELCHANGE) {
                report(row->ctl, Gesture::Choose);
            }
            break;
        default:
            break;
    }
}

void WinWindowModel::moveFocus(HWND window, WPARAM wParam, LPARAM lParam) {
    // lParam set: wParam is the control the arrow keys lead to; else the next (wParam 0) or
    // previous control of the tab chain.
    HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                      : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
    if (target == nullptr) {
        return;
    }
    ::SetFocus(target);
    if (isEdit(target)) {
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
    // The arrow keys choose the option they move to.
    const layout::Control* row = rowOf(target);
    if (LOWORD(lParam) != 0 && row != nullptr && row->kind == layout::Kind::Option &&
        SendMessageW(target, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        SendMessageW(target, BM_CLICK, 0, 0);
    }
}

void WinWindowModel::reportChosenOption(Ctl option) {
    // Choosing an option reports it once, by a click, the arrow keys or the program; a click on
    // the option already chosen changes nothing. The chosen one is its group's Tab stop.
    const layout::Control* row = layout::find(option);
    const bool chosen = isChecked(option);
    for (const layout::Control* other : layout::rowsOf(option.form())) {
        if (other->kind != layout::Kind::Option || other->container != row->container) {
            continue;
        }
        // The options of a container are one group even where other controls stand between
        // them in the tab chain, which the buttons' own unchecking does not reach across.
        if (chosen && other->ctl != option && isChecked(other->ctl)) {
            SendMessageW(control(other->ctl), BM_SETCHECK, BST_UNCHECKED, 0);
        }
        const bool was = m_chosen[other->ctl.index()];
        const bool now = isChecked(other->ctl);
        m_chosen[other->ctl.index()] = now;
        if (HWND hwnd = control(other->ctl); chosen && hwnd != nullptr) {
            const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
            SetWindowLongW(hwnd, GWL_STYLE,
                           static_cast<LONG>(now ? style | WS_TABSTOP : style & ~WS_TABSTOP));
        }
        if (other->ctl == option && chosen && !was) {
            report(option, Gesture::Choose);
        }
    }
}

LRESULT CALLBACK WinWindowModel::controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR /*id*/, DWORD_PTR model) {
    return reinterpret_cast<WinWindowModel*>(model)->onControlMessage(hwnd, msg, wParam, lParam);
}

LRESULT WinWindowModel::onControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const layout::Control* row = rowOf(hwnd);
    const layout::Kind kind = row != nullptr ? row->kind : layout::Kind::Form;
    const bool field = kind == layout::Kind::Field;
    const bool button = kind == layout::Kind::Button;
    // The keys that report Enter: a field, a date field, a table, a list whose entries are not
    // open.
    const bool takesEnter = field || kind == layout::Kind::Date || kind == layout::Kind::Table ||
                            (kind == layout::Kind::List &&
                             SendMessageW(control(row->ctl), CB_GETDROPPEDSTATE, 0, 0) == 0);
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter reaches the control itself instead of the dialog manager.
            if ((takesEnter || button) && isKey(lParam, VK_RETURN)) {
                return DefSubclassProc(hwnd, msg, wParam, lParam) | DLGC_WANTMESSAGE;
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN && button) {
                SendMessageW(hwnd, BM_CLICK, 0, 0);  // Enter presses it, as Space does
                return 0;
            }
            if (wParam == VK_RETURN && takesEnter) {
                report(row->ctl, Gesture::Enter);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' && (takesEnter || button)) {
                return 0;  // no beep: Enter was handled as a key
            }
            break;
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            // The focus coming from another control of the program (Tab, a click, the program
            // itself) is reported; the focus merely returning with its window (from another
            // program, after a message box) is not.
            const HWND from = reinterpret_cast<HWND>(wParam);
            if (field && from != nullptr && isOurs(GetAncestor(from, GA_ROOT))) {
                report(row->ctl, Gesture::Focus);
            }
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
            // Leaving a list for another control of the program; not for its own parts, its
            // open entries, a message box or another program.
            const HWND to = reinterpret_cast<HWND>(wParam);
            if (kind == layout::Kind::List && to != nullptr && ctlOf(to) != row->ctl &&
                isOurs(GetAncestor(to, GA_ROOT))) {
                report(row->ctl, Gesture::Leave);
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
        case WM_NOTIFY:
            // The calendar's drop-down inside a date field.
            if (kind == layout::Kind::Date) {
                onDateDropDownNotice(hwnd, *reinterpret_cast<const NMHDR*>(lParam));
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &WinWindowModel::controlProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

HBRUSH WinWindowModel::colours(HWND hwnd, HDC dc) {
    const auto c = ctlOf(hwnd);
    const Look look = c ? m_looks[c->index()] : Look{};
    int background = look.background;
    if (background < 0) {
        // A disabled field takes no input either: it shows the button face, as a read-only one.
        const bool editable = isEdit(hwnd) &&
                              (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) == 0 &&
                              IsWindowEnabled(hwnd) != FALSE;
        background = editable ? COLOR_WINDOW : COLOR_BTNFACE;
    }
    SetTextColor(dc, look.fore);
    SetBkColor(dc, GetSysColor(background));
    return GetSysColorBrush(background);
}

void WinWindowModel::paintBanner(HDC dc, UINT dpi) {
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

}  // namespace zm::win
