// The remote-device side's start and stop, and the reader thread that turns
// the remote's input reports into key actions.
#pragma once

#include <windows.h>

// Creates the reader's events and makes the first attempt to connect the
// remote; returns 1, upon which the reader thread is started.
int InitRemoteDevice();
// Starts the reader thread (once per InitRemoteDevice) and posts the start
// block 02 A2 20 to the module, whether or not a remote is connected.
void StartReaderThread();
// One overlapped read into the remote record's input-report buffer; false
// when the read could not be started. On the reader thread only.
bool StartReportRead();
// The stop sequence: the stop block and the detach when the remote was in
// service, the stop, a 400 ms grace and the disconnect; then the reader
// leaves the record for good and the events are closed.
void ShutdownRemoteDevice();
// Wakes the reader out of its wait so that it lets go of the remote record
// soon after the remote was closed.
void AskReaderToLetGo();
// Once the main window is gone (so that nothing on the reader thread can wait
// for the user-interface thread any more), waits a bounded time for the
// reader thread to end, so that nothing runs on it while the program's
// objects are destroyed.
void WaitForReaderThreadEnd();
