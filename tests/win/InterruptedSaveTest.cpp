// The program killed in the middle of saving, at every registry change the save makes. A copy of
// this test program is the victim: it starts the program on the seeded store, changes the list
// and saves, and it ends itself (TerminateProcess, what "taskkill /f" does) just before its k-th
// change to the registry. After each kill the program is started again on what was left; it must
// show either the whole old list or the whole new one, never a mix, a duplicate or a loss.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "entries/StoreBatch.h"
#include "tests/support/ImportRedirect.h"
#include "tests/support/Printers.h"
#include "tests/support/AppFixture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ProgramFiles.h"
#include "tests/support/TestStore.h"
#include "tests/support/UiDriver.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CGroupTrayWnd.h"

namespace {

constexpr wchar_t kKillAtVariable[] = L"VELMORA_TEST_KILL_AT";
constexpr wchar_t kScenarioVariable[] = L"VELMORA_TEST_SCENARIO";

// ---- The victim's side: counting registry changes, dying at the chosen one ----

int g_changes = 0;
int g_killAt = 0;

void CountChange() {
    if (++g_changes == g_killAt) {
        ::TerminateProcess(::GetCurrentProcess(), 3);
    }
}

decltype(&::RegSetValueExW) g_setValue = nullptr;
decltype(&::RegDeleteKeyW) g_deleteKey = nullptr;
decltype(&::RegDeleteValueW) g_deleteValue = nullptr;
decltype(&::RegDeleteTreeW) g_deleteTree = nullptr;

LSTATUS WINAPI CountedSetValue(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                               DWORD size) {
    CountChange();
    return g_setValue(key, name, reserved, type, data, size);
}
LSTATUS WINAPI CountedDeleteKey(HKEY key, LPCWSTR sub) {
    CountChange();
    return g_deleteKey(key, sub);
}
LSTATUS WINAPI CountedDeleteValue(HKEY key, LPCWSTR name) {
    CountChange();
    return g_deleteValue(key, name);
}
LSTATUS WINAPI CountedDeleteTree(HKEY key, LPCWSTR sub) {
    CountChange();
    return g_deleteTree(key, sub);
}

template <typename F>
F Redirect(const char* function, F replacement) {
    return reinterpret_cast<F>(RedirectImport(function, reinterpret_cast<void*>(replacement)));
}

void DieAtChange(int k) {
    g_killAt = k;
    g_setValue = Redirect("RegSetValueExW", &CountedSetValue);
    g_deleteKey = Redirect("RegDeleteKeyW", &CountedDeleteKey);
    g_deleteValue = Redirect("RegDeleteValueW", &CountedDeleteValue);
    g_deleteTree = Redirect("RegDeleteTreeW", &CountedDeleteTree);
    ASSERT_NE(g_setValue, nullptr) << "the program writes the registry through its imports";
}

std::wstring Variable(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

CMainTrayWnd* Main() { return static_cast<CMainTrayWnd*>(theApp.m_pMainWnd); }

// ---- The store before and after ----

struct Shown {
    std::string title;
    std::vector<std::string> members;  // of a group
    bool operator==(const Shown&) const = default;
};
using List = std::vector<Shown>;

std::string Describe(const List& list) {
    std::string text;
    for (const Shown& s : list) {
        text += s.title;
        if (!s.members.empty()) {
            text += "{";
            for (const std::string& m : s.members) {
                text += m + (&m == &s.members.back() ? "" : ",");
            }
            text += "}";
        }
        text += " ";
    }
    return text;
}

// The list the program shows: its entry windows in tray order, with each group's members.
List ShownList() {
    List list;
    for (POSITION pos = Main()->m_listWnd.GetHeadPosition(); pos != nullptr;) {
        auto* wnd = static_cast<CButtonTrayWnd*>(Main()->m_listWnd.GetNext(pos));
        AppEntry entry;
        wnd->GetEntry(entry);
        Shown shown{entry.Title.GetString(), {}};
        if (entry.IsGroup == 1) {
            auto* group = static_cast<CGroupTrayWnd*>(wnd);
            for (POSITION m = group->m_listMembers.GetHeadPosition(); m != nullptr;) {
                shown.members.push_back(
                    static_cast<AppEntry*>(group->m_listMembers.GetNext(m))->Title.GetString());
            }
        }
        list.push_back(shown);
    }
    return list;
}

void Seed(const List& list) {
    store::Clear();
    int groups = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        const std::wstring section = L"Btn" + std::to_wstring(i + 1);
        const bool group = list[i].title[0] == 'g';
        store::WriteString(section, L"Title",
                           std::wstring(list[i].title.begin(), list[i].title.end()));
        store::WriteString(section, L"AppName", L"C:\\x.exe");
        store::WriteString(section, L"Data", group ? L"1,0,1" : L"1,0,0");
        if (!group) {
            continue;
        }
        const std::wstring grp = L"Group\\Grp" + std::to_wstring(++groups);
        store::WriteDword(grp, L"Num", static_cast<DWORD>(list[i].members.size()));
        for (size_t m = 0; m < list[i].members.size(); ++m) {
            const std::wstring app = grp + L"\\App" + std::to_wstring(m + 1);
            const std::string& t = list[i].members[m];
            store::WriteString(app, L"Title", std::wstring(t.begin(), t.end()));
            store::WriteString(app, L"AppName",
                               L"C:\\" + std::wstring(t.begin(), t.end()) + L".exe");
            store::WriteString(app, L"Data", L"1,0,0");
        }
    }
    store::WriteDword(L"Button", L"Num", static_cast<DWORD>(list.size()));
}

// What a scenario starts from, what the victim does to it, and what it must come to.
struct Scenario {
    const char* name;
    List before;
    List after;
    void (*change)();
    void (*leftovers)() = nullptr;  // stored beyond the counts, unread
};

void Reverse() {
    std::vector<void*> windows;
    for (POSITION pos = Main()->m_listWnd.GetHeadPosition(); pos != nullptr;) {
        windows.push_back(Main()->m_listWnd.GetNext(pos));
    }
    Main()->m_listWnd.RemoveAll();
    for (auto w = windows.rbegin(); w != windows.rend(); ++w) {
        Main()->m_listWnd.AddTail(*w);
    }
}

// The new order is saved when the program ends.
void ReverseAndClose() {
    Reverse();
    ::SendMessageW(Main()->m_hWnd, WM_CLOSE, 0, 0);
}

// The first group window of the list (the scenarios all have one).
CGroupTrayWnd* FirstGroup() {
    for (POSITION pos = Main()->m_listWnd.GetHeadPosition(); pos != nullptr;) {
        auto* wnd = static_cast<CButtonTrayWnd*>(Main()->m_listWnd.GetNext(pos));
        AppEntry entry;
        wnd->GetEntry(entry);
        if (entry.IsGroup == 1) {
            return static_cast<CGroupTrayWnd*>(wnd);
        }
    }
    return nullptr;
}

// Deleting a group renumbers the groups behind it and moves every later entry up.
void DeleteFirstGroup() {
    CGroupTrayWnd* group = FirstGroup();
    Main()->RemoveEntryWnd(group);
    group->DestroyWindow();
}

// A member added to the first group is saved with its group at once (the settings dialog's OK).
void AddMemberToFirstGroup() {
    CGroupTrayWnd* group = FirstGroup();
    auto* member = new AppEntry;
    member->Title = "m4";
    member->AppName = "C:\\m4.exe";
    group->m_listMembers.AddTail(member);
    group->m_nMemberCount = group->m_listMembers.GetCount();
    group->SaveGroup();
}

// A member a bigger group of the same number once had: whatever shows it is showing a ghost.
void GhostMember() {
    store::WriteString(L"Group\\Grp1\\App3", L"Title", L"ghost");
    store::WriteString(L"Group\\Grp1\\App3", L"Data", L"1,0,0");
}

const Scenario kScenarios[] = {
    {"ReverseAndClose",
     {{"a", {}}, {"g1", {"m1", "m2"}}, {"b", {}}, {"g2", {"m3"}}},
     {{"g2", {"m3"}}, {"b", {}}, {"g1", {"m1", "m2"}}, {"a", {}}},
     &ReverseAndClose},
    {"DeleteFirstGroup",
     {{"a", {}}, {"g1", {"m1", "m2"}}, {"b", {}}, {"g2", {"m3"}}},
     {{"a", {}}, {"b", {}}, {"g2", {"m3"}}},
     &DeleteFirstGroup},
    {"AddMember",
     {{"a", {}}, {"g1", {"m1", "m2"}}},
     {{"a", {}}, {"g1", {"m1", "m2", "m4"}}},
     &AddMemberToFirstGroup,
     &GhostMember},
};

const Scenario* FindScenario(const std::wstring& name) {
    for (const Scenario& s : kScenarios) {
        if (std::wstring(s.name, s.name + strlen(s.name)) == name) {
            return &s;
        }
    }
    return nullptr;
}

// Runs the victim: this program, running only the test below, on scenario `name` with death at
// change k. Returns its exit code (0 when it lived to the end of its save).
DWORD RunVictim(const char* name, int k) {
    const std::wstring arguments =
        L"--gtest_also_run_disabled_tests "
        L"--gtest_filter=InterruptedSaveVictim.DISABLED_ChangesAndSaves";
    ::SetEnvironmentVariableW(kKillAtVariable, std::to_wstring(k).c_str());
    ::SetEnvironmentVariableW(kScenarioVariable, std::wstring(name, name + strlen(name)).c_str());
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR when the machine is busy;
    // what is tested is the kill, not the start, so a refused start is tried again.
    ChildProcess victim;
    bool started = false;
    DWORD error = 0;
    for (int attempt = 0; !started && attempt < 3; ++attempt) {
        started = victim.Start(ThisProgramPath(), arguments);
        if (!started) {
            error = ::GetLastError();
            ::Sleep(500);
        }
    }
    ::SetEnvironmentVariableW(kKillAtVariable, nullptr);
    ::SetEnvironmentVariableW(kScenarioVariable, nullptr);
    if (!started) {
        ADD_FAILURE() << "the victim did not start: " << error;
        return 1;
    }
    const DWORD code = victim.WaitForExit(60000);
    if (victim.Running()) {
        victim.Terminate(1);
        ADD_FAILURE() << "the victim hung at change " << k;
        return 1;
    }
    return code;
}

class InterruptedSaveTest : public AppFixture {
protected:
    // Starts the program on what the store holds and reads the list it shows; then ends it
    // without saving, as a second kill would.
    static List Restart() {
        if (!theApp.InitInstance()) {
            ADD_FAILURE() << "the program did not start again";
            return {};
        }
        List list = ShownList();
        Main()->DestroyWindow();
        ui::Pump();
        theApp.ExitInstance();
        return list;
    }
};

}  // namespace

