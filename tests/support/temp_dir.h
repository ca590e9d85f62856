#pragma once

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zm::test {

// A UTF-8 path as the file system takes it on either system (on Windows a plain std::string
// would go through the ANSI code page and lose its Chinese characters).
inline std::filesystem::path pathOf(std::string_view utf8) {
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// A fresh directory under the system's temporary directory, removed with everything in it when
// the object goes. Tests put their settings files there.
class TempDir {
public:
    TempDir() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const auto candidate = base / ("zm-test-" + std::to_string(random() % 1000000000));
            std::error_code ec;
            if (std::filesystem::create_directory(candidate, ec)) {
                const std::u8string name = candidate.u8string();
                m_path.assign(name.begin(), name.end());
            }
        }
        if (m_path.empty()) {
            throw std::runtime_error("cannot make a temporary directory");
        }
    }
    ~TempDir() {
        std::error_code ec;
        // A test may have made the directory or a file in it read-only.
        for (const auto& e : std::filesystem::recursive_directory_iterator(pathOf(m_path), ec)) {
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
        std::filesystem::permissions(pathOf(m_path), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(pathOf(m_path), ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // UTF-8.
    const std::string& path() const { return m_path; }
    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }

    // The names in the directory, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(pathOf(m_path))) {
            const std::u8string name = e.path().filename().u8string();
            names.emplace_back(name.begin(), name.end());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string m_path;
};

}  // namespace zm::test
