#include "tests/support/AppFixture.h"

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "tests/support/TestStore.h"
#include "tests/support/UiDriver.h"
#include "tray/CTrayIconService.h"

int AppFixture::s_beeps = 0;

BOOL WINAPI AppFixture::CountBeep(DWORD frequency, DWORD duration) {
    EXPECT_EQ(frequency, 40u);
    EXPECT_EQ(duration, 100u);
    ++s_beeps;
    return TRUE;
}

void AppFixture::SetUp() {
    // The store's root, as the program's start sets it; tests seed through the profile functions.
    theApp.SetRegistryKey("Brennick");
    store::Clear();
    m_trayCalls.Clear();
    s_beeps = 0;
    CMainTrayWnd::s_pfnBeep = &CountBeep;
}

void AppFixture::TearDown() {
    if (theApp.m_pMainWnd != nullptr) {
        theApp.m_pMainWnd->DestroyWindow();
    }
    ui::Pump();
    theApp.ExitInstance();
    auto& tray = CTrayIconService::Instance();
    for (HWND owner : tray.Owners()) {
        tray.Delete(owner);
    }
    store::Clear();
}

CMainTrayWnd* AppFixture::Main() { return static_cast<CMainTrayWnd*>(theApp.m_pMainWnd); }
