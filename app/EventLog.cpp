// The event log of the main dialog: the list it plugs into the log's room,
// its rows, clearing and saving.
#include "app/EventLog.h"

#include <cstdint>
#include <fstream>

#include "app/EventLogFile.h"
#include "app/VantrelRemoteDlg.h"
#include "framework/Time.h"

void EventLogWindow::AppendLine(const char* text)
{
    HWND window = nullptr;
    {
        std::lock_guard<SlimMutex> lock(m_mutex);
        if (m_dialog == nullptr || !m_dialog->m_debugMode)
            return;
        window = m_dialog->GetSafeHwnd();
    }
    if (window == nullptr)
        return;
    const CString time = CTime::GetCurrentTime().Format("%H:%M:%S");
    const auto token = m_lines.Push(LogLine{time, CString(text)});
    // On the window's own thread this calls the dialog directly.
    ::SendMessageA(window, WM_APPEND_LOG_LINE, 0, static_cast<LPARAM>(token));
    // Already taken unless the window went away before it could take it.
    m_lines.Discard(token);
}

std::vector<LogLine> EventLogWindow::TakeThrough(LPARAM token)
{
    return m_lines.TakeThrough(static_cast<std::uintptr_t>(token));
}

void EventLogWindow::Detach()
{
    std::lock_guard<SlimMutex> lock(m_mutex);
    m_dialog = nullptr;
}

void CVantrelRemoteDlg::PlugEventLog()
{
    m_eventLogWindow = std::make_shared<EventLogWindow>(*this);
    PlugEventLogList(m_eventLogWindow);
}

void CVantrelRemoteDlg::UnplugEventLog()
{
    if (!m_eventLogWindow)
        return;
    UnplugEventLogList();
    m_eventLogWindow->Detach();
}

LRESULT CVantrelRemoteDlg::OnAppendLogLine(WPARAM, LPARAM lParam)
{
    if (m_eventLogWindow) {
        for (const LogLine& line : m_eventLogWindow->TakeThrough(lParam))
            InsertLogRow(line.time, line.text);
    }
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
