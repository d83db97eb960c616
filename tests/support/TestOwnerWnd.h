// A hidden framework window that owns the menus a test tracks and records the commands it
// receives.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CWnd.h"

class TestOwnerWnd : public CWnd {
public:
    TestOwnerWnd();

    std::vector<UINT> m_commands;

protected:
    // Runs for every WM_COMMAND: records its id.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
