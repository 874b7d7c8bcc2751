#include "device/RemoteConnection.h"

#include "device/ReaderThread.h"
#include "device/RemoteDiscovery.h"
#include "device/RemoteRecord.h"
#include "device/RemoteSession.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleMemoryMap.h"
#include "module/ModuleMemoryWrites.h"
#include "module/ModuleOutbox.h"

void ConnectRemote()
{
    // A reader that ended by itself left the remote open, with nobody to
    // read from it.
    NoticeEndedReaderThread();
    if (RemoteState.open || RemoteSession == 0)
        return;
    {
        RemoteRecordClaim claim;
        // The reader's own reopen may have come first.
        if (RemoteState.open || RemoteSession == 0)
            return;
        RemoteState.connectFailed = 0;
        if (!FindAndOpenRemote()) {
            RemoteState.connectFailed = 1;
            return;
        }
        RemoteState.open = 1;
    }
    ResumeReaderThread();
    // The reader may read from here on; these writes wait for nothing it holds.
    constexpr unsigned char kPresent = 0x01;
    WriteModuleMemory(ModuleMap::HostPresent, 1, &kPresent);
    SwitchModuleWritesOff();
    AnnounceHostAttached();
    // Open is not set again: if the reader gave the remote up meanwhile, its
    // record holds no handle to read from (and a reopen of its own has set
    // open already).
    RemoteState.lost = 0;
}

void DisconnectRemote()
{
    // By exchange, as the reader gives the remote up: whichever clears open
    // lets the remote go, and the reader reopens only one it let go itself.
    if (!RemoteState.open.exchange(0))
        return;
    RemoteRecordClaim claim;
    ReleaseDeviceRecord(RemoteRecord(), true);
}
