// Splitting a path into drive, directory, file name and extension, as the C runtime's
// _splitpath does, on UTF-8 text.
//
// A path is drive + directory + file name: the drive is the first two characters when the
// second is ':'; the directory runs from there up to and including the last '\' or '/'; the
// file name is the rest, and its extension runs from its last '.' on. No byte of a UTF-8
// multibyte character is ':', '\', '/' or '.', so the byte searches never hit part of one.
#pragma once

#include "framework/CString.h"

// The extension of the last path component, dot included ("C:\Tools\APP.EXE" gives ".EXE"),
// or empty when that component has no dot ("C:\my.dir\tool").
CString PathExtension(const CString& path);

// The drive and directory with the trailing separator ("C:\Tools\edit.exe" gives "C:\Tools\"),
// empty for a bare file name.
CString PathDriveAndDir(const CString& path);

// The last path component: file name and extension ("C:\Tools\edit.exe" gives "edit.exe").
CString PathFileName(const CString& path);
