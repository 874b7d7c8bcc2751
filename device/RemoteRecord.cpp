#include "device/RemoteRecord.h"

namespace {

// A slim lock needs no destruction, so a reader thread that outlives static
// destruction can never meet a deleted lock.
SRWLOCK g_recordLock = SRWLOCK_INIT;

}  // namespace

RemoteStateFlags RemoteState;
std::atomic<int> RemoteRecordWanted{0};

HidDeviceRecord& RemoteRecord()
{
    static HidDeviceRecord record;
    return record;
}

RemoteRecordLock::RemoteRecordLock()
{
    ::AcquireSRWLockExclusive(&g_recordLock);
}

RemoteRecordLock::~RemoteRecordLock()
{
    ::ReleaseSRWLockExclusive(&g_recordLock);
}
