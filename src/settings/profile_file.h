#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zm::settings {

// The settings file: "TKVR.INI" in the directory of the program's executable.
std::string settingsFilePath(std::string_view exeDirectory);

// A Windows-style initialisation file ("[section]" lines and "key=value" lines) stored in GBK.
// Names and values are UTF-8 in this interface and converted with iconv on the way in and out.
// Reading behaves like the classic profile functions on a file a person may have edited by hand;
// writing keeps every other line of the file in its place and never leaves a half-written file.
class ProfileFile {
public:
    explicit ProfileFile(std::string path);

    const std::string& path() const { return m_path; }

    // The value of `key` in `section` (names compared case-insensitively, blanks around names
    // and values trimmed, CRLF or LF lines), cut at 999 bytes of GBK and at its first zero byte.
    // nullopt when the file, the section or the key is missing, or the value is empty.
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;

    // Sets `key` in `section` to `value`, creating the file, the section or the key as needed
    // and replacing an existing value in place. Writes a temporary file beside the old one and
    // renames it over; false (old file untouched) when any step fails.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string m_path;
};

}  // namespace zm::settings
