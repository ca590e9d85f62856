#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "settings/code_page.h"

namespace zm::settings {

// Blanks around section names, keys and values: space, tab, vertical tab and form feed.
std::string_view trimBlanks(std::string_view text);

// The bytes of a Windows-style initialisation file, read and edited without conversion. Lines
// end with CRLF, LF or a lone CR; the last line may have no end. A line is a section header
// ("[name]", the name running to the last ']' of the line), a key line ("key=value", split at the
// first '='), a comment (first character ';'), a blank line, or anything else, which is kept
// and otherwise ignored. Lines before the first section header belong to no section.
//
// Look-ups follow the classic profile functions on a file a person may have edited by hand:
// blanks around names and values do not count, section and key names compare case-insensitively
// in ASCII (never folding the second byte of a GBK character), the first section of a name is
// the section, and the first key of a name in it is the key. Names passed in are in the file's
// code page and carry no blanks at their ends.
class IniText {
public:
    // Views `bytes`, which must outlive this object. A file that starts with the UTF-8
    // byte-order mark is UTF-8 and its first line starts after the mark (which edits keep);
    // any other file is GBK.
    explicit IniText(std::string_view bytes);

    CodePage codePage() const { return m_codePage; }

    // The value of `key` in `section`: the text after the '=', without blanks at its ends and
    // without a pair of matching quotes (' or ") around it, uncut. nullopt when the section or
    // the key is missing; an empty view when the key has an empty value.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // The file's bytes with `key` in `section` set to `value`, every other byte kept:
    // - an existing key keeps its line up to the blanks after the '='; the rest of the line
    //   (the old value) is replaced by `value`;
    // - a missing key gets the line "key=value" after the last non-blank line of its section,
    //   so that blank lines before the next section stay where they are;
    // - a missing section is appended at the end of the file as "[section]" and the key line.
    // New lines end with lineBreak(); a last line without an end gets one before new lines.
    std::string withValue(std::string_view section, std::string_view key,
                          std::string_view value) const;

    // The line end that new lines get: the file's first line end, or CRLF when it has none.
    // CRLF is the line end of initialisation files on the platform the format comes from, so
    // a new file reads correctly in any editor there as well as here.
    std::string_view lineBreak() const;

private:
    // Where a look-up ended: the key's value, or the place a new key line would go.
    struct Match {
        bool sectionFound = false;
        bool keyFound = false;
        std::size_t valueBegin = 0;        // after the '=' and the blanks that follow it
        std::size_t valueEnd = 0;          // end of the key's line, before its line end
        std::size_t insertAt = 0;          // after the section's last non-blank line
        bool insertAfterOpenLine = false;  // that line is the file's last and has no end
    };
    Match find(std::string_view section, std::string_view key) const;

    std::string_view m_bytes;
    std::size_t m_bodyStart = 0;  // after the byte-order mark, if any
    CodePage m_codePage = CodePage::Gbk;
};

}  // namespace zm::settings
