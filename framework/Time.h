// CTime: a point in time with the framework's strftime-style formatting.
#pragma once

#include <ctime>

#include "framework/String.h"

// The Windows headers define GetCurrentTime as a macro for GetTickCount.
#undef GetCurrentTime

class CTime
{
public:
    CTime() = default;
    explicit CTime(std::time_t time) : m_time(time) {}

    static CTime GetCurrentTime();

    // Formats the time as local time; an empty text if it cannot be converted.
    CString Format(const char* format) const;
    std::time_t GetTime() const { return m_time; }

private:
    std::time_t m_time = 0;
};
