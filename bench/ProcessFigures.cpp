#include "ProcessFigures.h"

#include <psapi.h>

#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "framework/UniqueResource.h"
#include "standins/remotesim/HandleTable.h"

namespace {

std::string ReadLine(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// utime and stime of the one Linux process named like program, in
// microseconds; nothing when there is none or more than one.
std::optional<std::uint64_t> LinuxProcessorMicroseconds(const char* program)
{
    const std::string name = std::string(program).substr(0, 15);
    std::optional<std::uint64_t> found;
    WIN32_FIND_DATAA entry{};
    const UniqueResource<HANDLE, &::FindClose, -1> search(::FindFirstFileA("Z:\\proc\\*", &entry));
    if (!search)
        return std::nullopt;
    int matches = 0;
    do {
        const std::string folder = std::string("Z:\\proc\\") + entry.cFileName;
        if (!std::isdigit(static_cast<unsigned char>(entry.cFileName[0])) || ReadLine(folder + "\\comm") != name)
            continue;
        // Fields after the name in parentheses: state is the 3rd, utime the 14th, stime the 15th.
        const std::string stat = ReadLine(folder + "\\stat");
        const std::size_t nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos)
            continue;
        std::istringstream fields(stat.substr(nameEnd + 1));
        std::string field;
        std::uint64_t utime = 0, stime = 0;
        for (int index = 3; index <= 15 && fields >> field; ++index) {
            if (index == 14)
                utime = std::stoull(field);
            if (index == 15)
                stime = std::stoull(field);
        }
        found = (utime + stime) * 10000;  // clock ticks of 10 ms
        ++matches;
    } while (::FindNextFileA(search.Get(), &entry));
    return matches == 1 ? found : std::nullopt;
}

}  // namespace

ProcessFigure ProcessorMicroseconds(HANDLE process, const char* program)
{
    FILETIME created{}, exited{}, kernel{}, user{};
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    if (::GetProcessTimes(process, &created, &exited, &kernel, &user) && ticks(kernel) + ticks(user) != 0)
        return {(ticks(kernel) + ticks(user)) / 10, "GetProcessTimes"};  // 100 ns ticks
    if (const auto fromProc = LinuxProcessorMicroseconds(program))
        return {*fromProc, "/proc/<pid>/stat (GetProcessTimes gave 0)"};
    return {0, "nowhere (GetProcessTimes gave 0, /proc had no single match)"};
}

ProcessFigure PrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters) &&
        counters.PrivateUsage != 0)
        return {counters.PrivateUsage, "GetProcessMemoryInfo"};
    std::uint64_t committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<char*>(nullptr); ::VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            committed += region.RegionSize;
        if (region.RegionSize == 0)
            break;
    }
    return {committed, "VirtualQueryEx (GetProcessMemoryInfo gave 0)"};
}

ProcessFigure HandleCount(HANDLE process, DWORD processId)
{
    DWORD count = 0;
    if (::GetProcessHandleCount(process, &count) && count != 0)
        return {count, "GetProcessHandleCount"};
    return {CountProcessHandles(processId), "system handle list (GetProcessHandleCount gave 0)"};
}
