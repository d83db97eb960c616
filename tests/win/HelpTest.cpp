// "ﾍﾙﾌﾟ(&H)" of the main menu: a WinHelp file beside the program goes to WinHelp, otherwise the
// HTML guide beside it opens through the shell, otherwise a message names the missing guide.
// The program's path here is the test program's own, so the help files are placed beside it.
// WinHelp is seen through its import (Wine's would start winhlp32, which asks on a file it
// cannot read); the guide's opening through a file type of the test's own, opened by the
// recorder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "res/resource.h"
#include "tests/support/EntryWindowsFixture.h"
#include "tests/support/ImportRedirect.h"
#include "tests/support/Printers.h"
#include "tests/support/ProgramFiles.h"
#include "tests/support/UiDriver.h"
#include "tests/support/helpers/LaunchRecord.h"

namespace {

constexpr wchar_t kHelpClass[] = L"VelmoraTest.Help";

struct WinHelpCall {
    HWND owner;
    std::wstring file;
    UINT command;
    ULONG_PTR data;
};
std::vector<WinHelpCall> g_winHelpCalls;

BOOL WINAPI RecordWinHelp(HWND owner, LPCWSTR file, UINT command, ULONG_PTR data) {
    g_winHelpCalls.push_back({owner, file != nullptr ? file : L"", command, data});
    return TRUE;
}

void SetDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    UniqueRegKey owned(key);
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// While it lives, ".html" files are of the test's own type, opened by `command`, or by nothing
// when it is empty. HKEY_CLASSES_ROOT itself: Wine 8 looks at no per-user classes when it
// finds a file type's program. The prefix is shared, so what ".html" was before comes back,
// also after a failed test; a type left behind by a run that crashed counts as none.
class HtmlFileType {
public:
    explicit HtmlFileType(const std::wstring& command) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L".html", 0, KEY_QUERY_VALUE, &key) ==
            ERROR_SUCCESS) {
            UniqueRegKey owned(key);
            std::optional<std::wstring> value;
            DWORD bytes = 0;
            if (::RegGetValueW(key, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) ==
                ERROR_SUCCESS) {
                std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
                bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
                if (::RegGetValueW(key, nullptr, nullptr, RRF_RT_REG_SZ, nullptr, text.data(),
                                   &bytes) == ERROR_SUCCESS) {
                    text.resize(wcslen(text.c_str()));
                    value = text;
                }
            }
            m_existed = value != std::wstring(kHelpClass);
            m_previous = m_existed ? value : std::nullopt;
        }
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kHelpClass);
        SetDefaultValue(HKEY_CLASSES_ROOT, L".html", kHelpClass);
        if (command.empty()) {
            SetDefaultValue(HKEY_CLASSES_ROOT, kHelpClass, L"a type no program opens");
        } else {
            SetDefaultValue(HKEY_CLASSES_ROOT, std::wstring(kHelpClass) + L"\\shell\\open\\command",
                            command);
        }
    }
    ~HtmlFileType() {
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kHelpClass);
        if (!m_existed) {
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".html");
        } else if (m_previous) {
            SetDefaultValue(HKEY_CLASSES_ROOT, L".html", *m_previous);
        } else {
            ::RegDeleteKeyValueW(HKEY_CLASSES_ROOT, L".html", nullptr);
        }
    }
    HtmlFileType(const HtmlFileType&) = delete;
    HtmlFileType& operator=(const HtmlFileType&) = delete;

private:
    bool m_existed = false;                  // ".html" was there, and not left by a crashed run
    std::optional<std::wstring> m_previous;  // its default value
};

std::wstring RecorderCommand() {
    return L"\"" + ThisProgramDirectory() + L"velmora_recorder.exe\" \"%1\"";
}

// The value of one "key=value" line of a launch record.
std::string RecordValue(const std::string& record, const std::string& key) {
    const std::string head = key + "=";
    for (size_t start = 0; start < record.size();) {
        size_t end = record.find('\n', start);
        if (end == std::string::npos) {
            end = record.size();
        }
        if (record.compare(start, head.size(), head) == 0) {
            return record.substr(start + head.size(), end - start - head.size());
        }
        start = end + 1;
    }
    return {};
}

