// Paths between the settings code's UTF-8 and the UTF-16 of the Windows W functions.
#pragma once

#include <windows.h>

#include <climits>
#include <string>
#include <string_view>

namespace zm::settings {

// The UTF-8 path as the wide-character functions take it. An invalid path yields an empty
// string, which names no file.
inline std::wstring widePath(std::string_view path) {
    if (path.empty() || path.size() > INT_MAX) {
        return {};
    }
    const int inLength = static_cast<int>(path.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), inLength, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), inLength, wide.data(), length);
    return wide;
}

// A path the system gave in UTF-16, as UTF-8; empty when it cannot be converted.
inline std::string utf8Path(std::wstring_view path) {
    if (path.empty() || path.size() > INT_MAX) {
        return {};
    }
    const int inLength = static_cast<int>(path.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, path.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), inLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

}  // namespace zm::settings
