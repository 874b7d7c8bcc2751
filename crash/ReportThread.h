// A thread made at start-up that waits to run one job on its own stack, for a
// fault whose own thread has no stack left to write a report with (a stack
// overflow). The faulting thread only signals and waits, which takes almost
// no stack; the thread reads the fault's context and stack from shared memory.
#pragma once

#include <windows.h>

#include "framework/UniqueHandle.h"

class ReportThread
{
public:
    using Job = LONG (*)(EXCEPTION_POINTERS* pointers);

    ReportThread() = default;
    ~ReportThread();  // asks the thread to end and waits for it
    ReportThread(const ReportThread&) = delete;
    ReportThread& operator=(const ReportThread&) = delete;

    // Creates the thread; false if it could not be.
    bool Start();
    // Runs job(pointers) on the thread and waits for its result; false if the
    // thread is not running.
    bool Run(Job job, EXCEPTION_POINTERS* pointers, LONG& result);
    DWORD ThreadId() const { return m_threadId; }

private:
    static DWORD WINAPI ThreadMain(void* self) noexcept;

    UniqueHandle m_jobReady;
    UniqueHandle m_jobDone;
    UniqueHandle m_stop;
    UniqueHandle m_thread;
    DWORD m_threadId = 0;
    Job m_job = nullptr;
    EXCEPTION_POINTERS* m_pointers = nullptr;
    LONG m_result = 0;
};
