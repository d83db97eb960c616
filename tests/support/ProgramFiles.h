// Where the test programs and what they start live: beside each other, in the build's bin folder.
#pragma once

#include <string>

// This program's full path; the folder holding it, with its trailing backslash.
std::wstring ThisProgramPath();
std::wstring ThisProgramDirectory();
