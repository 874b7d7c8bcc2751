// The reader thread in this process against simulated remotes: deliveries,
// the give-up after failed read starts and the reopen on the first path, and
// the stop. Key 34 shows each delivery without a window: its action writes
// the parameter echo into the module at once, on the reader thread.
#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "DeviceFixture.h"
#include "ProgramRun.h"
#include "SubstituteModule.h"
#include "common/EventLog.h"
#include "device/ReaderThread.h"
#include "device/RemoteConnection.h"
#include "device/RemoteRecord.h"
#include "device/RemoteSession.h"
#include "framework/UniqueHandle.h"
#include "module/ModuleMemoryMap.h"

namespace {

constexpr unsigned char kEchoKey = 34;

std::size_t EchoWrites()
{
    const auto writes = SubstituteModule::Writes();
    return static_cast<std::size_t>(
        std::count_if(writes.begin(), writes.end(), [](const std::string& write) { return write.rfind("a4f3:", 0) == 0; }));
}

std::size_t AttachWrites()
{
    const auto writes = SubstituteModule::Writes();
    return static_cast<std::size_t>(std::count(writes.begin(), writes.end(), "a4f0: 02"));
}

// An event log that cannot take a line, as when there is no memory for it.
class FailingLog : public EventLogList
{
public:
    void AppendLine(const char*) override { throw std::bad_alloc(); }
};

// An event log that ends any thread but the test's own that appends to it,
// as a library that ends its caller would; it keeps the test's lines.
class ThreadEndingLog : public EventLogList
{
public:
    void AppendLine(const char* text) override
    {
        if (::GetCurrentThreadId() != m_testThread)
            ::ExitThread(0);
        lines.push_back(text);
    }

    std::vector<std::string> lines;

private:
    const DWORD m_testThread = ::GetCurrentThreadId();
};

// An event log that holds every line from another thread than the test's
// until released, as the window holds the reader's lines while it is busy
// stopping.
class HoldingLog : public EventLogList
{
public:
    void AppendLine(const char*) override
    {
        if (::GetCurrentThreadId() == m_testThread)
            return;
        m_held = true;
        ::WaitForSingleObject(m_release.Get(), INFINITE);
    }

    bool Held() const { return m_held; }
    void Release() { ::SetEvent(m_release.Get()); }

private:
    const DWORD m_testThread = ::GetCurrentThreadId();
    UniqueHandle m_release{::CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> m_held{false};
};

std::string LastLinkStateWrite()
{
    return SubstituteModule::LastWriteAt(ModuleMap::HostLinkState);
}

class ReaderThreadTest : public DeviceTest
{
protected:
    void StartDeviceSide()
    {
        ASSERT_EQ(InitRemoteDevice(), 1);
        StartReaderThread();
        m_started = true;
    }

    void TearDown() override
    {
        if (m_started) {
            ShutdownRemoteDevice();
            WaitForReaderThreadEnd();
        }
        DeviceTest::TearDown();
    }

    // Presses key 34 on device and waits until its action ran.
    bool Echo(SimulatedDeviceId device)
    {
        const std::size_t before = EchoWrites();
        return Simulator().Press(device, kEchoKey, {0x05}) && WaitUntil([&] { return EchoWrites() > before; });
    }

    bool ReadingOn(SimulatedDeviceId device)
    {
        const auto handles = OurHandles();
        return handles.size() == 1 && handles[0].device == device && handles[0].canRead;
    }

    bool m_started = false;
};

}  // namespace

TEST_F(ReaderThreadTest, TheThirdFailedReadStartGivesUpAndReopensThePathTheReaderStartedWith)
{
    const auto first = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(first));
    // The remote comes back under another path, as after a replug.
    const auto second = Plug();
    DisconnectRemote();
    ConnectRemote();
    ASSERT_TRUE(ReadingOn(second));
    ASSERT_TRUE(Echo(second));

