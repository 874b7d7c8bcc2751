// The reader's loop against a scripted device: what is delivered, when the
// remote is given up and reopened, and that the record is never left with a
// read outstanding.
#include "device/ReaderLoop.h"

#include <gmock/gmock.h>

#include <deque>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

// Each step of the script is one wait result; a report step's read completes
// with its code (none for an error completion). The loop's session ends when
// the script runs out or the remote is found closed (after one idle poll).
struct Step
{
    ReaderWake wake;
    std::optional<unsigned char> code = std::nullopt;
    bool closeBeforeWake = false;
};

class ScriptedDevice : public ReaderPorts
{
public:
    std::deque<bool> startResults;  // empty: reads start
    std::deque<Step> steps;
    std::deque<bool> reopenResults;
    bool open = true;
    std::vector<std::string> trace;

    bool SessionLive() override { return !m_ended; }
    std::optional<std::string> WaitForFirstConnect() override { return std::string("first-path"); }
    bool EnterRecord() override
    {
        if (!open || steps.empty()) {
            m_ended = true;
            return false;
        }
        m_inside = true;
        return true;
    }
    void LeaveRecord() override
    {
        EXPECT_FALSE(m_outstanding) << "left the record with a read outstanding";
        m_inside = false;
    }
    bool RemoteOpen() override { return open; }
    void Idle() override { trace.push_back("idle"); }
    bool StartReportRead() override
    {
        EXPECT_TRUE(m_inside);
        const bool started = startResults.empty() || startResults.front();
        if (!startResults.empty())
            startResults.pop_front();
        m_outstanding = started;
        trace.push_back(started ? "read" : "read failed");
        return started;
    }
    ReaderWake WaitForReport() override
    {
        if (steps.empty())
            return ReaderWake::Stop;
        const Step step = steps.front();
        steps.pop_front();
        if (step.closeBeforeWake)
            open = false;
        m_completion = step.code;
        if (step.wake == ReaderWake::Report)
            m_outstanding = false;
        return step.wake;
    }
    void CancelReportRead(bool started) override
    {
        trace.push_back(started ? "cancel and wait" : "cancel");
        m_outstanding = false;
    }
    std::optional<unsigned char> TakeKeyCode() override { return m_completion; }
    bool GiveUpAndReopen(const std::string& path) override
    {
        EXPECT_TRUE(m_inside);
        const bool reopened = reopenResults.empty() || reopenResults.front();
        if (!reopenResults.empty())
            reopenResults.pop_front();
        trace.push_back("give up, reopen " + path + (reopened ? "" : " failed"));
        open = reopened;
        return reopened;
    }
    void AnnounceReopened() override
    {
        EXPECT_FALSE(m_inside);
        trace.push_back("announce");
    }
    void DispatchKey(unsigned char code) override
    {
        EXPECT_FALSE(m_inside) << "an action must not run inside the record";
        trace.push_back("key " + std::to_string(code));
    }

private:
    bool m_inside = false;
    bool m_outstanding = false;
    bool m_ended = false;
    std::optional<unsigned char> m_completion;
};

Step Report(std::optional<unsigned char> code)
{
    return {ReaderWake::Report, code};
}

const Step kTimeout{ReaderWake::Timeout};

}  // namespace

TEST(ReaderLoopTest, DeliversEachGoodReportOnceAndNothingForErrorsOrWaitFailures)
{
    ScriptedDevice device;
    device.steps = {Report(1), kTimeout, kTimeout, Report(1), Report(std::nullopt), {ReaderWake::Failed}, Report(0)};
    RunReaderLoop(device);
    EXPECT_THAT(device.trace, ElementsAre("read", "key 1", "read", "key 1", "read", "read", "cancel and wait", "idle",
                                          "read", "key 0", "idle"));
}

TEST(ReaderLoopTest, TheThirdFailedStartGivesUpAndReopensTheFirstPathGoodReadsBetweenNotWithstanding)
{
    ScriptedDevice device;
    device.startResults = {false, false, true, false, false, false, false};
    device.reopenResults = {true, false};
    device.steps = {kTimeout, kTimeout, Report(7), kTimeout, kTimeout, kTimeout, kTimeout, kTimeout};
    RunReaderLoop(device);
    EXPECT_THAT(device.trace,
                ElementsAre("read failed", "cancel", "read failed", "cancel", "read", "key 7", "read failed", "cancel",
                            "give up, reopen first-path", "announce",
                            // the count starts again after the reader's own reopen...
                            "read failed", "cancel", "read failed", "cancel", "read failed", "cancel",
                            "give up, reopen first-path failed",
                            // ...and after a failed one the remote stays given up
                            "idle"));
}

TEST(ReaderLoopTest, StopAndCloseEndTheOutstandingReadBeforeLettingGo)
{
    ScriptedDevice closed;
    closed.steps = {kTimeout, {ReaderWake::LetGo, std::nullopt, true}};
    RunReaderLoop(closed);
    EXPECT_THAT(closed.trace, ElementsAre("read", "cancel and wait", "idle"));

    ScriptedDevice stopped;
    stopped.steps = {{ReaderWake::Stop}, Report(1)};
    EXPECT_EQ(RunReaderLoop(stopped), 1);
    EXPECT_THAT(stopped.trace, ElementsAre("read", "cancel and wait"));
}

TEST(ReaderLoopTest, AReportThatCompletesAfterTheRemoteWasClosedIsNotDelivered)
{
    ScriptedDevice device;
    device.steps = {{ReaderWake::Report, 5, true}};
    RunReaderLoop(device);
    EXPECT_THAT(device.trace, ElementsAre("read", "cancel and wait", "idle"));
}
