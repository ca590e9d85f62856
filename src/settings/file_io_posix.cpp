#include "settings/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <utility>

namespace zm::settings {
namespace {

class FdCloser {
public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    ~FdCloser() { ::close(m_fd); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int m_fd;
};

}  // namespace

// O_NONBLOCK keeps a FIFO in the file's place from blocking the open.
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
    file.permissions = st.st_mode & 0777;
    file.readOnly = (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
    return file;
}

namespace {

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

}  // namespace

// The temporary file is in the same directory, so that the rename stays within one file system.
bool replaceFile(const std::string& path, std::string_view bytes, const FileContents& old) {
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
    if (ok && old.state == FileState::Regular) {
        // Best effort: some file systems have no permission bits to set.
        (void)::fchmod(fd, static_cast<mode_t>(old.permissions));
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

}  // namespace zm::settings
