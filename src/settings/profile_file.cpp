#include "settings/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "settings/code_page.h"
#include "settings/ini_text.h"

namespace zm::settings {
namespace {

// The classic read buffer: 999 bytes of value and the terminating zero.
constexpr std::size_t kValueBufferBytes = 1000;
// A settings file of two short keys is tiny; anything beyond this is not read into memory. A
// write refuses such a file rather than replacing what it cannot hold.
constexpr std::size_t kMaxFileBytes = std::size_t{16} * 1024 * 1024;

enum class FileState { Regular, Missing, Unusable };

struct FileContents {
    FileState state = FileState::Unusable;
    std::string bytes;
    mode_t mode = 0;
};

class FdCloser {
public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    ~FdCloser() { ::close(m_fd); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int m_fd;
};

// Reads the whole file. O_NONBLOCK keeps a FIFO in the file's place from blocking the open;
// anything but a regular file (a directory, a FIFO, a device) is unusable.
FileContents readWholeFile(const std::string& path) {
    FileContents file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        file.state = errno == ENOENT ? FileState::Missing : FileState::Unusable;
        return file;
    }
    FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::size_t>(st.st_size) > kMaxFileBytes) {
        return file;
    }
    // The size may change while the file is read; the loop reads to its end, within the limit.
    std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
    std::size_t used = 0;
    while (true) {
        if (used == bytes.size()) {
            if (bytes.size() > kMaxFileBytes) {
                return file;
            }
            bytes.resize(bytes.size() * 2 + 4096);
        }
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return file;
        }
        if (n == 0) {
            break;
        }
        used += static_cast<std::size_t>(n);
    }
    if (used > kMaxFileBytes) {
        return file;
    }
    bytes.resize(used);
    file.state = FileState::Regular;
    file.bytes = std::move(bytes);
    file.mode = st.st_mode;
    return file;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Replaces the file at `path` by `bytes` so that the path always holds either the old or the
// new file: the new text goes to a temporary file in the same directory (so the rename stays
// within one file system), is flushed to disk and renamed over the old file. The temporary file
// is removed again when any step fails. `keepMode` gives the old file's permissions to the new.
bool replaceFile(const std::string& path, std::string_view bytes, std::optional<mode_t> keepMode) {
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        // 0666 less the umask, as for any new file; replaced by the old file's mode below.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    bool ok = writeAll(fd, bytes);
    if (ok && keepMode) {
        // Best effort: some file systems have no permission bits to set.
        (void)::fchmod(fd, *keepMode & 0777);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Makes the rename itself durable. The new file is in place already, so a failure here is
    // no failure of the write.
    const int dir = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool hasLineEndOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// cppcheck misses the reads through std::optional's -> and calls both members unused.
struct Names {
    std::string section;  // cppcheck-suppress unusedStructMember
    std::string key;      // cppcheck-suppress unusedStructMember
};

// The section and key in the file's encoding, trimmed as the file's own names are. nullopt when
// a name is empty or could never stand in a file line as a section name or a key.
std::optional<Names> namesInFile(CodePage page, std::string_view section, std::string_view key) {
    section = trimBlanks(section);
    key = trimBlanks(key);
    if (section.empty() || key.empty() || hasLineEndOrZero(section) || hasLineEndOrZero(key) ||
        key.front() == '[' || key.front() == ';' || key.find('=') != std::string_view::npos) {
        return std::nullopt;
    }
    auto fileSection = fromUtf8(page, section);
    auto fileKey = fromUtf8(page, key);
    if (!fileSection || !fileKey) {
        return std::nullopt;
    }
    return Names{std::move(*fileSection), std::move(*fileKey)};
}

}  // namespace

std::string settingsFilePath(std::string_view directory) {
    return std::string(directory) + "/TKVR.INI";
}

ProfileFile::ProfileFile(std::string path) : m_path(std::move(path)) {}

std::optional<std::string> ProfileFile::readString(std::string_view section,
                                                   std::string_view key) const {
    const FileContents file = readWholeFile(m_path);
    if (file.state != FileState::Regular) {
        return std::nullopt;
    }
    const IniText ini(file.bytes);
    const auto names = namesInFile(ini.codePage(), section, key);
    if (!names) {
        return std::nullopt;
    }
    const auto stored = ini.value(names->section, names->key);
    if (!stored) {
        return std::nullopt;
    }
    // What the classic read hands back: the value up to its first zero byte, in a buffer of
    // 999 bytes and the terminating zero.
    std::string_view value = stored->substr(0, stored->find('\0'));
    value = cutAtCharBoundary(ini.codePage(), value, kValueBufferBytes - 1);
    if (value.empty()) {
        return std::nullopt;
    }
    return toUtf8(ini.codePage(), value);
}

bool ProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
    const FileContents file = readWholeFile(m_path);
    if (file.state == FileState::Unusable) {
        return false;
    }
    // A file without any write permission bit is read-only, as a file with the read-only
    // attribute is on the platform the format comes from: it is kept, even for the superuser.
    const bool exists = file.state == FileState::Regular;
    if (exists && ((file.mode & 0222) == 0 || ::access(m_path.c_str(), W_OK) != 0)) {
        return false;
    }
    const IniText ini(file.bytes);
    const auto names = namesInFile(ini.codePage(), section, key);
    if (!names || hasLineEndOrZero(value)) {
        return false;
    }
    const auto fileValue = fromUtf8(ini.codePage(), value);
    if (!fileValue) {
        return false;
    }
    return replaceFile(m_path, ini.withValue(names->section, names->key, *fileValue),
                       exists ? std::optional<mode_t>(file.mode) : std::nullopt);
}

}  // namespace zm::settings
