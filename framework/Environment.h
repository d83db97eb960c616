// Environment variables in the paths a user types, as every Windows shortcut accepts them
// (%SystemRoot%\system32\notepad.exe, %USERPROFILE%\...).
#pragma once

#include <string>

#include "framework/CString.h"

// The text with each %NAME% replaced by the variable's value; a name that is not set stays as
// it is, as the system leaves it. The text unchanged when it holds no '%' or the system cannot
// expand it.
CString ExpandEnvironment(const CString& text);
std::wstring ExpandEnvironment(const std::wstring& text);
