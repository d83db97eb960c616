#include "tests/support/EntryWindowsFixture.h"

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "tests/support/Files.h"
#include "tests/support/helpers/LaunchRecord.h"
#include "tray/CTrayIconService.h"

void EntryWindowsFixture::SetUp() {
    AppFixture::SetUp();
    m_record = TempDirectory() + L"velmora-launch-record.txt";
    ::DeleteFileW(m_record.c_str());
    ::SetEnvironmentVariableW(kLaunchRecordVariable, m_record.c_str());
}

void EntryWindowsFixture::TearDown() {
    AppFixture::TearDown();
    ::DeleteFileW(m_record.c_str());
}

void EntryWindowsFixture::Start(const std::vector<AppEntry>& entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
        theApp.SaveButton(static_cast<int>(i) + 1, entries[i]);
    }
    theApp.WriteProfileInt("Button", "Num", static_cast<int>(entries.size()));
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_EQ(Main()->m_listWnd.GetCount(), static_cast<int>(entries.size()));
    m_trayCalls.Clear();
}

AppEntry EntryWindowsFixture::Stored(int n) {
    AppEntry e;
    theApp.LoadButton(n, e);
    return e;
}

bool EntryWindowsFixture::Launched() const {
    return ::GetFileAttributesW(m_record.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string EntryWindowsFixture::Record() const { return ReadWholeFile(m_record).value_or(""); }
