#include "settings/code_page.h"

#include <windows.h>

#include <climits>

// The conversions on Windows: through UTF-16 with the system's own tables, so that a file reads
// exactly as Notepad and the classic profile functions read it. Code page 936 maps 0x80 to the
// euro sign, as iconv's CP936 does.
namespace zm::settings {
namespace {

constexpr UINT kGbkCodePage = 936;
constexpr UINT kGb18030CodePage = 54936;

UINT windowsCodePage(CodePage page) {
    switch (page) {
        case CodePage::Gbk:
            return kGbkCodePage;
        case CodePage::Gb18030:
            // Every Windows since Vista has it; Wine 8 does not, and there GBK, the part of
            // GB18030 that statements use, reads the same text but for four-byte characters.
            return IsValidCodePage(kGb18030CodePage) ? kGb18030CodePage : kGbkCodePage;
        case CodePage::Utf8:
            break;
    }
    return CP_UTF8;
}

// nullopt for a byte sequence that is no valid text of `codePage`, an incomplete character at
// the end included.
std::optional<std::wstring> toWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    if (text.size() > INT_MAX) {
        return std::nullopt;
    }
    const int inLength = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), inLength, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), inLength, wide.data(),
                            length) != length) {
        return std::nullopt;
    }
    return wide;
}

// nullopt for a character `codePage` has no form for; WideCharToMultiByte would put a default
// character in its place (or a look-alike, which WC_NO_BEST_FIT_CHARS turns off), and that would
// not read back as the same text.
std::optional<std::string> fromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int inLength = static_cast<int>(wide.size());
    // UTF-8 and GB18030 hold every character; both refuse the best-fit flag and the
    // default-character argument and take WC_ERR_INVALID_CHARS instead.
    const bool complete = codePage == CP_UTF8 || codePage == kGb18030CodePage;
    const DWORD flags = complete ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = complete ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), inLength, nullptr, 0,
                                           nullptr, usedDefaultOut);
    if (length <= 0) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(length), '\0');
    const int written = WideCharToMultiByte(codePage, flags, wide.data(), inLength, out.data(),
                                            length, nullptr, usedDefaultOut);
    // WideCharToMultiByte sets usedDefault through the pointer, which cppcheck does not see.
    // cppcheck-suppress knownConditionTrueFalse
    if (written != length || usedDefault) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> convert(UINT to, UINT from, std::string_view text) {
    const auto wide = toWide(from, text);
    if (!wide) {
        return std::nullopt;
    }
    return fromWide(to, *wide);
}

}  // namespace

std::optional<std::string> toUtf8(CodePage page, std::string_view text) {
    return convert(CP_UTF8, windowsCodePage(page), text);
}

std::optional<std::string> fromUtf8(CodePage page, std::string_view utf8) {
    return convert(windowsCodePage(page), CP_UTF8, utf8);
}

}  // namespace zm::settings
