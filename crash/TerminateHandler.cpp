#include "crash/TerminateHandler.h"

#include <exception>

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

bool InstallTerminateHandler()
{
    std::set_terminate(&RaiseUncaughtCppException);
    return true;
}
