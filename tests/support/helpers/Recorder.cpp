// A program to be started by the tests: it records how it was started and ends, or, asked to
// hold (LaunchRecord.h), stays until the test lets it go.
#include <windows.h>

#include "tests/support/helpers/LaunchRecord.h"

namespace {

// Waits for the event, answering messages meanwhile: a program that reads its messages is
// ready for input, which is what the shell may wait for after starting it.
void HoldUntilSet(const std::wstring& name) {
    HANDLE event = ::OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    if (event == nullptr) {
        return;
    }
    const ULONGLONG until = ::GetTickCount64() + 30000;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
        const ULONGLONG now = ::GetTickCount64();
        if (now >= until || ::MsgWaitForMultipleObjects(1, &event, FALSE,
                                                        static_cast<DWORD>(until - now),
                                                        QS_ALLINPUT) != WAIT_OBJECT_0 + 1) {
            break;
        }
    }
    ::CloseHandle(event);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    WriteLaunchRecord(L"");
    const std::wstring hold = EnvironmentValue(kLaunchHoldVariable);
    if (!hold.empty()) {
        HoldUntilSet(hold);
    }
    return 0;
}
