#include "bench/BenchStore.h"

#include "tests/support/TestStore.h"

namespace benchstore {
namespace {

void WriteEntry(const std::wstring& section, const std::wstring& title, const std::wstring& appName,
                int iconIndex, int isGroup) {
    store::WriteString(section, L"Title", title);
    store::WriteString(section, L"AppName", appName);
    store::WriteString(section, L"Dir", L"");
    store::WriteString(section, L"Parm", L"");
    store::WriteString(section, L"Icon", L"");
    store::WriteString(section, L"Data",
                       L"0," + std::to_wstring(iconIndex) + L"," + std::to_wstring(isGroup));
}

void WriteGroup(int entryNo, int groupNo, int members, const std::wstring& iconFile) {
    WriteEntry(L"Btn" + std::to_wstring(entryNo), L"Group " + std::to_wstring(groupNo), L"", 0, 1);
    const std::wstring group = L"Group\\Grp" + std::to_wstring(groupNo);
    store::WriteDword(group, L"Num", static_cast<DWORD>(members));
    for (int i = 1; i <= members; ++i) {
        WriteEntry(group + L"\\App" + std::to_wstring(i), L"Member " + std::to_wstring(i), iconFile,
                   i % 3, 0);
    }
}

}  // namespace

void SeedEntries(int count, const std::wstring& iconFile) {
    store::Clear();
    store::WriteDword(L"Button", L"Num", static_cast<DWORD>(count));
    for (int n = 1; n <= count; ++n) {
        WriteEntry(L"Btn" + std::to_wstring(n), L"Entry " + std::to_wstring(n), iconFile, n % 3, 0);
    }
}

void SeedGroup(int members, const std::wstring& iconFile) {
    store::Clear();
    store::WriteDword(L"Button", L"Num", 1);
    WriteGroup(1, 1, members, iconFile);
}

void SeedEntryAndGroup(int members, const std::wstring& iconFile) {
    store::Clear();
    store::WriteDword(L"Button", L"Num", 2);
    WriteEntry(L"Btn1", L"Entry 1", iconFile, 1, 0);
    WriteGroup(2, 1, members, iconFile);
}

void Clear() { store::Clear(); }

}  // namespace benchstore
