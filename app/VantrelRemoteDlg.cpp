#include "app/VantrelRemoteDlg.h"

#include "app/AboutDlg.h"
#include "app/EventLog.h"
#include "common/FatalErrors.h"
#include "device/DeviceChange.h"
#include "device/ReaderThread.h"
#include "device/RemoteConnection.h"
#include "framework/PaintDC.h"
#include "framework/WinApp.h"
#include "handlers/HandlerOutputs.h"
#include "jukebox/JukeboxCommandChannel.h"
#include "jukebox/JukeboxEventChannel.h"
#include "jukebox/JukeboxEventMessage.h"
#include "jukebox/JukeboxObjects.h"
#include "module/ModuleLibrary.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleOutbox.h"
#include "res/resource.h"

namespace {

// System-menu command of the About entry; system commands keep the low four
// bits for the system's own use.
constexpr UINT kAboutCommand = 0x0010;

// Shows the window; any program may post it to the hidden window.
constexpr UINT WM_SHOW_MAIN_WINDOW = WM_APP + 2;

constexpr unsigned char kQueryHardwareIdBlock[] = {0x02, 0xA2, 0x21};

// Looks after the reader thread: a reader that ended by itself is noticed
// within one period.
constexpr UINT_PTR kReaderWatchTimer = 1;
constexpr UINT kReaderWatchPeriodMs = 500;

}  // namespace

CVantrelRemoteDlg::CVantrelRemoteDlg(CWnd* parent)
    : CDialog(IDD_VANTRELREMOTE_DIALOG, parent), m_hIcon(nullptr),
      m_comInitializer(std::make_unique<ComInitializer>())
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    m_jukeboxLink = CreateJukeboxLink();
}

CVantrelRemoteDlg::~CVantrelRemoteDlg() = default;

void CVantrelRemoteDlg::ReleaseJukebox() noexcept
{
    m_jukeboxCompanion.Reset();
    m_jukeboxLink.Reset();
    m_comInitializer.reset();
}

void CVantrelRemoteDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EVENT_LOG, m_eventLog);
}

BEGIN_MESSAGE_MAP(CVantrelRemoteDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_QUERY_HARDWARE_ID, OnQueryHardwareId)
    ON_BN_CLICKED(IDC_CLEAR, OnClear)
    ON_WM_CLOSE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_SAVE, OnSave)
    ON_MESSAGE(WM_JUKEBOX_COMMAND, OnJukeboxCommand)
    ON_MESSAGE(WM_SHOW_MAIN_WINDOW, OnShowWindow)
    ON_MESSAGE(WM_MODULE_WRITE, OnModuleWrite)
    ON_WM_DEVICECHANGE()
    ON_REGISTERED_MESSAGE(WM_JUKEBOX_EVENT, OnJukeboxEvent)
    ON_MESSAGE(WM_APPEND_LOG_LINE, OnAppendLogLine)
END_MESSAGE_MAP()

BOOL CVantrelRemoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    AddSystemMenuEntry();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    if (InitRemoteDevice() == 1)
        StartReaderThread();
    UpdateModuleWritesEnabled();

    m_jukeboxCompanion = CreateJukeboxCompanion();
    LONG registered = 0;
    m_jukeboxLink->RegisterWindow(static_cast<LONG>(reinterpret_cast<LONG_PTR>(m_hWnd)), &registered);
    PostWmAppcommandZero();

    PrepareEventLog();
    PlugEventLog();
    LogModuleLibrary();

    if (m_debugMode)
        PostMessage(WM_SHOW_MAIN_WINDOW);
    else
        ModifyStyleEx(WS_EX_APPWINDOW, 0);  // no taskbar button, even if shown later

    m_deviceNotification = RegisterHidNotifications(m_hWnd);
    // Creating the companion and registering the window may start the
    // jukebox's server and take seconds; a remote plugged in meanwhile was
    // announced to no window. Does nothing when the remote is open.
    ConnectRemote();
    SetTimer(kReaderWatchTimer, kReaderWatchPeriodMs, nullptr);
    return TRUE;
}

void CVantrelRemoteDlg::AddSystemMenuEntry()
{
    CMenu systemMenu = GetSystemMenu(FALSE);
    if (systemMenu.GetSafeHmenu() == nullptr)
        return;
    CString aboutEntry;
    aboutEntry.LoadString(IDS_ABOUTBOX);
    if (aboutEntry.IsEmpty())
        return;
    systemMenu.AppendMenu(MF_SEPARATOR);
    systemMenu.AppendMenu(MF_STRING, kAboutCommand, aboutEntry);
}

void CVantrelRemoteDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == kAboutCommand) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(id, lParam);
    }
}

void CVantrelRemoteDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client{};
    GetClientRect(&client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CVantrelRemoteDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CVantrelRemoteDlg::OnDestroy()
{
    m_deviceNotification.Reset();
    SwitchModuleWritesOff();
    ShutdownRemoteDevice();
    if (m_jukeboxCompanion)
        m_jukeboxCompanion->NotifyClosing();
    // The list goes with the window; a line from now on is dropped.
    UnplugEventLog();
    CDialog::OnDestroy();
}

void CVantrelRemoteDlg::OnQueryHardwareId()
{
    PostModuleWrite(sizeof kQueryHardwareIdBlock, kQueryHardwareIdBlock);
}

void CVantrelRemoteDlg::OnClose()
{
    CDialog::OnClose();
    if (!DestroyWindow())
        throw Exception();
    ::PostQuitMessage(kClosedExitCode);
}

BOOL CVantrelRemoteDlg::OnQueryEndSession()
{
    // Nothing of ours is worth keeping the user's session for.
    return TRUE;
}

void CVantrelRemoteDlg::OnEndSession(BOOL ending)
{
    if (!ending)
        return;
    // Windows may end the process as soon as this returns: the whole end
    // that a close and the application's exit make, the module told and the
    // jukebox released, happens now. Should the process go on, it ends as
    // after a close.
    if (!DestroyWindow())
        throw Exception();
    ReleaseJukebox();
    ::PostQuitMessage(kClosedExitCode);
}

void CVantrelRemoteDlg::OnTimer(UINT_PTR id)
{
    if (id == kReaderWatchTimer)
        NoticeEndedReaderThread();
}

LRESULT CVantrelRemoteDlg::OnJukeboxCommand(WPARAM, LPARAM lParam)
{
    DeliverJukeboxCommands(lParam, m_jukeboxLink.Get(), m_hWnd);
    return 0;
}

LRESULT CVantrelRemoteDlg::OnShowWindow(WPARAM, LPARAM)
{
    ShowWindow(SW_SHOW);
    return 0;
}

LRESULT CVantrelRemoteDlg::OnModuleWrite(WPARAM, LPARAM lParam)
{
    DeliverModuleWrites(lParam);
    return 0;
}

BOOL CVantrelRemoteDlg::OnDeviceChange(UINT eventType, DWORD_PTR data)
{
    return OnRemoteDeviceChange(eventType, data);
}

LRESULT CVantrelRemoteDlg::OnJukeboxEvent(WPARAM wParam, LPARAM lParam)
{
    ReceiveJukeboxEvent(m_jukeboxLink.Get(), wParam, lParam);
    return 0;
}
