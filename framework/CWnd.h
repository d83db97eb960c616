// The window object: one CWnd per HWND, attached when the window is created (WM_NCCREATE) and
// detached after its last message (WM_NCDESTROY). Messages reach handlers through message maps.
// A CWnd can also be a borrowed view of a window made elsewhere (a dialog's control): it only
// holds the handle, receives nothing and never destroys the window.
#pragma once

#include <windows.h>

#include "framework/CObject.h"
#include "framework/CString.h"
#include "framework/MessageMap.h"

class CWnd : public CObject {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    // The object behind a window created through this framework, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creates the window; `this` travels in lpCreateParams and is attached at WM_NCCREATE.
    BOOL CreateEx(DWORD dwExStyle, const CString& className, const CString& windowName,
                  DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                  HMENU nIDorHMenu);
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    BOOL DestroyWindow();

    // Passes the message being handled on to the default window procedure.
    LRESULT Default();

    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL ShowWindow(int nCmdShow);
    BOOL SetForegroundWindow();
    BOOL EnableWindow(BOOL bEnable = TRUE);
    void SetWindowText(const CString& text);
    CString GetWindowText() const;
    // A message box owned by this window; the caption defaults to the application name.
    int MessageBox(const CString& text, const char* caption = nullptr, UINT nType = MB_OK);

    // The window procedure of every framework window.
    static LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Looks the message up in the message maps; FALSE when no handler took it.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Routes WM_COMMAND to the maps; FALSE when no handler took it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone (WM_NCDESTROY); self-deleting windows delete here.
    virtual void PostNcDestroy();

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    void Attach(HWND hWnd);
    void Detach();

private:
    // Default handling of WM_DRAWITEM and WM_MEASUREITEM for owner-drawn menu items: passes them
    // to the CMenu they belong to. FALSE for controls and for menus no CMenu holds.
    BOOL OnMenuOwnerDraw(UINT message, LPARAM lParam, LRESULT* pResult);
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                                    UINT id);
    MSG m_currentMsg{};       // the message being handled, for Default()
    bool m_bCreated = false;  // this object created the window (CreateEx) and may destroy it
};
