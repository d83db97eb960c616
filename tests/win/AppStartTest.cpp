// Starting entries for real under Wine: programs and documents through the shell, applets
// through rundll32. The started helpers (tests/support/helpers) write how they were started.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "entries/CAppStart.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "tests/support/Files.h"
#include "tests/support/Printers.h"
#include "tests/support/ProgramFiles.h"
#include "tests/support/UiDriver.h"
#include "tests/support/helpers/LaunchRecord.h"

namespace {

using Record = std::map<std::wstring, std::wstring>;

// The record's "key=value" lines, or nothing while the file is not there.
std::optional<Record> ReadRecord(const std::wstring& file) {
    const std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) {
        return std::nullopt;
    }
    const std::wstring text = Widen(*bytes);
    Record record;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        const std::wstring line = text.substr(start, end - start);
        const size_t eq = line.find(L'=');
        if (eq != std::wstring::npos) {
            record[line.substr(0, eq)] = line.substr(eq + 1);
        }
        start = end + 1;
    }
    return record;
}

void SetClassDefault(const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    UniqueRegKey owned(key);
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// A document type of the test's own, opened by the recorder; taken out of the registry again
// also when the test fails. It goes into HKEY_CLASSES_ROOT itself: Wine 8 does not look at the
// per-user HKCU\Software\Classes when it finds a file type's program.
struct ClassesGuard {
    ClassesGuard() { Remove(); }
    ~ClassesGuard() { Remove(); }
    static void Remove() {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".vmtest");
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"VelmoraTest.Doc");
    }
};

bool RunningOnWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// While it lives, Wine loads no rundll32.exe. The prefix is shared by all tests: the fixture's
// SetUp removes the override too, in case a crashed run left it behind.
struct Rundll32Disabled {
    static constexpr wchar_t kKey[] = L"Software\\Wine\\DllOverrides";
    Rundll32Disabled() {
        HKEY key = nullptr;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr);
        UniqueRegKey owned(key);
        ::RegSetValueExW(key, L"rundll32.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""),
                         sizeof(wchar_t));
    }
    ~Rundll32Disabled() { Remove(); }
    static void Remove() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"rundll32.exe"); }
};

class AppStartTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_root = MakeTempDirectory(L"VelmoraLaunch");
        ASSERT_FALSE(s_root.empty());
        for (const wchar_t* dir : {L"bin", L"work", L"docs", L"起動 テスト", L"cpl dir, v2"}) {
            ::CreateDirectoryW((s_root + dir).c_str(), nullptr);
        }
        const std::wstring recorder = ThisProgramDirectory() + L"velmora_recorder.exe";
        const std::wstring applet = ThisProgramDirectory() + L"helper.cpl";
        const std::pair<std::wstring, std::wstring> copies[] = {
            {recorder, L"bin\\HELPER.EXE"},     {recorder, L"bin\\HELPER.COM"},
            {recorder, L"bin\\helper.old.exe"}, {recorder, L"起動 テスト\\ﾒﾓ 帳.EXE"},
            {applet, L"bin\\helper.cpl"},       {applet, L"cpl dir, v2\\my applet.cpl"},
        };
        for (const auto& [from, to] : copies) {
            ASSERT_TRUE(::CopyFileW(from.c_str(), (s_root + to).c_str(), FALSE))
                << Narrow(to) << " error " << ::GetLastError();
        }
        for (const wchar_t* doc : {L"docs\\readme.vmtest", L"docs\\notes.vmnone"}) {
            UniqueKernelHandle file(::CreateFileW((s_root + doc).c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_ALWAYS, 0, nullptr));
        }
    }

    void SetUp() override {
        ASSERT_FALSE(s_root.empty());
        Rundll32Disabled::Remove();
        m_record = s_root + L"record.txt";
        ::DeleteFileW(m_record.c_str());
        ::SetEnvironmentVariableW(kLaunchRecordVariable, m_record.c_str());
        m_savedDirectory.resize(::GetCurrentDirectoryW(0, nullptr));
        m_savedDirectory.resize(::GetCurrentDirectoryW(static_cast<DWORD>(m_savedDirectory.size()),
                                                       m_savedDirectory.data()));
    }

    void TearDown() override {
        ::SetCurrentDirectoryW(m_savedDirectory.c_str());
        ::SetEnvironmentVariableW(kLaunchRecordVariable, nullptr);
        ::DeleteFileW(m_record.c_str());
    }

    // The record of the started process once it is complete (the applet's once it has seen
    // `event`), after that process has ended.
    Record WaitForRecord(const wchar_t* event = nullptr) {
        std::optional<Record> record;
        const bool complete = ui::PumpUntil(
            [&] {
                record = ReadRecord(m_record);
                return record &&
                       (event == nullptr || (*record)[L"events"].find(event) != std::wstring::npos);
            },
            20000);
        EXPECT_TRUE(complete) << "no record from the started process";
        if (!complete || !record) {
            return {};
        }
        // Let it end before the next case starts another one.
        const DWORD pid = std::stoul((*record)[L"pid"]);
        UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
        if (process) {
            EXPECT_EQ(::WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
        }
        return *ReadRecord(m_record);
    }

    bool RecordExists() const {
        return ::GetFileAttributesW(m_record.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    static std::wstring s_root;
    std::wstring m_record;
    std::wstring m_savedDirectory;
};

std::wstring AppStartTest::s_root;

// What the shell is asked for shows in how the program runs: its command line (file and
// parameters), its working directory and the show state of its STARTUPINFO.
TEST_F(AppStartTest, ProgramStartsWithItsParametersDirectoryAndShowCode) {
    const std::string root = Narrow(s_root);
    struct Case {
        std::string path;
        const char* parm;
        std::string dir;
        int show;
        std::wstring commandLine;
        std::wstring cwd;
        int showCode;
    };
    const Case cases[] = {
        {root + "bin\\HELPER.EXE", "-x", "", 0, L"\"" + s_root + L"bin\\HELPER.EXE\" -x",
         s_root + L"bin", SW_SHOW},
        {root + "bin\\HELPER.EXE", "-x", root + "work", 1, L"\"" + s_root + L"bin\\HELPER.EXE\" -x",
         s_root + L"work", SW_SHOWMINIMIZED},
        {root + "bin\\HELPER.COM", "/a b", "", 2, L"\"" + s_root + L"bin\\HELPER.COM\" /a b",
         s_root + L"bin", SW_SHOWMAXIMIZED},
        {root + "bin\\helper.old.exe", "", root + "work\\", -1,
         L"\"" + s_root + L"bin\\helper.old.exe\"", s_root + L"work", SW_SHOW},
        {root + "起動 テスト\\ﾒﾓ 帳.EXE", "\"ファイル 名.txt\"", "", 3,
         L"\"" + s_root + L"起動 テスト\\ﾒﾓ 帳.EXE\" \"ファイル 名.txt\"", s_root + L"起動 テスト",
         SW_SHOW},
        // %NAME% variables, as a shortcut takes them: expanded as the entry starts.
        {"%VELMORA_TEST_ROOT%bin\\HELPER.EXE", "", "", 0, L"\"" + s_root + L"bin\\HELPER.EXE\"",
         s_root + L"bin", SW_SHOW},
        {"%VELMORA_TEST_ROOT%bin\\HELPER.EXE", "", "%VELMORA_TEST_ROOT%work", 0,
         L"\"" + s_root + L"bin\\HELPER.EXE\"", s_root + L"work", SW_SHOW},
    };
    ::SetEnvironmentVariableW(L"VELMORA_TEST_ROOT", s_root.c_str());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + c.parm);
        ::DeleteFileW(m_record.c_str());
        CAppStart start;
        start.SetData(nullptr, c.path, c.dir, c.parm, c.show);
        ui::ModalScript noMessages;
        start.Start();
        Record record = WaitForRecord();
        EXPECT_EQ(record[L"cmdline"], c.commandLine);
        EXPECT_EQ(record[L"cwd"], c.cwd);
        EXPECT_EQ(record[L"useshowwindow"], L"1");
        EXPECT_EQ(record[L"show"], std::to_wstring(c.showCode));
    }
}

// A bare file name has no directory: the shell looks in the current one and starts it there.
TEST_F(AppStartTest, BareFileNameStartsInTheCurrentDirectory) {
    ASSERT_TRUE(::SetCurrentDirectoryW((s_root + L"bin").c_str()));
    CAppStart start;
    start.SetData(nullptr, "HELPER.EXE", "", "-x", 0);
    EXPECT_EQ(start.GetStartDir(), "");
    ui::ModalScript noMessages;
    start.Start();
    Record record = WaitForRecord();
    EXPECT_EQ(record[L"cwd"], s_root + L"bin");
    EXPECT_NE(record[L"cmdline"].find(L"HELPER.EXE"), std::wstring::npos);
}

TEST_F(AppStartTest, DocumentOpensWithoutTheEntrysParameters) {
    const std::wstring recorder = ThisProgramDirectory() + L"velmora_recorder.exe";
    ClassesGuard classes;
    SetClassDefault(L".vmtest", L"VelmoraTest.Doc");
    SetClassDefault(L"VelmoraTest.Doc\\shell\\open\\command", L"\"" + recorder + L"\" \"%1\" %*");

    CAppStart start;
    start.SetData(nullptr, Narrow(s_root) + "docs\\readme.vmtest", "", "-x", 2);
    ui::ModalScript noMessages;
    start.Start();
    Record record = WaitForRecord();
    // "%*" stands for the parameters the shell was given: none, so only its blank is left.
    EXPECT_EQ(record[L"cmdline"], L"\"" + recorder + L"\" \"" + s_root + L"docs\\readme.vmtest\" ");
    EXPECT_EQ(record[L"cwd"], s_root + L"docs");
    EXPECT_EQ(record[L"show"], std::to_wstring(SW_SHOWMAXIMIZED));
}

