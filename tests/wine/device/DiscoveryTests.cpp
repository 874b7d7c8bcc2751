// Finding and opening the remote among simulated HID interfaces, and telling
// it by the names the system gives it.
#include <gmock/gmock.h>

#include "DeviceFixture.h"
#include "device/DeviceChange.h"
#include "device/HidInterfaceList.h"
#include "device/RemoteDiscovery.h"
#include "device/RemoteNames.h"
#include "device/RemoteRecord.h"

namespace {

using DiscoveryTest = DeviceTest;

bool FindAndOpen()
{
    RemoteRecordLock lock;
    return FindAndOpenRemote();
}

}  // namespace

TEST_F(DiscoveryTest, TheLastUsableRemoteIsOpenedForOverlappedReadingAndNothingElseStaysOpen)
{
    Plug(OtherVendor());
    Plug();
    Plug(OtherVendor());
    const auto chosen = Plug();
    SimulatedDeviceSpec unreadable;
    unreadable.infoFailure = SimulatedDeviceSpec::InfoFailure::Attributes;
    Plug(unreadable);

    ASSERT_TRUE(FindAndOpen());
    EXPECT_EQ(RemoteRecord().path, Simulator().DevicePath(chosen));
    EXPECT_EQ(RemoteRecord().inputReport.size(), 8u);
    const auto handles = OurHandles();
    ASSERT_EQ(handles.size(), 1u) << "every enumeration handle is closed";
    EXPECT_EQ(handles[0].device, chosen);
    EXPECT_TRUE(handles[0].canRead);
    EXPECT_TRUE(handles[0].overlapped);
    EXPECT_EQ(Simulator().LiveDeviceInfoSets(), 0);
    EXPECT_EQ(Simulator().LivePreparsedData(), 1) << "only the remote's own";
}

TEST_F(DiscoveryTest, WithoutHidInterfacesTheListIsEmptyAndNothingIsOpened)
{
    HidInterfaceList list;
    EXPECT_TRUE(ListHidInterfaces(list));
    EXPECT_EQ(list.count, 0u);
    ReleaseDeviceList(list);
    EXPECT_FALSE(FindAndOpen());
    EXPECT_TRUE(RemoteRecord().path.empty());
    EXPECT_FALSE(RemoteRecord().handle);
}

TEST_F(DiscoveryTest, TheListGrowsPastEightKeepingItsRecordsAndLeavesFailedSlotsEmpty)
{
    Plug();
    for (int i = 0; i < 16; ++i) {
        SimulatedDeviceSpec spec = OtherVendor();
        spec.opens = i != 3;
        spec.infoFailure = i == 5 ? SimulatedDeviceSpec::InfoFailure::Caps : SimulatedDeviceSpec::InfoFailure::None;
        spec.enumerationError = i == 7 ? ERROR_INVALID_DATA : 0;
        Plug(spec);
    }
    HidInterfaceList list;
    ASSERT_TRUE(ListHidInterfaces(list));
    EXPECT_EQ(list.count, 17u);
    EXPECT_EQ(list.capacity, 32u);
    EXPECT_EQ(list.records[0].attributes.VendorID, 0x0471) << "kept across two growths";
    EXPECT_FALSE(list.records[4].handle) << "refused even a query-only open";
    EXPECT_FALSE(list.records[6].handle) << "its information could not be read";
    EXPECT_FALSE(list.records[8].handle) << "its index was skipped";
    EXPECT_EQ(list.records[16].attributes.VendorID, 0x045E) << "enumerated past the failures";
    ReleaseDeviceList(list);
    EXPECT_TRUE(OurHandles().empty());
}

TEST_F(DiscoveryTest, AReportLengthOfZeroStillGetsAOneByteBuffer)
{
    SimulatedDeviceSpec spec;
    spec.inputReportLength = 0;
    Plug(spec);
    ASSERT_TRUE(FindAndOpen());
    EXPECT_EQ(RemoteRecord().inputReport.size(), 1u);
}

TEST_F(DiscoveryTest, EndlessEnumerationErrorsEndTheEnumeration)
{
    Plug();
    Simulator().SetLeadingEnumerationErrors(100000, ERROR_INVALID_DATA);
    EXPECT_FALSE(FindAndOpen());
    EXPECT_FALSE(RemoteRecord().handle);
}

TEST_F(DiscoveryTest, OnThisWindowsTheRegistryDecidesWhatIsTheRemote)
{
    const auto remote = Plug();
    const auto other = Plug(OtherVendor());
    const std::string unknown = "\\\\?\\HID#VID_0471&PID_0110#unknown#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    EXPECT_LT(ClassifyWindowsVersion(), kVersionNameDecides) << "a new prefix reports Windows 7";
    EXPECT_TRUE(IsRemoteByRegistry(Simulator().BroadcastName(remote).c_str()));
    EXPECT_FALSE(IsRemoteByRegistry(Simulator().BroadcastName(other).c_str()));
    EXPECT_FALSE(IsRemoteByRegistry(unknown.c_str())) << "no registry entry, whatever the name says";
    EXPECT_TRUE(IsRemoteInterfaceName(Simulator().BroadcastName(remote).c_str()));
    EXPECT_FALSE(IsRemoteInterfaceName(unknown.c_str()));
}
