// What the session reads from and writes to the controls: texts, captions, colours, tool tips,
// check marks, enabled states, the entries of the lists, the focus. A control of a window that
// is not loaded reads as empty, and writing it changes nothing.
#include "win/win_window_model.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win/date_field.h"
#include "win/wide_text.h"
#include "win/win_util.h"

namespace zm::win {
namespace {

std::vector<std::wstring> listEntries(HWND list) {
    std::vector<std::wstring> entries;
    const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)),
                           L'\0');
        SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        entries.push_back(entry);
    }
    return entries;
}

bool isTypedList(HWND list) {
    return (GetWindowLongW(list, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWN;
}

bool isWrappedLabel(const layout::Control& row) {
    return row.kind == layout::Kind::Label && row.wordWrap;
}

}  // namespace

std::string WinWindowModel::text(Ctl c) const {
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return {};
    }
    const layout::Control& row = *layout::find(c);
    std::wstring text = windowText(hwnd);
    if (isWrappedLabel(row)) {
        std::erase(text, L'\r');  // the CR of the edit's CR LF is no part of the text
    }
    return toUtf8(text);
}

void WinWindowModel::setText(Ctl c, std::string_view text) {
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return;
    }
    const layout::Kind kind = layout::find(c)->kind;
    if (kind == layout::Kind::Date) {
        // The edit reports the change of its text; the program's own is no gesture of the user.
        m_settingDate = true;
        SetWindowTextW(hwnd, toWide(text).c_str());
        m_settingDate = false;
        return;
    }
    if (kind == layout::Kind::List) {
        // A drop-down list chooses among its own entries; one the user may type into takes any
        // text.
        const std::wstring wanted = toWide(text);
        const auto entries = listEntries(hwnd);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i] == wanted) {
                SendMessageW(hwnd, CB_SETCURSEL, i, 0);
                return;
            }
        }
        if (isTypedList(hwnd)) {
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
        m_looks[c.index()].background =
            background == Background::ButtonFace ? COLOR_BTNFACE : COLOR_WINDOW;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

std::string WinWindowModel::caption(Ctl c) const {
    if (const MenuPlace* place = menuPlace(c); place != nullptr && place->parent != nullptr) {
        wchar_t text[256] = {};
        GetMenuStringW(place->parent, place->position, text, 256, MF_BYPOSITION);
        return toUtf8(text);
    }
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
    if (const MenuPlace* place = menuPlace(c); place != nullptr && place->parent != nullptr) {
        std::wstring text = toWide(caption);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = text.data();
        SetMenuItemInfoW(place->parent, place->position, TRUE, &item);
        DrawMenuBar(form(c.form()).hwnd);
        return;
    }
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return;
    }
    const layout::Control& row = *layout::find(c);
    if (isWrappedLabel(row)) {
        SetWindowTextW(hwnd, withCrLf(toWide(caption)).c_str());
        fitWrappedText(c.form(), row, hwnd);
        return;
    }
    SetWindowTextW(hwnd, toWide(caption).c_str());
}

Rgb WinWindowModel::foreColor(Ctl c) const {
    const COLORREF fore = m_looks[c.index()].fore;
    return Rgb{GetRValue(fore), GetGValue(fore), GetBValue(fore)};
}

