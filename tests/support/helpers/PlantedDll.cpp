// A DLL that tells when it is loaded (PlantedDll.h): the test names a copy of it like a system DLL
// and puts it beside a program, as anyone could in a download folder. Its functions are those of
// the DLL it stands in for (PlantedDll.def), so the program goes on as usual once it is loaded.
#include <windows.h>

#include <string>

#include "framework/Utf.h"
#include "tests/support/helpers/PlantedDll.h"

namespace {

// Both calls give the size needed, terminator included, when asked with no buffer.
std::wstring Variable(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    std::wstring value(size, L'\0');
    const DWORD n = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(n < size ? n : 0);
    return value;
}

std::wstring ProgramPath() {
    std::wstring path(256, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
}

void WriteMarker() {
    const std::wstring target = Variable(kPlantMarkerVariable);
    if (target.empty()) {
        return;
    }
    const std::string text = Narrow(ProgramPath());
    HANDLE file = ::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        // Only kernel32 is called here, which the loader allows while it holds its lock.
        WriteMarker();
    }
    return TRUE;
}
