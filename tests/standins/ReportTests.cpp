// Reports reach a client that reads as the program does, one per read, and
// the device's faults show as the program would see them.
#include <windows.h>

#include <chrono>
#include <vector>

#include "HidClient.h"
#include "SimulatorTest.h"
#include "module/ModuleMemoryMap.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

constexpr auto kNotYet = std::chrono::milliseconds(200);

std::vector<std::uint8_t> KeyReport(std::uint8_t code, std::size_t length = 8)
{
    std::vector<std::uint8_t> report(length);
    report[2] = code;
    return report;
}

class ReportTest : public SimulatorTest
{
protected:
    SimulatedDeviceId OpenRemote(const SimulatedDeviceSpec& spec = {})
    {
        const SimulatedDeviceId id = sim->Plug(spec);
        device = OpenInterface(sim->DevicePath(id), true, true);
        return id;
    }

    // The next report, by one read of length bytes.
    std::vector<std::uint8_t> NextReport(std::size_t length = 8)
    {
        DeviceRead read(device.Get(), length);
        const DWORD started = read.Start();
        EXPECT_TRUE(started == 0 || started == ERROR_IO_PENDING) << started;
        EXPECT_EQ(read.Finish(), 0u);
        return read.Report();
    }

    // The simulator counts a failed read once its serving thread has seen it.
    bool FailedReadsReach(SimulatedDeviceId id, std::size_t count)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (sim->FailedReads(id) < count && std::chrono::steady_clock::now() < limit)
            ::Sleep(1);
        return sim->FailedReads(id) == count;
    }

    UniqueFile device;
};

// Opens path, waiting while the simulator tops its listening instances up
// after the opens just before.
UniqueFile OpenSoon(const std::string& path, bool read)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    UniqueFile device;
    while (!(device = OpenInterface(path, read, read)) && std::chrono::steady_clock::now() < limit)
        ::Sleep(1);
    return device;
}

}  // namespace

TEST_F(ReportTest, EachWriteCompletesOneReadInOrder)
{
    const SimulatedDeviceId id = OpenRemote();
    DeviceRead pending(device.Get(), 8);
    ASSERT_EQ(pending.Start(), static_cast<DWORD>(ERROR_IO_PENDING));
    const std::vector<std::uint8_t> parameter = {3, 'a', 'b'};
    EXPECT_TRUE(sim->Press(id, 32, parameter));
    ASSERT_EQ(pending.Finish(), 0u);
    EXPECT_EQ(pending.Report(), KeyReport(32));
    std::vector<std::uint8_t> poked(3);
    EXPECT_TRUE(RzmbPeekMemory(ModuleMap::KeyParameter, 3, poked.data()));
    EXPECT_EQ(poked, parameter);

    EXPECT_TRUE(sim->Hold(id, 7, 3));
    EXPECT_TRUE(sim->Release(id));
    for (std::uint8_t code : {7, 7, 7, 0})
        EXPECT_EQ(NextReport(), KeyReport(code));
}

TEST_F(ReportTest, ReportsOfLengthZeroAreOneByteAndNobodyOpenIsFalse)
{
    SimulatedDeviceSpec spec;
    spec.inputReportLength = 0;
    const SimulatedDeviceId id = OpenRemote(spec);
    EXPECT_TRUE(sim->Press(id, 5));
    EXPECT_EQ(NextReport(1), std::vector<std::uint8_t>{0});
    EXPECT_FALSE(sim->Press(sim->Plug(), 5));
}

