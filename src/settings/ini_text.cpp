#include "settings/ini_text.h"

namespace zm::settings {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares two names in `page`, folding ASCII letters only where they are whole characters.
bool sameName(CodePage page, std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size();) {
        if (charLength(page, a, i) == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            i += 2;
        } else {
            if (foldAscii(a[i]) != foldAscii(b[i])) {
                return false;
            }
            ++i;
        }
    }
    return true;
}

struct Line {
    std::size_t begin;  // first byte of the line
    std::size_t end;    // first byte of its line end (or of the file's end)
    std::size_t next;   // first byte after its line end
};

Line lineAt(std::string_view bytes, std::size_t begin) {
    const std::size_t end = bytes.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
        return {begin, bytes.size(), bytes.size()};
    }
    const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
    return {begin, end, end + (crlf ? 2 : 1)};
}

enum class LineKind { Blank, Section, Key, Other };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;       // section name or key, trimmed
    std::size_t valueBegin = 0;  // key lines: offset in the line after the '=' and its blanks
};

ParsedLine parseLine(CodePage page, std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) {
        ++start;
    }
    if (start == line.size()) {
        return {LineKind::Blank, {}, 0};
    }
    if (line[start] == '[') {
        // The name runs to the last ']' of the line; the scan goes by characters so that the
        // second byte of a GBK character (which may be 0x5D) is not taken for the bracket.
        std::size_t close = std::string_view::npos;
        for (std::size_t i = start + 1; i < line.size(); i += charLength(page, line, i)) {
            if (line[i] == ']') {
                close = i;
            }
        }
        if (close == std::string_view::npos) {
            return {};
        }
        return {LineKind::Section, trimBlanks(line.substr(start + 1, close - start - 1)), 0};
    }
    if (line[start] == ';') {
        return {};
    }
    // '=' (0x3D) is below the range of GBK's second bytes, so a byte search is safe here.
    const std::size_t equals = line.find('=', start);
    if (equals == std::string_view::npos) {
        return {};
    }
    const std::string_view key = trimBlanks(line.substr(start, equals - start));
    if (key.empty()) {
        return {};
    }
    std::size_t valueBegin = equals + 1;
    while (valueBegin < line.size() && isBlank(line[valueBegin])) {
        ++valueBegin;
    }
    return {LineKind::Key, key, valueBegin};
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    // Blanks are ASCII bytes below 0x40, so they are never the second byte of a GBK character
    // and can be cut from either end byte by byte.
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

IniText::IniText(std::string_view bytes) : m_bytes(bytes) {
    if (bytes.starts_with(kUtf8Bom)) {
        m_bodyStart = kUtf8Bom.size();
        m_codePage = CodePage::Utf8;
    }
}

IniText::Match IniText::find(std::string_view section, std::string_view key) const {
    Match match;
    bool inSection = false;
    for (std::size_t pos = m_bodyStart; pos < m_bytes.size();) {
        const Line line = lineAt(m_bytes, pos);
        const std::string_view content = m_bytes.substr(line.begin, line.end - line.begin);
        const ParsedLine parsed = parseLine(m_codePage, content);
        if (parsed.kind == LineKind::Section) {
            if (inSection) {
                break;  // only the first section of the name counts
            }
            inSection = sameName(m_codePage, parsed.name, section);
            if (inSection) {
                match.sectionFound = true;
                match.insertAt = line.next;
                match.insertAfterOpenLine = line.next == line.end;
            }
        } else if (inSection) {
            if (parsed.kind == LineKind::Key && sameName(m_codePage, parsed.name, key)) {
                match.keyFound = true;
                match.valueBegin = line.begin + parsed.valueBegin;
                match.valueEnd = line.end;
                return match;
            }
            if (parsed.kind != LineKind::Blank) {
                match.insertAt = line.next;
                match.insertAfterOpenLine = line.next == line.end;
            }
        }
        pos = line.next;
    }
    return match;
}

std::optional<std::string_view> IniText::value(std::string_view section,
                                               std::string_view key) const {
    const Match match = find(section, key);
    if (!match.keyFound) {
        return std::nullopt;
    }
    std::string_view v =
        trimBlanks(m_bytes.substr(match.valueBegin, match.valueEnd - match.valueBegin));
    // The classic functions drop one pair of matching quotes around a value ("2.7" reads 2.7),
    // so that a value can be written with blanks at its ends. Quotes are ASCII bytes below
    // 0x40, never the second byte of a GBK character.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

std::string IniText::withValue(std::string_view section, std::string_view key,
                               std::string_view value) const {
    const Match match = find(section, key);
    const std::string_view br = lineBreak();
    std::size_t from = m_bytes.size();
    std::size_t to = m_bytes.size();
    std::string insert;
    if (match.keyFound) {
        from = match.valueBegin;
        to = match.valueEnd;
        insert = value;
    } else {
        if (match.sectionFound) {
            from = to = match.insertAt;
            if (match.insertAfterOpenLine) {
                insert += br;
            }
        } else {
            const bool openLastLine =
                m_bytes.size() > m_bodyStart && m_bytes.back() != '\n' && m_bytes.back() != '\r';
            if (openLastLine) {
                insert += br;
            }
            insert += '[';
            insert += section;
            insert += ']';
            insert += br;
        }
        insert += key;
        insert += '=';
        insert += value;
        insert += br;
    }
    std::string out;
    out.reserve(m_bytes.size() - (to - from) + insert.size());
    out += m_bytes.substr(0, from);
    out += insert;
    out += m_bytes.substr(to);
    return out;
}

std::string_view IniText::lineBreak() const {
    const std::size_t end = m_bytes.find_first_of("\r\n", m_bodyStart);
    if (end == std::string_view::npos) {
        return "\r\n";
    }
    return lineAt(m_bytes, end).next - end == 2 ? "\r\n" : m_bytes.substr(end, 1);
}

}  // namespace zm::settings
