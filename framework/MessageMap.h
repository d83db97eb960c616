// Message maps: a static table per window class plus a link to its base class's table, walked by
// one dispatcher (CWnd::OnWndMsg). Each entry carries a plain function that calls the member
// handler with the parameters unpacked for its signature, so no member pointer is ever cast.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <type_traits>

class CWnd;

using AfxHandlerThunk = LRESULT (*)(CWnd* wnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;            // window message; WM_COMMAND for commands and notifications
    UINT nCode;               // WM_COMMAND: notification code (0 for menu commands)
    UINT nID;                 // WM_COMMAND: command or control id
    const UINT* pRegistered;  // a registered message, read from this variable at dispatch time
    AfxHandlerThunk pfn;      // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

template <class F>
struct AfxMemberClass;
template <class C, class R, class... A>
struct AfxMemberClass<R (C::*)(A...)> {
    using type = C;
};

template <class>
inline constexpr bool kAfxUnsupportedHandler = false;

// Calls the handler Fn with the message parameters its signature asks for.
template <auto Fn>
LRESULT AfxInvoke(CWnd* wnd, WPARAM wParam, LPARAM lParam) {
    using F = decltype(Fn);
    using C = typename AfxMemberClass<F>::type;
    C* self = static_cast<C*>(wnd);
    if constexpr (std::is_same_v<F, void (C::*)()>) {
        (self->*Fn)();
        return 0;
    } else if constexpr (std::is_same_v<F, int (C::*)()>) {
        return (self->*Fn)();
    } else if constexpr (std::is_same_v<F, int (C::*)(LPCREATESTRUCTW)>) {
        return (self->*Fn)(reinterpret_cast<LPCREATESTRUCTW>(lParam));
    } else if constexpr (std::is_same_v<F, LRESULT (C::*)(WPARAM, LPARAM)>) {
        return (self->*Fn)(wParam, lParam);
    } else if constexpr (std::is_same_v<F, void (C::*)(int)>) {
        (self->*Fn)(static_cast<int>(wParam));
        return 0;
    } else if constexpr (std::is_same_v<F, void (C::*)(HDROP)>) {
        (self->*Fn)(reinterpret_cast<HDROP>(wParam));
        return 0;
    } else {
        static_assert(kAfxUnsupportedHandler<F>, "handler signature not supported by AfxInvoke");
    }
}

// In the class declaration.
#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// In the .cpp file: BEGIN_MESSAGE_MAP(CMyWnd, CWnd) ON_...() ... END_MESSAGE_MAP()
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
        using ThisClass = theClass;                                                   \
        using TheBaseClass = baseClass;                                               \
        static constexpr AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                              \
    { 0, 0, 0, nullptr, nullptr }                                                      \
    }                                                                                  \
    ;                                                                                  \
    static constexpr AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
    return &map;                                                                       \
    }

#define ON_MESSAGE(message, memberFxn) {message, 0, 0, nullptr, &AfxInvoke<&ThisClass::memberFxn>},
#define ON_REGISTERED_MESSAGE(variable, memberFxn) \
    {0, 0, 0, &variable, &AfxInvoke<&ThisClass::memberFxn>},
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, id, nullptr, &AfxInvoke<&ThisClass::memberFxn>},
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, code, id, nullptr, &AfxInvoke<&ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)

#define ON_WM_CREATE() {WM_CREATE, 0, 0, nullptr, &AfxInvoke<&ThisClass::OnCreate>},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, nullptr, &AfxInvoke<&ThisClass::OnDestroy>},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, nullptr, &AfxInvoke<&ThisClass::OnClose>},
#define ON_WM_QUERYENDSESSION() \
    {WM_QUERYENDSESSION, 0, 0, nullptr, &AfxInvoke<&ThisClass::OnQueryEndSession>},
#define ON_WM_ENDSESSION() {WM_ENDSESSION, 0, 0, nullptr, &AfxInvoke<&ThisClass::OnEndSession>},
#define ON_WM_DROPFILES() {WM_DROPFILES, 0, 0, nullptr, &AfxInvoke<&ThisClass::OnDropFiles>},
