// The system's question box and its dialogs that pick a folder or files, over the window the
// user is in; paths come back in UTF-8.
#include "win/win_window_model.h"

#include <commdlg.h>
#include <shlobj.h>
#include <algorithm>

#include <string>
#include <vector>

#include "settings/utf16_path_win.h"
#include "view/messages.h"
#include "win/wide_text.h"

namespace zm::win {
namespace {

// The folder dialog opens at the folder it is given.
int CALLBACK startInFolder(HWND dialog, UINT msg, LPARAM /*lParam*/, LPARAM start) {
    if (msg == BFFM_INITIALIZED && start != 0) {
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    }
    return 0;
}

// A filter as "交割单 (*.txt *.xls *.csv)" in the pairs the file dialog takes: the text, then
// its patterns separated by semicolons, each pair and the list ended by a null character.
std::wstring dialogFilter(std::string_view filter) {
    // Several filters are separated by ";;", as Qt writes them: "交割单 (*.txt);;所有文件 (*)".
    std::wstring filters;
    const std::wstring all = toWide(filter);
    std::size_t from = 0;
    while (from <= all.size()) {
        const std::size_t end = std::min(all.find(L";;", from), all.size());
        const std::wstring text = all.substr(from, end - from);
        const auto open = text.rfind(L'(');
        const auto close = text.rfind(L')');
        std::wstring patterns = L"*.*";
        if (open != std::wstring::npos && close != std::wstring::npos && close > open) {
            patterns = text.substr(open + 1, close - open - 1);
            std::ranges::replace(patterns, L' ', L';');
        }
        filters += text + L'\0' + patterns + L'\0';
        from = end + 2;
    }
    return filters + L'\0';
}

}  // namespace

bool WinWindowModel::askYesNo(std::string_view text) {
    HWND owner = dialogOwner();
    // 否 the default, so that Enter never agrees by accident.
    const int answer = MessageBoxW(owner, toWide(text).c_str(), toWide(msg::kMessageTitle).c_str(),
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    reactivate(owner);
    return answer == IDYES;
}

std::optional<std::string> WinWindowModel::chooseFolder(std::string_view title,
                                                        std::string_view start) {
    HWND owner = dialogOwner();
    const std::wstring heading = toWide(title);
    const std::wstring startPath = settings::widePath(start);
    wchar_t name[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = name;
    browse.lpszTitle = heading.c_str();
    // A folder of the file system, or one typed into the dialog's field.
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    browse.lpfn = &startInFolder;
    browse.lParam = startPath.empty() ? 0 : reinterpret_cast<LPARAM>(startPath.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    reactivate(owner);
    if (chosen == nullptr) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListW(chosen, path) != FALSE;
    ILFree(chosen);
    if (!found || path[0] == L'\0') {
        return std::nullopt;
    }
    return settings::utf8Path(path);
}

std::vector<std::string> WinWindowModel::chooseFiles(std::string_view title, std::string_view start,
                                                     std::string_view filter) {
    HWND owner = dialogOwner();
    const std::wstring heading = toWide(title);
    const std::wstring startPath = settings::widePath(start);
    const std::wstring filters = dialogFilter(filter);
    // Room for many files of long names: the folder, then each name, null-separated.
    std::wstring names(32768, L'\0');
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = filters.c_str();
    open.lpstrFile = names.data();
    open.nMaxFile = static_cast<DWORD>(names.size());
    open.lpstrInitialDir = startPath.empty() ? nullptr : startPath.c_str();
    open.lpstrTitle = heading.c_str();
    open.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                 OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const bool chosen = GetOpenFileNameW(&open) != FALSE;
    reactivate(owner);
    std::vector<std::string> paths;
    if (!chosen) {
        return paths;
    }
    // One file: its full path. Several: the folder, then the names, each ended by a null.
    std::vector<std::wstring> parts;
    for (const wchar_t* part = names.c_str(); *part != L'\0'; part += wcslen(part) + 1) {
        parts.emplace_back(part);
    }
    if (parts.size() == 1) {
        paths.push_back(settings::utf8Path(parts.front()));
        return paths;
    }
    std::wstring folder = parts.front();
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        paths.push_back(settings::utf8Path(folder + parts[i]));
    }
    return paths;
}

}  // namespace zm::win