TEST_F(ReportTest, UnplugDrainsThenCompletesTheOutstandingReadWithAnError)
{
    const SimulatedDeviceId id = OpenRemote();
    EXPECT_TRUE(sim->Press(id, 1));
    EXPECT_TRUE(sim->Press(id, 2));
    DeviceRead first(device.Get(), 8), second(device.Get(), 8), third(device.Get(), 8);
    first.Start();
    second.Start();
    ASSERT_EQ(third.Start(), static_cast<DWORD>(ERROR_IO_PENDING));
    sim->Unplug(id);
    EXPECT_EQ(first.Finish(), 0u);
    EXPECT_EQ(first.Report(), KeyReport(1));
    EXPECT_EQ(second.Finish(), 0u);
    EXPECT_EQ(second.Report(), KeyReport(2));
    EXPECT_EQ(third.Finish(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
    EXPECT_EQ(EnumerateHid().count, 0u);
    EXPECT_FALSE(OpenInterface(sim->DevicePath(id), false, false));
}

TEST_F(ReportTest, BrokenConnectionsFailEveryReadUntilReopened)
{
    const SimulatedDeviceId id = OpenRemote();
    DeviceRead pending(device.Get(), 8);
    ASSERT_EQ(pending.Start(), static_cast<DWORD>(ERROR_IO_PENDING));
    sim->BreakConnections(id);
    EXPECT_EQ(pending.Finish(), static_cast<DWORD>(ERROR_PIPE_NOT_CONNECTED));
    DeviceRead later(device.Get(), 8);
    EXPECT_EQ(later.Start(), static_cast<DWORD>(ERROR_PIPE_NOT_CONNECTED));
    const auto handles = sim->OpenHandles(GetCurrentProcessId());  // Wine no longer names its pipe
    ASSERT_EQ(handles.size(), 1u);
    EXPECT_EQ(handles[0].device, RemoteSimulator::kUnknownDevice);

    device = OpenInterface(sim->DevicePath(id), true, true);
    ASSERT_TRUE(device);
    EXPECT_TRUE(sim->Press(id, 9));
    EXPECT_EQ(NextReport(), KeyReport(9));
}

TEST_F(ReportTest, RefusedOpensFailWhileOpenOnesStillRead)
{
    const SimulatedDeviceId id = OpenRemote();
    sim->RefuseOpens(id, true);
    EXPECT_FALSE(OpenInterface(sim->DevicePath(id), false, false));
    EXPECT_TRUE(sim->Press(id, 4));
    EXPECT_EQ(NextReport(), KeyReport(4));
    sim->RefuseOpens(id, false);
    EXPECT_TRUE(OpenInterface(sim->DevicePath(id), false, false));

    SimulatedDeviceSpec closed;
    closed.opens = false;
    EXPECT_FALSE(OpenInterface(sim->DevicePath(sim->Plug(closed)), false, false));
}

TEST_F(ReportTest, StalledReportsArriveInOrderWhenUnstalled)
{
    const SimulatedDeviceId id = OpenRemote();
    sim->Stall(id, true);
    DeviceRead pending(device.Get(), 8);
    ASSERT_EQ(pending.Start(), static_cast<DWORD>(ERROR_IO_PENDING));
    EXPECT_TRUE(sim->Press(id, 10));
    EXPECT_TRUE(sim->Press(id, 11));
    EXPECT_EQ(pending.Finish(kNotYet), static_cast<DWORD>(WAIT_TIMEOUT));
    sim->Stall(id, false);
    ASSERT_EQ(pending.Finish(), 0u);
    EXPECT_EQ(pending.Report(), KeyReport(10));
    EXPECT_EQ(NextReport(), KeyReport(11));
}

TEST_F(ReportTest, FailingReadsCompleteWithOneByteOnEveryConnectionUntilSwitchedOff)
{
    const SimulatedDeviceId id = OpenRemote();
    DeviceRead pending(device.Get(), 8);
    ASSERT_EQ(pending.Start(), static_cast<DWORD>(ERROR_IO_PENDING));
    sim->FailReads(id, true);
    ASSERT_EQ(pending.Finish(), 0u);
    EXPECT_EQ(pending.Transferred(), 1u);
    UniqueFile second = OpenInterface(sim->DevicePath(id), true, true);
    for (HANDLE handle : {device.Get(), second.Get(), device.Get()}) {
        DeviceRead read(handle, 8);
        read.Start();
        ASSERT_EQ(read.Finish(), 0u);
        EXPECT_EQ(read.Transferred(), 1u);
    }
    EXPECT_TRUE(FailedReadsReach(id, 4));

    sim->FailReads(id, false);
    EXPECT_TRUE(sim->Press(id, 6));
    EXPECT_EQ(NextReport(), KeyReport(6)) << "the connection stayed";
    EXPECT_EQ(sim->FailedReads(id), 4u);
}

TEST_F(ReportTest, OpensKeepWorkingAfterManyClientsGoneBeforeTheSimulatorSawThem)
{
    const SimulatedDeviceId id = sim->Plug();
    // Query-only, as the program's first look, and closed at once.
    for (int open = 0; open < 200; ++open)
        ASSERT_TRUE(OpenSoon(sim->DevicePath(id), false)) << "open " << open;
    device = OpenSoon(sim->DevicePath(id), true);
    ASSERT_TRUE(device);
    EXPECT_TRUE(sim->Press(id, 12));
    EXPECT_EQ(NextReport(), KeyReport(12));
}
