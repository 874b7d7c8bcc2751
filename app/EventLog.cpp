// The event log of the main dialog: appending from any thread, clearing and
// saving.
#include "app/EventLog.h"

#include <fstream>
#include <string>
#include <vector>

#include "app/EventLogFile.h"
#include "app/VantrelRemoteDlg.h"
#include "framework/PostedPayloadQueue.h"
#include "framework/Time.h"
#include "framework/WinApp.h"

namespace {

struct LogLine
{
    CString time;
    CString text;
};

// Lines from other threads wait here while their thread waits for the
// user-interface thread to insert them, so that the row counter is only ever
// used on that thread and two lines never share a row.
PostedPayloadQueue<LogLine>& LinesFromOtherThreads()
{
    static PostedPayloadQueue<LogLine> lines;
    return lines;
}

}  // namespace

void AppendLogLine(const char* text)
{
    CWinThread* thread = AfxGetThread();
    auto* dialog = dynamic_cast<CVantrelRemoteDlg*>(thread != nullptr ? thread->GetMainWnd() : nullptr);
    if (dialog != nullptr)
        dialog->AppendLogLine(text);
}

void CVantrelRemoteDlg::AppendLogLine(const char* text)
{
    if (!m_debugMode)
        return;
    const CString time = CTime::GetCurrentTime().Format("%H:%M:%S");
    HWND window = m_hWnd;
    if (window != nullptr && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
        InsertLogRow(time, text);
        return;
    }
    if (window == nullptr)
        return;
    auto& lines = LinesFromOtherThreads();
    const auto token = lines.Push(LogLine{time, CString(text)});
    ::SendMessageA(window, WM_APPEND_LOG_LINE, 0, static_cast<LPARAM>(token));
    // Already taken unless the window went away before it could take it.
    lines.Discard(token);
}

LRESULT CVantrelRemoteDlg::OnAppendLogLine(WPARAM, LPARAM lParam)
{
    for (const LogLine& line : LinesFromOtherThreads().TakeThrough(static_cast<std::uintptr_t>(lParam)))
        InsertLogRow(line.time, line.text);
    return 0;
}

void CVantrelRemoteDlg::InsertLogRow(const char* time, const char* text)
{
    if (!::IsWindow(m_eventLog.GetSafeHwnd()))
        return;
    LVITEMA row{};
    row.mask = LVIF_TEXT;
    row.iItem = m_rowCounter;
    row.pszText = const_cast<char*>(time);
    m_eventLog.InsertItem(&row);
    m_eventLog.SetItemText(m_rowCounter, 1, text != nullptr ? text : "");
    m_eventLog.EnsureVisible(m_rowCounter, FALSE);
    ++m_rowCounter;
}

void CVantrelRemoteDlg::PrepareEventLog()
{
    m_eventLog.InsertColumn(0, "time", LVCFMT_LEFT);
    m_eventLog.InsertColumn(1, "details", LVCFMT_LEFT);
    m_eventLog.SetColumnWidth(0, 80);
    m_eventLog.SetColumnWidth(1, 500);
    ClearEventLog();
}

void CVantrelRemoteDlg::ClearEventLog()
{
    m_eventLog.DeleteAllItems();
    m_rowCounter = 0;
}

void CVantrelRemoteDlg::OnClear()
{
    ClearEventLog();
}

void CVantrelRemoteDlg::OnSave()
{
    // Line ends are written out explicitly, so the file is opened in binary
    // mode: the bytes are those a text-mode stream would write.
    std::ofstream file(kEventLogFileName, std::ios::out | std::ios::trunc | std::ios::binary);
    const int count = m_eventLog.GetItemCount();
    for (int row = 0; row < count; ++row)
        WriteEventLogLine(file, m_eventLog.GetItemText(row, 0).Str(), m_eventLog.GetItemText(row, 1).Str());
}
