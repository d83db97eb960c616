#include "framework/SystemDll.h"

#include <string>

namespace system_dll {

namespace {

// DLLs that the system's own DLLs load later by name through a search this restriction does not
// reach, and that the program comes to use. Under Wine, the delayed imports of Wine's DLLs are
// loaded through the search the process started with, the program's folder first, whatever was
// restricted since: the themes draw a button's face with msimg32.dll, loaded so when the first
// dialog is painted. Loaded now from the system folder, each is found loaded then and nothing is
// searched.
constexpr const wchar_t* kLoadedAhead[] = {L"msimg32.dll"};

}  // namespace

std::wstring SystemDirectory() {
    // Asked for its length first (terminator included): no fixed buffer.
    const UINT size = ::GetSystemDirectoryW(nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::wstring path(size, L'\0');
    const UINT length = ::GetSystemDirectoryW(path.data(), size);
    if (length == 0 || length >= size) {
        return {};
    }
    path.resize(length);
    if (path.back() != L'\\') {
        path += L'\\';
    }
    return path;
}

UniqueModule LoadFromSystemFolder(const wchar_t* fileName) {
    const std::wstring folder = SystemDirectory();
    if (folder.empty()) {
        return UniqueModule();
    }
    // A full path is searched nowhere; with the altered search the DLLs it imports are looked for
    // in its folder first, the system folder, even where nothing restricts the search.
    const std::wstring path = folder + fileName;
    return UniqueModule(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

FARPROC LoadedFunction(const wchar_t* module, const char* name) {
    HMODULE loaded = ::GetModuleHandleW(module);
    return loaded != nullptr ? ::GetProcAddress(loaded, name) : nullptr;
}

void RestrictSearch() {
    // The DLLs the program imports are resolved by the loader before this runs; the system's are
    // known DLLs, mapped from the system folder whatever lies beside the program. What comes later
    // is loaded by name alone: themes, input methods, shell extensions. Windows 8 and later
    // (Windows 7 with KB2533623) can confine that search to the system folder for the whole
    // process; looked up at run time, since an unpatched Windows 7 lacks it and importing it would
    // keep the program from starting there.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto confine = LoadedFunction<SetDefaultDllDirectoriesFn>(L"kernel32.dll",
                                                              "SetDefaultDllDirectories");
    if (confine == nullptr || !confine(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        // Without it the program's own folder is always searched first; what can be done is
        // taking the current folder out of the search (an empty string, not null, which would
        // put it back).
        ::SetDllDirectoryW(L"");
    }
    for (const wchar_t* name : kLoadedAhead) {
        // Kept for the life of the process: unloaded, the next load by name would search again.
        LoadFromSystemFolder(name).Release();
    }
}

}  // namespace system_dll
