// The reader thread's loop, free of Windows: which read to start, what a wake
// means, when a report is delivered, and when the remote is given up and
// reopened. The thread binds it to the remote record, its events and the key
// table; tests bind it to a scripted device.
#pragma once

#include <optional>
#include <string>

// Why a wait for a report ended.
enum class ReaderWake
{
    Report,   // the read completed (well or with an error)
    Stop,     // the device side stops: the thread ends
    Timeout,  // one wait slice passed
    LetGo,    // the user-interface thread wants the record back
    Failed,   // the wait itself failed
};

// How a completed read ended.
struct CompletedRead
{
    // With an error, or with neither a whole report nor a key code (a device
    // answers every read with one whole report): a read that failed, like one
    // that could not start.
    bool failed = false;
    // The key code of a report of at least 3 bytes.
    std::optional<unsigned char> keyCode;
};

class ReaderPorts
{
public:
    virtual ~ReaderPorts() = default;

    // False once the device side has shut down: the thread then ends.
    virtual bool SessionLive() = 0;
    // The remote's path once it is first open (polling); nothing if the
    // session ends first.
    virtual std::optional<std::string> WaitForFirstConnect() = 0;
    // Takes the remote record for one read cycle if the remote is open, the
    // session live and the record not wanted; false, with nothing taken,
    // otherwise.
    virtual bool EnterRecord() = 0;
    virtual void LeaveRecord() = 0;
    virtual bool RemoteOpen() = 0;
    // Whether the user-interface thread waits for the record: it gets it
    // within one wait, whether or not the remote is open.
    virtual bool RecordWanted() = 0;
    // One idle poll (10 ms).
    virtual void Idle() = 0;

    // Starts one overlapped read; false when it could not be started.
    virtual bool StartReportRead() = 0;
    // One wait slice (150 ms) for the read, the stop and the let-go.
    virtual ReaderWake WaitForReport() = 0;
    // Cancels this thread's read; if one was started, also waits until it
    // has ended, so that nothing writes into the buffer afterwards.
    virtual void CancelReportRead(bool started) = 0;
    // What the read that woke the wait brought.
    virtual CompletedRead TakeCompletedRead() = 0;
    // Gives the remote up if it is still open: clears open (by exchange, so
    // that exactly one thread lets it go), sets lost and releases the record
    // partially. False, with nothing changed, when the user-interface thread
    // let the remote go first: then it is not this thread's to reopen.
    virtual bool GiveUpRemote() = 0;
    // Reopens path for reading without reloading its information; true (open
    // set, lost cleared) when that worked.
    virtual bool ReopenRemote(const std::string& path) = 0;

    // Called outside the record: they may wait for the user-interface thread.
    virtual void AnnounceReopened() = 0;
    virtual void DispatchKey(unsigned char code) = 0;
};

// The third failed read since the loop began (or since its own last
// successful reopen) gives the remote up; good reads do not reset the count.
// A read fails when it cannot start or when it completes without a report;
// either costs one wait slice, so a device that fails every read keeps the
// thread no busier than one that refuses them.
constexpr unsigned kReadFailuresTolerated = 2;

// Runs until the stop (result 1) or the end of the session (result 0).
int RunReaderLoop(ReaderPorts& ports);
