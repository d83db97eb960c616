// Resources of a program file, read without running it: for the tests that check what the built
// velmora.exe carries (its manifest, version resource, dialog templates).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The bytes of one resource of the file; nothing when the file or the resource is missing.
std::optional<std::string> FileResource(const std::wstring& file, const wchar_t* type,
                                        const wchar_t* name);

// The file's manifest (RT_MANIFEST 1, what the loader reads at start) as text; empty when it has
// none.
std::string ProgramManifest(const std::wstring& file);
