// A program to be started by the tests: it records how it was started and ends.
#include <windows.h>

#include "tests/support/helpers/LaunchRecord.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    WriteLaunchRecord(L"");
    return 0;
}
