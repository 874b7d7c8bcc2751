// The launcher that the Start menu entries and the logon start run instead of
// the program, so that one bridge runs at a time: two would both read the
// remote and send each key's command twice. The program itself has no
// single-instance check (tools rely on starting it twice); the entries decide.
//   VantrelLauncher.exe          starts VantrelRemote.exe unless it runs already
//   VantrelLauncher.exe -debug   ends a running one in order, as its Close
//                                would, then starts VantrelRemote.exe -debug
// Only a VantrelRemote.exe of the launcher's own folder, the install folder,
// counts.
#include <windows.h>

#include <string>

#include "app/DebugOption.h"
#include "launcher/LauncherTurn.h"
#include "launcher/ProgramStart.h"
#include "launcher/RunningPrograms.h"

namespace {

// The program makes its window once the jukebox has answered, which can take
// seconds when the jukebox's server starts first.
constexpr DWORD kStartLimitMilliseconds = 30000;
constexpr DWORD kTurnLimitMilliseconds = kProgramCloseLimitMilliseconds + kStartLimitMilliseconds + 10000;

constexpr int kDone = 0;
constexpr int kFailed = 1;

std::wstring ProgramBesideLauncher()
{
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1) + kProgramFileName;
}

// The launcher has no window: a start it could not make is told in a
// message box, or the user would wait for nothing.
int NotStarted(const wchar_t* text)
{
    ::MessageBoxW(nullptr, text, L"VantrelRemote", MB_OK | MB_ICONWARNING);
    return kFailed;
}

int Launch()
{
    const std::wstring program = ProgramBesideLauncher();
    const bool debug = CommandLineRequestsDebugMode(::GetCommandLineA());
    const LauncherTurn turn(kTurnLimitMilliseconds);
    if (!turn.Taken())
        return NotStarted(L"VantrelRemote is still being started or closed from the Start menu. Try again in a "
                          L"moment.");
    const std::vector<RunningProgram> running = FindRunningPrograms(program);
    if (!running.empty() && !debug)
        return kDone;
    if (!CloseRunningPrograms(running, kProgramCloseLimitMilliseconds))
        return NotStarted(L"VantrelRemote did not close within half a minute, so VantrelRemote (debug) was not "
                          L"started. Close VantrelRemote, or end it in Task Manager, then start VantrelRemote "
                          L"(debug) again.");
    if (!StartProgram(program, debug, kStartLimitMilliseconds))
        return NotStarted(L"VantrelRemote.exe could not be started from the folder of the Start menu entry. "
                          L"Repair VantrelRemote in Settings, Apps, or install it again.");
    return kDone;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        return Launch();
    } catch (...) {
        // Out of memory: nothing was started.
        return kFailed;
    }
}
