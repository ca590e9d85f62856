#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zm::settings {

// The settings file "TKVR.INI" in `directory`, joined with a plain "/" (a doubled separator is
// harmless). Which directory the program uses is chosen in settings_location.h.
std::string settingsFilePath(std::string_view directory);

// A Windows-style initialisation file ("[section]" lines and "key=value" lines), standing in
// for the platform's profile functions. The file is GBK (code page 936), or UTF-8 when it starts
// with a UTF-8 byte-order mark; names and values are UTF-8 in this interface and converted (see
// code_page.h) on the way in and out. Reading behaves like the classic profile functions on a file
// a person may have edited by hand (see IniText); writing keeps every other byte of the file in its
// place and never leaves a half-written file. Neither ever throws or shows anything.
class ProfileFile {
public:
    explicit ProfileFile(std::string path);

    const std::string& path() const { return m_path; }

    // The value of `key` in `section` (names compared case-insensitively in ASCII, blanks around
    // names and values trimmed, one pair of matching quotes around the value dropped, CRLF, LF
    // or CR lines), cut at its first zero byte and at 999 bytes of the file's encoding (the
    // classic 1000-byte read buffer; a cut never splits a character). nullopt when the file,
    // the section or the key is missing, when the value is then empty or is not valid text of
    // the file's encoding, and when the path is no readable regular file of at most 16 MiB.
    std::optional<std::string> readString(std::string_view section, std::string_view key) const;

    // Sets `key` in `section` to `value`, creating the file, the section or the key as needed
    // and replacing an existing value in place (see IniText::withValue). Writes a temporary file
    // beside the old one, flushes it to disk and renames it over the old one. Returns false, and
    // leaves any old file exactly as it was, when any step fails; when the path is no regular
    // file, is marked read-only (no write permission bit) or cannot be read; when a name is
    // empty, a key starts with '[' or ';' or holds '=', or any text holds a line end or a zero
    // byte (they would not read back); and when the text has no form in the file's encoding.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string m_path;
};

}  // namespace zm::settings
