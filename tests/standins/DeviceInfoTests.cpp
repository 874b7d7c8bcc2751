// The substitute hid.dll answers for the device a handle was opened on, the
// program's handles can be told apart, and the device's names, broadcast and
// registry value are the system's.
#include <windows.h>

#include <dbt.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "HidClient.h"
#include "SimulatorTest.h"
#include "standins/hid/HidApi.h"

namespace {

struct Info
{
    bool preparsed = false, attributesRead = false;
    NTSTATUS capsStatus = 0;
    HIDD_ATTRIBUTES attributes = {};
    HIDP_CAPS caps = {};
};

// The program's three calls, on a query-only open.
Info ReadInfo(const std::string& path, RemoteSimulator& sim)
{
    const UniqueFile device = OpenInterface(path, false, false);
    Info info;
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    info.preparsed = HidD_GetPreparsedData(device.Get(), &preparsed);
    info.attributesRead = HidD_GetAttributes(device.Get(), &info.attributes);
    if (info.preparsed) {
        info.capsStatus = HidP_GetCaps(preparsed, &info.caps);
        EXPECT_EQ(sim.LivePreparsedData(), 1);
        EXPECT_TRUE(HidD_FreePreparsedData(preparsed));
        EXPECT_FALSE(HidD_FreePreparsedData(preparsed));
    }
    return info;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// What the program reads for an interface name.
bool ReadDeviceInstance(std::string name, std::string& value)
{
    std::replace(name.begin(), name.end(), '\\', '#');
    const std::string key =
        "System\\CurrentControlSet\\Control\\DeviceClasses\\{4d1e55b2-f16f-11cf-88cb-001111000030}\\" + name;
    char buffer[2048] = {};
    DWORD size = sizeof buffer, type = 0;
    if (SHGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "DeviceInstance", &type, buffer, &size) != ERROR_SUCCESS)
        return false;
    value = buffer;
    return type == REG_SZ;
}

}  // namespace

using DeviceInfoTest = SimulatorTest;

TEST_F(DeviceInfoTest, AnswersForTheDeviceTheHandleIsOpenOn)
{
    SimulatedDeviceSpec other;
    other.vendorId = 0x046D;
    other.productId = 0xC52B;
    other.versionNumber = 0x1201;
    other.inputReportLength = 0;
    const Info remote = ReadInfo(sim->DevicePath(sim->Plug()), *sim);
    const Info second = ReadInfo(sim->DevicePath(sim->Plug(other)), *sim);
    EXPECT_TRUE(remote.preparsed && remote.attributesRead);
    EXPECT_EQ(remote.capsStatus, HIDP_STATUS_SUCCESS);
    EXPECT_EQ(remote.attributes.VendorID, 0x0471);
    EXPECT_EQ(remote.attributes.ProductID, 0x0110);
    EXPECT_EQ(remote.caps.InputReportByteLength, 8);
    EXPECT_EQ(second.attributes.VendorID, 0x046D);
    EXPECT_EQ(second.attributes.VersionNumber, 0x1201);
    EXPECT_EQ(second.caps.InputReportByteLength, 0);
    EXPECT_EQ(sim->LivePreparsedData(), 0);
}

TEST_F(DeviceInfoTest, InformationFailsOnDemandAndForOtherHandles)
{
    SimulatedDeviceSpec spec;
    spec.infoFailure = SimulatedDeviceSpec::InfoFailure::PreparsedData;
    EXPECT_FALSE(ReadInfo(sim->DevicePath(sim->Plug(spec)), *sim).preparsed);
    spec.infoFailure = SimulatedDeviceSpec::InfoFailure::Attributes;
    EXPECT_FALSE(ReadInfo(sim->DevicePath(sim->Plug(spec)), *sim).attributesRead);
    spec.infoFailure = SimulatedDeviceSpec::InfoFailure::Caps;
    EXPECT_EQ(ReadInfo(sim->DevicePath(sim->Plug(spec)), *sim).capsStatus, HIDP_STATUS_INVALID_PREPARSED_DATA);

    const UniqueHandle event(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    HIDD_ATTRIBUTES attributes = {};
    EXPECT_FALSE(HidD_GetPreparsedData(event.Get(), &preparsed));
    EXPECT_FALSE(HidD_GetAttributes(event.Get(), &attributes));
    EXPECT_EQ(sim->LivePreparsedData(), 0);
}

TEST_F(DeviceInfoTest, OpenHandlesTellQueryOnlyFromReadHandlesAndTheirDevice)
{
    const SimulatedDeviceId queried = sim->Plug(), read = sim->Plug();
    // The simulator's serving thread opens and closes pipes in its own time,
    // so the count is taken again until nothing else moved it meanwhile.
    bool counted = false;
    for (int attempt = 0; attempt < 20 && !counted; ++attempt) {
        const std::size_t before = CountProcessHandles(GetCurrentProcessId());
        const UniqueHandle events[] = {UniqueHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
                                       UniqueHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr))};
        counted = CountProcessHandles(GetCurrentProcessId()) == before + 2;
    }
    EXPECT_TRUE(counted) << "two new events were never counted as two more handles";
    {
        const UniqueFile query = OpenInterface(sim->DevicePath(queried), false, false);
        const UniqueFile reader = OpenInterface(sim->DevicePath(read), true, true);
        const auto handles = sim->OpenHandles(GetCurrentProcessId());  // our pipes' server ends are not among them
        ASSERT_EQ(handles.size(), 2u);
        const auto& first = handles[0].device == queried ? handles[0] : handles[1];
        const auto& second = handles[0].device == queried ? handles[1] : handles[0];
        EXPECT_TRUE(first.device == queried && !first.canRead && !first.overlapped);
        EXPECT_TRUE(second.device == read && second.canRead && second.overlapped);
    }
    EXPECT_TRUE(sim->OpenHandles(GetCurrentProcessId()).empty());
}

TEST_F(DeviceInfoTest, NamesBroadcastAndRegistryValueAreTheSystems)
{
    SimulatedDeviceSpec secondInterface;
    secondInterface.interfaceTag = "MI_01";
    const SimulatedDeviceId id = sim->Plug(secondInterface);
    const std::string name = sim->BroadcastName(id);
    EXPECT_EQ(name.rfind("\\\\?\\HID#VID_0471&PID_0110&MI_01#", 0), 0u) << name;
    EXPECT_EQ(Lower(sim->DevicePath(id)), sim->DevicePath(id));
    EXPECT_NE(sim->DevicePath(id).find("vid_0471&pid_0110&mi_01"), std::string::npos);

    const std::vector<std::uint8_t> bytes = RemoteSimulator::InterfaceBroadcast(name);
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(bytes.data());
    ASSERT_EQ(bytes.size(), offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + name.size() + 1);
    EXPECT_EQ(broadcast->dbcc_size, bytes.size());
    EXPECT_EQ(broadcast->dbcc_devicetype, static_cast<DWORD>(DBT_DEVTYP_DEVICEINTERFACE));
    EXPECT_EQ(std::memcmp(&broadcast->dbcc_classguid, "\xb2\x55\x1e\x4d\x6f\xf1\xcf\x11\x88\xcb\x00\x11\x11\x00\x00\x30", 16), 0);
    EXPECT_EQ(std::string(broadcast->dbcc_name), name);

    std::string value;
    sim->Unplug(id);  // the system keeps the key
    ASSERT_TRUE(ReadDeviceInstance(name, value));
    EXPECT_EQ(value.rfind("HID\\VID_0471&PID_0110&MI_01\\", 0), 0u) << value;
    sim.reset();
    EXPECT_FALSE(ReadDeviceInstance(name, value));
}
