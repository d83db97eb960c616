#include "tests/support/ChildProcess.h"

#include "tests/support/MessagePump.h"

ChildProcess::~ChildProcess() { Close(); }

void ChildProcess::Close() {
    Terminate();
    if (m_pi.hProcess != nullptr) {
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    m_pi = {};
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments) {
    Close();
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &pi)) {
        return false;
    }
    m_pi = pi;
    return true;
}

bool ChildProcess::Running() const {
    return m_pi.hProcess != nullptr && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    ui::PumpUntil([&] { return done() || !Running(); }, timeoutMs, m_pi.hProcess);
    // What the process sent just before it ended.
    ui::Pump();
    return done();
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (m_pi.hProcess == nullptr) {
        return STILL_ACTIVE;
    }
    PumpUntil([] { return false; }, timeoutMs);
    DWORD code = STILL_ACTIVE;
    if (Running() || !::GetExitCodeProcess(m_pi.hProcess, &code)) {
        return STILL_ACTIVE;
    }
    return code;
}

void ChildProcess::Terminate(UINT exitCode) {
    if (Running()) {
        ::TerminateProcess(m_pi.hProcess, exitCode);
        WaitForExit(10000);
    }
}
