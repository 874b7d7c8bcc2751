// CWnd: a view of a window handle with message-map dispatch. It never
// destroys a window by itself: windows belong to the system until the program
// closes them explicitly.
#pragma once

#include <windows.h>

#include "framework/Menu.h"
#include "framework/MessageMap.h"

class CWnd
{
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd() = default;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND window) { m_hWnd = window; }
    HWND Detach();

    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL DestroyWindow();
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CMenu GetSystemMenu(BOOL revert) const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    BOOL ModifyStyleEx(DWORD remove, DWORD add);
    // A timer that posts WM_TIMER with id to the window (no callback).
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC callback)
    {
        return ::SetTimer(m_hWnd, id, elapseMs, callback);
    }

    // Dialog-style pre-translation of keyboard input; false if the message is
    // not the window's.
    virtual BOOL PreTranslateMessage(MSG* message) { return FALSE; }

protected:
    // The message map: true if the message was handled, with its result.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) { return FALSE; }

    // The system's processing of the message being handled.
    LRESULT Default();
    virtual LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

    void OnSysCommand(UINT id, LPARAM lParam) { Default(); }
    void OnPaint() { Default(); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }

    // Runs the message map for one message, remembering it for Default().
    BOOL Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    virtual void PostNcDestroy() {}

private:
    struct CurrentMessage
    {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_current;
};
