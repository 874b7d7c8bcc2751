// A program as the program benchmark runs it, VantrelRemote.exe or its
// baseline: started, its window found by class, closed with WM_CLOSE as any
// other program would close it.
#pragma once

#include <windows.h>

#include <string>

#include "ProgramRun.h"

inline constexpr char kProgram[] = "VantrelRemote.exe";
inline constexpr char kBaseline[] = "StartUpBaseline.exe";

inline bool IsProgram(const std::string& program)
{
    return program == kProgram;
}

class Run
{
public:
    explicit Run(const std::string& program) : m_program(program), m_run("", "", program) {}
    ~Run() { Close(); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // The window, looked for until it shows or the program ends; with a
    // look interval, one look after that long.
    HWND Window(DWORD lookMs = 0);
    void Close();
    const ProgramRun& Process() const { return m_run; }
    const std::string& Program() const { return m_program; }

private:
    std::string m_program;
    ProgramRun m_run;
    HWND m_window = nullptr;
};
