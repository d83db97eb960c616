#include "tests/support/GuiObjects.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>

namespace guiobjects {
namespace {

bool UnderWine() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// One entry of the GDI handle table (Windows' GDICELL; Wine's GDI_HANDLE_ENTRY).
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;  // 0: free
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr int kGdiHandleCount = 0x10000;
#ifdef _WIN64
constexpr size_t kGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable
#else
constexpr size_t kGdiTableOffset = 0x94;
#endif

const char* ProcessEnvironmentBlock() {
    using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess"));
    PROCESS_BASIC_INFORMATION info{};
    if (query == nullptr ||
        query(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(info.PebBaseAddress);
}

int WineGdiObjects() {
    const char* peb = ProcessEnvironmentBlock();
    if (peb == nullptr) {
        return -1;
    }
    auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiTableOffset);
    if (table == nullptr) {
        return -1;
    }
    int live = 0;
    for (int i = 0; i < kGdiHandleCount; ++i) {
        live += table[i].type != 0 ? 1 : 0;
    }
    return live;
}

// Wine's user handles: 0x0020 + 2 x index, up to 0xFFEF.
int WineUserIconsAndMenus() {
    int live = 0;
    for (UINT_PTR value = 0x0020; value <= 0xFFEF; value += 2) {
        if (::IsMenu(reinterpret_cast<HMENU>(value))) {
            ++live;
            continue;
        }
        ICONINFO info{};
        if (::GetIconInfo(reinterpret_cast<HICON>(value), &info)) {
            ++live;
            // GetIconInfo hands out copies of the icon's bitmaps.
            if (info.hbmColor != nullptr) {
                ::DeleteObject(info.hbmColor);
            }
            if (info.hbmMask != nullptr) {
                ::DeleteObject(info.hbmMask);
            }
        }
    }
    return live;
}

}  // namespace

Counts Take() {
    if (!UnderWine()) {
        HANDLE self = ::GetCurrentProcess();
        return {static_cast<int>(::GetGuiResources(self, GR_GDIOBJECTS)),
                static_cast<int>(::GetGuiResources(self, GR_USEROBJECTS))};
    }
    Counts counts;
    counts.user = WineUserIconsAndMenus();
    counts.gdi = WineGdiObjects();
    return counts;
}

}  // namespace guiobjects
