#include "framework/CString.h"

#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>
#include <vector>

namespace {

TEST(CStringTest, ConstructionAndNullPointers) {
    const char* null = nullptr;
    EXPECT_TRUE(CString().IsEmpty());
    EXPECT_TRUE(CString(null).IsEmpty());
    EXPECT_EQ(CString(std::string_view("abcdef").substr(1, 3)), "bcd");
    EXPECT_EQ(CString(std::string("xyz")), "xyz");

    CString s("text");
    s = null;
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(s.GetString(), "");
    s += null;
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_TRUE(s == null);

    // Lengths and indexes count bytes of UTF-8.
    const CString japanese("変更");
    EXPECT_EQ(japanese.GetLength(), 6);
    EXPECT_EQ(japanese[0], '\xE5');
    EXPECT_EQ(japanese.View(), "変更");
}

TEST(CStringTest, ConcatenationAndComparisonOperators) {
    CString s("ab");
    s += CString("cd");
    s += "ef";
    EXPECT_EQ(s, "abcdef");
    s += s;  // appending to itself
    EXPECT_EQ(s, "abcdefabcdef");

    EXPECT_EQ(CString("a") + CString("b"), "ab");
    EXPECT_EQ(CString("a") + "b", "ab");

    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString("abc") != "abd");
    EXPECT_TRUE("abc" != CString("ab"));
    EXPECT_FALSE(CString("abc") != CString("abc"));
}

TEST(CStringTest, MidAndLeftClamping) {
    struct Case {
        int first;
        int count;
        const char* mid;
    };
    const Case midCases[] = {
        {0, 6, "abcdef"},
        {2, 3, "cde"},
        {0, 0, ""},
        {-1, 3, "abc"},
        {2, -1, ""},
        {4, 10, "ef"},
        {5, 1, "f"},
        {6, 1, ""},
        {7, 1, ""},
        {INT_MIN, 2, "ab"},
        {2, INT_MAX, "cdef"},
        {INT_MAX, INT_MAX, ""},
        {INT_MIN, INT_MIN, ""},
        {INT_MIN, INT_MAX, "abcdef"},
        {INT_MAX, INT_MIN, ""},
        {1, INT_MIN, ""},
    };
    const CString s("abcdef");
    for (const Case& c : midCases) {
        SCOPED_TRACE(testing::Message() << "Mid(" << c.first << ", " << c.count << ")");
        EXPECT_EQ(s.Mid(c.first, c.count), c.mid);
        EXPECT_TRUE(CString().Mid(c.first, c.count).IsEmpty());
    }

    struct OneArgCase {
        int arg;
        const char* mid;
        const char* left;
    };
    const OneArgCase oneArgCases[] = {
        {INT_MIN, "abcdef", ""}, {-1, "abcdef", ""}, {0, "abcdef", ""}, {2, "cdef", "ab"},
        {5, "f", "abcde"},       {6, "", "abcdef"},  {7, "", "abcdef"}, {INT_MAX, "", "abcdef"},
    };
    for (const OneArgCase& c : oneArgCases) {
        SCOPED_TRACE(testing::Message() << "argument " << c.arg);
        EXPECT_EQ(s.Mid(c.arg), c.mid);
        EXPECT_EQ(s.Left(c.arg), c.left);
        EXPECT_TRUE(CString().Left(c.arg).IsEmpty());
    }
}

TEST(CStringTest, ReverseFind) {
    const CString s("C:/Tools/app.exe");
    EXPECT_EQ(s.ReverseFind('/'), 8);
    EXPECT_EQ(s.ReverseFind('C'), 0);
    EXPECT_EQ(s.ReverseFind('\\'), -1);
    EXPECT_EQ(CString().ReverseFind('/'), -1);
    EXPECT_EQ(CString("ﾌｫﾙﾀﾞ/ｱｲｺﾝ.ico").ReverseFind('/'), 15);
}

TEST(CStringTest, TrimRemovesAsciiWhiteSpaceOnly) {
    struct Case {
        const char* input;
        const char* trimmed;
    };
    const Case cases[] = {
        {"  abc  ", "abc"},
        {" \t\n\v\f\r x y \r\n", "x y"},
        {" \t\r\n ", ""},
        {"", ""},
        {"abc", "abc"},
        // à ends in 0xA0 and Å in 0x85, which are spaces in some 8-bit code pages.
        {" voilà ", "voilà"},
        {"\xC3\x85", "\xC3\x85"},
        // Non-breaking and ideographic spaces are text here, not white space.
        {"\xC2\xA0x\xC2\xA0", "\xC2\xA0x\xC2\xA0"},
        {" 　ｱｲｺﾝの変更　 ", "　ｱｲｺﾝの変更　"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.input)));
        EXPECT_EQ(CString(c.input).Trim(), c.trimmed);
    }
}

TEST(CStringTest, CompareNoCase) {
    struct Case {
        const char* a;
        const char* b;
        int noCase;
    };
    const Case cases[] = {
        {"abc", "abc", 0},
        {"abc", "ABC", 0},
        {"abc", "abd", -1},
        {"ABD", "abc", 1},
        {"a", "ab", -1},
        {"", "", 0},
        {"", "a", -1},
        // Letters fold to lower case, so '_' (0x5F) sorts before letters.
        {"_", "A", -1},
        {"[", "a", -1},
        // Bytes from 0x80 compare as unsigned and are not folded.
        {"\xC3\xA4", "z", 1},
        {"\xC3\xA4", "\xC3\x84", 1},
        {"ｱｲｺﾝ.ICO", "ｱｲｺﾝ.ico", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.a << "\" vs \"" << c.b << '"');
        const CString a(c.a);
        const CString b(c.b);
        EXPECT_EQ(a.CompareNoCase(b) > 0, c.noCase > 0);
        EXPECT_EQ(a.CompareNoCase(b) < 0, c.noCase < 0);
        EXPECT_EQ(b.CompareNoCase(a) < 0, c.noCase > 0);
    }
}

TEST(CStringTest, FormatPassesStringsAsUtf8Text) {
    const CString name("ｱｲｺﾝ");
    const CString verb("の変更");
    CString s;
    s.Format("%s%s", name, verb);
    EXPECT_EQ(s, "ｱｲｺﾝの変更");

    s.Format("%d,%d,%d", -1, -22, INT_MIN);
    EXPECT_EQ(s, "-1,-22,-2147483648");

    s.Format("");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, FormatNeverTruncatesAndMayUseItself) {
    CString s("old");
    s.Format("%s", CString(std::string(10000, 'x')));
    EXPECT_EQ(s.GetLength(), 10000);
    EXPECT_EQ(s.Str(), std::string(10000, 'x'));

    s.Format("%*d|", 20000, 7);
    EXPECT_EQ(s.GetLength(), 20001);
    EXPECT_EQ(s.Mid(19998), " 7|");

    s = "ab";
    s.Format("%s-%s", s, s);
    EXPECT_EQ(s, "ab-ab");
}

// Only types that survive a trip through "..." are accepted; anything else fails to compile.
static_assert(CStringFormatArgument<CString> && CStringFormatArgument<const CString&>);
static_assert(CStringFormatArgument<int> && CStringFormatArgument<double>);
static_assert(!CStringFormatArgument<std::string> && !CStringFormatArgument<std::string_view>);
static_assert(!CStringFormatArgument<std::vector<int>>);

}  // namespace
