// CAboutDlg: the About box of the system menu, always run modally.
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();
};
