#include "device/ReaderThread.h"

#include <process.h>

#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <string>

#include "common/EventLog.h"
#include "device/ReaderLoop.h"
#include "device/RemoteConnection.h"
#include "device/RemoteRecord.h"
#include "device/RemoteSession.h"
#include "framework/UniqueHandle.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleMemoryWrites.h"
#include "module/RemoteKeyDispatch.h"

namespace {

constexpr DWORD kIdlePollMilliseconds = 10;
constexpr DWORD kWaitSliceMilliseconds = 150;
constexpr DWORD kDetachPauseMilliseconds = 50;
constexpr DWORD kStopGraceMilliseconds = 400;
// A reader that has lost its session ends within one idle poll or one key
// action; this only keeps a hung module library from hanging the exit.
constexpr DWORD kThreadEndLimitMilliseconds = 5000;

constexpr unsigned char kReaderStartBlock[] = {0x02, 0xA2, 0x20};
constexpr unsigned char kReaderStopBlock[] = {0x02, 0xA2, 0x21};

// Signalled when a read completes.
UniqueHandle g_readEvent;
// Signalled once, at shutdown.
UniqueHandle g_stopEvent;
// Signalled when the user-interface thread wants the record back.
UniqueHandle g_letGoEvent;
// Used for every read, on the reader thread only.
OVERLAPPED g_overlapped;

// The session the reader thread was started for, 0 when none runs.
unsigned g_readerSession = 0;
UniqueHandle g_readerThread;
// Set when the session's reader ended by itself: the next connect starts
// another.
bool g_readerRestartDue = false;

UniqueHandle CreateAutoResetEvent()
{
    return UniqueHandle(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
}

class ReaderThreadPorts : public ReaderPorts
{
public:
    explicit ReaderThreadPorts(unsigned session) : m_session(session), m_sessionGate(session) {}

    bool SessionLive() override { return RemoteSession == m_session; }

    std::optional<std::string> WaitForFirstConnect() override
    {
        while (SessionLive()) {
            if (EnterRecord()) {
                std::string path = RemoteRecord().path;
                LeaveRecord();
                return path;
            }
            Idle();
        }
        return std::nullopt;
    }

    bool EnterRecord() override
    {
        // Checked again once the lock is taken: the lock is not first come,
        // first served, so the reader may take it before a user-interface
        // thread that asked for it first.
        if (!RecordFree())
            return false;
        m_lock.emplace();
        if (RecordFree())
            return true;
        m_lock.reset();
        return false;
    }

    void LeaveRecord() override { m_lock.reset(); }
    bool RemoteOpen() override { return RemoteState.open != 0; }
    bool RecordWanted() override { return RemoteRecordWanted != 0; }
    void Idle() override { ::Sleep(kIdlePollMilliseconds); }
    bool StartReportRead() override { return ::StartReportRead(); }

    ReaderWake WaitForReport() override
    {
        const HANDLE events[] = {g_readEvent.Get(), g_stopEvent.Get(), g_letGoEvent.Get()};
        switch (::WaitForMultipleObjects(3, events, FALSE, kWaitSliceMilliseconds)) {
        case WAIT_OBJECT_0:
            return ReaderWake::Report;
        case WAIT_OBJECT_0 + 1:
            return ReaderWake::Stop;
        case WAIT_OBJECT_0 + 2:
            return ReaderWake::LetGo;
        case WAIT_TIMEOUT:
            return ReaderWake::Timeout;
        default:
            return ReaderWake::Failed;
        }
    }

    void CancelReportRead(bool started) override
    {
        const HANDLE handle = RemoteRecord().handle.Get();
        if (handle == INVALID_HANDLE_VALUE)
            return;
        ::CancelIo(handle);
        DWORD transferred = 0;
        if (!started)
            return;
        ::GetOverlappedResult(handle, &g_overlapped, &transferred, TRUE);
        // A read that had completed before the cancel left its signal; it
        // must not pass for the next read's.
        ::ResetEvent(g_readEvent.Get());
    }

    CompletedRead TakeCompletedRead() override
    {
        HidDeviceRecord& record = RemoteRecord();
        DWORD transferred = 0;
        CompletedRead read;
        if (!::GetOverlappedResult(record.handle.Get(), &g_overlapped, &transferred, FALSE)) {
            // Not completed after all (a stale signal): it must end before the
            // buffer is let go; it brought nothing, but did not fail either.
            if (::GetLastError() == ERROR_IO_INCOMPLETE)
                CancelReportRead(true);
            else
                read.failed = true;
            return read;
        }
        if (transferred >= 3 && record.inputReport.size() >= 3)
            read.keyCode = record.inputReport[2];
        read.failed = transferred < record.inputReport.size() && !read.keyCode;
        return read;
    }

    bool GiveUpRemote() override
    {
        if (!RemoteState.open.exchange(0))
            return false;
        RemoteState.lost = 1;
        ReleaseDeviceRecord(RemoteRecord(), false);
        return true;
    }

    bool ReopenRemote(const std::string& path) override
    {
        try {
            if (!OpenDeviceInterface(path.c_str(), true, true, false, RemoteRecord()))
                return false;
        } catch (const std::bad_alloc&) {
            return false;
        }
        RemoteState.open = 1;
        RemoteState.lost = 0;
        return true;
    }

    // Only while the session lives: once the stop has begun, the module must
    // not hear that the host is back.
    void AnnounceReopened() override { AnnounceHostAttached(&m_sessionGate); }

    void DispatchKey(unsigned char code) override
    {
        try {
            DispatchRemoteKey(code);
        } catch (const std::exception&) {
            // A key whose action fails (no memory for its command) is lost;
            // the reader goes on.
        }
    }

private:
    bool RecordFree() { return RemoteState.open && SessionLive() && RemoteRecordWanted == 0; }

    const unsigned m_session;
    RemoteSessionGate m_sessionGate;
    std::optional<RemoteRecordLock> m_lock;
};

unsigned __stdcall ReaderThread(void* session)
{
    try {
        ReaderThreadPorts ports(static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(session)));
        return static_cast<unsigned>(RunReaderLoop(ports));
    } catch (...) {
        return 0;
    }
}

// Ends the session and waits until the reader cannot be in the remote record
// and cannot enter it again: it holds the record lock for its whole read
// cycle, and enters only while its session is live. From then on the reader
// can neither give the remote up nor reopen it, nor tell the module anything
// (unless a write of its never returned from the library).
void EndSession() noexcept
{
    if (!EndRemoteSession()) {
        try {
            AppendLogLine("A module write of the remote reader did not return: the stop goes on without it");
        } catch (...) {
            // Without memory for the line the stop goes on all the same.
        }
    }
    RemoteRecordClaim claim;
}

bool LaunchReaderThread(unsigned session)
{
    ::ResetEvent(g_readEvent.Get());
    g_readerThread.Reset(reinterpret_cast<HANDLE>(::_beginthreadex(
        nullptr, 0, &ReaderThread, reinterpret_cast<void*>(static_cast<std::uintptr_t>(session)), 0, nullptr)));
    g_readerSession = g_readerThread ? session : 0;
    return g_readerSession != 0;
}

}  // namespace

