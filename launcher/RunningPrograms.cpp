#include "launcher/RunningPrograms.h"

#include "app/VantrelRemoteApp.h"

namespace {

struct Search
{
    const std::wstring& program;
    std::vector<RunningProgram> found;
};

// The process that owns window if it is the program's main window, else 0.
DWORD MainWindowProcess(HWND window)
{
    char className[128] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != kMainWindowClassName)
        return 0;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

BOOL CALLBACK CollectRunningProgram(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<Search*>(context);
    const DWORD processId = MainWindowProcess(window);
    if (processId == 0)
        return TRUE;
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (process && ::QueryFullProcessImageNameW(process.Get(), 0, image, &length) &&
        ::lstrcmpiW(image, search.program.c_str()) == 0)
        search.found.push_back({window, std::move(process)});
    return TRUE;
}

struct MainWindowSearch
{
    DWORD processId;
    bool found;
};

// Ends the enumeration at the main window of the process searched for.
BOOL CALLBACK FindMainWindowOf(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<MainWindowSearch*>(context);
    search.found = MainWindowProcess(window) == search.processId;
    return !search.found;
}

}  // namespace

bool HasMainWindow(DWORD processId)
{
    MainWindowSearch search{processId, false};
    ::EnumWindows(&FindMainWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

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
