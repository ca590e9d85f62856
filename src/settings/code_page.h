#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zm::settings {

// The encodings a settings file can be in: GBK (Windows code page 936), the encoding of the
// program's own files and of any file without a byte-order mark, or UTF-8 for a file that
// starts with the UTF-8 byte-order mark (a file saved "as UTF-8" by a text editor). A broker's
// statement may also be GB18030 (Windows code page 54936), GBK's superset with four-byte
// characters.
enum class CodePage { Gbk, Utf8, Gb18030 };

// Converts text of `page` to UTF-8 and back: with the C library's iconv on Linux, with the
// system's MultiByteToWideChar and WideCharToMultiByte on Windows. The conversion is strict:
// nullopt when the input holds a byte sequence that is invalid in its encoding, an incomplete
// character at its end, or a character the target encoding cannot represent. UTF-8 to UTF-8 is
// a validity check that returns the text unchanged.
std::optional<std::string> toUtf8(CodePage page, std::string_view text);
std::optional<std::string> fromUtf8(CodePage page, std::string_view utf8);

// The length in bytes (1 or 2, or 4 for GB18030) of the character that starts at `pos` of
// `text`. Scanning a line character by character keeps the second byte of a GBK character
// (0x40 … 0x7E, 0x80 … 0xFE) from being taken for an ASCII ']' or letter. For UTF-8 it is always 1:
// the bytes of a multi-byte UTF-8 character are all 0x80 or above, so a byte-wise scan never
// mistakes them.
std::size_t charLength(CodePage page, std::string_view text, std::size_t pos);

// The longest start of `text` of at most `maxBytes` bytes that ends on a character boundary, so
// that cutting a long value never leaves half a character that would then fail to convert.
std::string_view cutAtCharBoundary(CodePage page, std::string_view text, std::size_t maxBytes);

}  // namespace zm::settings
