#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The settings file's system calls, one implementation per platform (file_io_posix.cpp,
// file_io_win.cpp). Paths are UTF-8; Windows opens them through the wide-character functions, so
// a folder with Chinese characters or blanks in its name works on either system.
namespace zm::settings {

// A settings file of two short keys is tiny; anything beyond this is not read into memory. A
// write refuses such a file rather than replacing what it cannot hold.
inline constexpr std::size_t kMaxFileBytes = std::size_t{16} * 1024 * 1024;

enum class FileState { Regular, Missing, Unusable };

struct FileContents {
    FileState state = FileState::Unusable;
    std::string bytes;
    // Read-only: no write permission bit or no write access on Linux, the read-only attribute
    // on Windows. Such a file is kept, even for the superuser or an administrator.
    bool readOnly = false;
    unsigned permissions = 0;  // the permission bits, given to the file that replaces it
};

// Reads the whole file; anything but a regular file of at most kMaxFileBytes (a directory, a
// FIFO, a device) is unusable, a path that names nothing is missing.
FileContents readWholeFile(const std::string& path);

// Replaces the file at `path` by `bytes` so that the path always holds either the old or the
// new file: the new text goes to a temporary file in the same directory, is flushed to disk and
// then moved over the old file. The temporary file is removed again when any step fails. `old`
// is what readWholeFile found there (its permissions pass to the new file).
bool replaceFile(const std::string& path, std::string_view bytes, const FileContents& old);

}  // namespace zm::settings
