#include "tests/e2e/VelmoraProcess.h"

#include "tests/support/ProgramFiles.h"

namespace {
struct Search {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* caption;
    bool unownedOnly;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid) {
        return TRUE;
    }
    wchar_t cls[256] = {};
    ::GetClassNameW(hwnd, cls, 256);
    if (s->className != nullptr && wcscmp(cls, s->className) != 0) {
        return TRUE;
    }
    if (s->caption != nullptr) {
        wchar_t text[256] = {};
        ::GetWindowTextW(hwnd, text, 256);
        if (wcscmp(text, s->caption) != 0) {
            return TRUE;
        }
    }
    if (s->className != nullptr && !::IsWindowVisible(hwnd)) {
        return TRUE;
    }
    // The entry windows share the main window's title; only the main window has no owner.
    if (s->unownedOnly && ::GetWindow(hwnd, GW_OWNER) != nullptr) {
        return TRUE;
    }
    s->found = hwnd;
    return FALSE;
}
}  // namespace

std::wstring VelmoraProcess::ExePath() { return ThisProgramDirectory() + L"velmora.exe"; }

bool VelmoraProcess::Start(const std::wstring& exe) { return m_process.Start(exe); }

HWND VelmoraProcess::WaitForWindow(const wchar_t* className, const wchar_t* caption,
                                   DWORD timeoutMs) {
    return Find(className, caption, false, timeoutMs);
}

HWND VelmoraProcess::Find(const wchar_t* className, const wchar_t* caption, bool unownedOnly,
                          DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    do {
        Search s{Pid(), className, caption, unownedOnly, nullptr};
        ::EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&s));
        if (s.found != nullptr) {
            return s.found;
        }
        ::Sleep(20);
    } while (::GetTickCount() - start < timeoutMs && Running());
    return nullptr;
}

HWND VelmoraProcess::WaitForMainWindow(DWORD timeoutMs) {
    return Find(nullptr, L"Velmora", true, timeoutMs);
}

std::vector<std::wstring> ChildTexts(HWND parent) {
    std::vector<std::wstring> texts;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[512] = {};
        ::GetWindowTextW(child, text, 512);
        texts.emplace_back(text);
    }
    return texts;
}
