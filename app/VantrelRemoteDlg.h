// CVantrelRemoteDlg: the program's only window and its hub. It owns the COM
// apartment of the user-interface thread and the jukebox objects, starts and
// stops the device side, receives every message by which other threads hand
// work over, and holds the event log.
#pragma once

#include <windows.h>
#include <dbt.h>

#include <memory>

#include "JukeboxContract.h"
#include "app/ComInitializer.h"
#include "device/HidNotifications.h"
#include "framework/ComPtr.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"

class EventLogWindow;

// The code of the quit message that the dialog posts when it is closed: the
// process's exit code.
constexpr int kClosedExitCode = 0;

class CVantrelRemoteDlg : public CDialog
{
public:
    // Initialises COM on this thread and creates the jukebox link; throws
    // ComException if either fails.
    explicit CVantrelRemoteDlg(CWnd* parent = nullptr);
    ~CVantrelRemoteDlg() override;

    // Releases the companion, then the link, then ends COM, as destruction
    // does; for ends that cannot wait for destruction.
    void ReleaseJukebox() noexcept;

    // Members in the order their destruction must run backwards: the jukebox
    // objects are released before COM ends, the companion first.
    CListCtrl m_eventLog;
    HICON m_hIcon;
    std::unique_ptr<ComInitializer> m_comInitializer;
    ComPtr<IJukeboxLink> m_jukeboxLink;
    ComPtr<IJukeboxCompanion> m_jukeboxCompanion;
    int m_rowCounter = 0;
    bool m_debugMode = false;
    UniqueDeviceNotification m_deviceNotification;
    // What the dialog plugs into the event log while its window lives.
    std::shared_ptr<EventLogWindow> m_eventLogWindow;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    void OnQueryHardwareId();
    void OnClear();
    void OnClose();
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);
    void OnTimer(UINT_PTR id);
    void OnSave();
    LRESULT OnJukeboxCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowWindow(WPARAM wParam, LPARAM lParam);
    LRESULT OnModuleWrite(WPARAM wParam, LPARAM lParam);
    BOOL OnDeviceChange(UINT eventType, DWORD_PTR data);
    LRESULT OnJukeboxEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnAppendLogLine(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void AddSystemMenuEntry();
    void PrepareEventLog();
    void PlugEventLog();
    void UnplugEventLog();
    void InsertLogRow(const char* time, const char* text);
    void ClearEventLog();
};
