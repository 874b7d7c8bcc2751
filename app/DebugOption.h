// Debug mode is asked for on the command line.
#pragma once

// True if the command line, as the system gives it (program path first),
// contains " -debug": a plain, case-sensitive substring test, so "-debugger"
// after a blank counts too and "-debug" right after a closing quote does not.
bool CommandLineRequestsDebugMode(const char* commandLine);
