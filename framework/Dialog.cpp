#include "framework/Dialog.h"

#include <commctrl.h>

#include <exception>

#include "framework/FatalError.h"
#include "framework/WinApp.h"

namespace {

// Templates may hold common controls (the event log is a list view), whose
// window classes exist only once the common-controls library registered them.
void RegisterCommonControlClasses()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
        return ::InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)registered;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    m_pParentWnd = parent;
    RegisterCommonControlClasses();
    HWND created = ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(templateId), parent != nullptr ? parent->GetSafeHwnd() : nullptr,
                                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return created != nullptr;
}

INT_PTR CDialog::DoModal()
{
    RegisterCommonControlClasses();
    CWnd* parent = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetApp() != nullptr ? AfxGetApp()->GetMainWnd() : nullptr;
    return ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId), parent != nullptr ? parent->GetSafeHwnd() : nullptr,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::PreTranslateMessage(MSG* message)
{
    // Only keyboard and mouse input needs the dialog manager's translation
    // (Tab, Enter, Esc); everything else is dispatched as usual.
    const bool input = (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) ||
                       (message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST);
    if (!input || m_hWnd == nullptr)
        return FALSE;
    if (message->hwnd != m_hWnd && !::IsChild(m_hWnd, message->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, message);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::EndDialog(int result)
{
    // For a modeless dialog this only hides the window.
    ::EndDialog(m_hWnd, result);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            *pResult = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

LRESULT CDialog::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_reenteredForDefault = true;
    const LRESULT result = ::DefDlgProcA(m_hWnd, message, wParam, lParam);
    m_reenteredForDefault = false;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        dialog->PostNcDestroy();
        return FALSE;
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_reenteredForDefault) {
        m_reenteredForDefault = false;
        return FALSE;
    }
    try {
        LRESULT result = 0;
        if (!Dispatch(message, wParam, lParam, &result))
            return FALSE;
        switch (message) {
        // These return their result directly from the dialog procedure.
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
            return static_cast<INT_PTR>(result);
        default:
            if (m_hWnd != nullptr)
                ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
    } catch (const FatalError&) {
        // Failures the program treats as fatal end it through the crash path.
        std::terminate();
    } catch (...) {
        // Nothing else may unwind through the system's frames.
        return FALSE;
    }
}
