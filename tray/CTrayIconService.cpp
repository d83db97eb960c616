#include "tray/CTrayIconService.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/Utf.h"
#include "icons/DisplayScale.h"
#include "res/resource.h"
#include "tray/TrayTip.h"

CTrayIconService& CTrayIconService::Instance() {
    static CTrayIconService service;
    return service;
}

BOOL CTrayIconService::Send(DWORD message, HWND owner, HICON icon, const CString& tip) {
    // The record in its first form: every shell since the first tray understands it.
    NOTIFYICONDATAW nid;
    std::memset(&nid, 0, sizeof(nid));
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = owner;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = icon;
    std::u16string fitted = FitTrayTip(tip.View());
    static_assert(sizeof(nid.szTip) / sizeof(nid.szTip[0]) > kTrayTipMaxUnits);
    std::memcpy(nid.szTip, fitted.data(), fitted.size() * sizeof(char16_t));
    BOOL result = ::Shell_NotifyIconW(message, &nid);
    if (m_observer) {
        m_observer(Call{message, owner, result});
    }
    return result;
}

UINT CTrayIconService::ReadDpi() const {
    return m_dpiSource ? m_dpiSource() : display_scale::TaskbarDpi();
}

UINT CTrayIconService::Dpi() {
    if (m_dpi == 0) {
        m_dpi = ReadDpi();
    }
    return m_dpi;
}

bool CTrayIconService::RemakeIfRescaled() {
    const UINT dpi = ReadDpi();
    if (dpi == Dpi()) {
        return false;
    }
    m_dpi = dpi;
    for (Icon& i : m_icons) {
        i.icon = i.make(m_dpi);
    }
    return true;
}

BOOL CTrayIconService::Rescale() {
    if (!RemakeIfRescaled()) {
        return FALSE;
    }
    for (Icon& i : m_icons) {
        if (i.held) {
            Send(NIM_MODIFY, i.owner, i.icon.Get(), i.tip);
        }
    }
    return TRUE;
}

BOOL CTrayIconService::Notify(DWORD message, HWND owner, IconMaker makeIcon, const CString& tip) {
    UniqueIcon icon = makeIcon(Dpi());
    BOOL result = Send(message, owner, icon.Get(), tip);
    CString fittedTip(Utf16ToUtf8(FitTrayTip(tip.View())));
    auto it = std::find_if(m_icons.begin(), m_icons.end(),
                           [owner](const Icon& i) { return i.owner == owner; });
    if (it == m_icons.end()) {
        if (message == NIM_ADD) {
            m_icons.push_back(
                {owner, fittedTip, std::move(icon), result != FALSE, std::move(makeIcon)});
        }
    } else {
        it->tip = fittedTip;
        it->icon = std::move(icon);
        it->make = std::move(makeIcon);
        it->held = it->held || result != FALSE;
    }
    return result;
}

BOOL CTrayIconService::Delete(HWND owner) {
    BOOL result = Send(NIM_DELETE, owner, nullptr, CString());
    // Whatever the shell answered, it does not hold the icon any more.
    std::erase_if(m_icons, [owner](const Icon& i) { return i.owner == owner; });
    return result;
}

void CTrayIconService::ReAddAll() {
    RemakeIfRescaled();
    for (Icon& i : m_icons) {
        i.held = Send(NIM_ADD, i.owner, i.icon.Get(), i.tip) != FALSE;
    }
}

const CTrayIconService::Icon* CTrayIconService::Find(HWND owner) const {
    for (const Icon& i : m_icons) {
        if (i.owner == owner) {
            return &i;
        }
    }
    return nullptr;
}

std::vector<HWND> CTrayIconService::Owners() const {
    std::vector<HWND> owners;
    for (const Icon& i : m_icons) {
        if (i.held) {
            owners.push_back(i.owner);
        }
    }
    return owners;
}
