#include "settings/code_page.h"

#include <iconv.h>

#include <cerrno>

// The conversions on Linux: the C library's iconv.

namespace zm::settings {
namespace {

// Windows code page 936 as the C library names it: GBK with 0x80 for the euro sign.
constexpr const char* kGbkName = "CP936";
constexpr const char* kUtf8Name = "UTF-8";
constexpr const char* kGb18030Name = "GB18030";

const char* iconvName(CodePage page) {
    switch (page) {
        case CodePage::Gbk:
            return kGbkName;
        case CodePage::Gb18030:
            return kGb18030Name;
        case CodePage::Utf8:
            break;
    }
    return kUtf8Name;
}

class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) {
            iconv_close(m_cd);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    // (iconv_t)-1 is the failure value iconv_open is documented to return.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

std::optional<std::string> convert(const char* to, const char* from, std::string_view text) {
    IconvHandle cd(to, from);
    if (!cd.valid()) {
        return std::nullopt;
    }
    // GBK or GB18030 to UTF-8 grows a text by at most three times (the single byte 0x80 becomes
    // the three bytes of the euro sign); the loop below grows the buffer anyway should it be short.
    std::string out(text.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(text.data());  // iconv's interface is not const-correct
    std::size_t inLeft = text.size();
    std::size_t used = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        used = static_cast<std::size_t>(outPtr - out.data());
        if (result == static_cast<std::size_t>(-1)) {
            if (errno != E2BIG) {
                return std::nullopt;  // EILSEQ: invalid or unrepresentable; EINVAL: cut short
            }
            out.resize(out.size() * 2);
        } else if (result != 0) {
            return std::nullopt;  // an approximated character would not read back the same
        }
    }
    // Ends the output in its initial shift state (nothing to write for GBK and UTF-8).
    out.resize(used + 16);
    char* outPtr = out.data() + used;
    std::size_t outLeft = out.size() - used;
    if (iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}

}  // namespace

std::optional<std::string> toUtf8(CodePage page, std::string_view text) {
    return convert(kUtf8Name, iconvName(page), text);
}

std::optional<std::string> fromUtf8(CodePage page, std::string_view utf8) {
    return convert(iconvName(page), kUtf8Name, utf8);
}

}  // namespace zm::settings
