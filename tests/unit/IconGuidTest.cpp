#include "entries/IconGuid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Name-based GUIDs are version 5 GUIDs of the program's namespace, as any RFC 4122 tool makes
// them (these were made with Python's uuid.uuid5): the padding of SHA-1 is met at 0, 6 bytes
// past a block and with two blocks, and names are taken as UTF-8 bytes.
TEST(IconGuidTest, NameBasedGuidsAreVersionFiveOfTheProgramsNamespace) {
    const struct {
        std::string name;
        const char* guid;
    } cases[] = {
        {"", "{61C82928-C335-5E4E-AC2C-659FF178A98D}"},
        {"Button", "{3D915CAC-685E-5A50-A503-5BDFAFDB423C}"},
        {"Btn1\nメモ帳\nC:\\windows\\notepad.exe", "{6744FB93-CABE-5E65-B7B1-50837F5BEF13}"},
        {std::string(100, 'x'), "{221FAECB-0C9F-580C-A4FF-3878B5CA97AF}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatIconGuid(NameBasedIconGuid(c.name)), c.guid);
    }
    EXPECT_NE(NameBasedIconGuid("Btn1"), NameBasedIconGuid("Btn2"));
}

TEST(IconGuidTest, RandomBytesBecomeAVersionFourGuid) {
    std::array<uint8_t, 16> bytes{};
    for (int i = 0; i < 16; ++i) {
        bytes[i] = static_cast<uint8_t>(i);
    }
    EXPECT_EQ(FormatIconGuid(RandomIconGuid(bytes)), "{00010203-0405-4607-8809-0A0B0C0D0E0F}");
}

// The registry form comes back as it went, in either case; anything else is no GUID.
TEST(IconGuidTest, OnlyTheRegistryFormParses) {
    const IconGuid g = NameBasedIconGuid("Btn7");
    EXPECT_EQ(ParseIconGuid(FormatIconGuid(g)), g);
    EXPECT_EQ(ParseIconGuid("{6744fb93-cabe-5e65-b7b1-50837f5bef13}"),
              ParseIconGuid("{6744FB93-CABE-5E65-B7B1-50837F5BEF13}"));
    EXPECT_EQ(ParseIconGuid("{6744FB93-CABE-5E65-B7B1-50837F5BEF13}")->data1, 0x6744FB93u);
    const char* refused[] = {
        "",
        "6744FB93-CABE-5E65-B7B1-50837F5BEF13",     // no braces
        "{6744FB93-CABE-5E65-B7B1-50837F5BEF1}",    // a digit short
        "{6744FB93-CABE-5E65-B7B1-50837F5BEF133}",  // a digit over
        "{6744FB93CABE-5E65-B7B1-50837F5BEF13-}",   // a dash out of place
        "{6744FB93-CABE-5E65-B7B1-50837F5BEF1G}",   // not hex
        "{6744FB93-CABE-5E65-B7B1-50837F5BEF1 }",
        "{00000000-0000-0000-0000-000000000000}",  // the null GUID is none
    };
    for (const char* text : refused) {
        EXPECT_FALSE(ParseIconGuid(text).has_value()) << text;
    }
}

}  // namespace
