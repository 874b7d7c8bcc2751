#include "app/VantrelRemoteApp.h"

#include <string>

#include "app/DebugOption.h"
#include "app/VantrelRemoteDlg.h"
#include "device/ReaderThread.h"
#include "res/resource.h"

CVantrelRemoteApp::CVantrelRemoteApp() : CWinApp(nullptr) {}

CVantrelRemoteApp::~CVantrelRemoteApp() = default;

BOOL CVantrelRemoteApp::InitInstance()
{
    AfxEnableControlContainer();
    RegisterMainWindowClass();
    Enable3dControls();

    const std::string commandLine = ::GetCommandLineA();
    const bool debugMode = CommandLineRequestsDebugMode(commandLine.c_str());

    // Throws ComException without COM or without the jukebox: deliberately not
    // caught, so the process ends through the crash report.
    m_dialog = std::make_unique<CVantrelRemoteDlg>();
    m_dialog->m_debugMode = debugMode;
    m_pMainWnd = m_dialog.get();
    m_dialog->Create(IDD_VANTRELREMOTE_DIALOG);
    return TRUE;
}

int CVantrelRemoteApp::ExitInstance()
{
    // Any process may post WM_QUIT to the window, whose class is public; the
    // loop then ends without WM_CLOSE. The end is the same as after one: the
    // window destroyed (the device side stopped, the remote released, the
    // jukebox told), and the code its close gives.
    const bool closedOnItsOwn = m_dialog == nullptr || m_dialog->GetSafeHwnd() == nullptr;
    if (!closedOnItsOwn)
        m_dialog->DestroyWindow();
    const int exitCode = closedOnItsOwn ? CWinApp::ExitInstance() : kClosedExitCode;
    // The reader thread reaches the dialog through the main-window pointer,
    // and static destruction frees what it uses: a reader that does not end
    // (held up in the module library, say) must not meet either. The
    // jukebox still hears that its objects are let go.
    if (!WaitForReaderThreadEnd()) {
        if (m_dialog != nullptr)
            m_dialog->ReleaseJukebox();
        ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(exitCode));
    }
    m_pMainWnd = nullptr;
    m_dialog.reset();
    return exitCode;
}

void CVantrelRemoteApp::RegisterMainWindowClass()
{
    // The main dialog's template names this class; it is the system dialog
    // class under a name of our own, so other programs can find the window.
    WNDCLASSA windowClass{};
    ::GetClassInfoA(AfxGetInstanceHandle(), "#32770", &windowClass);
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.lpszClassName = kMainWindowClassName;
    AfxRegisterClass(&windowClass);
}
