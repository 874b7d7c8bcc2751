#include "ProgramRun.h"

#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/"));
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::optional<std::vector<DWORD>> ProcessIdsNamed(const char* name)
{
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return std::nullopt;
    std::vector<DWORD> ids;
    PROCESSENTRY32 process{};
    process.dwSize = sizeof process;
    for (BOOL more = ::Process32First(snapshot.Get(), &process); more; more = ::Process32Next(snapshot.Get(), &process)) {
        if (_stricmp(process.szExeFile, name) == 0)
            ids.push_back(process.th32ProcessID);
    }
    return ids;
}

ProgramRun::ProgramRun(const std::string& arguments, const std::string& workingFolder, const std::string& program)
{
    const bool fullPath = program.size() > 2 && program[1] == ':';
    std::string commandLine = "\"" + (fullPath ? program : ProgramFolder() + "\\" + program) + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (::CreateProcessA(nullptr, mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &created)) {
        m_process.Reset(created.hProcess);
        ::CloseHandle(created.hThread);
        m_processId = created.dwProcessId;
    } else {
        m_startError = ::GetLastError();
    }
}

ProgramRun::ProgramRun(DWORD processId)
    : m_process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, processId)),
      m_processId(processId)
{
    if (!m_process)
        m_startError = ::GetLastError();
}

ProgramRun::~ProgramRun()
{
    if (Started() && !HasExited()) {
        ::TerminateProcess(m_process.Get(), 1);
        ::WaitForSingleObject(m_process.Get(), 10000);
    }
}

namespace {

struct WindowSearch
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[128] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == kMainWindowClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ProgramRun::FindMainWindow() const
{
    WindowSearch search{m_processId, nullptr};
    ::EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramRun::WaitForMainWindow(std::chrono::milliseconds limit) const
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindMainWindow()) != nullptr || HasExited(); }, limit);
    return window;
}

bool ProgramRun::WaitForExit(std::chrono::milliseconds limit) const
{
    return Started() && ::WaitForSingleObject(m_process.Get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

bool ProgramRun::HasExited() const
{
    return !Started() || ::WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0;
}

DWORD ProgramRun::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

std::string MakeScratchFolder(const std::string& name)
{
    char temporary[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temporary);
    // A parameterised test's name ("Case/30ms") makes one folder, not two.
    std::string single = name;
    std::replace(single.begin(), single.end(), '/', '-');
    std::ostringstream folder;
    folder << temporary << "vantrel-" << single << "-" << ::GetCurrentProcessId() << "-" << ::GetTickCount();
    ::CreateDirectoryA(folder.str().c_str(), nullptr);
    return folder.str();
}

bool ReadWholeFile(const std::string& path, std::string& content)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}
