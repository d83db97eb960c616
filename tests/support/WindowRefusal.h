// Makes the system refuse the program's entry windows, as a system out of window handles
// would: while it lives, the first `allowed` owned windows titled "Velmora" of a class named by a
// string are made and the rest refused. Dialogs and message boxes (an atom class) pass.
#pragma once

#include <windows.h>

class WindowRefusal {
public:
    explicit WindowRefusal(int allowed);
    ~WindowRefusal();
    WindowRefusal(const WindowRefusal&) = delete;
    WindowRefusal& operator=(const WindowRefusal&) = delete;

    // The windows refused so far.
    int Refused() const;

private:
    HHOOK m_hook = nullptr;
};
