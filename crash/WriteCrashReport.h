// The body of a crash report: time, exception, fault address, registers and
// call stack, appended to the open report file.
#pragma once

#include <windows.h>

void WriteCrashReport(EXCEPTION_POINTERS* pointers);

// "Call stack:", its heading and one line per frame, from the context's pc on.
void WriteCallStack(const CONTEXT& context);
