// The remote record and the flags around it, shared by the user-interface
// thread (connect, disconnect, shutdown) and the reader thread (reads, its own
// reopen).
#pragma once

#include <windows.h>

#include <atomic>

#include "device/HidDeviceRecord.h"

// Whether the remote is in service. open is the hand-over: the reader uses
// the record only while it is set. connectFailed tells whether the last
// connect failed, lost whether the reader gave the remote up.
struct RemoteStateFlags
{
    std::atomic<int> open{0};
    std::atomic<int> connectFailed{1};
    std::atomic<int> lost{0};
};

extern RemoteStateFlags RemoteState;

// How many threads wait for the remote record (see RemoteRecordClaim); while
// any does, the reader starts no read cycle and leaves the one it is in.
extern std::atomic<int> RemoteRecordWanted;

// The remote record. Touch it only while holding RemoteRecordLock.
HidDeviceRecord& RemoteRecord();

// Exclusive use of the remote record for one scope. The reader holds it for
// a whole read cycle, from starting a read to taking its report, and never
// waits for the user-interface thread while holding it. The user-interface
// thread takes it only through RemoteRecordClaim, which has the reader let
// go within one wait, so it may wait for it without a message loop.
class RemoteRecordLock
{
public:
    RemoteRecordLock();
    ~RemoteRecordLock();
    RemoteRecordLock(const RemoteRecordLock&) = delete;
    RemoteRecordLock& operator=(const RemoteRecordLock&) = delete;
};