void WinWindowModel::setForeColor(Ctl c, Rgb colour) {
    if (HWND hwnd = control(c)) {
        m_looks[c.index()].fore = RGB(colour.r, colour.g, colour.b);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

std::string WinWindowModel::toolTip(Ctl c) const {
    HWND hwnd = control(c);
    const Form& w = form(c.form());
    if (hwnd == nullptr || w.toolTip == nullptr) {
        return {};
    }
    std::wstring tip(1024, L'\0');
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = w.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    tool.lpszText = tip.data();
    SendMessageW(w.toolTip, TTM_GETTEXTW, tip.size(), reinterpret_cast<LPARAM>(&tool));
    return toUtf8(tip.c_str());
}

void WinWindowModel::setToolTip(Ctl c, std::string_view toolTip) {
    HWND hwnd = control(c);
    const Form& w = form(c.form());
    if (hwnd != nullptr && w.toolTip != nullptr) {
        addToolTip(w, hwnd, toolTip);
    }
}

bool WinWindowModel::isChecked(Ctl c) const {
    if (const auto state = menuState(c)) {
        return (*state & MF_CHECKED) != 0;
    }
    HWND hwnd = control(c);
    return hwnd != nullptr && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WinWindowModel::setChecked(Ctl c, bool checked) {
    if (const MenuPlace* place = menuPlace(c); place != nullptr && place->parent != nullptr) {
        CheckMenuItem(place->parent, place->position,
                      MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return;
    }
    const layout::Control& row = *layout::find(c);
    // Choosing one option of the group clears the others, as a click does.
    if (checked && row.kind == layout::Kind::Option) {
        for (const layout::Control* other : layout::rowsOf(c.form())) {
            if (other->kind == layout::Kind::Option && other->container == row.container &&
                other->ctl != c) {
                SendMessageW(control(other->ctl), BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
    }
    SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // The program choosing an option counts as choosing it.
    if (row.kind == layout::Kind::Option) {
        reportChosenOption(c);
    }
}

bool WinWindowModel::isEnabled(Ctl c) const {
    // A window is the program's to enable, not the modality's (which disables the windows a
    // modal one keeps from input); a separator is neither.
    const layout::Control* row = layout::find(c);
    if (row == nullptr || row->kind == layout::Kind::Form || row->kind == layout::Kind::Separator) {
        return true;
    }
    if (const auto state = menuState(c)) {
        return (*state & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    HWND hwnd = control(c);
    return hwnd == nullptr || IsWindowEnabled(hwnd) != FALSE;
}

void WinWindowModel::setEnabled(Ctl c, bool enabled) {
    if (const MenuPlace* place = menuPlace(c); place != nullptr && place->parent != nullptr) {
        EnableMenuItem(place->parent, place->position,
                       MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        DrawMenuBar(form(c.form()).hwnd);
        return;
    }
    HWND hwnd = control(c);
    // A form's own entry is the window, which the modal windows enable and disable.
    if (hwnd != nullptr && layout::find(c)->kind != layout::Kind::Form) {
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

void WinWindowModel::setTabAfter(Ctl c, Ctl previous) {
    // The dialog manager's tab chain is the order of the child windows.
    HWND hwnd = control(c);
    HWND before = control(previous);
    if (hwnd != nullptr && before != nullptr) {
        SetWindowPos(hwnd, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void WinWindowModel::setEditable(Ctl c, bool editable) {
    HWND old = control(c);
    if (old == nullptr || layout::find(c)->kind != layout::Kind::List ||
        isTypedList(old) == editable) {
        return;
    }
    // A combo box takes its kind (a list to pick from, or one to type into) when it is created:
    // it is made again, with the same identifier, place, font, entries, text and tool tip, right
    // after the old one in the tab chain.
    const auto entries = listEntries(old);
    const std::wstring text = windowText(old);
    const std::string tip = toolTip(c);
    const auto style = static_cast<DWORD>(GetWindowLongW(old, GWL_STYLE));
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
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(c))),
                                m_instance, nullptr);
    SendMessageW(made, WM_SETFONT, SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
    SetWindowPos(made, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const Form& w = form(c.form());
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = w.hwnd;
    tool.uId = reinterpret_cast<UINT_PTR>(old);
    SendMessageW(w.toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    const bool hadFocus = GetFocus() == old || IsChild(old, GetFocus());
    m_controls[c.index()] = made;
    DestroyWindow(old);
    // The list and the edit part the user types into report the list's gestures.
    SetWindowSubclass(made, &WinWindowModel::controlProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
    COMBOBOXINFO madeInfo{};
    madeInfo.cbSize = sizeof madeInfo;
    if (GetComboBoxInfo(made, &madeInfo) && madeInfo.hwndItem != nullptr &&
        madeInfo.hwndItem != made) {
        SetWindowSubclass(madeInfo.hwndItem, &WinWindowModel::controlProc, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(this));
    }
    for (const std::wstring& entry : entries) {
        SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    setText(c, toUtf8(text));
    setToolTip(c, tip);
    if (hadFocus) {
        ::SetFocus(made);
    }
}

void WinWindowModel::setFocus(Ctl c) {
    HWND hwnd = control(c);
    if (hwnd == nullptr) {
        return;
    }
    Form& w = form(c.form());
    // In a window that is not active yet the focus arrives when it becomes active: a shown one
    // is activated now, so that the keys that follow go to this control and not to the window
    // that happened to be active.
    if (GetActiveWindow() != w.hwnd) {
        w.savedFocus = hwnd;
        if (IsWindowVisible(w.hwnd) && IsWindowEnabled(w.hwnd)) {
            SetActiveWindow(w.hwnd);
        }
    }
    ::SetFocus(hwnd);
}

void WinWindowModel::selectAllInFocused() {
    HWND focused = GetFocus();
    if (focused != nullptr && isEdit(focused)) {
        SendMessageW(focused, EM_SETSEL, 0, -1);
    }
}

}  // namespace zm::win
