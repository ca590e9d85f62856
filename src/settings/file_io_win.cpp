#include "settings/file_io.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <utility>

#include "settings/utf16_path_win.h"

namespace zm::settings {
namespace {

class HandleCloser {
public:
    explicit HandleCloser(HANDLE handle) : m_handle(handle) {}
    ~HandleCloser() { CloseHandle(m_handle); }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;

private:
    HANDLE m_handle;
};

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

// The file is opened sharing reading, writing and deleting, so that a second instance of the
// program (or Notepad) holding it open never makes this one fail.
FileContents readWholeFile(const std::string& path) {
    FileContents file;
    const std::wstring wide = widePath(path);
    if (wide.empty()) {
        return file;
    }
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        file.state = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                         ? FileState::Missing
                         : FileState::Unusable;
        return file;
    }
    HandleCloser closer(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || info.nFileSizeHigh != 0 ||
        info.nFileSizeLow > kMaxFileBytes) {
        return file;
    }
    std::string bytes(info.nFileSizeLow, '\0');
    std::size_t used = 0;
    while (used < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(handle, bytes.data() + used, static_cast<DWORD>(bytes.size() - used), &read,
                      nullptr)) {
            return file;
        }
        if (read == 0) {
            break;
        }
        used += read;
    }
    bytes.resize(used);
    file.state = FileState::Regular;
    file.bytes = std::move(bytes);
    file.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return file;
}

// MoveFileExW with MOVEFILE_REPLACE_EXISTING swaps the file in one step within a folder;
// MOVEFILE_WRITE_THROUGH returns only once the move is on disk.
bool replaceFile(const std::string& path, std::string_view bytes, const FileContents& /*old*/) {
    static std::atomic<unsigned> counter{0};
    const std::wstring target = widePath(path);
    if (target.empty()) {
        return false;
    }
    std::wstring temp;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        temp = target + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(counter++);
        handle = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = writeAll(handle, bytes);
    ok = ok && FlushFileBuffers(handle);
    ok = CloseHandle(handle) && ok;
    ok = ok && MoveFileExW(temp.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        DeleteFileW(temp.c_str());
    }
    return ok;
}

}  // namespace zm::settings
