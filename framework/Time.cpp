#include "framework/Time.h"

CTime CTime::GetCurrentTime()
{
    return CTime(std::time(nullptr));
}

CString CTime::Format(const char* format) const
{
    std::tm local{};
#if defined(_WIN32)
    if (localtime_s(&local, &m_time) != 0)
        return CString();
#else
    if (localtime_r(&m_time, &local) == nullptr)
        return CString();
#endif
    char text[256];
    const size_t length = std::strftime(text, sizeof text, format != nullptr ? format : "", &local);
    return CString(text, static_cast<int>(length));
}
