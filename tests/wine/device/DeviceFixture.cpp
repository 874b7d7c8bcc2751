#include "DeviceFixture.h"

#include <windows.h>

#include "SubstituteModule.h"
#include "device/HidDeviceRecord.h"
#include "device/RemoteRecord.h"

namespace {

RemoteSimulator* g_simulator = nullptr;

class SimulatorEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        const std::string instance = "device-units-" + std::to_string(::GetCurrentProcessId());
        SubstituteModule::UseInstance(instance);
        m_simulator = std::make_unique<RemoteSimulator>(instance);
        g_simulator = m_simulator.get();
    }
    void TearDown() override
    {
        g_simulator = nullptr;
        m_simulator.reset();
    }

private:
    std::unique_ptr<RemoteSimulator> m_simulator;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new SimulatorEnvironment);

}  // namespace

void DeviceTest::SetUp()
{
    ASSERT_NE(g_simulator, nullptr);
    SubstituteModule::Reset();
}

void DeviceTest::TearDown()
{
    {
        RemoteRecordLock lock;
        ReleaseDeviceRecord(RemoteRecord(), true);
    }
    for (const SimulatedDeviceId id : m_plugged)
        g_simulator->Unplug(id, false);
    g_simulator->SetLeadingEnumerationErrors(0, 0);
    EXPECT_EQ(g_simulator->LiveDeviceInfoSets(), 0) << "a device-information set was not destroyed";
    EXPECT_EQ(g_simulator->LivePreparsedData(), 0) << "preparsed data was not freed";
}

SimulatedDeviceId DeviceTest::Plug(const SimulatedDeviceSpec& spec)
{
    const SimulatedDeviceId id = g_simulator->Plug(spec);
    m_plugged.push_back(id);
    return id;
}

SimulatedDeviceSpec DeviceTest::OtherVendor()
{
    SimulatedDeviceSpec spec;
    spec.vendorId = 0x045E;
    spec.productId = 0x0110;
    return spec;
}

RemoteSimulator& DeviceTest::Simulator()
{
    return *g_simulator;
}

std::vector<RemoteSimulator::DeviceHandle> DeviceTest::OurHandles()
{
    return g_simulator->OpenHandles(::GetCurrentProcessId());
}
