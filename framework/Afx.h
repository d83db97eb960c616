// Framework-wide helpers: the application's handles and names, message boxes, window classes,
// string resources and the program's entry.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class CWnd;
class CWinApp;

HINSTANCE AfxGetInstanceHandle();
const char* AfxGetAppName();
CWnd* AfxGetMainWnd();

// A message box for the application: caption = application name; when the type names no
// icon, the box gets the exclamation icon.
int AfxMessageBox(const CString& text, UINT nType = MB_OK);

// The name of a window class with these attributes, registered on first use.
CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                            HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// A string of the program's string table; empty when there is none.
CString AfxLoadString(UINT nID);

// Runs the application object: handles, InitInstance, the message loop.
int AfxWinMain(CWinApp& app, HINSTANCE hInstance, int nCmdShow);
