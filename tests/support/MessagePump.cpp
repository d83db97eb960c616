#include "tests/support/MessagePump.h"

namespace ui {

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, HANDLE wake) {
    const ULONGLONG start = ::GetTickCount64();
    while (!done()) {
        if (::GetTickCount64() - start > timeoutMs) {
            return done();
        }
        Pump();
        // Wakes for a sent or posted message, for `wake`, or after 10 ms to ask done() again.
        ::MsgWaitForMultipleObjects(wake != nullptr ? 1 : 0, &wake, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
    Pump();
}

}  // namespace ui
