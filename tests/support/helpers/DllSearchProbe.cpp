// What the DLL-planting test runs beside the plant, in place of velmora.exe:
//
//   dllsearchprobe.exe button             draws a themed push button, the way velmora.exe's
//                                         dialogs draw theirs (the same manifest, so the same
//                                         common controls), and ends
//   dllsearchprobe.exe [--restrict] load NAME
//                                         loads the DLL NAME by its name alone, after
//                                         system_dll::RestrictSearch() with --restrict
//
// Exit codes: 0 done (for load: the DLL came from the system folder), 1 the DLL came from
// elsewhere, 2 it did not load, 3 a window could not be made, 4 unknown arguments.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "framework/SystemDll.h"

namespace {

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

int DrawThemedButton(HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ProbeProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"VelmoraDllSearchProbe";
    if (::RegisterClassW(&wc) == 0) {
        return 3;
    }
    HWND frame = ::CreateWindowExW(0, wc.lpszClassName, L"Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   0, 0, 200, 120, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) {
        return 3;
    }
    HWND button = ::CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                    10, 80, 24, frame, nullptr, instance, nullptr);
    if (button == nullptr) {
        ::DestroyWindow(frame);
        return 3;
    }
    // Painted now, not when the queue comes to it: the theme draws the button's face.
    ::UpdateWindow(frame);
    ::UpdateWindow(button);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(frame);
    return 0;
}

std::wstring ModulePath(HMODULE module) {
    std::wstring path(256, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
}

std::wstring FolderOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/"));
}

int LoadByName(const wchar_t* name) {
    HMODULE module = ::LoadLibraryW(name);
    if (module == nullptr) {
        return 2;
    }
    const std::wstring folder = FolderOf(ModulePath(module));
    HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
    const std::wstring system = FolderOf(ModulePath(kernel32));
    ::FreeLibrary(module);
    return ::CompareStringOrdinal(folder.c_str(), -1, system.c_str(), -1, TRUE) == CSTR_EQUAL ? 0
                                                                                            : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr) {
        return 4;
    }
    int i = 1;
    if (i < argc && std::wstring(argv[i]) == L"--restrict") {
        system_dll::RestrictSearch();
        ++i;
    }
    int result = 4;
    if (i + 1 == argc && std::wstring(argv[i]) == L"button") {
        result = DrawThemedButton(instance);
    } else if (i + 2 == argc && std::wstring(argv[i]) == L"load") {
        result = LoadByName(argv[i + 1]);
    }
    ::LocalFree(argv);
    return result;
}
