// The program's entry: hands over to the application object.
#include <windows.h>

#include <cstdlib>

#include "app/CLauncherApp.h"
#include "framework/Afx.h"
#include "framework/SystemDll.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int nCmdShow) {
    // Before anything else can load a DLL: none from the program's folder (see SystemDll.h).
    system_dll::RestrictSearch();
    return AfxWinMain(theApp, hInstance, nCmdShow);
}

// The C++ runtime's default terminate handler writes the demangled type of the exception to
// stderr, which a program without a console does not have, and it links in the runtime's whole
// demangler (about a tenth of the program). Ours ends the program the same way, without a word.
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
