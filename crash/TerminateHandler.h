// An uncaught C++ exception must end the process the way a fault does, through
// the unhandled-exception filter and its crash report. The runtime's own
// std::terminate calls abort, which never reaches the filter (and in a GUI
// program would wait on a message box), so terminate raises a structured
// exception of our own instead.
#pragma once

#include <windows.h>

// The code of that structured exception ("CPP" in its low bytes).
constexpr DWORD kUncaughtCppExceptionCode = 0xE0435050;

// Installs the terminate handler; returns true so it can run in a static
// initialiser.
bool InstallTerminateHandler();
