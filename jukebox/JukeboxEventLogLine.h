// The event log's line for one jukebox event.
#pragma once

#include <cstdint>

#include "framework/String.h"

// "Event %i from Cantora", the number shown as a signed 32-bit value, then
// " with data: " and the text when there is one.
CString JukeboxEventLogLine(std::uint32_t eventNumber, const CString& text);
