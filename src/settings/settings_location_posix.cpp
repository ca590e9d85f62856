#include "settings/settings_location.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "settings/profile_file.h"

namespace zm::settings {
namespace {

bool isAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

bool isDirectory(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates `directory` and its missing parents, each with mode 0700 (less the umask), as the XDG
// rules ask for a settings folder. True when it is a directory afterwards.
bool makeDirectories(const std::string& directory) {
    if (directory.empty() || isDirectory(directory)) {
        return !directory.empty();
    }
    for (std::size_t slash = directory.find('/', 1); slash != std::string::npos;
         slash = directory.find('/', slash + 1)) {
        (void)::mkdir(directory.substr(0, slash).c_str(), 0700);
    }
    (void)::mkdir(directory.c_str(), 0700);
    return isDirectory(directory);
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Copies the settings file `from` to `to`, unless `to` exists. The copy is a new file of the
// user's (mode 0666 less the umask, so a read-only file of a system install does not make a
// read-only copy), written beside `to` and linked into place in one step: a second program
// starting at the same moment finds either no file or the whole copy, never half of one.
void seed(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        return;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return;
    }
    const std::string temp = to + ".seed" + std::to_string(::getpid());
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        return;
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    // link() never replaces: a file that appeared at `to` in the meantime is kept.
    if (ok) {
        (void)::link(temp.c_str(), to.c_str());
    }
    ::unlink(temp.c_str());
}

}  // namespace

std::string xdgSettingsDirectory(const EnvironmentReader& environment) {
    const char* config = environment("XDG_CONFIG_HOME");
    if (isAbsolute(config)) {
        return std::string(config) + "/" + kUserSettingsFolderName;
    }
    const char* home = environment("HOME");
    if (isAbsolute(home)) {
        return std::string(home) + "/.config/" + kUserSettingsFolderName;
    }
    return {};
}

std::string userSettingsDirectory() {
    return xdgSettingsDirectory([](const char* name) { return std::getenv(name); });
}

bool isWritableDirectory(const std::string& directory) {
    return isDirectory(directory) && ::access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string chooseSettingsFile(const std::string& programDirectory,
                               const std::string& userDirectory, const WritableProbe& canWrite) {
    std::string beside = settingsFilePath(programDirectory);
    if (!prefersUserFolder(isInstalledProgram(programDirectory), canWrite(programDirectory)) ||
        userDirectory.empty() || !makeDirectories(userDirectory) || !canWrite(userDirectory)) {
        return beside;
    }
    std::string own = settingsFilePath(userDirectory);
    struct stat st {};
    if (::lstat(own.c_str(), &st) != 0 && errno == ENOENT) {
        seed(beside, own);
    }
    return own;
}

std::string settingsFileForProgram(const std::string& programDirectory) {
    return chooseSettingsFile(programDirectory, userSettingsDirectory(), isWritableDirectory);
}

}  // namespace zm::settings
