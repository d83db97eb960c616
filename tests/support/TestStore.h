// Direct access to the program's registry store, for tests: clear it, seed it, read it back
// exactly as stored (type included), without going through the program's own code.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace store {

inline constexpr wchar_t kRoot[] = L"Software\\Brennick\\Velmora";

// Removes the whole store (the key and everything below it).
void Clear();
bool KeyExists(const std::wstring& section = L"");
std::vector<std::wstring> ValueNames(const std::wstring& section);

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    std::wstring AsString() const;  // REG_SZ text without the terminator
    DWORD AsDword() const;
};
std::optional<Value> Read(const std::wstring& section, const std::wstring& name);
std::optional<std::wstring> ReadString(const std::wstring& section, const std::wstring& name);
std::optional<DWORD> ReadDword(const std::wstring& section, const std::wstring& name);

void WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& v);
void WriteDword(const std::wstring& section, const std::wstring& name, DWORD v);
void WriteRaw(const std::wstring& section, const std::wstring& name, DWORD type, const void* data,
              DWORD size);

}  // namespace store
