// Starting the program from the launcher.
#pragma once

#include <windows.h>

#include <string>

// Starts program, with the option -debug when debug is set, in the launcher's
// current folder (the Start menu entry's working folder, where Save puts the
// log). Then waits until its main window exists, it has ended, or
// limitMilliseconds have passed, so that the next launcher finds it running.
// False if it could not be started.
bool StartProgram(const std::wstring& program, bool debug, DWORD limitMilliseconds);
