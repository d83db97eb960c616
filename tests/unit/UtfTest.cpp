#include "framework/Utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(UtfTest, JapaneseAndEmojiRoundTrip) {
    struct Case {
        const char* utf8;
        const char16_t* utf16;
    };
    const Case cases[] = {
        {"", u""},
        {"Velmora 1.06", u"Velmora 1.06"},
        {"ｱｲｺﾝの変更", u"ｱｲｺﾝの変更"},
        {"削除してもよろしいですか？", u"削除してもよろしいですか？"},
        // U+1F600 needs a surrogate pair.
        {"\xF0\x9F\x98\x80 ok", u"\xD83D\xDE00 ok"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToUtf16(c.utf8), std::u16string(c.utf16));
        EXPECT_EQ(Utf16ToUtf8(c.utf16), std::string(c.utf8));
    }
    EXPECT_EQ(Utf8ToUtf16("ｱｲｺﾝ"), (std::u16string{0xFF71, 0xFF72, 0xFF7A, 0xFF9D}));
}

TEST(UtfTest, EncodingLengthBoundariesRoundTrip) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {std::string(1, '\0'), std::u16string(1, u'\0')},
        {"\x7F", u"\x007F"},
        {"\xC2\x80", u"\x0080"},
        {"\xDF\xBF", u"\x07FF"},
        {"\xE0\xA0\x80", u"\x0800"},
        {"\xED\x9F\xBF", u"\xD7FF"},
        {"\xEE\x80\x80", u"\xE000"},
        {"\xEF\xBF\xBD", u"\xFFFD"},
        {"\xEF\xBF\xBF", u"\xFFFF"},
        {"\xF0\x90\x80\x80", u"\xD800\xDC00"},
        {"\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16);
        EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8);
    }
}

TEST(UtfTest, IllFormedUtf8BecomesOneReplacementPerMaximalSubpart) {
    struct Case {
        const char* name;
        const char* utf8;
        const char16_t* utf16;
    };
    const Case cases[] = {
        {"lone continuation bytes",
         "a\x80\xBF"
         "b",
         u"a\xFFFD\xFFFD"
         "b"},
        {"invalid lead bytes", "\xC0\xC1\xF5\xF8\xFE\xFF", u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"overlong 2-byte slash", "\xC0\xAF", u"\xFFFD\xFFFD"},
        {"overlong 3-byte", "\xE0\x80\xAF", u"\xFFFD\xFFFD\xFFFD"},
        {"overlong 4-byte", "\xF0\x8F\xBF\xBF", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"encoded high surrogate", "\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},
        {"encoded low surrogate", "\xED\xBF\xBF", u"\xFFFD\xFFFD\xFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"},
        {"truncated 2-byte at end", "x\xC3", u"x\xFFFD"},
        {"truncated 3-byte at end", "\xE3\x81", u"\xFFFD"},
        {"truncated 4-byte at end", "\xF0\x9F\x98", u"\xFFFD"},
        {"truncated before ASCII",
         "\xE3\x81"
         "A",
         u"\xFFFD"
         "A"},
        {"truncated before a valid character", "\xF0\x9F\xE3\x81\x82", u"\xFFFD\x3042"},
        {"lead byte after lead byte", "\xC3\xC3\xA9", u"\xFFFD\x00E9"},
        // The example in the Unicode standard, section 3.9.
        {"mixed", "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
         u"a\xFFFD\xFFFD\xFFFD"
         "b\xFFFD"
         "c\xFFFD\xFFFD"
         "d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8ToUtf16(c.utf8), std::u16string(c.utf16));
    }
}

TEST(UtfTest, UnpairedSurrogatesBecomeReplacementCharacters) {
    struct Case {
        const char* name;
        std::u16string utf16;
        const char* utf8;
    };
    const Case cases[] = {
        {"high at end", u"a\xD83D", "a\xEF\xBF\xBD"},
        {"high before ASCII",
         u"\xD83D"
         "b",
         "\xEF\xBF\xBD"
         "b"},
        {"lone low", u"\xDE00", "\xEF\xBF\xBD"},
        {"low before high", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"high before a pair", u"\xD800\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf16ToUtf8(c.utf16), std::string(c.utf8));
    }
}

}  // namespace