class HelpTest : public EntryWindowsFixture {
protected:
    void SetUp() override {
        EntryWindowsFixture::SetUp();
        // Beside the test program, named after it: where the program looks for its own.
        const std::wstring program = ThisProgramPath();
        const std::wstring base = program.substr(0, program.size() - 4);  // without ".exe"
        m_hlp = base + L".HLP";
        m_html = base + L".html";
        RemoveHelpFiles();
        g_winHelpCalls.clear();
        ASSERT_NO_FATAL_FAILURE(Start({}));
    }
    void TearDown() override {
        RemoveHelpFiles();
        EntryWindowsFixture::TearDown();
    }
    void RemoveHelpFiles() {
        for (const std::wstring& path : {m_hlp, m_html}) {
            ::DeleteFileW(path.c_str());
            ::RemoveDirectoryW(path.c_str());
        }
    }
    // A help file with a line of text, or a folder of its name.
    static void Place(const std::wstring& path, bool folder) {
        if (folder) {
            ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
            return;
        }
        UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(file.Get(), INVALID_HANDLE_VALUE);
        const char text[] = "<!DOCTYPE html><title>Velmora</title>\n";
        DWORD written = 0;
        ::WriteFile(file.Get(), text, sizeof(text) - 1, &written, nullptr);
    }
    HWND MainHwnd() { return Main()->m_hWnd; }

    std::wstring m_hlp;
    std::wstring m_html;
};

// Which of the two files beside the program is there decides; a folder of either name is no
// help file.
TEST_F(HelpTest, HelpOpensWhatLiesBesideTheProgram) {
    enum class Opened { WinHelp, Guide, Missing };
    struct Case {
        const char* what;
        int hlp;   // 0 nothing, 1 a file, 2 a folder of that name
        int html;
        Opened opened;
    };
    const Case cases[] = {
        {"both: WinHelp first", 1, 1, Opened::WinHelp},
        {"WinHelp file only", 1, 0, Opened::WinHelp},
        {"guide only", 0, 1, Opened::Guide},
        {"a folder named as the WinHelp file", 2, 1, Opened::Guide},
        {"neither", 0, 0, Opened::Missing},
        {"a folder named as the guide", 0, 2, Opened::Missing},
    };
    EXPECT_EQ(theApp.m_strHelpFilePath, Narrow(m_hlp));
    EXPECT_EQ(theApp.m_strHtmlHelpPath, Narrow(m_html));
    HtmlFileType type(RecorderCommand());
    ImportRedirect winHelp("WinHelpW", reinterpret_cast<void*>(&RecordWinHelp));
    ASSERT_NE(winHelp.Original<void*>(), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveHelpFiles();
        ::DeleteFileW(m_record.c_str());
        g_winHelpCalls.clear();
        if (c.hlp != 0) {
            ASSERT_NO_FATAL_FAILURE(Place(m_hlp, c.hlp == 2));
        }
        if (c.html != 0) {
            ASSERT_NO_FATAL_FAILURE(Place(m_html, c.html == 2));
        }
        ui::ModalScript script;
        ui::MessageBoxInfo box;
        if (c.opened == Opened::Missing) {
            script.Then(ui::ReadAndPress(&box, IDOK));
        }
        ::SendMessageW(MainHwnd(), WM_COMMAND, ID_HELP, 0);
        if (c.opened == Opened::Guide) {
            ASSERT_TRUE(ui::PumpUntil([&] { return Launched(); }, 20000)) << "the guide not opened";
            const std::string record = Record();
            EXPECT_EQ(Widen(RecordValue(record, "cmdline")),
                      L"\"" + ThisProgramDirectory() + L"velmora_recorder.exe\" \"" + m_html + L"\"");
            // Gone before the next case, which takes the record file again.
            UniqueKernelHandle viewer(
                ::OpenProcess(SYNCHRONIZE, FALSE, std::stoul(RecordValue(record, "pid"))));
            if (viewer) {
                EXPECT_EQ(::WaitForSingleObject(viewer.Get(), 20000), DWORD{WAIT_OBJECT_0});
            }
        } else {
            ui::PumpFor(300);
            EXPECT_FALSE(Launched());
        }
        if (c.opened == Opened::WinHelp) {
            ASSERT_EQ(g_winHelpCalls.size(), 1u);
            EXPECT_EQ(g_winHelpCalls[0].owner, MainHwnd());
            EXPECT_EQ(g_winHelpCalls[0].file, m_hlp);
            EXPECT_EQ(g_winHelpCalls[0].command, UINT{HELP_FINDER});
            EXPECT_EQ(g_winHelpCalls[0].data, ULONG_PTR{0});
        } else {
            EXPECT_TRUE(g_winHelpCalls.empty());
        }
        EXPECT_EQ(script.Seen(), c.opened == Opened::Missing ? 1 : 0);
        if (c.opened == Opened::Missing) {
            EXPECT_EQ(box.text, L"ﾍﾙﾌﾟﾌｧｲﾙ " + m_html + L" が見つかりません。");
        }
        EXPECT_EQ(Main()->m_nBusy, 0);
    }
}

