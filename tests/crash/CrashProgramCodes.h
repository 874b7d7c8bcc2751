// Exit codes of VantrelCrash that are not a fault's.
#pragma once

#include <windows.h>

constexpr DWORD kNoFaultExitCode = 0;
constexpr DWORD kUsageExitCode = 2;
// Chosen by the program's own previous filter.
constexpr DWORD kPreviousFilterExitCode = 0x5A;
