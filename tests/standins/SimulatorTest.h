// Each test runs a simulator of its own instance, in this process, with this
// process as the devices' client.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "standins/remotesim/RemoteSimulator.h"

class SimulatorTest : public ::testing::Test
{
protected:
    SimulatorTest();

    std::unique_ptr<RemoteSimulator> sim;
};
