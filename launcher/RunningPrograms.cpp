#include "launcher/RunningPrograms.h"

#include "app/VantrelRemoteApp.h"

namespace {

struct Search
{
    const std::wstring& program;
    std::vector<RunningProgram> found;
};

BOOL CALLBACK CollectRunningProgram(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<Search*>(context);
    char className[128] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != kMainWindowClassName)
        return TRUE;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (process && ::QueryFullProcessImageNameW(process.Get(), 0, image, &length) &&
        ::lstrcmpiW(image, search.program.c_str()) == 0)
        search.found.push_back({window, processId, std::move(process)});
    return TRUE;
}

}  // namespace

std::vector<RunningProgram> FindRunningPrograms(const std::wstring& program)
{
    Search search{program, {}};
    ::EnumWindows(&CollectRunningProgram, reinterpret_cast<LPARAM>(&search));
    return std::move(search.found);
}

bool CloseRunningPrograms(const std::vector<RunningProgram>& running, DWORD limitMilliseconds)
{
    for (const RunningProgram& program : running)
        ::PostMessageA(program.window, WM_CLOSE, 0, 0);
    const ULONGLONG deadline = ::GetTickCount64() + limitMilliseconds;
    for (const RunningProgram& program : running) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        if (::WaitForSingleObject(program.process.Get(), left) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}
