#include "entries/CGetComma.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <memory>

namespace {

struct ItemsCase {
    const char* text;
    std::array<int, 3> items;  // items 0, 1 and 2
};

TEST(CGetCommaTest, ItemsByPosition) {
    const ItemsCase cases[] = {
        {"2,5,1", {2, 5, 1}},
        {"1,3,0", {1, 3, 0}},
        {"2", {2, 0, 0}},         // missing items read 0
        {" 1,x,0,9", {1, 0, 0}},  // blanks skipped, a letter reads 0, item 3 ignored
        {"", {0, 0, 0}},
        {"0,-1,0", {0, -1, 0}},  // as a negative IconIndex is saved
        {"+7,-0,-2", {7, 0, -2}},
        {"\t\r\n 4,\v\f-5,  6", {4, -5, 6}},  // every kind of white space
        {"12abc,3 4,5-", {12, 3, 5}},         // digits up to the first other character
        {"- 1,+-2,--3", {0, 0, 0}},           // a sign must be followed by the digits
        {",,", {0, 0, 0}},
        {",8", {0, 8, 0}},
        {"1,2,", {1, 2, 0}},
        {"007,0010,1,", {7, 10, 1}},
        {"名前,2,３", {0, 2, 0}},  // full-width digits are not digits
        {"2147483647,-2147483648,0", {INT_MAX, INT_MIN, 0}},
        // Beyond 32 bits the value saturates.
        {"2147483648,-2147483649,99999999999999999999", {INT_MAX, INT_MIN, INT_MAX}},
        {"-99999999999999999999,+4294967296,4294967295", {INT_MIN, INT_MAX, INT_MAX}},
    };
    CGetComma comma;
    for (const ItemsCase& c : cases) {
        SCOPED_TRACE(c.text);
        comma.SetString(c.text);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(comma.GetItem(n), c.items[static_cast<size_t>(n)]) << "item " << n;
        }
    }
}

TEST(CGetCommaTest, ItemsOutsideTheListReadZero) {
    CGetComma comma;
    comma.SetString("5,6");
    for (int n : {-1, 2, 3, 100, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(comma.GetItem(n), 0);
    }
}

TEST(CGetCommaTest, FindCommaCountsFromOne) {
    CGetComma comma;
    comma.SetString("a,b,,c");
    struct Case {
        int n;
        int position;
    };
    const Case cases[] = {{0, -1}, {-1, -1}, {1, 1}, {2, 3}, {3, 4}, {4, -1}, {INT_MAX, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(comma.FindComma(c.n), c.position);
    }
    comma.SetString("");
    EXPECT_EQ(comma.FindComma(0), -1);
    EXPECT_EQ(comma.FindComma(1), -1);
    // Positions count bytes of the UTF-8 text.
    comma.SetString("あ,1");
    EXPECT_EQ(comma.FindComma(1), 3);
    EXPECT_EQ(comma.GetItem(1), 1);
}

TEST(CGetCommaTest, NewSplitterIsEmptyAndIsCreatedByName) {
    const std::unique_ptr<CObject> object(CRuntimeClass::CreateObject("CGetComma"));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CGetComma));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
    const auto& comma = dynamic_cast<const CGetComma&>(*object);
    EXPECT_EQ(comma.FindComma(1), -1);
    EXPECT_EQ(comma.GetItem(0), 0);
}

}  // namespace
