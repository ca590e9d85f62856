#pragma once

// What the files of the Windows front end share: the window class, DPI and twips arithmetic,
// and the texts of windows.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "layout/layout.h"

namespace zm::win {

inline constexpr wchar_t kFormClass[] = L"ZunmoCalcForm";
inline constexpr UINT_PTR kSubclassId = 1;

// The window's DPI: GetDpiForWindow where the system has it (Windows 10 1607 on), else the
// system DPI, so that the program still starts on older systems.
UINT dpiOf(HWND hwnd);
// The window rectangle around a client area, by AdjustWindowRectExForDpi where the system has
// it; `menu`: the window has a menu bar (of one line).
RECT windowRectFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu,
                   UINT dpi);

// Twips to pixels at `dpi`: 1440 twips to the inch.
inline int px(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

std::wstring windowText(HWND hwnd);
bool hasClass(HWND hwnd, const wchar_t* className);
inline bool isEdit(HWND hwnd) {
    return hasClass(hwnd, WC_EDITW);
}

// A multi-line edit breaks lines at CR LF only.
std::wstring withCrLf(const std::wstring& text);
std::wstring withoutLineBreaks(std::wstring text);

// The menu bar, its menus, items and separators are no child windows.
inline bool isMenuRow(const layout::Control& c) {
    return c.kind == layout::Kind::MenuBar || c.kind == layout::Kind::Menu ||
           c.kind == layout::Kind::MenuItem || c.kind == layout::Kind::Separator;
}

// The work area of the monitor the window is on (the screen less the taskbar).
RECT workAreaOf(HWND hwnd);

}  // namespace zm::win
