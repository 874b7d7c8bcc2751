// An uncaught C++ exception must end the process the way a fault does, through
// the unhandled-exception filter and its crash report. The runtime's own
// std::terminate calls abort, which never reaches the filter (and in a GUI
// program would wait on a message box), so terminate raises a structured
// exception of our own instead (kUncaughtCppExceptionCode).
#pragma once

#include <exception>

// Installs the terminate handler; returns the one it replaces.
std::terminate_handler InstallTerminateHandler();
