// CVantrelRemoteApp: prepares the window environment, reads the command line
// and creates the main dialog, which is at once the main window.
#pragma once

#include <memory>

#include "framework/WinApp.h"

class CVantrelRemoteDlg;

inline constexpr char kMainWindowClassName[] = "VantrelRemote_48DD8B83-1595-4f23-BF8C-74F9B42A65DA";

class CVantrelRemoteApp : public CWinApp
{
public:
    CVantrelRemoteApp();
    ~CVantrelRemoteApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    void RegisterMainWindowClass();

    std::unique_ptr<CVantrelRemoteDlg> m_dialog;
};
