#include "settings/code_page.h"

namespace zm::settings {

std::size_t charLength(CodePage page, std::string_view text, std::size_t pos) {
    if (page == CodePage::Utf8 || pos + 1 >= text.size()) {
        return 1;
    }
    const auto lead = static_cast<unsigned char>(text[pos]);
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    const bool isLead = lead >= 0x81 && lead <= 0xFE;
    // GB18030's four-byte form: lead, digit, lead, digit.
    auto isDigit = [](unsigned char c) { return c >= 0x30 && c <= 0x39; };
    if (page == CodePage::Gb18030 && isLead && isDigit(trail) && pos + 3 < text.size()) {
        const auto third = static_cast<unsigned char>(text[pos + 2]);
        const auto fourth = static_cast<unsigned char>(text[pos + 3]);
        if (third >= 0x81 && third <= 0xFE && isDigit(fourth)) {
            return 4;
        }
    }
    const bool isTrail = trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
    return isLead && isTrail ? 2 : 1;
}

std::string_view cutAtCharBoundary(CodePage page, std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = 0;
    if (page != CodePage::Utf8) {
        // GBK and GB18030 can only be walked forwards: a byte of 0x81 … 0xFE may be either half of
        // a pair.
        while (end + charLength(page, text, end) <= maxBytes) {
            end += charLength(page, text, end);
        }
    } else {
        // A UTF-8 continuation byte is 10xxxxxx; step back over them to the character's start.
        end = maxBytes;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            --end;
        }
    }
    return text.substr(0, end);
}

}  // namespace zm::settings
