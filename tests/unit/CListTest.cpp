#include "framework/CList.h"
#include "framework/CPtrList.h"
#include "framework/CStringList.h"

#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <type_traits>
#include <vector>

namespace {

template <class T>
std::vector<T> Forward(CList<T>& list) {
    std::vector<T> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(list.GetNext(pos));
    return items;
}

// Walks forward and reaches every index: FindIndex comes from the tail for the back half, so a
// broken prev link shows up as well as a broken next link.
template <class T>
void ExpectItems(CList<T>& list, const std::vector<T>& expected) {
    EXPECT_EQ(Forward(list), expected);
    EXPECT_EQ(list.GetCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        const POSITION pos = list.FindIndex(i);
        ASSERT_NE(pos, nullptr) << i;
        EXPECT_EQ(list.GetAt(pos), expected[static_cast<size_t>(i)]) << i;
    }
}

void Fill(CList<int>& list, int count) {
    for (int i = 0; i < count; ++i)
        list.AddTail(i);
}

static_assert(!std::is_copy_constructible_v<CList<int>> && !std::is_copy_assignable_v<CList<int>>);
static_assert(!std::is_move_constructible_v<CList<int>> && !std::is_move_assignable_v<CList<int>>);

TEST(CListTest, AddTailAndRemoveAll) {
    CList<int> list;
    ExpectItems(list, {});
    EXPECT_EQ(list.GetHeadPosition(), nullptr);

    Fill(list, 3);
    ExpectItems(list, {0, 1, 2});

    // An emptied list is usable again.
    list.RemoveAll();
    ExpectItems(list, {});
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    list.AddTail(8);
    ExpectItems(list, {8});
}

TEST(CListTest, PositionsAccessElements) {
    CStringList list;
    const POSITION first = list.AddTail("ｱｲｺﾝの変更");
    const POSITION second = list.AddTail("削除");
    EXPECT_EQ(list.GetAt(first), "ｱｲｺﾝの変更");
    list.GetAt(first) += "...";
    ExpectItems(list, {CString("ｱｲｺﾝの変更..."), CString("削除")});

    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(pos, first);
    EXPECT_EQ(list.GetNext(pos), "ｱｲｺﾝの変更...");
    EXPECT_EQ(pos, second);
    EXPECT_EQ(list.GetNext(pos), "削除");
    EXPECT_EQ(pos, nullptr);
}

TEST(CListTest, FindIndex) {
    CList<int> list;
    Fill(list, 7);
    for (int i = 0; i < 7; ++i) {
        const POSITION pos = list.FindIndex(i);
        ASSERT_NE(pos, nullptr) << i;
        EXPECT_EQ(list.GetAt(pos), i);
    }
    for (int outside : {-1, 7, 8, INT_MAX, INT_MIN}) {
        EXPECT_EQ(list.FindIndex(outside), nullptr) << outside;
    }
    CList<int> empty;
    EXPECT_EQ(empty.FindIndex(0), nullptr);
}

TEST(CListTest, RemoveAtAndInsertAfterKeepEndsAndLinks) {
    struct Case {
        const char* what;
        bool insert;  // false: RemoveAt
        int index;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"remove the head", false, 0, {1, 2, 3}},
        {"remove from the middle", false, 1, {0, 2, 3}},
        {"remove the tail", false, 3, {0, 1, 2}},
        {"insert after the head", true, 0, {0, 9, 1, 2, 3}},
        {"insert after the tail", true, 3, {0, 1, 2, 3, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CList<int> list;
        Fill(list, 4);
        if (c.insert) {
            list.InsertAfter(list.FindIndex(c.index), 9);
        } else {
            list.RemoveAt(list.FindIndex(c.index));
        }
        ExpectItems(list, c.expected);
        // The tail is still known: the next element goes after the last one.
        list.AddTail(7);
        std::vector<int> more = c.expected;
        more.push_back(7);
        ExpectItems(list, more);
    }

    CList<int> single;
    single.AddTail(1);
    single.RemoveAt(single.GetHeadPosition());
    ExpectItems(single, {});
    single.AddTail(2);
    ExpectItems(single, {2});

    // Inserting an element of the list itself copies it before linking.
    CStringList names;
    const POSITION pos = names.AddTail("a.exe");
    names.InsertAfter(pos, names.GetAt(pos));
    ExpectItems(names, {CString("a.exe"), CString("a.exe")});
}

// How the order dialogs swap line s with the line below: the upper element is taken out and put
// back after the lower one.
void SwapWithNext(CList<int>& list, int s) {
    const POSITION upper = list.FindIndex(s);
    const POSITION lower = list.FindIndex(s + 1);
    if (upper == nullptr || lower == nullptr)
        return;
    const int value = list.GetAt(upper);
    list.RemoveAt(upper);
    list.InsertAfter(lower, value);
}

TEST(CListTest, SwappingNeighbours) {
    struct Case {
        int s;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {0, {1, 0, 2, 3}}, {1, {0, 2, 1, 3}},  {2, {0, 1, 3, 2}},
        {3, {0, 1, 2, 3}}, {-1, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.s);
        CList<int> list;
        Fill(list, 4);
        SwapWithNext(list, c.s);
        ExpectItems(list, c.expected);
    }

    // The first element moved down step by step to the end, and up again.
    CList<int> list;
    Fill(list, 5);
    for (int s = 0; s < 4; ++s)
        SwapWithNext(list, s);
    ExpectItems(list, {1, 2, 3, 4, 0});
    for (int s = 3; s >= 0; --s)
        SwapWithNext(list, s);
    ExpectItems(list, {0, 1, 2, 3, 4});
}

TEST(CListTest, PointerListLeavesPointeesAlone) {
    int a = 1;
    int b = 2;
    {
        CPtrList list(32);
        list.AddTail(&a);
        list.AddTail(&b);
        EXPECT_EQ(list.GetAt(list.GetHeadPosition()), &a);
        EXPECT_EQ(list.GetAt(list.FindIndex(1)), &b);
    }  // freeing &a or &b here would be caught by the address sanitizer
    EXPECT_EQ(a + b, 3);
}

TEST(CListDeathTest, MisuseStopsTheProgram) {
    CList<int> list;
    EXPECT_DEATH(list.GetAt(nullptr), "CList misuse");
    EXPECT_DEATH(list.RemoveAt(nullptr), "CList misuse");
    EXPECT_DEATH(list.InsertAfter(nullptr, 1), "CList misuse");
    POSITION end = nullptr;
    EXPECT_DEATH(list.GetNext(end), "CList misuse");
}

}  // namespace