// The command line is exactly the documented one; the entry's show value, directory and
// parameters play no part. A path with a comma is quoted, or Control_RunDLL would cut it there.
TEST_F(AppStartTest, AppletOpensThroughRundll32) {
    const struct {
        const char* path;  // below the test folder
        const char* quote;
    } cases[] = {{"bin\\helper.cpl", ""}, {"cpl dir, v2\\my applet.cpl", "\""}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        // A record of its own for each case: the host of the case before may still hold its
        // file while it ends, and would keep this one's host from writing it.
        m_record = s_root + L"record-applet-" + std::to_wstring(++n) + L".txt";
        ::DeleteFileW(m_record.c_str());
        ::SetEnvironmentVariableW(kLaunchRecordVariable, m_record.c_str());
        const std::string path = Narrow(s_root) + c.path;
        CAppStart start;
        start.SetData(nullptr, path, Narrow(s_root) + "work", "-x", 2);
        ui::ModalScript noMessages;
        start.Start();
        Record record = WaitForRecord(L"EXIT");
        EXPECT_EQ(record[L"cmdline"], Widen("rundll32 shell32.dll,Control_RunDLL " +
                                            std::string(c.quote) + path + c.quote + ",,0"));
        EXPECT_NE(record[L"events"].find(L"DBLCLK"), std::wstring::npos)
            << Narrow(record[L"events"]);
        EXPECT_EQ(record[L"cwd"], m_savedDirectory);
        EXPECT_EQ(record[L"useshowwindow"], L"1");
        EXPECT_EQ(record[L"show"], std::to_wstring(SW_SHOW));
    }
}

TEST_F(AppStartTest, FailedShellStartShowsTheFullPath) {
    const std::string root = Narrow(s_root);
    const std::string paths[] = {
        root + "bin\\MISSING.EXE",    // program not found
        root + "docs\\gone.txt",      // document not found
        root + "docs\\notes.vmnone",  // no program for the document type
        "ない.exe",                   // bare name found nowhere
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ui::ModalScript script;
        ui::MessageBoxInfo box;
        script.Then(ui::ReadAndPress(&box, IDOK));
        CAppStart start;
        start.SetData(nullptr, path, "", "-x", 0);
        start.Start();
        EXPECT_EQ(script.Seen(), 1);
        EXPECT_EQ(box.caption, L"Velmora");
        EXPECT_EQ(box.text, Widen(path + "の起動に失敗しました。"));
        EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    }
    EXPECT_FALSE(RecordExists());
}

// rundll32 starts for any applet path, even a missing one, and then fails on its own; "Error "
// is for a rundll32 that cannot be started at all. Wine is told to load no rundll32.exe (a
// DLL override of "" disables both the built-in and the native one), so CreateProcess fails.
TEST_F(AppStartTest, AppletHostThatCannotStartShowsError) {
    if (!RunningOnWine()) {
        GTEST_SKIP() << "needs Wine's DLL overrides to keep rundll32 from starting";
    }
    ui::ModalScript script;
    ui::MessageBoxInfo box;
    script.Then(ui::ReadAndPress(&box, IDOK));
    {
        Rundll32Disabled disabled;
        CAppStart start;
        start.SetData(nullptr, Narrow(s_root) + "bin\\helper.cpl", "", "", 0);
        start.Start();
    }
    EXPECT_EQ(script.Seen(), 1);
    EXPECT_EQ(box.caption, L"Velmora");
    EXPECT_EQ(box.text, L"Error ");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(RecordExists());
}

TEST_F(AppStartTest, StarterIsCreatedByNameAndDerivesTheStartDirectory) {
    const std::unique_ptr<CObject> object(CRuntimeClass::CreateObject("CAppStart"));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
    auto& start = dynamic_cast<CAppStart&>(*object);
    EXPECT_EQ(start.GetStartDir(), "");
    start.SetData(nullptr, "C:\\Tools\\edit.exe", "", "", 0);
    EXPECT_EQ(start.GetStartDir(), "C:\\Tools\\");
    start.SetData(nullptr, "C:\\Tools\\edit.exe", "D:\\Work", "", 0);
    EXPECT_EQ(start.GetStartDir(), "D:\\Work");
}

}  // namespace
