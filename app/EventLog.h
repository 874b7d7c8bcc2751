// How the main dialog takes log lines that other threads append.
#pragma once

#include <windows.h>

#include "common/EventLog.h"

// Wakes the main window for log lines appended on another thread; lParam is
// the token of the queued lines. Sent, not posted, so the line is in the log
// when the call returns.
constexpr UINT WM_APPEND_LOG_LINE = WM_APP + 4;
