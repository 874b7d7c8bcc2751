// Dialog data exchange: binds control members to the dialog's child windows.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Attaches control to the dialog's child window with the given identifier the
// first time the dialog's data is exchanged.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
