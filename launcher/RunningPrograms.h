// The VantrelRemote processes that run one program file, found by their main
// window as any program on the desktop can find them, and closed in order, as
// each window's Close would close it. The Start menu's launcher and the
// installer's action both ask about the program of the install folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/UniqueHandle.h"

// The program's file in its folder, and how long a close of it may take.
constexpr wchar_t kProgramFileName[] = L"VantrelRemote.exe";
constexpr DWORD kProgramCloseLimitMilliseconds = 30000;

struct RunningProgram
{
    HWND window;
    UniqueHandle process;  // may be waited for
};

// The main windows whose process runs program (a full path, compared without
// regard to case), and their processes.
std::vector<RunningProgram> FindRunningPrograms(const std::wstring& program);

// Whether the process has made the program's main window.
bool HasMainWindow(DWORD processId);

// Posts WM_CLOSE to each window, then waits until every process has ended, up
// to limitMilliseconds in all; true if they all have.
bool CloseRunningPrograms(const std::vector<RunningProgram>& running, DWORD limitMilliseconds);
