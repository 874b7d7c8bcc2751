// The crash reporter: while it exists, a fault that nothing handles, on any
// thread, appends a report to the report file beside the program and is then
// handed on to the filter that was there before, so the system's usual
// handling still happens. One instance, with static lifetime, made before
// anything else in the program.
#pragma once

#include <windows.h>

#include <exception>

#include "crash/ReportThread.h"
#include "framework/UniqueResource.h"

class CrashReporter
{
public:
    // Derives the report path, routes uncaught C++ exceptions and stack
    // overflows to the report, and installs CrashReportFilter.
    CrashReporter();
    // Puts back the filter and the terminate handler it replaced.
    ~CrashReporter();
    CrashReporter(const CrashReporter&) = delete;
    CrashReporter& operator=(const CrashReporter&) = delete;

    // The unhandled-exception filter.
    static LONG WINAPI CrashReportFilter(EXCEPTION_POINTERS* pointers);
    // The report file's path; empty when none could be derived.
    static const char* ReportPath();

private:
    static LONG CALLBACK StackOverflowHandler(EXCEPTION_POINTERS* pointers);

    std::terminate_handler m_previousTerminateHandler = nullptr;
    ReportThread m_reportThread;
    UniqueResource<PVOID, &::RemoveVectoredExceptionHandler> m_stackOverflowHandler;
};
