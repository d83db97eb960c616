// What the launch helpers write about the process they run in: the command line, the working
// directory, the show state of STARTUPINFO and, for the applet, the messages it received.
//
// The record goes to the file named by the environment variable VELMORA_LAUNCH_RECORD, which
// the started process inherits from the test. It is written to a temporary file first and then
// moved into place, so a reader never sees half a record. One "key=value" line each, UTF-8.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Utf.h"

inline constexpr wchar_t kLaunchRecordVariable[] = L"VELMORA_LAUNCH_RECORD";
// The name of an event: once the record is written, the recorder stays until the event is set
// (30 s at most), as a viewer the user keeps open would.
inline constexpr wchar_t kLaunchHoldVariable[] = L"VELMORA_LAUNCH_HOLD";

// Both calls give the size needed, terminator included, when asked with no buffer.
inline std::wstring EnvironmentValue(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    std::wstring value(size, L'\0');
    const DWORD n = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(n < size ? n : 0);
    return value;
}

inline std::wstring RecordTarget() { return EnvironmentValue(kLaunchRecordVariable); }

inline std::wstring CurrentDirectory() {
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring value(size, L'\0');
    const DWORD n = ::GetCurrentDirectoryW(size, value.data());
    value.resize(n < size ? n : 0);
    return value;
}

inline void WriteLaunchRecord(const std::wstring& extra) {
    const std::wstring target = RecordTarget();
    if (target.empty()) {
        return;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    const std::wstring cwd = CurrentDirectory();

    std::wstring text;
    text += L"pid=" + std::to_wstring(::GetCurrentProcessId()) + L"\n";
    text += L"cmdline=" + std::wstring(::GetCommandLineW()) + L"\n";
    text += L"cwd=" + cwd + L"\n";
    text += L"useshowwindow=" +
            std::to_wstring((startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? 1 : 0) + L"\n";
    text += L"show=" + std::to_wstring(startup.wShowWindow) + L"\n";
    text += extra;
    const std::string utf8 = Narrow(text);

    const std::wstring temporary = target + L".tmp";
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ::CloseHandle(file);
    ::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
}
