// Message maps in the framework's notation. Each map expands into one
// OnWndMsg member that tests its entries in the order written and falls back
// to the base class's map, so handlers are checked at compile time.
#pragma once

#include <windows.h>

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)   \
    {                                                                                        \
        using TheBaseClass = baseClass;

#define END_MESSAGE_MAP()                                              \
        return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult); \
    }

#define ON_WM_SYSCOMMAND()                                        \
    if (message == WM_SYSCOMMAND) {                               \
        OnSysCommand(static_cast<UINT>(wParam), lParam);          \
        *pResult = 0;                                             \
        return TRUE;                                              \
    }

#define ON_WM_PAINT()            \
    if (message == WM_PAINT) {   \
        OnPaint();               \
        *pResult = 0;            \
        return TRUE;             \
    }

#define ON_WM_QUERYDRAGICON()                                         \
    if (message == WM_QUERYDRAGICON) {                                \
        *pResult = reinterpret_cast<LRESULT>(OnQueryDragIcon());      \
        return TRUE;                                                  \
    }

#define ON_WM_DESTROY()            \
    if (message == WM_DESTROY) {   \
        OnDestroy();               \
        *pResult = 0;              \
        return TRUE;               \
    }

#define ON_WM_CLOSE()            \
    if (message == WM_CLOSE) {   \
        OnClose();               \
        *pResult = 0;            \
        return TRUE;             \
    }

#define ON_WM_DEVICECHANGE()                                                                  \
    if (message == WM_DEVICECHANGE) {                                                         \
        *pResult = OnDeviceChange(static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam)); \
        return TRUE;                                                                          \
    }

#define ON_WM_TIMER()                               \
    if (message == WM_TIMER) {                      \
        OnTimer(static_cast<UINT_PTR>(wParam));     \
        *pResult = 0;                               \
        return TRUE;                                \
    }

#define ON_WM_QUERYENDSESSION()              \
    if (message == WM_QUERYENDSESSION) {     \
        *pResult = OnQueryEndSession();      \
        return TRUE;                         \
    }

#define ON_WM_ENDSESSION()                       \
    if (message == WM_ENDSESSION) {              \
        OnEndSession(static_cast<BOOL>(wParam)); \
        *pResult = 0;                            \
        return TRUE;                             \
    }

// A button click; as in the framework, a menu or accelerator command with the
// same identifier (notification code 0) matches too.
#define ON_BN_CLICKED(id, memberFxn)                                                           \
    if (message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == BN_CLICKED) {    \
        memberFxn();                                                                           \
        *pResult = 0;                                                                          \
        return TRUE;                                                                           \
    }

#define ON_MESSAGE(msg, memberFxn)                 \
    if (message == (msg)) {                        \
        *pResult = memberFxn(wParam, lParam);      \
        return TRUE;                               \
    }

// A message whose number is registered at run time and kept in a variable;
// 0 means the registration failed, and then the entry matches nothing.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)            \
    if ((nMessageVariable) != 0 && message == (nMessageVariable)) {   \
        *pResult = memberFxn(wParam, lParam);                         \
        return TRUE;                                                  \
    }
