// The saved event log: one line per row, "time TAB details CR LF", with every
// line feed inside the details also written as CR LF, the way a text-mode
// stream on Windows writes it. Nothing else is escaped.
#pragma once

#include <ostream>
#include <string>

inline constexpr char kEventLogFileName[] = "VantrelRemote.log";

std::string FormatEventLogLine(const std::string& time, const std::string& details);

// Writes one line and flushes it, so that a line once written survives a crash.
void WriteEventLogLine(std::ostream& file, const std::string& time, const std::string& details);