// The victim (run only by the test below, in its own process).
TEST(InterruptedSaveVictim, DISABLED_ChangesAndSaves) {
    const Scenario* scenario = FindScenario(Variable(kScenarioVariable));
    ASSERT_NE(scenario, nullptr);
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_EQ(ShownList(), scenario->before);
    DieAtChange(std::wcstol(Variable(kKillAtVariable).c_str(), nullptr, 10));
    scenario->change();
    ui::Pump();
}

TEST_F(InterruptedSaveTest, EveryKillLeavesTheWholeOldOrTheWholeNewList) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.name);
        int k = 1;
        for (;; ++k) {
            Seed(scenario.before);
            if (scenario.leftovers != nullptr) {
                scenario.leftovers();
            }
            const DWORD code = RunVictim(scenario.name, k);
            const bool journalLeft = store::KeyExists(L"Saving");
            const List after = Restart();
            EXPECT_FALSE(store::KeyExists(L"Saving")) << "a start drops the journal";
            if (code == 0) {
                EXPECT_FALSE(journalLeft) << "a whole save drops its journal";
                EXPECT_EQ(Describe(after), Describe(scenario.after)) << "after a whole save";
                break;
            }
            ASSERT_EQ(code, 3u) << "the victim failed before change " << k;
            EXPECT_TRUE(after == scenario.before || after == scenario.after)
                << "killed before change " << k << ": " << Describe(after);
            ASSERT_LT(k, 1000);
        }
        std::printf("%s: killed at each of %d changes\n", scenario.name, k - 1);
    }
}

