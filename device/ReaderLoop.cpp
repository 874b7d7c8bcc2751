#include "device/ReaderLoop.h"

namespace {

// Holds the remote record for one read cycle; leaves it on every path.
class RecordUse
{
public:
    explicit RecordUse(ReaderPorts& ports) : m_ports(ports), m_held(ports.EnterRecord()) {}
    ~RecordUse() { Leave(); }
    RecordUse(const RecordUse&) = delete;
    RecordUse& operator=(const RecordUse&) = delete;

    bool Held() const { return m_held; }
    void Leave()
    {
        if (m_held)
            m_ports.LeaveRecord();
        m_held = false;
    }

private:
    ReaderPorts& m_ports;
    bool m_held;
};

enum class CycleEnd
{
    Next,     // back to the top of the loop
    Stopped,  // the thread ends
};

// One read: start it, wait for it in slices, and deliver, give up or let go.
CycleEnd RunReadCycle(ReaderPorts& ports, const std::string& reopenPath, unsigned& failures)
{
    RecordUse record(ports);
    if (!record.Held()) {
        ports.Idle();
        return CycleEnd::Next;
    }
    bool reading = ports.StartReportRead();
    for (;;) {
        const ReaderWake wake = ports.WaitForReport();
        if (wake == ReaderWake::Stop) {
            ports.CancelReportRead(reading);
            return CycleEnd::Stopped;
        }
        if (!ports.RemoteOpen() || !ports.SessionLive() || ports.RecordWanted() || wake == ReaderWake::Failed) {
            // Closed or wanted by the other thread, or a wait that cannot be
            // trusted: nothing is delivered and the read must end before the
            // record is handed back.
            ports.CancelReportRead(reading);
            record.Leave();
            if (wake == ReaderWake::Failed)
                ports.Idle();
            return CycleEnd::Next;
        }
        if (wake == ReaderWake::LetGo)
            continue;  // the remote is open again and not wanted: keep waiting
        if (wake == ReaderWake::Timeout) {
            if (reading)
                continue;  // an outstanding read is waited for without limit
            ports.CancelReportRead(false);
            if (++failures <= kReadFailuresTolerated || !ports.GiveUpRemote())
                return CycleEnd::Next;
            const bool reopened = ports.ReopenRemote(reopenPath);
            record.Leave();
            if (reopened) {
                failures = 0;
                ports.AnnounceReopened();
            }
            return CycleEnd::Next;
        }
        if (!reading) {
            record.Leave();
            return CycleEnd::Next;
        }
        const CompletedRead read = ports.TakeCompletedRead();
        if (read.failed) {
            // No read runs now, so the next slice ends in the time-out that
            // counts it.
            reading = false;
            continue;
        }
        record.Leave();
        if (read.keyCode)
            ports.DispatchKey(*read.keyCode);
        return CycleEnd::Next;
    }
}

}  // namespace

int RunReaderLoop(ReaderPorts& ports)
{
    const std::optional<std::string> reopenPath = ports.WaitForFirstConnect();
    if (!reopenPath)
        return 0;
    unsigned failures = 0;
    while (ports.SessionLive()) {
        if (RunReadCycle(ports, *reopenPath, failures) == CycleEnd::Stopped)
            return 1;
    }
    return 0;
}
