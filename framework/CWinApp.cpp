#include "framework/CWinApp.h"

#include <string>
#include <string_view>
#include <vector>

#include "framework/Afx.h"
#include "framework/CWnd.h"
#include "framework/Utf.h"
#include "res/resource.h"

namespace {
CWinApp* g_app = nullptr;

// The full path of a module, without a length limit.
std::wstring ModulePath(HMODULE module) {
    std::wstring path(260, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
}  // namespace

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance) {
    m_hInstance = hInstance;
    m_strAppName = AfxLoadString(AFX_IDS_APP_TITLE);
    // Help files: the program's own path with its extension replaced by ".HLP" (WinHelp) or
    // ".html" (opened through the shell).
    std::wstring path = ModulePath(hInstance);
    size_t dot = path.find_last_of(L'.');
    size_t slash = path.find_last_of(L"\\/");
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) {
        path.resize(dot);
    }
    m_strHelpFilePath = CString(Narrow(path + L".HLP"));
    m_strHtmlHelpPath = CString(Narrow(path + L".html"));
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

int CWinApp::ExitInstance() { return m_nExitCode; }

void CWinApp::SetRegistryKey(const char* company) { m_strRegistryKey = company; }

UniqueRegKey CWinApp::GetAppRegistryKey() {
    if (m_strRegistryKey.IsEmpty()) {
        return UniqueRegKey();
    }
    std::wstring path =
        L"Software\\" + Widen(m_strRegistryKey.View()) + L"\\" + Widen(m_strAppName.View());
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return UniqueRegKey();
    }
    return UniqueRegKey(key);
}

UniqueRegKey CWinApp::GetSectionKey(const char* section) {
    UniqueRegKey app = GetAppRegistryKey();
    if (!app) {
        return UniqueRegKey();
    }
    // A backslash in the section name makes nested keys; RegCreateKeyEx creates every level.
    HKEY key = nullptr;
    if (::RegCreateKeyExW(app.Get(), Widen(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return UniqueRegKey();
    }
    return UniqueRegKey(key);
}

int CWinApp::GetHighestNumberedSection(const char* parent, const char* prefix, int limit) {
    UniqueRegKey app = GetAppRegistryKey();
    if (!app || limit < 1) {
        return 0;
    }
    // Opened, not created: asking must not add keys to the store.
    HKEY key = nullptr;
    if (::RegOpenKeyExW(app.Get(), Widen(parent).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return 0;
    }
    UniqueRegKey parentKey(key);
    const std::wstring head = Widen(prefix);
    int highest = 0;
    DWORD maxName = 0;
    ::RegQueryInfoKeyW(parentKey.Get(), nullptr, nullptr, nullptr, nullptr, &maxName, nullptr,
                       nullptr, nullptr, nullptr, nullptr, nullptr);
    std::vector<wchar_t> name(maxName + 1, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(name.size());
        const LSTATUS status = ::RegEnumKeyExW(parentKey.Get(), i, name.data(), &length, nullptr,
                                               nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) {
            name.resize(name.size() * 2 + 256);  // a key added meanwhile: ask for it again
            --i;
            continue;
        }
        if (status != ERROR_SUCCESS) {
            break;
        }
        const std::wstring_view found(name.data(), length);
        // Key names compare without regard to case, as the registry looks them up.
        if (found.size() <= head.size() ||
            ::CompareStringOrdinal(found.data(), static_cast<int>(head.size()), head.c_str(),
                                   static_cast<int>(head.size()), TRUE) != CSTR_EQUAL) {
            continue;
        }
        // Only plain decimal numbers without a leading zero name a section ("%d").
        const std::wstring_view digits = found.substr(head.size());
        if (digits[0] == L'0') {
            continue;
        }
        long long n = 0;
        bool number = true;
        for (wchar_t c : digits) {
            if (c < L'0' || c > L'9' || n > limit) {
                number = false;
                break;
            }
            n = n * 10 + (c - L'0');
        }
        if (number && n <= limit && n > highest) {
            highest = static_cast<int>(n);
        }
    }
    return highest;
}

int CWinApp::GetProfileInt(const char* section, const char* entry, int nDefault) {
    UniqueRegKey key = GetSectionKey(section);
    if (!key) {
        return nDefault;
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    LSTATUS status = ::RegQueryValueExW(key.Get(), Widen(entry).c_str(), nullptr, &type,
                                        reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) {
        return nDefault;
    }
    return static_cast<int>(value);
}

CString CWinApp::GetProfileString(const char* section, const char* entry, const char* def) {
    UniqueRegKey key = GetSectionKey(section);
    if (!key) {
        return CString(def);
    }
    std::wstring name = Widen(entry);
    // The value may change size between the two calls; ask again until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return CString(def);
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            return CString(def);
        }
        // Room for a terminator the stored value may lack.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        LSTATUS status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return CString(def);
        }
        size_t count = bytes / sizeof(wchar_t);
        std::wstring_view text(buffer.data(), count < buffer.size() ? count : buffer.size());
        size_t nul = text.find(L'\0');
        if (nul != std::wstring_view::npos) {
            text = text.substr(0, nul);
        }
        return CString(Narrow(text));
    }
    return CString(def);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int nValue) {
    UniqueRegKey key = GetSectionKey(section);
    if (!key) {
        return FALSE;
    }
    DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueExW(key.Get(), Widen(entry).c_str(), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&value), sizeof(value)) == ERROR_SUCCESS;
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    ::WinHelpW(owner, Widen(m_strHelpFilePath.View()).c_str(), nCmd, dwData);
}
