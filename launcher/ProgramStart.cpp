#include "launcher/ProgramStart.h"

#include "framework/UniqueHandle.h"
#include "launcher/RunningPrograms.h"

namespace {

constexpr DWORD kLookEveryMilliseconds = 50;

}  // namespace

bool StartProgram(const std::wstring& program, bool debug, DWORD limitMilliseconds)
{
    std::wstring commandLine = L"\"" + program + L"\"" + (debug ? L" -debug" : L"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &created))
        return false;
    const UniqueHandle process(created.hProcess);
    const UniqueHandle thread(created.hThread);
    const ULONGLONG deadline = ::GetTickCount64() + limitMilliseconds;
    while (!HasMainWindow(created.dwProcessId) && ::GetTickCount64() < deadline) {
        if (::WaitForSingleObject(process.Get(), kLookEveryMilliseconds) == WAIT_OBJECT_0)
            break;
    }
    return true;
}
