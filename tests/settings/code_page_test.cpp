#include "settings/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace zm::settings {
namespace {

TEST(CodePage, gbk_converts_both_ways_and_refuses_what_it_cannot_hold) {
    EXPECT_EQ(fromUtf8(CodePage::Gbk, "手续费=2.7"), "\xCA\xD6\xD0\xF8\xB7\xD1=2.7");
    EXPECT_EQ(toUtf8(CodePage::Gbk, "\xD3\xA1\xBB\xA8\xCB\xB0"), "印花税");
    EXPECT_EQ(toUtf8(CodePage::Gbk, "\x80"), "€");  // code page 936's one single-byte extra
    EXPECT_EQ(toUtf8(CodePage::Gbk, ""), "");
    EXPECT_EQ(toUtf8(CodePage::Gbk,
                     "\xFF"
                     "2.7"),
              std::nullopt);
    EXPECT_EQ(toUtf8(CodePage::Gbk, "2.7\xCA"), std::nullopt);  // half a character at the end
    EXPECT_EQ(fromUtf8(CodePage::Gbk, "😀"), std::nullopt);      // no GBK form
    EXPECT_EQ(fromUtf8(CodePage::Gbk, "\xE6\x89"), std::nullopt);
}

TEST(CodePage, gb18030_reads_gbk_and_its_four_byte_characters) {
    EXPECT_EQ(toUtf8(CodePage::Gb18030, "\xCA\xD6\xD0\xF8\xB7\xD1"), "手续费");
    EXPECT_EQ(toUtf8(CodePage::Gb18030, "a\xFF"), std::nullopt);
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gb18030, "a\x95\x32\x82\x36", 4), "a");
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gb18030, "a\x95\x32\x82\x36", 5), "a\x95\x32\x82\x36");
#ifndef _WIN32
    // The four-byte characters beyond GBK; Wine, which runs the Windows tests, has no GB18030.
    EXPECT_EQ(toUtf8(CodePage::Gb18030, "\x95\x32\x82\x36"), "𠀀");
    EXPECT_EQ(fromUtf8(CodePage::Gb18030, "😀"), "\x94\x39\xFC\x36");
#endif
}

TEST(CodePage, utf8_passes_unchanged_when_valid) {
    EXPECT_EQ(toUtf8(CodePage::Utf8, "手续费"), "手续费");
    EXPECT_EQ(fromUtf8(CodePage::Utf8, "😀"), "😀");
    EXPECT_EQ(toUtf8(CodePage::Utf8, "a\xFF"), std::nullopt);
    EXPECT_EQ(toUtf8(CodePage::Utf8, "\xED\xA0\x80"), std::nullopt);  // a lone surrogate
}

TEST(CodePage, a_long_text_is_cut_without_splitting_a_character) {
    const std::string fee = "\xCA\xD6\xD0\xF8\xB7\xD1";  // 手续费: three 2-byte characters
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gbk, "a" + fee, 4), "a\xCA\xD6");
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gbk, "a" + fee, 3), "a\xCA\xD6");
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gbk, "ab" + fee, 3), "ab");
    // A second byte that is an ASCII letter belongs to its character.
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gbk, "\x81\x41\x81\x41", 3), "\x81\x41");
    // A byte that starts no valid pair is a character of its own.
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gbk, "\x81\x20\x81", 2), "\x81\x20");
    EXPECT_EQ(cutAtCharBoundary(CodePage::Gbk, "abc", 5), "abc");
    EXPECT_EQ(cutAtCharBoundary(CodePage::Utf8, "a手续", 3), "a");
    EXPECT_EQ(cutAtCharBoundary(CodePage::Utf8, "a手续", 4), "a手");
}

}  // namespace
}  // namespace zm::settings
