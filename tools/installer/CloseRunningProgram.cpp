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

#include "launcher/RunningPrograms.h"

extern "C" __declspec(dllexport) UINT __stdcall CloseRunningProgram(MSIHANDLE install)
{
    try {
        wchar_t folder[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        if (::MsiGetPropertyW(install, L"INSTALLDIR", folder, &length) != ERROR_SUCCESS || length == 0)
            return ERROR_SUCCESS;
        CloseRunningPrograms(FindRunningPrograms(std::wstring(folder) + kProgramFileName),
                             kProgramCloseLimitMilliseconds);
    } catch (...) {
        // Out of memory: the install goes on, the files wait for a restart.
    }
    return ERROR_SUCCESS;
}
