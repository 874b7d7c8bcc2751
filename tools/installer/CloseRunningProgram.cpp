// The installer's one action of its own: before an install, an upgrade or an
// uninstall touches the files, it closes VantrelRemote where it runs from the
// install folder, as the window's Close would. Files in use would otherwise
// wait for the next restart of Windows (and under Wine an uninstall would
// leave them behind for good). A program that does not end in time is left
// running; the install goes on either way.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>
#include <vector>

#include "app/VantrelRemoteApp.h"
#include "framework/UniqueHandle.h"

namespace {

constexpr DWORD kCloseLimitMilliseconds = 30000;

struct RunningProgram
{
    HWND window;
    UniqueHandle process;
};

struct Search
{
    std::string program;  // the installed VantrelRemote.exe
    std::vector<RunningProgram> found;
};

BOOL CALLBACK CollectInstalledProgram(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    char className[128] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (std::string(className) != kMainWindowClassName)
        return TRUE;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    char image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (process.Get() != nullptr && ::QueryFullProcessImageNameA(process.Get(), 0, image, &length) &&
        ::lstrcmpiA(image, search->program.c_str()) == 0)
        search->found.push_back({window, std::move(process)});
    return TRUE;
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CloseRunningProgram(MSIHANDLE install)
{
    try {
        char folder[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (::MsiGetPropertyA(install, "INSTALLDIR", folder, &length) != ERROR_SUCCESS || length == 0)
            return ERROR_SUCCESS;
        Search search{std::string(folder) + "VantrelRemote.exe", {}};
        ::EnumWindows(&CollectInstalledProgram, reinterpret_cast<LPARAM>(&search));
        for (const RunningProgram& running : search.found)
            ::PostMessageA(running.window, WM_CLOSE, 0, 0);
        for (const RunningProgram& running : search.found)
            ::WaitForSingleObject(running.process.Get(), kCloseLimitMilliseconds);
    } catch (...) {
        // Out of memory: the install goes on, the files wait for a restart.
    }
    return ERROR_SUCCESS;
}
