// Entry of the test programs that run under Wine: the application object gets the handles of
// the test program, which carries the program's resources.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/CLauncherApp.h"

int main(int argc, char** argv) {
    theApp.SetCurrentHandles(::GetModuleHandleW(nullptr));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
