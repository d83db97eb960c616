// Reading a dialog's initialisation data: the packed records, and data that lies about its
// lengths (read under the sanitizers, so a read past the end fails the run).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/DlgInit.h"

namespace {

// Records in the resource's own byte layout (little-endian, packed).
class Bytes {
public:
    Bytes& Word(uint16_t v) {
        m_bytes.push_back(std::byte(v & 0xFF));
        m_bytes.push_back(std::byte(v >> 8));
        return *this;
    }
    Bytes& Dword(uint32_t v) { return Word(uint16_t(v & 0xFFFF)).Word(uint16_t(v >> 16)); }
    Bytes& Text(const std::string& s) {
        for (char c : s) {
            m_bytes.push_back(std::byte(static_cast<unsigned char>(c)));
        }
        return *this;
    }
    // One record whose length counts the text and its NUL.
    Bytes& Record(uint16_t id, uint16_t message, const std::string& text) {
        return Word(id)
            .Word(message)
            .Dword(uint32_t(text.size() + 1))
            .Text(text)
            .Text(std::string(1, '\0'));
    }
    std::vector<std::byte> Get() const { return m_bytes; }

private:
    std::vector<std::byte> m_bytes;
};

TEST(DlgInitTest, ReadsPackedRecordsInOrderAtAnyAlignment) {
    // "最小化" is 9 bytes of UTF-8: with its NUL the next record starts at an even offset,
    // after "ab" (3 bytes) at an odd one.
    auto data = Bytes()
                    .Record(1004, 0x0403, "通常のｳｲﾝﾄﾞｳ")
                    .Record(1004, 0x0403, "ab")
                    .Record(1015, 0x0403, "最小化")
                    .Record(7, 0x0403, "")
                    .Record(8, 0x0403, "last")
                    .Word(0)
                    .Get();
    std::vector<DlgInitItem> expected = {
        {1004, "通常のｳｲﾝﾄﾞｳ"}, {1004, "ab"}, {1015, "最小化"}, {7, ""}, {8, "last"},
    };
    EXPECT_EQ(ParseDlgInit(data), expected);
}

TEST(DlgInitTest, SkipsOtherMessagesAndCutsTextAtItsNul) {
    auto data = Bytes()
                    .Record(5, 0x0401, "a list box item")
                    .Record(5, 0x0143, "not read either")
                    .Word(6)
                    .Word(0x0403)
                    .Dword(6)
                    .Text("ab")
                    .Text(std::string(1, '\0'))
                    .Text("cd")
                    .Text(std::string(1, '\0'))
                    .Word(6)
                    .Word(0x0403)
                    .Dword(3)
                    .Text("xyz")  // no NUL: the length ends it
                    .Word(0)
                    .Record(9, 0x0403, "after the end mark")
                    .Get();
    std::vector<DlgInitItem> expected = {{6, "ab"}, {6, "xyz"}};
    EXPECT_EQ(ParseDlgInit(data), expected);
}

TEST(DlgInitTest, StopsAtDataThatEndsTooEarly) {
    struct Case {
        const char* what;
        std::vector<std::byte> data;
        size_t items;
    };
    const Case cases[] = {
        {"empty", {}, 0},
        {"no end mark", Bytes().Record(1, 0x0403, "a").Get(), 1},
        {"half an id", Bytes().Record(1, 0x0403, "a").Text("x").Get(), 1},
        {"header cut short", Bytes().Record(1, 0x0403, "a").Word(2).Word(0x0403).Get(), 1},
        {"length beyond the data",
         Bytes().Record(1, 0x0403, "a").Word(2).Word(0x0403).Dword(0xFFFFFFFF).Text("bc").Get(), 1},
        {"length one past the data", Bytes().Word(2).Word(0x0403).Dword(4).Text("bc").Get(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ParseDlgInit(c.data).size(), c.items);
    }
}

}  // namespace
