// CWinThread and CWinApp: the application object, its main window and the
// message loop that the framework's WinMain runs.
#pragma once

#include <windows.h>

class CWnd;

class CWinThread
{
public:
    CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread() = default;

    // Read by other threads to find the window to post to.
    CWnd* m_pMainWnd = nullptr;

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }
    virtual BOOL InitInstance() { return FALSE; }
    // Returns the process exit code: the code carried by the quit message.
    virtual int ExitInstance();
    // Runs the message loop until the quit message; returns ExitInstance().
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* message);

protected:
    MSG m_msgCur{};
};

class CWinApp : public CWinThread
{
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName;

    // The three-dimensional control look is the system's own on every
    // supported Windows; kept so the start-up reads as designed.
    BOOL Enable3dControls() { return TRUE; }
    HICON LoadIcon(UINT id) const;
};

CWinApp* AfxGetApp();
// The framework thread object of the calling thread; the framework creates no
// threads of its own, so every thread gets the application object.
CWinThread* AfxGetThread();
HINSTANCE AfxGetInstanceHandle();
// Registers a window class unless a class of that name is registered already.
BOOL AfxRegisterClass(WNDCLASSA* windowClass);
// Control containment needs no set-up here: the program hosts no ActiveX
// controls. Kept so the start-up reads as designed.
void AfxEnableControlContainer();

int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
