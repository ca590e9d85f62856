// Fuzz target: the settings-file reader and writer.
//
// The input is the settings file's bytes, as a person or another program may have left them.
// In memory (IniText) every edit the program can make is checked: the value reads back, the
// edit changes one stretch of the file only (the old value, or nothing for a new key or
// section), a second identical write changes nothing, and every other key keeps its value. On
// disk (ProfileFile) the two reads of the start-up and the two writes of SaveRates are made on a
// real file, which must then hold exactly the in-memory edit.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fees/fee_schedule.h"
#include "settings/code_page.h"
#include "settings/ini_text.h"
#include "settings/profile_file.h"

namespace {

using zm::settings::CodePage;
using zm::settings::IniText;

[[noreturn]] void fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "settings file fault: %s [%.*s]\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

char foldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

struct KeyRef {
    std::string section;
    std::string key;
};

// Key lines of the file read the plain way, with the section header above them: the names to
// look up before and after an edit. Only a source of names; what they hold is asked of IniText.
std::vector<KeyRef> keyLines(std::string_view bytes) {
    std::vector<KeyRef> keys;
    std::string section;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < bytes.size() && keys.size() < 64) {
        std::size_t end = pos;
        while (end < bytes.size() && !isLineEnd(bytes[end])) {
            ++end;
        }
        const std::string_view line = zm::settings::trimBlanks(bytes.substr(pos, end - pos));
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                section = std::string(zm::settings::trimBlanks(line.substr(1, close - 1)));
                inSection = !section.empty();
            }
        } else if (inSection && !line.empty() && line.front() != ';') {
            const std::size_t eq = line.find('=');
            if (eq != std::string_view::npos) {
                const std::string_view key = zm::settings::trimBlanks(line.substr(0, eq));
                if (!key.empty()) {
                    keys.push_back({section, std::string(key)});
                }
            }
        }
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') {
            ++pos;
        }
        if (pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    }
    return keys;
}

// A value that reads back as written: no line end, no zero byte, no blanks at its ends and no
// pair of matching quotes around it.
bool readsBackAsWritten(std::string_view v) {
    if (v.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return false;
    }
    if (zm::settings::trimBlanks(v) != v) {
        return false;
    }
    return !(v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.front() == v.back());
}

// A name usable for a look-up and a write: no blanks at its ends, no line end, no zero byte; a
// key neither starting with '[' or ';' nor holding '='.
bool usableName(std::string_view name, bool isKey) {
    if (name.empty() || zm::settings::trimBlanks(name) != name ||
        name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
        return false;
    }
    return !isKey || (name.front() != '[' && name.front() != ';' && name.find('=') == name.npos);
}

