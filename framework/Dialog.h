// CDialog: a dialog box from a template, modeless (Create) or modal (DoModal).
//
// One dialog procedure serves every CDialog: it attaches the object at
// WM_INITDIALOG (the first message that needs it), runs the message map and
// stops every exception at the Win32 boundary. Default processing re-enters
// the system's dialog procedure, which calls ours once more for the same
// message; that one call is answered "not handled" so the system does its work.
#pragma once

#include <windows.h>

#include "framework/DataExchange.h"
#include "framework/Wnd.h"

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the window modelessly from the template; false on failure.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Runs the dialog modally; the EndDialog result, or -1 if it could not run.
    INT_PTR DoModal();

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX) {}
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    void EndDialog(int result);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_pParentWnd;
    bool m_reenteredForDefault = false;
};