namespace {

// A journal as a save leaves it: the batch's bytes split into parts, the count of parts last.
struct JournalCase {
    const char* name;
    std::vector<std::string> parts;  // values "1", "2", ...
    std::optional<DWORD> count;      // "Parts"
    DWORD partType = REG_BINARY;
    bool applied;  // the start makes the batch
};

std::ostream& operator<<(std::ostream& os, const JournalCase& c) { return os << c.name; }

std::string Journal(const std::string& title) {
    StoreBatch batch;
    batch.WriteString("Btn1", "Title", title);
    batch.WriteString("Btn2", "Title", "new");
    batch.WriteString("Btn2", "Data", "1,0,0");
    batch.WriteInt("Button", "Num", 2);
    return batch.Serialize();
}

const std::string kWhole = Journal("z");
// Longer than one part can be.
const std::string kLong = Journal(std::string(300000, 'y'));

const JournalCase kJournals[] = {
    {"Complete", {kWhole}, 1, REG_BINARY, true},
    {"CompleteInTwoParts", {kLong.substr(0, 200000), kLong.substr(200000)}, 2, REG_BINARY, true},
    {"NoCount", {kWhole}, std::nullopt, REG_BINARY, false},
    {"PartMissing", {kLong.substr(0, 200000)}, 2, REG_BINARY, false},
    {"CountZero", {kWhole}, 0, REG_BINARY, false},
    {"PartOfWrongType", {kWhole}, 1, REG_SZ, false},
    {"Garbage", {"VLJ1 not a batch"}, 1, REG_BINARY, false},
    {"CutShort", {kWhole.substr(0, kWhole.size() - 1)}, 1, REG_BINARY, false},
};

class JournalAtStartTest : public AppFixture, public testing::WithParamInterface<JournalCase> {};

}  // namespace

