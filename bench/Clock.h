// Milliseconds from the performance counter, for the bench programs.
#pragma once

#include <windows.h>

inline double TicksToMs(LONGLONG ticks) {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    return static_cast<double>(ticks) / perMs;
}

inline LONGLONG NowTicks() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double NowMs() { return TicksToMs(NowTicks()); }
