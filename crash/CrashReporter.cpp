#include "crash/CrashReporter.h"

#include "crash/ExceptionNames.h"
#include "crash/ReportFile.h"
#include "crash/ReportPath.h"
#include "crash/TerminateHandler.h"
#include "crash/WriteCrashReport.h"

namespace {

// The reporter's state is static: the filter is a plain function, and the
// state must not depend on the order in which static objects are made.
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
char reportPath[kReportPathCapacity] = {};
ReportThread* reportThread = nullptr;
// The thread whose fault is being reported, 0 while none is.
volatile LONG reportingThreadId = 0;

// A second fault elsewhere waits this long for the report in progress.
constexpr int kReportWaitSteps = 600;
constexpr DWORD kReportWaitStepMs = 100;

bool IsAnsiLeadByte(unsigned char byte)
{
    return ::IsDBCSLeadByte(byte) != FALSE;
}

LONG WriteReportAndHandOn(EXCEPTION_POINTERS* pointers)
{
    if (OpenReportFile()) {
        WriteCrashReport(pointers);
        CloseReportFile();
    }
    return previousFilter != nullptr ? previousFilter(pointers) : EXCEPTION_CONTINUE_SEARCH;
}

[[noreturn]] void EndProcess(DWORD code)
{
    ::TerminateProcess(::GetCurrentProcess(), code);
    for (;;)
        ::Sleep(INFINITE);
}

// One report at a time, and never a report about a report: a fault while
// one is written (or handed on) ends the process without a second report. A
// fault in the report's own code ends it at once; a fault on another thread
// lets the report in progress finish first.
LONG ReportOnce(EXCEPTION_POINTERS* pointers, bool needsFreshStack)
{
    const DWORD code = pointers->ExceptionRecord->ExceptionCode;
    const auto self = static_cast<LONG>(::GetCurrentThreadId());
    const LONG reporting = ::InterlockedCompareExchange(&reportingThreadId, self, 0);
    if (reporting != 0) {
        const bool faultInReport =
            reporting == self || (reportThread != nullptr && static_cast<DWORD>(self) == reportThread->ThreadId());
        for (int step = 0; !faultInReport && step < kReportWaitSteps && reportingThreadId != 0; ++step)
            ::Sleep(kReportWaitStepMs);
        EndProcess(code);
    }
    LONG result = EXCEPTION_CONTINUE_SEARCH;
    if (!needsFreshStack || reportThread == nullptr || !reportThread->Run(&WriteReportAndHandOn, pointers, result))
        result = WriteReportAndHandOn(pointers);
    ::InterlockedExchange(&reportingThreadId, 0);
    return result;
}

}  // namespace

CrashReporter::CrashReporter()
{
    char programPath[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, programPath, MAX_PATH);
    // A cut-off path would name some other file: then no report at all.
    if (length == 0 || length >= MAX_PATH || !MakeReportPath(programPath, reportPath, sizeof reportPath, &IsAnsiLeadByte)
        || !SetReportFilePath(reportPath))
        reportPath[0] = '\0';
    m_previousTerminateHandler = InstallTerminateHandler();
    if (m_reportThread.Start())
        reportThread = &m_reportThread;
    // First in line, so that it runs while the overflowing thread still has
    // the little stack that is left.
    m_stackOverflowHandler.Reset(::AddVectoredExceptionHandler(1, &StackOverflowHandler));
    previousFilter = ::SetUnhandledExceptionFilter(&CrashReportFilter);
}

CrashReporter::~CrashReporter()
{
    ::SetUnhandledExceptionFilter(previousFilter);
    m_stackOverflowHandler.Reset();
    reportThread = nullptr;
    std::set_terminate(m_previousTerminateHandler);
}

const char* CrashReporter::ReportPath()
{
    return reportPath;
}

LONG WINAPI CrashReporter::CrashReportFilter(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    if (IsCppHandlerSearch(record.ExceptionCode, record.ExceptionFlags))
        return previousFilter != nullptr ? previousFilter(pointers) : EXCEPTION_CONTINUE_EXECUTION;
    return ReportOnce(pointers, record.ExceptionCode == EXCEPTION_STACK_OVERFLOW);
}

// A stack overflow is reported where it is first seen. The overflowing thread
// has too little stack left to finish dispatching the exception: 64-bit Wine
// then ends that thread alone, without calling the unhandled-exception filter,
// and leaves the rest of the process running. So after the report and the
// previous filter the process ends here, as it would after any unhandled
// fault, unless that filter resumed execution. Nothing in the program handles
// a stack overflow, so seeing it first does not pre-empt a handler of ours.
LONG CALLBACK CrashReporter::StackOverflowHandler(EXCEPTION_POINTERS* pointers)
{
    if (pointers->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW)
        return EXCEPTION_CONTINUE_SEARCH;
    if (ReportOnce(pointers, true) == EXCEPTION_CONTINUE_EXECUTION)
        return EXCEPTION_CONTINUE_EXECUTION;
    EndProcess(EXCEPTION_STACK_OVERFLOW);
}
