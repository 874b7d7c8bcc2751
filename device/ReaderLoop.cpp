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
    const bool started = ports.StartReportRead();
    for (;;) {
        const ReaderWake wake = ports.WaitForReport();
        if (wake == ReaderWake::Stop) {
            ports.CancelReportRead(started);
            return CycleEnd::Stopped;
        }
        if (!ports.RemoteOpen() || !ports.SessionLive() || wake == ReaderWake::Failed) {
            // Closed by the other thread, or a wait that cannot be trusted:
            // nothing is delivered and the read must end before the record
            // is handed back.
            ports.CancelReportRead(started);
            record.Leave();
            if (wake == ReaderWake::Failed)
                ports.Idle();
            return CycleEnd::Next;
        }
        if (wake == ReaderWake::LetGo)
            continue;  // the remote is open again: keep waiting
        if (wake == ReaderWake::Timeout) {
            if (started)
                continue;  // an outstanding read is waited for without limit
            ports.CancelReportRead(false);
            if (++failures <= kReadStartFailuresTolerated)
                return CycleEnd::Next;
            const bool reopened = ports.GiveUpAndReopen(reopenPath);
            record.Leave();
            if (reopened) {
                failures = 0;
                ports.AnnounceReopened();
            }
            return CycleEnd::Next;
        }
        const std::optional<unsigned char> code = started ? ports.TakeKeyCode() : std::nullopt;
        record.Leave();
        if (code)
            ports.DispatchKey(*code);
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