int InitRemoteDevice()
{
    g_readEvent = CreateAutoResetEvent();
    g_stopEvent = CreateAutoResetEvent();
    g_letGoEvent = CreateAutoResetEvent();
    BeginRemoteSession();
    g_readerRestartDue = false;
    ConnectRemote();
    return 1;
}

void StartReaderThread()
{
    ::ResetEvent(g_readEvent.Get());
    const unsigned session = RemoteSession;
    if (session != 0 && g_readerSession != session)
        LaunchReaderThread(session);
    PostModuleWrite(sizeof kReaderStartBlock, kReaderStartBlock);
}

bool StartReportRead()
{
    HidDeviceRecord& record = RemoteRecord();
    if (record.inputReport.empty())
        return false;
    g_overlapped = OVERLAPPED{};
    g_overlapped.hEvent = g_readEvent.Get();
    DWORD transferred = 0;
    if (::ReadFile(record.handle.Get(), record.inputReport.data(), static_cast<DWORD>(record.inputReport.size()),
                   &transferred, &g_overlapped)) {
        ::SetEvent(g_readEvent.Get());
        return true;
    }
    return ::GetLastError() == ERROR_IO_PENDING;
}

void ShutdownRemoteDevice() noexcept
{
    // The session first: the flags read below cannot change after it, and a
    // reopen that is under way cannot tell the module the host is back
    // after the detach.
    EndSession();
    if (!RemoteState.connectFailed) {
        if (!RemoteState.lost) {
            try {
                PostModuleWrite(sizeof kReaderStopBlock, kReaderStopBlock);
            } catch (const std::exception&) {
                // Without memory for the block: the detach matters more.
            }
            AnnounceHostDetached();
            ::Sleep(kDetachPauseMilliseconds);
        }
        ::SetEvent(g_stopEvent.Get());
        ::Sleep(kStopGraceMilliseconds);
        DisconnectRemote();
    }
    g_readEvent.Reset();
    g_stopEvent.Reset();
    g_letGoEvent.Reset();
}

bool NoticeEndedReaderThread() noexcept
{
    const unsigned session = RemoteSession;
    if (session == 0 || g_readerSession != session ||
        ::WaitForSingleObject(g_readerThread.Get(), 0) != WAIT_OBJECT_0)
        return false;
    g_readerThread.Reset();
    g_readerSession = 0;
    g_readerRestartDue = true;
    try {
        AppendLogLine("Remote reader ended unexpectedly: the remote is closed until it is plugged in again");
    } catch (...) {
        // Without memory for the line the remote is let go all the same.
    }
    if (RemoteState.open) {
        // A reader that ended in the middle of a read leaves it to us; it
        // is another thread's read, which only CancelIoEx reaches.
        RemoteRecordClaim claim;
        const HANDLE handle = RemoteRecord().handle.Get();
        DWORD transferred = 0;
        if (handle != INVALID_HANDLE_VALUE && ::CancelIoEx(handle, &g_overlapped))
            ::GetOverlappedResult(handle, &g_overlapped, &transferred, TRUE);
    }
    DisconnectRemote();
    return true;
}

void ResumeReaderThread()
{
    if (g_readerRestartDue && RemoteSession != 0 && LaunchReaderThread(RemoteSession))
        g_readerRestartDue = false;
}

bool WaitForReaderThreadEnd()
{
    return !g_readerThread ||
           ::WaitForSingleObject(g_readerThread.Get(), kThreadEndLimitMilliseconds) == WAIT_OBJECT_0;
}

RemoteRecordClaim::Wanted::Wanted()
{
    ++RemoteRecordWanted;
    if (g_letGoEvent)
        ::SetEvent(g_letGoEvent.Get());
}

RemoteRecordClaim::Wanted::~Wanted()
{
    --RemoteRecordWanted;
}
