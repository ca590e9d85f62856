// The menu bar of a window from its MenuBar, Menu, MenuItem and Separator rows, and the state of
// its items (check marks, enabled, captions) for the window model.
#include "win/win_window_model.h"

#include "win/wide_text.h"
#include "win/win_util.h"

namespace zm::win {

void WinWindowModel::buildMenuBar(FormId f) {
    HMENU bar = nullptr;
    for (const layout::Control* c : layout::rowsOf(f)) {
        if (!isMenuRow(*c)) {
            continue;
        }
        MenuPlace& place = m_menus[c->ctl.index()];
        if (c->kind == layout::Kind::MenuBar) {
            bar = CreateMenu();
            place = {nullptr, 0, bar};
            continue;
        }
        const MenuPlace* in = c->container ? menuPlace(*c->container) : nullptr;
        if (in == nullptr || in->popup == nullptr) {
            continue;
        }
        const std::wstring caption = toWide(c->caption);
        place.parent = in->popup;
        place.position = static_cast<UINT>(GetMenuItemCount(in->popup));
        switch (c->kind) {
            case layout::Kind::Menu:
                place.popup = CreatePopupMenu();
                AppendMenuW(in->popup, MF_POPUP | MF_STRING,
                            reinterpret_cast<UINT_PTR>(place.popup), caption.c_str());
                break;
            case layout::Kind::MenuItem:
                // An item's command is its control id.
                AppendMenuW(in->popup,
                            MF_STRING | (c->checkable && c->chosen ? MF_CHECKED : MF_UNCHECKED) |
                                (c->enabled ? MF_ENABLED : MF_GRAYED),
                            static_cast<UINT_PTR>(controlId(c->ctl)), caption.c_str());
                break;
            default:
                AppendMenuW(in->popup, MF_SEPARATOR, 0, nullptr);
                break;
        }
    }
    if (bar != nullptr) {
        SetMenu(form(f).hwnd, bar);
    }
}

const WinWindowModel::MenuPlace* WinWindowModel::menuPlace(Ctl c) const {
    const layout::Control* row = layout::find(c);
    if (row == nullptr || !isMenuRow(*row) || form(c.form()).hwnd == nullptr) {
        return nullptr;
    }
    const MenuPlace& place = m_menus[c.index()];
    return place.parent != nullptr || place.popup != nullptr ? &place : nullptr;
}

std::optional<UINT> WinWindowModel::menuState(Ctl c) const {
    const MenuPlace* place = menuPlace(c);
    if (place == nullptr || place->parent == nullptr) {
        return std::nullopt;
    }
    const UINT state = GetMenuState(place->parent, place->position, MF_BYPOSITION);
    if (state == static_cast<UINT>(-1)) {
        return std::nullopt;
    }
    return state;
}

}  // namespace zm::win
