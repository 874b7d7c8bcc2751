// The names a simulated interface goes by, each in the form and case the
// system uses for it.
#pragma once

#include <string>

#include "standins/remotesim/SimulatedDeviceSpec.h"

struct DeviceNames
{
    // "\\?\HID#VID_0471&PID_0110[&MI_01]#<serial>#{hid class}", as broadcast.
    std::string broadcastName;
    // The pipe that serves it, as SetupAPI lists it: "\\.\pipe\hid#vid_...".
    std::string devicePath;
    // devicePath without "\\.\pipe\", as a handle's file name gives it.
    std::string pipeName;
    // Under HKEY_LOCAL_MACHINE: the interface's key, and its DeviceInstance
    // value "HID\VID_0471&PID_0110[&MI_01]\<SERIAL>".
    std::string registryKey;
    std::string deviceInstance;
};

// serial: unique among the interfaces present, e.g. "7&1c&1&0003".
DeviceNames MakeDeviceNames(const SimulatedDeviceSpec& spec, const std::string& serial);

// The registry key the system keeps for an interface name, backslashes
// turned into '#'.
std::string DeviceClassKey(const std::string& interfaceName);
