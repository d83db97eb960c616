// A test of the program's windows: before it an empty store (the profile functions pointed at
// it), an empty tray record and counted beeps; after it the main window, every window it made
// and every icon they left are gone again.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/TrayCallLog.h"

class CMainTrayWnd;

class AppFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static CMainTrayWnd* Main();

    // The tray service's calls to the shell since SetUp (or the test's last Clear).
    TrayCallLog m_trayCalls;

    // Refused clicks: the beeps of the busy test (40 Hz for 100 ms each).
    static int s_beeps;

private:
    static BOOL WINAPI CountBeep(DWORD frequency, DWORD duration);
};
