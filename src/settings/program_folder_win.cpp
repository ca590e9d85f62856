#include "settings/program_folder.h"

#include <windows.h>

#include <string>

#include "settings/utf16_path_win.h"

namespace zm::settings {

std::string programFolder() {
    // Long paths can exceed MAX_PATH; the buffer grows until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while (true) {
        length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            break;
        }
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
    path.resize(length);
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return {};
    }
    path.resize(separator);
    return utf8Path(path);
}

}  // namespace zm::settings
