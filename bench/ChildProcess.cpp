#include "bench/ChildProcess.h"

#include "bench/MemoryProbe.h"

namespace {
void DispatchAll() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
}  // namespace

ChildProcess::~ChildProcess() {
    Terminate();
    if (m_pi.hProcess != nullptr) {
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    return ::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &m_pi) != FALSE;
}

bool ChildProcess::Running() const {
    return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG start = ::GetTickCount64();
    for (;;) {
        DispatchAll();
        if (done()) {
            return true;
        }
        if (!Running() || ::GetTickCount64() - start > timeoutMs) {
            DispatchAll();
            return done();
        }
        // Wakes for a sent or posted message, or when the process ends.
        ::MsgWaitForMultipleObjects(1, &m_pi.hProcess, FALSE, 50, QS_ALLINPUT);
    }
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
    PumpUntil([this] { return !Running(); }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

void ChildProcess::Terminate() {
    if (Running()) {
        ::TerminateProcess(m_pi.hProcess, 99);
        WaitForExit(10000);
    }
}

SIZE_T ChildProcess::PrivateBytes() const { return ::PrivateBytesOf(m_pi.hProcess); }

void PumpFor(DWORD ms) {
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < ms) {
        DispatchAll();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    DispatchAll();
}