// The guide's viewer stays open as long as the user reads: the command returns while it runs,
// and the tray answers meanwhile as ever.
TEST_F(HelpTest, GuideOpensWithoutWaitingForItsViewer) {
    ASSERT_NO_FATAL_FAILURE(Place(m_html, false));
    HtmlFileType type(RecorderCommand());
    const wchar_t kHold[] = L"Local\\VelmoraTest.HelpViewerHold";
    UniqueKernelHandle hold(::CreateEventW(nullptr, TRUE, FALSE, kHold));
    ASSERT_TRUE(hold);
    ::SetEnvironmentVariableW(kLaunchHoldVariable, kHold);
    ui::ModalScript noMessages;  // any message box fails the test

    const ULONGLONG before = ::GetTickCount64();
    ::SendMessageW(MainHwnd(), WM_COMMAND, ID_HELP, 0);
    const ULONGLONG took = ::GetTickCount64() - before;
    ::SetEnvironmentVariableW(kLaunchHoldVariable, nullptr);
    EXPECT_EQ(Main()->m_nBusy, 0);
    EXPECT_LT(took, 20000u) << "the command waited for the viewer to end";

    ASSERT_TRUE(ui::PumpUntil([&] { return Launched(); }, 20000));
    UniqueKernelHandle viewer(::OpenProcess(SYNCHRONIZE, FALSE,
                                            std::stoul(RecordValue(Record(), "pid"))));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(::WaitForSingleObject(viewer.Get(), 0), DWORD{WAIT_TIMEOUT})
        << "the viewer ended before the command returned";

    // With the viewer open, a double click takes the entry icons out and a right click opens
    // the menu, without a beep.
    ::SendMessageW(MainHwnd(), WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(ui::PumpUntil([&] { return Main()->m_bHideIcons == 1; }));
    {
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        ::SendMessageW(MainHwnd(), WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
        EXPECT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
        ui::Pump();
    }
    EXPECT_EQ(s_beeps, 0);
    EXPECT_EQ(::WaitForSingleObject(viewer.Get(), 0), DWORD{WAIT_TIMEOUT});

    ::SetEvent(hold.Get());
    EXPECT_TRUE(ui::PumpUntil(
        [&] { return ::WaitForSingleObject(viewer.Get(), 0) == WAIT_OBJECT_0; }, 20000,
        viewer.Get()));
}

// The message about a missing guide is an exclamation under the program's name; while it is
// open, clicks on the own icon only beep, as with every other message of the program.
TEST_F(HelpTest, MissingGuideIsNamedWhileClicksOnlyBeep) {
    ImportRedirect winHelp("WinHelpW", reinterpret_cast<void*>(&RecordWinHelp));
    ui::ModalScript script;
    ui::MessageBoxInfo box;
    int busy = -1;
    script.Then([&](HWND dialog) {
        box = ui::ReadMessageBox(dialog);
        busy = Main()->m_nBusy;
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        ::SendMessageW(MainHwnd(), WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
        ::SendMessageW(MainHwnd(), WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
        ui::PumpUntil([] { return s_beeps == 2; }, 2000);
        EXPECT_FALSE(menu.Ran());
        ui::Click(dialog, IDOK);
    });
    ::PostMessageW(MainHwnd(), WM_COMMAND, ID_HELP, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return script.Seen() == 1 && Main()->m_nBusy == 0; }));
    ui::Pump();

    EXPECT_EQ(box.caption, L"Velmora");
    EXPECT_EQ(box.text, L"ﾍﾙﾌﾟﾌｧｲﾙ " + m_html + L" が見つかりません。");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(busy, 1);
    EXPECT_EQ(s_beeps, 2);
    EXPECT_EQ(Main()->m_bHideIcons, 0);
    EXPECT_EQ(Main()->m_nBusy, 0);
    EXPECT_TRUE(g_winHelpCalls.empty());
}

// A guide no program opens is reported, not passed over in silence.
TEST_F(HelpTest, GuideThatNoProgramOpensIsReported) {
    ASSERT_NO_FATAL_FAILURE(Place(m_html, false));
    HtmlFileType type(L"");
    ui::ModalScript script;
    ui::MessageBoxInfo box;
    int busy = -1;
    script.Then([&](HWND dialog) {
        busy = Main()->m_nBusy;
        ui::ReadAndPress(&box, IDOK)(dialog);
    });
    ::PostMessageW(MainHwnd(), WM_COMMAND, ID_HELP, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return script.Seen() == 1 && Main()->m_nBusy == 0; }, 20000));
    ui::Pump();

    EXPECT_EQ(box.caption, L"Velmora");
    EXPECT_EQ(box.text, L"ﾍﾙﾌﾟﾌｧｲﾙ " + m_html + L" を開けませんでした。");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(busy, 1);
    EXPECT_FALSE(Launched());
}

}  // namespace
