// Runs VantrelRemote.exe as a separate process and finds its main window, the
// way another program on the same desktop would.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"

inline constexpr char kMainWindowClass[] = "VantrelRemote_48DD8B83-1595-4f23-BF8C-74F9B42A65DA";

// The folder of the running test program, where the build puts every program.
std::string ProgramFolder();

// Waits (polling, with a generous limit) until condition holds; its last answer.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(30));

// The ids of the processes that run a program of that name; nothing when the
// processes cannot be listed.
std::optional<std::vector<DWORD>> ProcessIdsNamed(const char* name);

class ProgramRun
{
public:
    // Starts <folder>\<program> (or program, when it is a full path such as
    // C:\x\VantrelRemote.exe) with the arguments in workingFolder (the
    // current one when empty).
    ProgramRun(const std::string& arguments, const std::string& workingFolder,
               const std::string& program = "VantrelRemote.exe");
    // A run that another process started (a launcher, say).
    explicit ProgramRun(DWORD processId);
    ~ProgramRun();  // ends the process if it still runs
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return m_process.Get() != nullptr; }
    // Why the start failed (the system's error code), 0 once started.
    DWORD StartError() const { return m_startError; }
    DWORD ProcessId() const { return m_processId; }
    HANDLE Process() const { return m_process.Get(); }

    // The process's main window (hidden or shown), or null.
    HWND FindMainWindow() const;
    HWND WaitForMainWindow(std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
    bool WaitForExit(std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
    bool HasExited() const;
    DWORD ExitCode() const;

private:
    UniqueHandle m_process;
    DWORD m_processId = 0;
    DWORD m_startError = 0;
};

// A fresh, empty folder under the temporary folder, for a run's saved log.
std::string MakeScratchFolder(const std::string& name);
// The whole content of a file; false if it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& content);
