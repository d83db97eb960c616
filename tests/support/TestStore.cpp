#include "tests/support/TestStore.h"

#include <cstring>

namespace store {
namespace {
std::wstring Path(const std::wstring& section) {
    return section.empty() ? std::wstring(kRoot) : std::wstring(kRoot) + L"\\" + section;
}

HKEY Create(const std::wstring& section) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, Path(section).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr);
    return key;
}
}  // namespace

void Clear() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kRoot); }

bool KeyExists(const std::wstring& section) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Path(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

std::vector<std::wstring> ValueNames(const std::wstring& section) {
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Path(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return names;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[512];
        DWORD length = 512;
        if (::RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    ::RegCloseKey(key);
    return names;
}

std::wstring Value::AsString() const {
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    size_t nul = text.find(L'\0');
    return nul == std::wstring::npos ? text : text.substr(0, nul);
}

DWORD Value::AsDword() const {
    DWORD v = 0;
    if (bytes.size() == sizeof(v)) {
        std::memcpy(&v, bytes.data(), sizeof(v));
    }
    return v;
}

std::optional<Value> Read(const std::wstring& section, const std::wstring& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Path(section).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    Value value;
    DWORD size = 0;
    LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.bytes.resize(size);
        status =
            ::RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    }
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::wstring> ReadString(const std::wstring& section, const std::wstring& name) {
    auto v = Read(section, name);
    if (!v || v->type != REG_SZ) {
        return std::nullopt;
    }
    return v->AsString();
}

std::optional<DWORD> ReadDword(const std::wstring& section, const std::wstring& name) {
    auto v = Read(section, name);
    if (!v || v->type != REG_DWORD) {
        return std::nullopt;
    }
    return v->AsDword();
}

void WriteRaw(const std::wstring& section, const std::wstring& name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = Create(section);
    ::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
}

void WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& v) {
    WriteRaw(section, name, REG_SZ, v.c_str(), static_cast<DWORD>((v.size() + 1) * 2));
}

void WriteDword(const std::wstring& section, const std::wstring& name, DWORD v) {
    WriteRaw(section, name, REG_DWORD, &v, sizeof(v));
}

}  // namespace store
