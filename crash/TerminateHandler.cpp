#include "crash/TerminateHandler.h"

#include <windows.h>

#include "crash/ExceptionNames.h"

namespace {

[[noreturn]] void RaiseUncaughtCppException()
{
    ::RaiseException(kUncaughtCppExceptionCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    // Only reached if a filter dismissed a non-continuable exception.
    ::TerminateProcess(::GetCurrentProcess(), kUncaughtCppExceptionCode);
    for (;;)
        ::Sleep(INFINITE);
}

}  // namespace

std::terminate_handler InstallTerminateHandler()
{
    return std::set_terminate(&RaiseUncaughtCppException);
}
