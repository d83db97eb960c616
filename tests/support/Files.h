// Files for the test programs and the bench: a file read whole, the temporary folder.
#pragma once

#include <optional>
#include <string>

// Every byte of the file; nothing when it cannot be opened or read. Another process may be
// writing, replacing or deleting it meanwhile (the launch helpers move their record into place).
std::optional<std::string> ReadWholeFile(const std::wstring& path);

// The user's temporary folder, with its trailing backslash; empty when the system gives none.
std::wstring TempDirectory();
// A folder of this name in the temporary folder, made unless it exists; its path with a
// trailing backslash, or empty when it cannot be made.
std::wstring MakeTempDirectory(const std::wstring& name);
