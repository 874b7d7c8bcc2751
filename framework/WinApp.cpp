#include "framework/WinApp.h"

#include "framework/Wnd.h"

namespace {
CWinApp* g_application = nullptr;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run()
{
    for (;;) {
        const BOOL got = ::GetMessageA(&m_msgCur, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (!PreTranslateMessage(&m_msgCur)) {
            ::TranslateMessage(&m_msgCur);
            ::DispatchMessageA(&m_msgCur);
        }
    }
    return ExitInstance();
}

BOOL CWinThread::PreTranslateMessage(MSG* message)
{
    CWnd* mainWindow = GetMainWnd();
    return mainWindow != nullptr && mainWindow->PreTranslateMessage(message);
}

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName)
{
    g_application = this;
}

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
}

CWinApp* AfxGetApp()
{
    return g_application;
}

CWinThread* AfxGetThread()
{
    return g_application;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_application != nullptr && g_application->m_hInstance != nullptr)
        return g_application->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

BOOL AfxRegisterClass(WNDCLASSA* windowClass)
{
    WNDCLASSA existing{};
    if (::GetClassInfoA(windowClass->hInstance, windowClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClassA(windowClass) != 0;
}

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp* application = AfxGetApp();
    if (application == nullptr)
        return -1;
    application->m_hInstance = instance;
    if (!application->InitInstance())
        return application->ExitInstance();
    return application->Run();
}
