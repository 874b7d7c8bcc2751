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

class ReaderPorts
{
public:
    virtual ~ReaderPorts() = default;

    // False once the device side has shut down: the thread then ends.
    virtual bool SessionLive() = 0;
    // The remote's path once it is first open (polling); nothing if the
    // session ends first.
    virtual std::optional<std::string> WaitForFirstConnect() = 0;
    // Takes the remote record for one read cycle if the remote is open and
    // the session live; false, with nothing taken, otherwise.
    virtual bool EnterRecord() = 0;
    virtual void LeaveRecord() = 0;
    virtual bool RemoteOpen() = 0;
    // One idle poll (10 ms).
    virtual void Idle() = 0;

    // Starts one overlapped read; false when it could not be started.
    virtual bool StartReportRead() = 0;
    // One wait slice (150 ms) for the read, the stop and the let-go.
    virtual ReaderWake WaitForReport() = 0;
    // Cancels this thread's read; if one was started, also waits until it
    // has ended, so that nothing writes into the buffer afterwards.
    virtual void CancelReportRead(bool started) = 0;
    // The key code of the completed read: none when it completed with an
    // error or brought fewer than 3 bytes.
    virtual std::optional<unsigned char> TakeKeyCode() = 0;
    // Gives the remote up (partial release, lost set, open cleared) and
    // reopens path for reading without reloading its information; true (open
    // set, lost cleared) when that worked.
    virtual bool GiveUpAndReopen(const std::string& path) = 0;

    // Called outside the record: they may wait for the user-interface thread.
    virtual void AnnounceReopened() = 0;
    virtual void DispatchKey(unsigned char code) = 0;
};

// The third failed read start since the loop began (or since its own last
// successful reopen) gives the remote up; good reads do not reset the count.
constexpr unsigned kReadStartFailuresTolerated = 2;

// Runs until the stop (result 1) or the end of the session (result 0).
int RunReaderLoop(ReaderPorts& ports);
