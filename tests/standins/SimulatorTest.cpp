#include "SimulatorTest.h"

#include <windows.h>

#include <string>

#include "standins/rzmb/RzmbControl.h"

SimulatorTest::SimulatorTest()
{
    static int tests = 0;
    const std::string run = "standin-tests-" + std::to_string(GetCurrentProcessId());
    SetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, run.c_str());  // read once, at the first poke
    sim = std::make_unique<RemoteSimulator>(run + "-" + std::to_string(++tests));
}
