// The reader's loop against a scripted device: what is delivered, when the
// remote is given up and reopened, and that the record is never left with a
// read outstanding.
#include "device/ReaderLoop.h"

#include <gmock/gmock.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace {

using ::testing::ElementsAre;

// Each step of the script is one wait result; a report step's read completes
// as given. The loop's session ends when the script runs out or the remote is
// found closed (after one idle poll). The user-interface thread acts through
// the flags: it closes the remote or starts waiting for the record just
// before a wake, or lets the remote go just before the reader gives it up.
struct Step
{
    ReaderWake wake;
    CompletedRead read = {};
    bool closeBeforeWake = false;
    bool wantBeforeWake = false;
    bool letGoBeforeGiveUp = false;
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
        if (wanted) {
            // The user-interface thread takes the record and hands it back.
            trace.push_back("handed over");
            wanted = false;
            return false;
        }
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
    bool RecordWanted() override { return wanted; }
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
        wanted = wanted || step.wantBeforeWake;
        m_letGoBeforeGiveUp = step.letGoBeforeGiveUp;
        m_completion = step.read;
        if (step.wake == ReaderWake::Report)
            m_outstanding = false;
        return step.wake;
    }
    void CancelReportRead(bool started) override
    {
        trace.push_back(started ? "cancel and wait" : "cancel");
        m_outstanding = false;
    }
    CompletedRead TakeCompletedRead() override { return m_completion; }
    bool GiveUpRemote() override
    {
        EXPECT_TRUE(m_inside);
        if (m_letGoBeforeGiveUp)
            open = false;
        const bool wasOpen = std::exchange(open, false);
        trace.push_back(wasOpen ? "give up" : "already let go");
        return wasOpen;
    }
    bool ReopenRemote(const std::string& path) override
    {
        EXPECT_TRUE(m_inside);
        const bool reopened = reopenResults.empty() || reopenResults.front();
        if (!reopenResults.empty())
            reopenResults.pop_front();
        trace.push_back("reopen " + path + (reopened ? "" : " failed"));
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

    bool wanted = false;

private:
    bool m_inside = false;
    bool m_outstanding = false;
    bool m_ended = false;
    bool m_letGoBeforeGiveUp = false;
    CompletedRead m_completion;
};

Step Report(std::optional<unsigned char> code)
{
    return {ReaderWake::Report, {false, code}};
}

const Step kFailedRead{ReaderWake::Report, {true, std::nullopt}};

const Step kTimeout{ReaderWake::Timeout};

}  // namespace

TEST(ReaderLoopTest, DeliversEachGoodReportOnceAndNothingForShortReportsOrWaitFailures)
{
    ScriptedDevice device;
    // The failed wait's read would bring a key: the buffer is not to be trusted.
    device.steps = {Report(1), kTimeout, kTimeout, Report(1), Report(std::nullopt), {ReaderWake::Failed, {false, 9}},
                    Report(0)};
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
                            "give up", "reopen first-path", "announce",
                            // the count starts again after the reader's own reopen...
                            "read failed", "cancel", "read failed", "cancel", "read failed", "cancel",
                            "give up", "reopen first-path failed",
                            // ...and after a failed one the remote stays given up
                            "idle"));
}

TEST(ReaderLoopTest, StopAndCloseEndTheOutstandingReadBeforeLettingGo)
{
    ScriptedDevice closed;
    closed.steps = {kTimeout, {ReaderWake::LetGo, {}, true}};
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
    device.steps = {{ReaderWake::Report, {false, 5}, true}};
    RunReaderLoop(device);
    EXPECT_THAT(device.trace, ElementsAre("read", "cancel and wait", "idle"));
}

TEST(ReaderLoopTest, ReadsThatCompleteWithoutAReportCountTowardTheGiveUpAndEachWaitsOutASlice)
{
    ScriptedDevice device;
    // Each failed read is followed by a wait that ends in a time-out: no new
    // read starts before it.
    device.steps = {kFailedRead, kTimeout, Report(3), kFailedRead, kTimeout, kFailedRead, kTimeout};
    RunReaderLoop(device);
    EXPECT_THAT(device.trace, ElementsAre("read", "cancel", "read", "key 3", "read", "cancel", "read", "cancel",
                                          "give up", "reopen first-path", "announce", "idle"));
}

// The user-interface thread lets the remote go (a removal) just before the
// reader gives it up: the reader must neither reopen nor announce a remote
// the program has let go.
TEST(ReaderLoopTest, AGiveUpThatFindsTheRemoteLetGoByTheOtherThreadNeitherReopensNorAnnounces)
{
    ScriptedDevice device;
    device.startResults = {false, false, false};
    device.steps = {kTimeout, kTimeout, {ReaderWake::Timeout, {}, false, false, true}};
    RunReaderLoop(device);
    EXPECT_THAT(device.trace, ElementsAre("read failed", "cancel", "read failed", "cancel", "read failed", "cancel",
                                          "already let go", "idle"));
}

// The user-interface thread waits for the record while the remote stays open
// (an arrival's connect): the reader leaves within the wait. That it does not
// take the record back before the other thread has had it is the thread's
// EnterRecord, tested in the reader thread's own tests.
TEST(ReaderLoopTest, ARecordWantedByTheOtherThreadIsLeftWithinOneWait)
{
    ScriptedDevice device;
    device.steps = {Report(1), {ReaderWake::LetGo, {}, false, true}, Report(2)};
    RunReaderLoop(device);
    EXPECT_THAT(device.trace,
                ElementsAre("read", "key 1", "read", "cancel and wait", "handed over", "idle", "read", "key 2", "idle"));
}
