#include "tests/support/TestTray.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr wchar_t kClassName[] = L"Shell_TrayWnd";
TestTray* g_tray = nullptr;

// The GUID Probe adds an icon with, to find it in Wine's record.
constexpr GUID kProbeGuid = {
    0x0D1E5A77, 0x9C4B, 0x4E21, {0xA6, 0x0F, 0x35, 0x7B, 0xC2, 0x18, 0x94, 0xE3}};

IconGuid FromGuid(const GUID& g) {
    IconGuid out;
    out.data1 = g.Data1;
    out.data2 = g.Data2;
    out.data3 = g.Data3;
    std::memcpy(out.data4.data(), g.Data4, sizeof(g.Data4));
    return out;
}

bool SameIcon(const TestTray::Call& call, HWND owner, UINT id, const IconGuid& guid) {
    return call.guid.IsNull() ? guid.IsNull() && owner == call.owner && id == call.id
                              : guid == call.guid;
}

}  // namespace

TestTray::TestTray() {
    g_tray = this;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    // Topmost, so that it comes before explorer's tray in z-order; never shown.
    m_hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 1,
                               1, nullptr, nullptr, wc.hInstance, nullptr);
    m_works = Probe();
    Clear();
    m_held.clear();
}

TestTray::~TestTray() {
    if (m_hwnd != nullptr) {
        ::DestroyWindow(m_hwnd);
    }
    g_tray = nullptr;
}

// Adds an icon of its own with a known GUID and looks for that GUID in the record Wine sends.
bool TestTray::Probe() {
    if (m_hwnd == nullptr || ::FindWindowExW(nullptr, nullptr, kClassName, nullptr) != m_hwnd) {
        return false;
    }
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = m_hwnd;
    nid.uID = 7;
    nid.uFlags = NIF_GUID;
    nid.guidItem = kProbeGuid;
    m_probing = true;
    ::Shell_NotifyIconW(NIM_ADD, &nid);
    m_probing = false;
    const auto at = std::search(m_probeRecord.begin(), m_probeRecord.end(),
                                reinterpret_cast<const unsigned char*>(&kProbeGuid),
                                reinterpret_cast<const unsigned char*>(&kProbeGuid) + sizeof(GUID));
    if (m_probeRecord.size() < 12 || at == m_probeRecord.end()) {
        return false;
    }
    m_guidOffset = static_cast<size_t>(at - m_probeRecord.begin());
    return true;
}

std::vector<TestTray::Call> TestTray::Adds() const {
    std::vector<Call> adds;
    for (const Call& c : m_calls) {
        if (c.message == NIM_ADD && c.answer) {
            adds.push_back(c);
        }
    }
    return adds;
}

BOOL TestTray::Answer(DWORD message, const Call& call) {
    if (!call.guid.IsNull() && (m_refuseAll || std::find(m_refused.begin(), m_refused.end(),
                                                         call.guid) != m_refused.end())) {
        return FALSE;
    }
    auto held = std::find_if(m_held.begin(), m_held.end(),
                             [&](const Held& h) { return SameIcon(call, h.owner, h.id, h.guid); });
    switch (message) {
        case NIM_ADD:
            if (held != m_held.end()) {
                return FALSE;
            }
            m_held.push_back({call.owner, call.id, call.guid});
            return TRUE;
        case NIM_MODIFY:
            return held != m_held.end();
        case NIM_DELETE:
            if (held == m_held.end()) {
                return FALSE;
            }
            m_held.erase(held);
            return TRUE;
        default:
            return TRUE;
    }
}

// Runs for every message of the tray window; the calls arrive as WM_COPYDATA, sent, so the
// caller waits for the answer.
LRESULT CALLBACK TestTray::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA || g_tray == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->lpData == nullptr) {
        return FALSE;
    }
    const auto* bytes = static_cast<const unsigned char*>(data->lpData);
    if (g_tray->m_probing) {
        g_tray->m_probeRecord.assign(bytes, bytes + data->cbData);
        return TRUE;
    }
    // Wine's record starts with the window (as 32 bits), the identifier and the flags.
    Call call{};
    call.message = static_cast<DWORD>(data->dwData);
    call.owner = reinterpret_cast<HWND>(wParam);
    std::memcpy(&call.id, bytes + 4, sizeof(call.id));
    std::memcpy(&call.flags, bytes + 8, sizeof(call.flags));
    if ((call.flags & NIF_GUID) != 0 && data->cbData >= g_tray->m_guidOffset + sizeof(GUID)) {
        GUID guid;
        std::memcpy(&guid, bytes + g_tray->m_guidOffset, sizeof(guid));
        call.guid = FromGuid(guid);
    }
    call.answer = g_tray->Answer(call.message, call);
    g_tray->m_calls.push_back(call);
    return call.answer;
}
