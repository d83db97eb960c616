// The entry sections of the store ("Btn%d", "Group\Grp%d\App%d") on the real registry of Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "entries/AppEntry.h"
#include "entries/EntryStore.h"
#include "framework/Utf.h"
#include "tests/support/Printers.h"
#include "tests/support/TestStore.h"

namespace {

const wchar_t* const kSixValues[] = {L"Title", L"AppName", L"Dir", L"Parm", L"Icon", L"Data"};

// An entry with something in every field, so that a load that skips a field shows.
AppEntry Filled() { return AppEntry{"old", "C:\\old.exe", "C:\\", "-old", 1, "C:\\old.ico", 4, 1}; }

class EntryStoreTest : public testing::Test {
protected:
    void SetUp() override {
        store::Clear();
        theApp.SetRegistryKey("Brennick");
    }
    void TearDown() override { store::Clear(); }

    // Every one of the six values of the section, as stored: REG_SZ, with its text.
    static void ExpectStored(const std::wstring& section, const AppEntry& e, const char* data) {
        const std::string want[] = {e.Title.Str(), e.AppName.Str(), e.Dir.Str(),
                                    e.Parm.Str(),  e.Icon.Str(),    data};
        for (size_t i = 0; i < std::size(kSixValues); ++i) {
            SCOPED_TRACE(Narrow(kSixValues[i]));
            auto value = store::Read(section, kSixValues[i]);
            ASSERT_TRUE(value);
            EXPECT_EQ(value->type, DWORD{REG_SZ});
            EXPECT_EQ(Narrow(value->AsString()), want[i]);
        }
    }
};

TEST_F(EntryStoreTest, SavedButtonLoadsBackUnchanged) {
    struct Case {
        AppEntry entry;
        const char* data;
    };
    const Case cases[] = {
        {{"メモ帳", "C:\\Windows\\notepad.exe", "C:\\作業", "/a \"b c\"", 0, "", 0, 0}, "0,0,0"},
        {{"ﾃｽﾄ ｳｲﾝﾄﾞｳ", "D:\\ツール\\画面 設定.cpl", "", "", 1, "D:\\icons.dll", 12, 0}, "1,12,0"},
        {{"Ünïcødé ✓ 😀", "C:\\Docs\\résumé.txt", "", "", 2, "", -1, 0}, "2,-1,0"},
        {{"Group", "", "", "", 0, "", 0, 1}, "0,0,1"},
        // Show values outside 0..2 are kept as they are.
        {{"", "", "", "", 7, "", 0, 0}, "7,0,0"},
        {{"", "", "", "", -1, "", -5, 0}, "-1,-5,0"},
        {{"", "", "", "", INT_MIN, "", INT_MAX, 0}, "-2147483648,2147483647,0"},
        {{}, "0,0,0"},
    };
    int n = 0;
    for (const Case& c : cases) {
        ++n;
        SCOPED_TRACE(testing::PrintToString(c.entry));
        theApp.SaveButton(n, c.entry);
        ExpectStored(L"Btn" + std::to_wstring(n), c.entry, c.data);
        AppEntry loaded = Filled();
        theApp.LoadButton(n, loaded);
        EXPECT_EQ(loaded, c.entry);
    }
}

TEST_F(EntryStoreTest, MissingOrUnreadableValuesLoadAsDefaults) {
    // Nothing at all: the section does not exist.
    AppEntry loaded = Filled();
    theApp.LoadButton(1, loaded);
    EXPECT_EQ(loaded, AppEntry{});
    // Reading creates the key, but never a value.
    EXPECT_TRUE(store::KeyExists(L"Btn1"));
    EXPECT_TRUE(store::ValueNames(L"Btn1").empty());

    // Only a title; "Data" of another type than a string.
    store::WriteString(L"Btn2", L"Title", L"見出し");
    store::WriteDword(L"Btn2", L"Data", 0x00310031);
    store::WriteDword(L"Btn2", L"AppName", 5);
    loaded = Filled();
    theApp.LoadButton(2, loaded);
    AppEntry want;
    want.Title = "見出し";
    EXPECT_EQ(loaded, want);
}

TEST_F(EntryStoreTest, DataItemsAsStored) {
    struct Case {
        const wchar_t* data;
        int show, iconIndex, isGroup;
    };
    const Case cases[] = {
        {L"1,3,0", 1, 3, 0}, {L"2", 2, 0, 0},       {L" 1,x,0,9", 1, 0, 0},
        {L"", 0, 0, 0},      {L"0,-1,0", 0, -1, 0}, {L"0,0,9", 0, 0, 9},
        {L"5,,1", 5, 0, 1},  {L"a,b,c", 0, 0, 0},   {L"3,99999999999,0", 3, INT_MAX, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.data));
        store::WriteString(L"Btn1", L"Data", c.data);
        AppEntry loaded = Filled();
        theApp.LoadButton(1, loaded);
        EXPECT_EQ(loaded.Show, c.show);
        EXPECT_EQ(loaded.IconIndex, c.iconIndex);
        EXPECT_EQ(loaded.IsGroup, c.isGroup);
    }
}

// Every save writes all six values over what was there, whatever its type; nothing is deleted.
TEST_F(EntryStoreTest, SaveOverwritesTheSixValuesAndLeavesTheOthers) {
    store::WriteDword(L"Btn1", L"Title", 7);
    store::WriteString(L"Btn1", L"Data", L"2,2,2,2");
    store::WriteString(L"Btn1", L"Extra", L"残す");
    store::WriteDword(L"Btn1", L"Count", 3);

    const AppEntry entry{"新しい", "C:\\new.exe", "", "", 0, "", 0, 0};
    theApp.SaveButton(1, entry);

    ExpectStored(L"Btn1", entry, "0,0,0");
    EXPECT_EQ(store::ReadString(L"Btn1", L"Extra"), std::optional<std::wstring>(L"残す"));
    EXPECT_EQ(store::ReadDword(L"Btn1", L"Count"), std::optional<DWORD>(3));
    EXPECT_EQ(store::ValueNames(L"Btn1").size(), 8u);
}

// Group members live in nested sections and go through the same code as top-level entries.
TEST_F(EntryStoreTest, GroupMemberSectionIsReadAndWrittenLikeAButton) {
    const AppEntry member{"電卓", "C:\\Windows\\calc.exe", "", "-m", 2, "", -1, 0};
    SaveEntrySection(theApp, "Group\\Grp2\\App3", member);

    EXPECT_TRUE(store::KeyExists(L"Group"));
    EXPECT_TRUE(store::ValueNames(L"Group\\Grp2").empty());
    ExpectStored(L"Group\\Grp2\\App3", member, "2,-1,0");

    AppEntry loaded = Filled();
    LoadEntrySection(theApp, "Group\\Grp2\\App3", loaded);
    EXPECT_EQ(loaded, member);

    // A top-level section with the same values reads the same.
    theApp.SaveButton(4, member);
    AppEntry button;
    theApp.LoadButton(4, button);
    EXPECT_EQ(button, member);
}

}  // namespace