    const std::size_t attaches = AttachWrites();
    Simulator().BreakConnections(second);
    ASSERT_TRUE(WaitUntil([&] { return ReadingOn(first); })) << "no reopen of the first path";
    EXPECT_TRUE(WaitUntil([&] { return AttachWrites() == attaches + 1; })) << "the reopen tells the module";
    EXPECT_EQ(RemoteState.lost, 0);
    EXPECT_TRUE(Echo(first));
}

TEST_F(ReaderThreadTest, AFailedReopenLeavesTheRemoteGivenUpUntilTheNextConnect)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    Simulator().RefuseOpens(remote, true);
    Simulator().BreakConnections(remote);
    ASSERT_TRUE(WaitUntil([] { return RemoteState.lost == 1 && RemoteState.open == 0; }));
    EXPECT_TRUE(OurHandles().empty());

    Simulator().RefuseOpens(remote, false);
    ConnectRemote();
    EXPECT_EQ(RemoteState.lost, 0);
    EXPECT_TRUE(Echo(remote));
}

TEST_F(ReaderThreadTest, NoKeyComesFromAReadEndedByAnUnplugOrFromAShortReport)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    // Each read below lands in a buffer that still holds the echo key.
    ASSERT_TRUE(Simulator().SendReport(remote, {0x00, 0x00}));
    // Read on its own, not merged with the next report.
    ASSERT_TRUE(WaitUntil([&] { return Simulator().UnreadReports(remote) == 0; }));
    ASSERT_TRUE(Echo(remote));
    // The read outstanding now completes with an error. The reader, not a
    // removal, is left to meet it: a removal would close the remote first.
    Simulator().Unplug(remote, false);
    ASSERT_TRUE(WaitUntil([] { return RemoteState.lost == 1; }));
    DisconnectRemote();
    EXPECT_TRUE(OurHandles().empty());
    EXPECT_EQ(EchoWrites(), 2u) << "only the two presses were delivered";
}

TEST_F(ReaderThreadTest, TheStopEndsTheOutstandingReadAndClosesTheRemote)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    ConnectRemote();  // at once: the remote is open, and the reader waits inside its record
    ShutdownRemoteDevice();
    m_started = false;
    EXPECT_TRUE(OurHandles().empty());
    EXPECT_EQ(Simulator().Connections(remote), 0u);
    EXPECT_EQ(LastLinkStateWrite(), "a4f0: 00") << "the module was told";
    WaitForReaderThreadEnd();
    ConnectRemote();
    EXPECT_EQ(RemoteState.open, 0) << "nothing connects once the device side has stopped";
}

TEST_F(ReaderThreadTest, AStopWhileAReopenTellsTheModuleLeavesItToldTheHostIsGone)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    const auto log = std::make_shared<HoldingLog>();
    PlugEventLogList(log);
    Simulator().BreakConnections(remote);
    // The reopen has left the record and is held at the line of its first write.
    const bool held = WaitUntil([&] { return log->Held(); });
    ShutdownRemoteDevice();
    m_started = false;
    log->Release();
    const bool ended = WaitForReaderThreadEnd();
    UnplugEventLogList();
    ASSERT_TRUE(held) << "no reopen";
    EXPECT_TRUE(ended);
    EXPECT_EQ(LastLinkStateWrite(), "a4f0: 00") << "the module heard after the stop that the host is back";
}