// One edit in memory, with every property it must keep.
void checkEdit(std::string_view bytes, std::string_view section, std::string_view key,
               std::string_view value) {
    if (!usableName(section, false) || !usableName(key, true) || !readsBackAsWritten(value)) {
        return;
    }
    // A section name holding ']' is read up to the last ']' of its line, so such a name is
    // found again only when it has no ']' of its own after a GBK trail byte; keep to plain
    // names there.
    if (section.find(']') != std::string_view::npos || section.front() == '[') {
        return;
    }
    const IniText before(bytes);
    // ProfileFile only ever passes names and values converted from UTF-8: valid text of the
    // file's encoding (a GBK name ending in a lead byte would swallow its closing ']').
    const CodePage page = before.codePage();
    if (!zm::settings::toUtf8(page, section) || !zm::settings::toUtf8(page, key) ||
        !zm::settings::toUtf8(page, value)) {
        return;
    }
    const bool existed = before.value(section, key).has_value();
    const std::string edited = before.withValue(section, key, value);
    const IniText after(edited);
    if (after.codePage() != before.codePage()) {
        fail("an edit changed the file's encoding", key);
    }
    const auto back = after.value(section, key);
    if (!back || *back != value) {
        fail("a written value does not read back", key);
    }
    // One stretch changed: old = P + X + S, new = P + Y + S. X lies within the old value (no
    // line end in it), and is empty when the key was new.
    std::size_t prefix = 0;
    while (prefix < bytes.size() && prefix < edited.size() && bytes[prefix] == edited[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < bytes.size() - prefix && suffix < edited.size() - prefix &&
           bytes[bytes.size() - 1 - suffix] == edited[edited.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = bytes.substr(prefix, bytes.size() - prefix - suffix);
    const std::string_view added =
        std::string_view(edited).substr(prefix, edited.size() - prefix - suffix);
    if (existed) {
        for (char c : removed) {
            if (isLineEnd(c)) {
                fail("replacing a value removed a line end", key);
            }
        }
        for (char c : added) {
            if (isLineEnd(c)) {
                fail("replacing a value added a line", key);
            }
        }
    } else if (!removed.empty()) {
        fail("adding a key removed bytes of the file", key);
    }
    // At most "\r\n[section]\r\nkey=value\r\n" is added.
    if (edited.size() > bytes.size() + section.size() + key.size() + value.size() + 9) {
        fail("an edit added more than its line and section header", key);
    }
    // Writing the same value again changes nothing.
    if (after.withValue(section, key, value) != edited) {
        fail("a second identical write changed the file", key);
    }
    // Every other key keeps its value.
    for (const KeyRef& k : keyLines(bytes)) {
        if (sameFolded(k.key, key)) {
            continue;
        }
        if (before.value(k.section, k.key) != after.value(k.section, k.key)) {
            fail("an edit changed another key's value", k.key);
        }
    }
}

std::string gbkOrUtf8(CodePage page, std::string_view utf8) {
    return zm::settings::fromUtf8(page, utf8).value_or(std::string(utf8));
}

// The settings file of this process, in a directory of its own on a memory file system when
// there is one, removed at exit. Held by a pointer that is never freed, so the exit handler can
// still use it.
const std::string& scratchDirectory() {
    static const std::string* const dir = [] {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        auto* d = new std::string(std::string(base) + "/zm-fuzz-settings-XXXXXX");
        if (mkdtemp(d->data()) == nullptr) {
            fail("cannot create a scratch directory", *d);
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchDirectory(), ignored);
        });
        return d;
    }();
    return *dir;
}

std::string scratchFile() {
    return scratchDirectory() + "/TKVR.INI";
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The start-up reads and the SaveRates writes on a real file.
void checkOnDisk(std::string_view bytes, std::uint32_t pick) {
    const std::string path = scratchFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            fail("cannot write the scratch file", path);
        }
    }
    zm::settings::ProfileFile file(path);
    const IniText ini(bytes);
    const CodePage page = ini.codePage();
    const std::string section = gbkOrUtf8(page, "TIP");
    for (std::string_view keyUtf8 : {std::string_view("手续费"), std::string_view("印花税")}) {
        const auto read = file.readString("TIP", keyUtf8);
        const auto raw = ini.value(section, gbkOrUtf8(page, keyUtf8));
        if (!raw && read) {
            fail("a missing key was read", keyUtf8);
        }
        if (read) {
            // What was read is the stored value, cut at its first zero byte and at 999 bytes.
            const auto inFile = zm::settings::fromUtf8(page, *read);
            if (read->empty() || !inFile || inFile->size() > 999 ||
                raw->substr(0, inFile->size()) != *inFile ||
                inFile->find('\0') != std::string::npos) {
                fail("a value read is not the start of the stored value", keyUtf8);
            }
            const std::size_t rest = raw->size() - inFile->size();
            if (rest > 0 && (*raw)[inFile->size()] != '\0' && inFile->size() < 990) {
                fail("a value was cut short", keyUtf8);
            }
        } else if (raw && !raw->empty() && (*raw)[0] != '\0' && zm::settings::toUtf8(page, *raw)) {
            fail("a stored value was not read", keyUtf8);
        }
    }
    // SaveRates: both rate texts, as the lists hold them.
    const auto& commissions = zm::commissionRateEntries();
    const auto& duties = zm::stampDutyRateEntries();
    const std::string commission = commissions[pick % commissions.size()];
    const std::string duty = duties[(pick / 31) % duties.size()];
    if (!file.writeString("TIP", "手续费", commission) ||
        !file.writeString("TIP", "印花税", duty)) {
        fail("writing a rate into a writable file failed");
    }
    const std::string once = ini.withValue(section, gbkOrUtf8(page, "手续费"), commission);
    const std::string expected = IniText(once).withValue(section, gbkOrUtf8(page, "印花税"), duty);
    if (readFile(path) != expected) {
        fail("the file on disk is not the in-memory edit");
    }
    if (file.readString("TIP", "手续费") != commission ||
        file.readString("TIP", "印花税") != duty) {
        fail("a saved rate does not read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : bytes) {
        hash = (hash ^ c) * 16777619u;
    }
    const IniText ini(bytes);
    const CodePage page = ini.codePage();
    const std::string tip = gbkOrUtf8(page, "TIP");
    const std::string commissionKey = gbkOrUtf8(page, "手续费");
    const std::string dutyKey = gbkOrUtf8(page, "印花税");
    const std::string rate = zm::commissionRateEntries()[hash % 31];

    // The program's own keys, the section in other letter cases, a new section and key, and
    // names and values taken from the file itself.
    checkEdit(bytes, tip, commissionKey, rate);
    checkEdit(bytes, tip, dutyKey, "3");
    checkEdit(bytes, "tip", commissionKey, "0.0");
    checkEdit(bytes, tip, "NewKey", gbkOrUtf8(page, "新值"));
    checkEdit(bytes, "NEW SECTION", "k", "v");
    const auto keys = keyLines(bytes);
    if (!keys.empty()) {
        const KeyRef& k = keys[hash % keys.size()];
        const auto old = ini.value(k.section, k.key);
        checkEdit(bytes, k.section, k.key, rate);
        if (old) {
            checkEdit(bytes, k.section, k.key, *old);
            checkEdit(bytes, tip, commissionKey, *old);
        }
        checkEdit(bytes, k.section, commissionKey, rate);
    }
    checkOnDisk(bytes, hash);
    return 0;
}
