// The calling thread's message pump, for the tests and the bench: whoever waits for a window,
// a menu or another process keeps dispatching its own messages meanwhile, so that what the
// system or another process sends to its windows is answered.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

// Dispatches the thread's messages until the queue is empty.
void Pump();
// Dispatches messages until `done` answers true or `timeoutMs` passes; returns done(). With
// `wake`, a handle that becoming signalled ends each wait at once (a process that ends).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000, HANDLE wake = nullptr);
// Dispatches messages for `ms`, whatever comes.
void PumpFor(DWORD ms);

}  // namespace ui
