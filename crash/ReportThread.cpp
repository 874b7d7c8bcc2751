#include "crash/ReportThread.h"

namespace {

// Enough for formatting, the file system, the message table and unwinding;
// reserved only, committed as used.
constexpr SIZE_T kStackReservation = 256 * 1024;
// Only reached at exit, when the thread is idle and ends at once.
constexpr DWORD kStopLimitMs = 5000;

}  // namespace

ReportThread::~ReportThread()
{
    if (m_thread) {
        ::SetEvent(m_stop.Get());
        ::WaitForSingleObject(m_thread.Get(), kStopLimitMs);
    }
}

bool ReportThread::Start()
{
    m_jobReady.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    m_jobDone.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    m_stop.Reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!m_jobReady || !m_jobDone || !m_stop)
        return false;
    m_thread.Reset(::CreateThread(nullptr, kStackReservation, &ThreadMain, this, STACK_SIZE_PARAM_IS_A_RESERVATION,
                                  &m_threadId));
    if (!m_thread)
        return false;
    // A new thread sets itself up (runtime and DLL attach) with the heap. Once
    // it waits for work it needs the heap no more, so a fault that broke the
    // heap cannot catch it half made.
    const HANDLE readyOrEnded[] = {m_jobDone.Get(), m_thread.Get()};
    if (::WaitForMultipleObjects(2, readyOrEnded, FALSE, INFINITE) != WAIT_OBJECT_0) {
        m_thread.Reset();
        return false;
    }
    return true;
}

bool ReportThread::Run(Job job, EXCEPTION_POINTERS* pointers, LONG& result)
{
    if (!m_thread)
        return false;
    m_job = job;
    m_pointers = pointers;
    ::SetEvent(m_jobReady.Get());
    ::WaitForSingleObject(m_jobDone.Get(), INFINITE);
    result = m_result;
    return true;
}

DWORD WINAPI ReportThread::ThreadMain(void* self) noexcept
{
    auto& thread = *static_cast<ReportThread*>(self);
    const HANDLE events[] = {thread.m_stop.Get(), thread.m_jobReady.Get()};
    ::SetEvent(thread.m_jobDone.Get());
    while (::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        thread.m_result = thread.m_job(thread.m_pointers);
        ::SetEvent(thread.m_jobDone.Get());
    }
    return 0;
}
