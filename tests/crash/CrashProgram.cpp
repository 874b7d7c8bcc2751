// VantrelCrash: faults on purpose, in each of the ways the crash report must
// cope with, with the crash reporter installed as the program installs it.
//   VantrelCrash <fault> [--own-filter | --faulting-filter]
// --own-filter installs, before the reporter, a filter that ends the process
// with kPreviousFilterExitCode, to show that the reporter hands faults on;
// --faulting-filter installs one that faults again.
#include <windows.h>

#include <cstring>

#include "CrashProgramCodes.h"
#include "crash/CrashReporter.h"

namespace {

// Read through a volatile pointer, so that the compiler can neither see the
// null nor drop the access.
int* volatile g_nowhere = nullptr;
volatile int g_zero = 0;
volatile int g_ten = 10;

struct UncaughtError
{
};

// Levels of real frames: each does work after its call, so none becomes a
// tail call, and none is inlined. The faulting one keeps a local on the
// stack: a leaf without one gets no frame of its own, and a walk along the
// frame-pointer chain then goes from the fault straight to its caller's
// caller.
__attribute__((noinline)) int WriteNowhere()
{
    volatile int one = 1;
    *g_nowhere = one;
    return g_zero;
}

__attribute__((noinline)) int FaultInner()
{
    return WriteNowhere() + 1;
}

__attribute__((noinline)) int FaultOuter()
{
    return FaultInner() + 1;
}

// Ends only by overflowing the stack (a depth that never comes keeps the
// compiler from calling the recursion infinite).
__attribute__((noinline)) int Recurse(int depth)
{
    volatile char frame[64];
    frame[0] = static_cast<char>(depth);
    if (depth == g_zero - 1)
        return 0;
    return Recurse(depth + 1) + frame[0];
}

DWORD WINAPI FaultingThread(void*)
{
    return static_cast<DWORD>(FaultOuter() + 1);
}

DWORD WINAPI ThrowingThread(void*)
{
    throw UncaughtError{};
}

int RunThread(LPTHREAD_START_ROUTINE function)
{
    HANDLE thread = ::CreateThread(nullptr, 0, function, nullptr, 0, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    return kNoFaultExitCode;
}

constexpr UINT kFaultMessage = WM_APP;

LRESULT CALLBACK FaultingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kFaultMessage)
        return FaultOuter();
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Faults in a window procedure, called by the system from the message loop,
// as the program's user-interface thread would.
int FaultOnUiThread()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &FaultingWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VantrelCrashWindow";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowA(windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    ::PostMessageA(window, kFaultMessage, 0, 0);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&message);
    return kNoFaultExitCode;
}

// Overwrites the process heap's own bookkeeping far past a small block, as a
// wild write would, and then faults.
int FaultWithBrokenHeap()
{
    auto* block = static_cast<unsigned char*>(::HeapAlloc(::GetProcessHeap(), 0, 32));
    for (int i = 0; i < 2048; ++i)
        block[i] = 0xCC;
    return FaultOuter();
}

int Fault(const char* kind)
{
    if (std::strcmp(kind, "ui-access-violation") == 0)
        return FaultOnUiThread();
    if (std::strcmp(kind, "thread-access-violation") == 0)
        return RunThread(&FaultingThread);
    if (std::strcmp(kind, "divide-by-zero") == 0)
        return g_ten / g_zero;
    if (std::strcmp(kind, "broken-heap") == 0)
        return FaultWithBrokenHeap();
    if (std::strcmp(kind, "stack-overflow") == 0)
        return Recurse(0);
    if (std::strcmp(kind, "uncaught-cpp") == 0)
        throw UncaughtError{};
    if (std::strcmp(kind, "thread-uncaught-cpp") == 0)
        return RunThread(&ThrowingThread);
    if (std::strcmp(kind, "none") == 0)
        return kNoFaultExitCode;
    return kUsageExitCode;
}

LONG WINAPI EndAsPreviousFilter(EXCEPTION_POINTERS*)
{
    ::TerminateProcess(::GetCurrentProcess(), kPreviousFilterExitCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI FaultAsPreviousFilter(EXCEPTION_POINTERS*)
{
    return WriteNowhere();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return kUsageExitCode;
    if (argc > 2 && std::strcmp(argv[2], "--own-filter") == 0)
        ::SetUnhandledExceptionFilter(&EndAsPreviousFilter);
    else if (argc > 2 && std::strcmp(argv[2], "--faulting-filter") == 0)
        ::SetUnhandledExceptionFilter(&FaultAsPreviousFilter);
    const CrashReporter reporter;
    return Fault(argv[1]);
}