TEST_F(ReaderThreadTest, TheRecordIsHandedToAnotherThreadWhileTheReaderWaitsForAReportAndNotTakenBackBeforeItsTurn)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    std::atomic<bool> granted{false};
    std::thread other([&] {
        RemoteRecordClaim claim;
        granted = true;
    });
    const bool inTime = WaitUntil([&] { return granted.load(); });
    if (!inTime)
        Simulator().Press(remote, kEchoKey, {0x05});  // ends the read the reader kept the record for
    other.join();
    EXPECT_TRUE(inTime) << "the reader kept the record while the remote was open";

    // A claim that has marked the record wanted and not yet taken its lock,
    // held open for two wait slices: once the reader has let go, it starts
    // no read before that claim's turn, so a key pressed meanwhile waits.
    const std::size_t echoes = EchoWrites();
    ++RemoteRecordWanted;
    { RemoteRecordLock letGo; }
    const bool pressed = Simulator().Press(remote, kEchoKey, {0x05});
    const bool readWhileWanted =
        pressed && WaitUntil([&] { return Simulator().UnreadReports(remote) == 0; }, std::chrono::milliseconds(300));
    --RemoteRecordWanted;
    ASSERT_TRUE(pressed);
    EXPECT_FALSE(readWhileWanted) << "the reader took the record back before the claim's turn";
    EXPECT_TRUE(WaitUntil([&] { return EchoWrites() > echoes; })) << "the reader reads again once the claim ends";
}

TEST_F(ReaderThreadTest, AStopSequenceWhoseDetachCannotBeLoggedStillStopsAndReleasesEverything)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    PlugEventLogList(std::make_shared<FailingLog>());
    ShutdownRemoteDevice();
    UnplugEventLogList();
    m_started = false;
    EXPECT_EQ(LastLinkStateWrite(), "a4f0: 00") << "a line that cannot be made cancels no write";
    EXPECT_TRUE(OurHandles().empty());
    EXPECT_TRUE(WaitForReaderThreadEnd());
    ConnectRemote();
    EXPECT_EQ(RemoteState.open, 0) << "the session ended";
}

TEST_F(ReaderThreadTest, AReopenWhoseAnnouncementCannotBeLoggedStillAnnouncesAndReadsOn)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    const std::size_t attaches = AttachWrites();
    PlugEventLogList(std::make_shared<FailingLog>());
    Simulator().BreakConnections(remote);
    const bool announced = WaitUntil([&] { return AttachWrites() == attaches + 1; });
    const bool reading = announced && Echo(remote);
    UnplugEventLogList();
    EXPECT_TRUE(announced) << "the reopen told the module nothing";
    EXPECT_TRUE(reading) << "the reader stopped reading";
}

TEST_F(ReaderThreadTest, AReaderThatEndsByItselfIsNoticedAndTheNextConnectReadsAgain)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    const auto log = std::make_shared<ThreadEndingLog>();
    PlugEventLogList(log);
    // The action's logged write ends the reader thread.
    ASSERT_TRUE(Simulator().Press(remote, kEchoKey, {0x05}));
    ASSERT_TRUE(WaitUntil([] { return NoticeEndedReaderThread(); })) << "the end went unnoticed";
    UnplugEventLogList();
    EXPECT_EQ(RemoteState.open, 0);
    EXPECT_TRUE(OurHandles().empty()) << "the remote was not let go";
    EXPECT_THAT(log->lines, ::testing::ElementsAre(::testing::StartsWith("Remote reader ended")));

    ConnectRemote();
    EXPECT_TRUE(Echo(remote)) << "the connect brought no reader back";
}

TEST_F(ReaderThreadTest, AReopenWhoseThreadEndsInsideItsAnnouncementDoesNotHoldTheStopForever)
{
    const auto remote = Plug();
    StartDeviceSide();
    ASSERT_TRUE(Echo(remote));
    ASSERT_TRUE(RzmbTrapNextWrite(ModuleMap::HostPresent, RzmbTrapEndThread));
    Simulator().BreakConnections(remote);
    ASSERT_TRUE(WaitForReaderThreadEnd()) << "the reopen's announcement did not end the reader";
    std::atomic<bool> stopped{false};
    std::thread stop([&] {
        ShutdownRemoteDevice();
        stopped = true;
    });
    m_started = false;
    const bool returned = WaitUntil([&] { return stopped.load(); });
    stop.detach();
    ASSERT_TRUE(returned) << "the stop waits for a write whose thread has ended";
    EXPECT_EQ(LastLinkStateWrite(), "a4f0: 00");
    // The ended thread never lets its hold on the session's lock go; the
    // tests after this one start from a free lock.
    RemoteSessionGate(0).Leave();
}
