// The substitute setupapi.dll lists the simulated interfaces as the system
// lists HID interfaces, to a client making the program's calls.
#include <windows.h>

#include <setupapi.h>

#include <cstddef>
#include <vector>

#include "HidClient.h"
#include "SimulatorTest.h"
#include "standins/hid/HidApi.h"

using EnumerationTest = SimulatorTest;

TEST_F(EnumerationTest, ListsInPlugOrderPastEightAndSkipsFailingIndices)
{
    sim->SetLeadingEnumerationErrors(3, ERROR_INVALID_DATA);
    std::vector<std::string> listed;
    for (int i = 0; i < 12; ++i) {
        SimulatedDeviceSpec spec;
        spec.enumerationError = i == 4 ? ERROR_GEN_FAILURE : 0;
        spec.opens = i != 7;  // listed all the same
        const SimulatedDeviceId id = sim->Plug(spec);
        if (i != 4)
            listed.push_back(sim->DevicePath(id));
    }
    const HidEnumeration enumeration = EnumerateHid();
    EXPECT_EQ(enumeration.paths, listed);
    EXPECT_EQ(enumeration.failedIndices, (std::vector<DWORD>{0, 1, 2, 7}));
    EXPECT_EQ(enumeration.count, 15u);
    EXPECT_EQ(sim->LiveDeviceInfoSets(), 0);
}

TEST_F(EnumerationTest, SkipsAHundredThousandLeadingIndices)
{
    sim->SetLeadingEnumerationErrors(100000, ERROR_INVALID_DATA);
    const SimulatedDeviceId id = sim->Plug();
    const HidEnumeration enumeration = EnumerateHid();
    EXPECT_EQ(enumeration.paths, std::vector<std::string>{sim->DevicePath(id)});
    EXPECT_EQ(enumeration.count, 100001u);
}

TEST_F(EnumerationTest, EachSetKeepsItsSnapshotAndIsCountedUntilDestroyed)
{
    GUID hid;
    HidD_GetHidGuid(&hid);
    const SimulatedDeviceId first = sim->Plug();
    const HDEVINFO before = SetupDiGetClassDevsA(&hid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    sim->Plug();
    sim->Unplug(first);
    const HDEVINFO after = SetupDiGetClassDevsA(&hid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    EXPECT_EQ(sim->LiveDeviceInfoSets(), 2);
    EXPECT_EQ(EnumerateSet(before).paths, std::vector<std::string>{sim->DevicePath(first)});
    EXPECT_EQ(EnumerateSet(after).count, 1u);
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(before));
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(after));
    EXPECT_EQ(sim->LiveDeviceInfoSets(), 0);
    EXPECT_FALSE(SetupDiDestroyDeviceInfoList(after));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(EnumerationTest, DetailChecksSizesAsTheSystemDoes)
{
    const SimulatedDeviceId id = sim->Plug();
    GUID hid;
    HidD_GetHidGuid(&hid);
    const HDEVINFO set = SetupDiGetClassDevsA(&hid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof data + 1;
    EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &hid, 0, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
    data.cbSize = sizeof data;
    ASSERT_TRUE(SetupDiEnumDeviceInterfaces(set, nullptr, &hid, 0, &data));

    DWORD required = 0;
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &required, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    const std::string path = sim->DevicePath(id);
    EXPECT_EQ(required, offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
    std::vector<std::uint8_t> buffer(required);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = required;  // the buffer's size, a classic mistake
    EXPECT_FALSE(SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
    detail->cbSize = sizeof(void*) == 8 ? 8 : 5;
    EXPECT_TRUE(SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr));
    EXPECT_EQ(detail->DevicePath, path);
    SetupDiDestroyDeviceInfoList(set);
}

TEST_F(EnumerationTest, WithoutASimulatorTheSetIsValidAndEmpty)
{
    sim->Plug();
    SetEnvironmentVariableA(HIDSIM_INSTANCE_VARIABLE, "standin-tests-nobody");
    GUID hid;
    HidD_GetHidGuid(&hid);
    const HDEVINFO set = SetupDiGetClassDevsA(&hid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(set, INVALID_HANDLE_VALUE);
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof data;
    EXPECT_FALSE(SetupDiEnumDeviceInterfaces(set, nullptr, &hid, 0, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
}
