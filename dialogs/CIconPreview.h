// The static control of a dialog that shows an icon preview, attached by DDX_Control. It owns the
// icon it shows: a static control does not take over the icons it is given.
#pragma once

#include <windows.h>

#include "framework/CWnd.h"
#include "framework/WinHandles.h"

class CIconPreview : public CWnd {
public:
    // Shows `icon` (null: none) and takes it over; the icon shown before is destroyed.
    void ShowIcon(HICON icon);

private:
    UniqueIcon m_iconShown;
};
