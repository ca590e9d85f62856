#include "win/win_util.h"

#include <algorithm>

namespace zm::win {

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

RECT windowRectFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, bool menu,
                   UINT dpi) {
    RECT r{0, 0, clientWidth, clientHeight};
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust != nullptr) {
        adjust(&r, style, menu ? TRUE : FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&r, style, menu ? TRUE : FALSE, exStyle);
    }
    return r;
}

std::wstring windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

bool hasClass(HWND hwnd, const wchar_t* className) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return lstrcmpiW(name, className) == 0;
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

std::wstring withoutLineBreaks(std::wstring text) {
    std::erase(text, L'\r');
    std::erase(text, L'\n');
    return text;
}

RECT workAreaOf(HWND hwnd) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcWork;
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

}  // namespace zm::win
