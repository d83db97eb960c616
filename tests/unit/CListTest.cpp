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

template <class T>
std::vector<T> Backward(CList<T>& list) {
    std::vector<T> items;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        items.push_back(list.GetPrev(pos));
    return items;
}

// Walks both ways, so that a broken prev or next link shows up.
template <class T>
void ExpectItems(CList<T>& list, const std::vector<T>& expected) {
    EXPECT_EQ(Forward(list), expected);
    EXPECT_EQ(Backward(list), std::vector<T>(expected.rbegin(), expected.rend()));
    EXPECT_EQ(list.GetCount(), static_cast<int>(expected.size()));
    EXPECT_EQ(list.GetSize(), list.GetCount());
    EXPECT_EQ(list.IsEmpty(), expected.empty());
}

void Fill(CList<int>& list, int count) {
    for (int i = 0; i < count; ++i)
        list.AddTail(i);
}

static_assert(!std::is_copy_constructible_v<CList<int>> && !std::is_copy_assignable_v<CList<int>>);
static_assert(!std::is_move_constructible_v<CList<int>> && !std::is_move_assignable_v<CList<int>>);

TEST(CListTest, AddAndRemoveAtBothEnds) {
    CList<int> list;
    ExpectItems(list, {});
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);

    list.AddTail(2);
    list.AddHead(1);
    list.AddTail(3);
    ExpectItems(list, {1, 2, 3});
    EXPECT_EQ(list.GetHead(), 1);
    EXPECT_EQ(list.GetTail(), 3);

    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 3);
    ExpectItems(list, {2});
    EXPECT_EQ(list.GetHeadPosition(), list.GetTailPosition());
    EXPECT_EQ(list.RemoveTail(), 2);
    ExpectItems(list, {});

    // An emptied list is usable again.
    list.AddHead(9);
    ExpectItems(list, {9});
    list.RemoveAll();
    ExpectItems(list, {});
    list.AddTail(8);
    ExpectItems(list, {8});
}