TEST_P(JournalAtStartTest, MakesACompleteSaveAndDropsAnythingElse) {
    const JournalCase& c = GetParam();
    store::WriteString(L"Btn1", L"Title", L"old");
    store::WriteString(L"Btn1", L"Data", L"1,0,0");
    store::WriteDword(L"Button", L"Num", 1);
    for (size_t i = 0; i < c.parts.size(); ++i) {
        store::WriteRaw(L"Saving", std::to_wstring(i + 1), c.partType, c.parts[i].data(),
                        static_cast<DWORD>(c.parts[i].size()));
    }
    if (c.count) {
        store::WriteDword(L"Saving", L"Parts", *c.count);
    }

    ASSERT_TRUE(theApp.InitInstance());
    EXPECT_FALSE(store::KeyExists(L"Saving"));
    const List shown = ShownList();
    if (c.applied) {
        const std::string first =
            c.name == std::string("Complete") ? "z" : std::string(300000, 'y');
        EXPECT_EQ(shown, (List{{first, {}}, {"new", {}}}));
    } else {
        EXPECT_EQ(shown, (List{{"old", {}}}));
        EXPECT_FALSE(store::KeyExists(L"Btn2")) << "nothing of the journal was made";
    }
}

INSTANTIATE_TEST_SUITE_P(Journals, JournalAtStartTest, testing::ValuesIn(kJournals),
                         [](const auto& info) { return std::string(info.param.name); });
