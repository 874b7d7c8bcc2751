#include "BenchReport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

double NowMicroseconds()
{
    LARGE_INTEGER now{}, frequency{};
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void Goal(const char* name, const std::string& value, const std::string& target, bool met)
{
    std::printf("goal %s: %s against %s: %s\n", name, value.c_str(), target.c_str(), met ? "met" : "missed");
}
