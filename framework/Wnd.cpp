#include "framework/Wnd.h"

HWND CWnd::Detach()
{
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    return window;
}

CMenu CWnd::GetSystemMenu(BOOL revert) const
{
    return CMenu(::GetSystemMenu(m_hWnd, revert));
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    // A null handle would turn the post into a thread message.
    return m_hWnd != nullptr && ::PostMessageA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd != nullptr ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    const LONG_PTR style = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add);
    if (style == changed)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, changed);
    return TRUE;
}

LRESULT CWnd::Default()
{
    return DefaultProcessing(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Handlers may run nested messages (a modal box, a sent message), so the
    // outer message is restored for its own Default() afterwards.
    const CurrentMessage outer = m_current;
    m_current = CurrentMessage{message, wParam, lParam};
    struct Restore
    {
        CurrentMessage& current;
        CurrentMessage saved;
        ~Restore() { current = saved; }
    } restore{m_current, outer};
    return OnWndMsg(message, wParam, lParam, pResult);
}
