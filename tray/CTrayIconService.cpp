#include "tray/CTrayIconService.h"

#include <shellapi.h>

#include <objbase.h>

#include <algorithm>
#include <array>
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

BOOL CTrayIconService::Send(DWORD message, HWND owner, HICON icon, const CString& tip,
                            const IconGuid& guid) {
    NOTIFYICONDATAW nid;
    std::memset(&nid, 0, sizeof(nid));
    // Without a GUID the record in its first form, which every shell since the first tray
    // understands; a GUID needs the whole record.
    nid.cbSize = guid.IsNull() ? NOTIFYICONDATAW_V1_SIZE : sizeof(nid);
    nid.hWnd = owner;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (!guid.IsNull()) {
        nid.uFlags |= NIF_GUID;
        nid.guidItem.Data1 = guid.data1;
        nid.guidItem.Data2 = guid.data2;
        nid.guidItem.Data3 = guid.data3;
        std::memcpy(nid.guidItem.Data4, guid.data4.data(), sizeof(nid.guidItem.Data4));
    }
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = icon;
    std::u16string fitted = FitTrayTip(tip.View());
    static_assert(sizeof(nid.szTip) / sizeof(nid.szTip[0]) > kTrayTipMaxUnits);
    std::memcpy(nid.szTip, fitted.data(), fitted.size() * sizeof(char16_t));
    BOOL result = ::Shell_NotifyIconW(message, &nid);
    if (m_observer) {
        m_observer(Call{message, owner, result, guid});
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
            Send(NIM_MODIFY, i.owner, i.icon.Get(), i.tip, i.guid);
        }
    }
    return TRUE;
}

BOOL CTrayIconService::Notify(DWORD message, HWND owner, IconMaker makeIcon, const CString& tip,
                              const IconGuid& guid, GuidTaken taken) {
    UniqueIcon icon = makeIcon(Dpi());
    CString fittedTip(Utf16ToUtf8(FitTrayTip(tip.View())));
    auto it = std::find_if(m_icons.begin(), m_icons.end(),
                           [owner](const Icon& i) { return i.owner == owner; });
    if (it == m_icons.end()) {
        if (message != NIM_ADD) {
            return Send(message, owner, icon.Get(), tip, guid);
        }
        m_icons.push_back({owner, fittedTip, std::move(icon), false, std::move(makeIcon), guid,
                           std::move(taken)});
        Icon& added = m_icons.back();
        added.held = Add(added) != FALSE;
        return added.held ? TRUE : FALSE;
    }
    it->tip = fittedTip;
    it->icon = std::move(icon);
    it->make = std::move(makeIcon);
    if (taken) {
        it->taken = std::move(taken);
    }
    const BOOL result =
        message == NIM_ADD ? Add(*it) : Send(message, owner, it->icon.Get(), tip, it->guid);
    it->held = it->held || result != FALSE;
    return result;
}

// An add the shell refuses while the taskbar is there has three ways out, tried in turn:
//  - the shell holds the icon already (an add that went through unseen, a taskbar that kept
//    its icons): it is modified, not added twice;
//  - Windows ties a GUID to the path of the program that first used it, and refuses it once
//    the program's folder has moved: the icon gets a new GUID, which its owner keeps;
//  - a shell that takes no GUID at all: the icon goes by its window and identifier 1, so that
//    it is never missing.
// Without a taskbar nothing is refused: the icon is added when TaskbarCreated comes.
BOOL CTrayIconService::Add(Icon& i) {
    if (Send(NIM_ADD, i.owner, i.icon.Get(), i.tip, i.guid)) {
        return TRUE;
    }
    if (::FindWindowW(L"Shell_TrayWnd", nullptr) == nullptr) {
        return FALSE;
    }
    if (Send(NIM_MODIFY, i.owner, i.icon.Get(), i.tip, i.guid)) {
        return TRUE;
    }
    if (i.guid.IsNull()) {
        return FALSE;
    }
    IconGuid taken = NewGuid();
    if (!Send(NIM_ADD, i.owner, i.icon.Get(), i.tip, taken)) {
        taken = IconGuid{};
        if (!Send(NIM_ADD, i.owner, i.icon.Get(), i.tip, taken)) {
            return FALSE;
        }
    }
    i.guid = taken;
    if (i.taken) {
        i.taken(taken);
    }
    return TRUE;
}

IconGuid CTrayIconService::NewGuid() {
    GUID made{};
    std::array<uint8_t, 16> bytes{};
    if (SUCCEEDED(::CoCreateGuid(&made))) {
        std::memcpy(bytes.data(), &made, bytes.size());
    } else {
        // Never seen to fail; should it, the moment, the process and a count still make one
        // GUID unlike any other this program makes.
        static LONG made_before = 0;
        LARGE_INTEGER now{};
        ::QueryPerformanceCounter(&now);
        const uint64_t parts[2] = {static_cast<uint64_t>(now.QuadPart),
                                   (uint64_t{::GetCurrentProcessId()} << 32) |
                                       static_cast<uint32_t>(::InterlockedIncrement(&made_before))};
        std::memcpy(bytes.data(), parts, bytes.size());
    }
    return RandomIconGuid(bytes);
}

BOOL CTrayIconService::Delete(HWND owner) {
    const Icon* icon = Find(owner);
    BOOL result =
        Send(NIM_DELETE, owner, nullptr, CString(), icon != nullptr ? icon->guid : IconGuid{});
    // Whatever the shell answered, it does not hold the icon any more.
    std::erase_if(m_icons, [owner](const Icon& i) { return i.owner == owner; });
    return result;
}

void CTrayIconService::ReAddAll() {
    RemakeIfRescaled();
    for (Icon& i : m_icons) {
        i.held = Add(i) != FALSE;
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
