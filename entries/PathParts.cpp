#include "entries/PathParts.h"

namespace {

// Length of the drive ("X:") at the start of the path: 2 or 0.
int DriveLength(const CString& path) { return path.GetLength() >= 2 && path[1] == ':' ? 2 : 0; }

// Position where the file name starts: after the last separator, else after the drive.
int FileNameStart(const CString& path) {
    const int slash = path.ReverseFind('\\');
    const int forward = path.ReverseFind('/');
    const int last = slash > forward ? slash : forward;
    const int drive = DriveLength(path);
    return last >= drive ? last + 1 : drive;
}

}  // namespace

CString PathExtension(const CString& path) {
    const CString name = PathFileName(path);
    const int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot) : CString();
}

CString PathDriveAndDir(const CString& path) { return path.Left(FileNameStart(path)); }

CString PathFileName(const CString& path) { return path.Mid(FileNameStart(path)); }
