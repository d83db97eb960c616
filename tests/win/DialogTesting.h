// What the tests of the program's dialogs share: fixture files, the preview's picture, and
// acting on a dialog again after a dialog or message box it opened has closed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/CString.h"
#include "tests/support/Fixtures.h"

namespace dlgtest {

// A file of bin/fixtures (tests/support/fixtures, and library6.dll of tests/win/fixtures).
inline CString Fixture(const char* name) { return fixtures::Path(name); }

// The icon a static control shows, drawn 32 x 32; empty when it shows none.
std::vector<uint32_t> PreviewPixels(HWND dialog, int id);
// Icon `index` of the file as a large icon loader gives it, drawn 32 x 32.
std::vector<uint32_t> IconPixels(const CString& file, int index);

// A click on a button that opens nothing: handled before this returns.
void Press(HWND dialog, int id);
std::wstring Text(HWND dialog, int id);
void SetText(HWND dialog, int id, const CString& text);

// Runs `then` inside the running modal loop as soon as `window` (a message box or dialog the
// step is about to close) is gone.
void WhenClosed(HWND window, std::function<void()> then);

}  // namespace dlgtest
