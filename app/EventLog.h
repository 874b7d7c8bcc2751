// The main dialog's side of the event log: the list it plugs into the log's
// room while its window lives.
#pragma once

#include <windows.h>

#include <mutex>
#include <vector>

#include "common/EventLog.h"
#include "common/SlimLock.h"
#include "framework/PostedPayloadQueue.h"
#include "framework/String.h"

class CVantrelRemoteDlg;

// Wakes the main window for log lines; lParam is the token of the queued
// lines. Sent, not posted, so the line is in the log when the call returns.
constexpr UINT WM_APPEND_LOG_LINE = WM_APP + 4;

struct LogLine
{
    CString time;
    CString text;
};

// Stamps each line with the local time in debug mode and hands it to the
// dialog's thread, which inserts it there, so that the row counter is only
// ever used on that thread and two lines never share a row. Once detached
// (before the dialog's window goes), it drops every line: a call that began
// before the unplug may still arrive here, after the dialog is gone.
class EventLogWindow final : public EventLogList
{
public:
    explicit EventLogWindow(CVantrelRemoteDlg& dialog) : m_dialog(&dialog) {}

    void AppendLine(const char* text) override;
    // On the dialog's thread, for WM_APPEND_LOG_LINE: the lines that token
    // releases, oldest first; none for a token it did not issue.
    std::vector<LogLine> TakeThrough(LPARAM token);
    void Detach();

private:
    SlimMutex m_mutex;
    CVantrelRemoteDlg* m_dialog;
    PostedPayloadQueue<LogLine> m_lines;
};
