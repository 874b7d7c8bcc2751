// The remote-device side's start and stop, and the reader thread that turns
// the remote's input reports into key actions.
#pragma once

#include <windows.h>

#include "device/RemoteRecord.h"

// Creates the reader's events and makes the first attempt to connect the
// remote; returns 1, upon which the reader thread is started.
int InitRemoteDevice();
// Starts the reader thread (once per InitRemoteDevice) and posts the start
// block 02 A2 20 to the module, whether or not a remote is connected.
void StartReaderThread();
// One overlapped read into the remote record's input-report buffer; false
// when the read could not be started. On the reader thread only.
bool StartReportRead();
// The stop sequence: the session ends (the reader leaves the record for good
// and tells the module nothing more), then the stop block and the detach
// when the remote was in service, the stop, a 400 ms grace and the
// disconnect; then the events are closed. Each step runs
// whatever the ones before it did: a block or a log line that cannot be made
// must not keep the reader running or the remote open.
void ShutdownRemoteDevice() noexcept;
// On the user-interface thread, at least once a second: whether the reader
// thread of the live session has ended by itself (an exception it did not
// expect, a library that ended it). If so, says so in the event log and
// lets the remote go (open cleared, the record released), so that the next
// ConnectRemote opens it again and starts a new reader; true then.
bool NoticeEndedReaderThread() noexcept;
// After a connect: starts a new reader thread if the session's last one
// ended by itself.
void ResumeReaderThread();
// Once the main window is gone (so that nothing on the reader thread can wait
// for the user-interface thread any more), waits a bounded time for the
// reader thread to end; false if it still runs, so that what it uses must
// not be destroyed.
bool WaitForReaderThreadEnd();

// The user-interface thread's use of the remote record for one scope: marks
// the record wanted and wakes the reader, which leaves it within one wait and
// starts no new read cycle until the claim ends; then takes the record lock.
class RemoteRecordClaim
{
public:
    RemoteRecordClaim() = default;
    RemoteRecordClaim(const RemoteRecordClaim&) = delete;
    RemoteRecordClaim& operator=(const RemoteRecordClaim&) = delete;

private:
    struct Wanted
    {
        Wanted();
        ~Wanted();
    };
    // Declared first: the lock is released before the record stops being wanted.
    Wanted m_wanted;
    RemoteRecordLock m_lock;
};
