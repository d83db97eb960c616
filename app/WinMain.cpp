// The program's entry: hands over to the application object.
#include <windows.h>

#include "app/CLauncherApp.h"
#include "framework/Afx.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int nCmdShow) {
    return AfxWinMain(theApp, hInstance, nCmdShow);
}
