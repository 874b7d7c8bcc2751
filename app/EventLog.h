// The event log of the main dialog, reachable from every thread.
#pragma once

#include <windows.h>

// Wakes the main window for log lines appended on another thread; lParam is
// the token of the queued lines. Sent, not posted, so the line is in the log
// when the call returns.
constexpr UINT WM_APPEND_LOG_LINE = WM_APP + 4;

// Appends one line, stamped with the local time, to the main dialog's event
// log; does nothing outside debug mode or without a main dialog.
void AppendLogLine(const char* text);
