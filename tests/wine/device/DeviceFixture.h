// The remote's code in this process against our hid.dll and setupapi.dll,
// with the remote simulator serving the devices from this process too.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "standins/remotesim/RemoteSimulator.h"

// The simulator of this test program; devices a test plugs are unplugged
// after it.
class DeviceTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    SimulatedDeviceId Plug(const SimulatedDeviceSpec& spec = {});
    static SimulatedDeviceSpec OtherVendor();
    RemoteSimulator& Simulator();

    // The device handles this process holds now.
    std::vector<RemoteSimulator::DeviceHandle> OurHandles();

private:
    std::vector<SimulatedDeviceId> m_plugged;
};