TEST(CListTest, PositionsAccessAndReplaceElements) {
    CStringList list;
    const POSITION first = list.AddTail("ｱｲｺﾝの変更");
    const POSITION second = list.AddTail("削除");
    EXPECT_EQ(list.GetAt(first), "ｱｲｺﾝの変更");
    list.SetAt(second, "終了");
    list.GetAt(first) += "...";
    ExpectItems(list, {CString("ｱｲｺﾝの変更..."), CString("終了")});

    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(list.GetNext(pos), "ｱｲｺﾝの変更...");
    EXPECT_EQ(pos, second);
    EXPECT_EQ(list.GetNext(pos), "終了");
    EXPECT_EQ(pos, nullptr);

    pos = first;
    EXPECT_EQ(list.GetPrev(pos), "ｱｲｺﾝの変更...");
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

TEST(CListTest, FindFromHeadAndAfterAPosition) {
    CList<int> list;
    for (int value : {5, 7, 5, 9, 5})
        list.AddTail(value);
    const POSITION a = list.Find(5);
    ASSERT_EQ(a, list.GetHeadPosition());
    const POSITION b = list.Find(5, a);
    EXPECT_EQ(b, list.FindIndex(2));
    const POSITION c = list.Find(5, b);
    EXPECT_EQ(c, list.GetTailPosition());
    EXPECT_EQ(list.Find(5, c), nullptr);
    EXPECT_EQ(list.Find(9, list.FindIndex(3)), nullptr);  // starts after the match
    EXPECT_EQ(list.Find(4), nullptr);

    CStringList names;
    names.AddTail("a.exe");
    names.AddTail("b.exe");
    EXPECT_EQ(names.Find("b.exe"), names.GetTailPosition());
    EXPECT_EQ(names.Find("B.EXE"), nullptr);
}

TEST(CListTest, InsertAroundPositionsAndAtNull) {
    CList<int> list;
    list.InsertAfter(nullptr, 2);   // empty list: becomes the only element
    list.InsertBefore(nullptr, 0);  // null: at the head
    list.InsertAfter(nullptr, 4);   // null: at the tail
    ExpectItems(list, {0, 2, 4});

    list.InsertBefore(list.FindIndex(1), 1);
    list.InsertAfter(list.FindIndex(2), 3);
    list.InsertBefore(list.GetHeadPosition(), -1);
    list.InsertAfter(list.GetTailPosition(), 5);
    ExpectItems(list, {-1, 0, 1, 2, 3, 4, 5});
    EXPECT_EQ(list.GetHead(), -1);
    EXPECT_EQ(list.GetTail(), 5);

    // Inserting an element of the list itself copies it before linking.
    list.InsertBefore(list.GetHeadPosition(), list.GetTail());
    EXPECT_EQ(list.GetHead(), 5);
}

TEST(CListTest, RemoveAtKeepsEndsAndLinks) {
    struct Case {
        int index;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {0, {1, 2, 3}},
        {1, {0, 2, 3}},
        {3, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        CList<int> list;
        Fill(list, 4);
        list.RemoveAt(list.FindIndex(c.index));
        ExpectItems(list, c.expected);
        EXPECT_EQ(list.GetHead(), c.expected.front());
        EXPECT_EQ(list.GetTail(), c.expected.back());
    }

    CList<int> single;
    single.AddTail(1);
    single.RemoveAt(single.GetHeadPosition());
    ExpectItems(single, {});
    single.AddTail(2);
    ExpectItems(single, {2});
}

// How the program moves an entry up or down in its list: take it out at its index and put it back
// before the element above or after the element below.
void MoveUp(CList<int>& list, int index) {
    const POSITION pos = list.FindIndex(index);
    const POSITION above = list.FindIndex(index - 1);
    if (pos == nullptr || above == nullptr)
        return;
    const int value = list.GetAt(pos);
    list.RemoveAt(pos);
    list.InsertBefore(above, value);
}

void MoveDown(CList<int>& list, int index) {
    const POSITION pos = list.FindIndex(index);
    const POSITION below = list.FindIndex(index + 1);
    if (pos == nullptr || below == nullptr)
        return;
    const int value = list.GetAt(pos);
    list.RemoveAt(pos);
    list.InsertAfter(below, value);
}

TEST(CListTest, MovingAnElementUpAndDown) {
    struct Case {
        bool up;
        int index;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {true, 1, {1, 0, 2, 3}},  {true, 3, {0, 1, 3, 2}},  {true, 0, {0, 1, 2, 3}},
        {false, 0, {1, 0, 2, 3}}, {false, 2, {0, 1, 3, 2}}, {false, 3, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.up ? "up " : "down ") << c.index);
        CList<int> list;
        Fill(list, 4);
        if (c.up) {
            MoveUp(list, c.index);
        } else {
            MoveDown(list, c.index);
        }
        ExpectItems(list, c.expected);
    }

    // Moving to the top step by step and back down again.
    CList<int> list;
    Fill(list, 5);
    for (int i = 4; i > 0; --i)
        MoveUp(list, i);
    ExpectItems(list, {4, 0, 1, 2, 3});
    for (int i = 0; i < 4; ++i)
        MoveDown(list, i);
    ExpectItems(list, {0, 1, 2, 3, 4});
}

TEST(CListTest, PointerListLeavesPointeesAlone) {
    int a = 1;
    int b = 2;
    {
        CPtrList list(32);
        list.AddTail(&a);
        list.AddTail(&b);
        EXPECT_EQ(list.GetHead(), &a);
        EXPECT_EQ(list.Find(&b), list.GetTailPosition());
    }  // freeing &a or &b here would be caught by the address sanitizer
    EXPECT_EQ(a + b, 3);
}

TEST(CListDeathTest, MisuseStopsTheProgram) {
    CList<int> list;
    EXPECT_DEATH(list.GetHead(), "CList misuse");
    EXPECT_DEATH(list.RemoveTail(), "CList misuse");
    EXPECT_DEATH(list.GetAt(nullptr), "CList misuse");
    POSITION end = nullptr;
    EXPECT_DEATH(list.GetNext(end), "CList misuse");
}

}  // namespace
