#include <windows.h>

#include <shlobj.h>

#include <string>

#include "settings/profile_file.h"
#include "settings/settings_location.h"
#include "settings/utf16_path_win.h"

namespace zm::settings {
namespace {

bool isDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A full path: a drive's ("C:\…") or a share's ("\\server\…").
bool isAbsolute(const std::wstring& path) {
    const auto separator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    return (path.size() >= 3 && path[1] == L':' && separator(path[2])) ||
           (path.size() >= 2 && separator(path[0]) && separator(path[1]));
}

// Creates `directory` and its missing parents. True when it is a directory afterwards.
bool makeDirectories(const std::wstring& directory) {
    if (directory.empty() || isDirectory(directory)) {
        return !directory.empty();
    }
    for (std::size_t at = directory.find_first_of(L"\\/", 3); at != std::wstring::npos;
         at = directory.find_first_of(L"\\/", at + 1)) {
        CreateDirectoryW(directory.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(directory.c_str(), nullptr);
    return isDirectory(directory);
}

// Copies the settings file `from` to `to`, unless `to` exists. The copy is written beside `to`
// and renamed into place in one step, which fails when a file appeared at `to` in the meantime:
// a second program starting at the same moment finds either no file or the whole copy, and a
// file already there is never replaced. The copy loses the read-only attribute that a file of a
// system install may have, so that the program can write its own.
void seed(const std::wstring& from, const std::wstring& to) {
    const std::wstring temp = to + L".seed" + std::to_wstring(GetCurrentProcessId());
    if (!CopyFileW(from.c_str(), temp.c_str(), FALSE)) {
        return;
    }
    SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExW(temp.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
    }
}

}  // namespace

std::string userSettingsDirectory() {
    // %APPDATA%, the roaming application data of the user, as the environment gives it; the
    // shell's folder where the variable is unset or no full path.
    std::wstring appData(32768, L'\0');
    const DWORD length =
        GetEnvironmentVariableW(L"APPDATA", appData.data(), static_cast<DWORD>(appData.size()));
    appData.resize(length < appData.size() ? length : 0);
    if (!isAbsolute(appData)) {
        wchar_t folder[MAX_PATH] = {};
        appData =
            SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))
                ? folder
                : L"";
    }
    if (appData.empty()) {
        return {};
    }
    return utf8Path(appData) + "\\" + kUserSettingsFolderName;
}

bool isWritableDirectory(const std::string& directory) {
    // Rights on Windows are the folder's access list, which no attribute tells: a file is made
    // there and removed again.
    const std::wstring folder = widePath(directory);
    if (!isDirectory(folder)) {
        return false;
    }
    const std::wstring probe = folder + L"\\.zunmo-calc-probe-" +
                               std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(GetTickCount64());
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::string chooseSettingsFile(const std::string& programDirectory,
                               const std::string& userDirectory, const WritableProbe& canWrite) {
    std::string beside = settingsFilePath(programDirectory);
    if (!prefersUserFolder(isInstalledProgram(programDirectory), canWrite(programDirectory)) ||
        userDirectory.empty() || !makeDirectories(widePath(userDirectory)) ||
        !canWrite(userDirectory)) {
        return beside;
    }
    std::string own = settingsFilePath(userDirectory);
    const std::wstring ownPath = widePath(own);
    if (GetFileAttributesW(ownPath.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetLastError() == ERROR_FILE_NOT_FOUND) {
        seed(widePath(beside), ownPath);
    }
    return own;
}

std::string settingsFileForProgram(const std::string& programDirectory) {
    return chooseSettingsFile(programDirectory, userSettingsDirectory(), isWritableDirectory);
}

}  // namespace zm::settings
