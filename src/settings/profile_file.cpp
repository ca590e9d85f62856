#include "settings/profile_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "settings/code_page.h"
#include "settings/file_io.h"
#include "settings/ini_text.h"

namespace zm::settings {
namespace {

// The classic read buffer: 999 bytes of value and the terminating zero.
constexpr std::size_t kValueBufferBytes = 1000;

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
    if (exists && file.readOnly) {
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
    return replaceFile(m_path, ini.withValue(names->section, names->key, *fileValue), file);
}

}  // namespace zm::settings
