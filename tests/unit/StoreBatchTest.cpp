#include "entries/StoreBatch.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

StoreBatch Sample() {
    StoreBatch batch;
    batch.WriteString("Btn1", "Title", "メモ帳");
    batch.WriteString("Btn1", "Parm", "");
    batch.WriteString("Group\\Grp1\\App2", "AppName", std::string(100000, 'x'));
    batch.WriteString("Btn2", "Dir", std::string("a\0b", 3));  // as stored: kept whole
    batch.WriteInt("Group\\Grp1", "Num", 0);
    batch.WriteInt("Button", "Num", INT_MIN);
    batch.WriteInt("Button", "Num", INT_MAX);
    return batch;
}

void ExpectSame(const StoreBatch& a, const StoreBatch& b) {
    ASSERT_EQ(a.Writes().size(), b.Writes().size());
    for (size_t i = 0; i < a.Writes().size(); ++i) {
        const StoreBatch::Write& x = a.Writes()[i];
        const StoreBatch::Write& y = b.Writes()[i];
        EXPECT_EQ(x.section, y.section) << i;
        EXPECT_EQ(x.name, y.name) << i;
        EXPECT_EQ(x.isNumber, y.isNumber) << i;
        EXPECT_EQ(x.number, y.number) << i;
        EXPECT_EQ(x.text, y.text) << i;
    }
}

TEST(StoreBatchTest, BytesGiveBackTheSameWritesInOrder) {
    const StoreBatch batch = Sample();
    const std::optional<StoreBatch> back = StoreBatch::Parse(batch.Serialize());
    ASSERT_TRUE(back.has_value());
    ExpectSame(*back, batch);

    const std::optional<StoreBatch> empty = StoreBatch::Parse(StoreBatch().Serialize());
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->IsEmpty());
}

// A journal cut short at any byte, or with anything after it, is not a journal.
TEST(StoreBatchTest, EveryCutAndEveryAddedByteIsRefused) {
    StoreBatch small;
    small.WriteString("Btn1", "Title", "a");
    small.WriteInt("Button", "Num", 1);
    const std::string bytes = small.Serialize();
    for (size_t n = 0; n < bytes.size(); ++n) {
        EXPECT_FALSE(StoreBatch::Parse(bytes.substr(0, n)).has_value()) << n;
    }
    EXPECT_FALSE(StoreBatch::Parse(bytes + '\0').has_value());
}

TEST(StoreBatchTest, DamagedRecordsAreRefused) {
    auto with = [](auto change) {
        StoreBatch batch;
        batch.WriteString("Btn1", "Title", "a");
        std::string bytes = batch.Serialize();
        change(bytes);
        return StoreBatch::Parse(bytes).has_value();
    };
    // Layout: "VLJ1", count(4), kind(1), section length(4) "Btn1", name length(4) "Title", ...
    EXPECT_FALSE(with([](std::string& b) { b[0] = 'X'; }));      // not a journal
    EXPECT_FALSE(with([](std::string& b) { b[4] = 2; }));        // a record missing
    EXPECT_FALSE(with([](std::string& b) { b[4] = 0; }));        // a record too many
    EXPECT_FALSE(with([](std::string& b) { b[7] = '\x7f'; }));   // count of billions
    EXPECT_FALSE(with([](std::string& b) { b[8] = 'Q'; }));      // unknown kind
    EXPECT_FALSE(with([](std::string& b) { b[12] = '\xff'; }));  // length past the end
    EXPECT_FALSE(with([](std::string& b) { b[13] = '\0'; }));    // NUL in the section
    EXPECT_FALSE(
        with([](std::string& b) { b.replace(9, 8, std::string(4, '\0')); }));  // no section
    EXPECT_TRUE(with([](std::string&) {}));
}

}  // namespace
