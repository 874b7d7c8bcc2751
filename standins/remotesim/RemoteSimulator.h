// The remote, and any other HID interfaces, simulated for a program that runs
// with our substitute hid.dll and setupapi.dll beside it (scripts/wine-prefix.sh
// tells Wine to load them for the programs that need them). The simulator
// runs in the test's (or demo's) process: it lists each plugged interface in
// a device table shared with the two DLLs, serves its device path as a named
// pipe, writes its registry key, and announces it to a window as the system
// does. Each process must run at most one simulator at a time.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "standins/remotesim/DeviceClassKeys.h"
#include "standins/remotesim/DeviceNames.h"
#include "standins/remotesim/HandleTable.h"  // CountProcessHandles, for tests
#include "standins/remotesim/PipeServer.h"
#include "standins/remotesim/SimulatedDeviceSpec.h"
#include "standins/shared/SharedSection.h"

class RemoteSimulator
{
public:
    // Sets HIDSIM_INSTANCE_VARIABLE to instance for this process and the
    // children it starts from now on.
    explicit RemoteSimulator(const std::string& instance);
    // Unplugs every device (without announcing it) and removes the registry
    // keys it wrote.
    ~RemoteSimulator();
    RemoteSimulator(const RemoteSimulator&) = delete;
    RemoteSimulator& operator=(const RemoteSimulator&) = delete;

    // Every call taking an id throws std::invalid_argument for one that was
    // never plugged; an unplugged device keeps its names.

    // Listed (after those present, in plug order), served, its registry value
    // written; nothing is announced. Throws when that cannot be done.
    SimulatedDeviceId Plug(const SimulatedDeviceSpec& spec = {});
    // drain: first waits (up to 5 s) until the clients have read every report
    // already written (reports held back by Stall are dropped). Then closes
    // every connection (an outstanding read completes with ERROR_BROKEN_PIPE)
    // and unlists the device; its registry key stays, as the system's does.
    void Unplug(SimulatedDeviceId id, bool drain = true);
    // WM_DEVICECHANGE as the system sends it; true once handled.
    bool AnnounceArrival(HWND window, SimulatedDeviceId id) const;
    bool AnnounceRemoval(HWND window, SimulatedDeviceId id) const;
    // Raw, for odd or malformed broadcasts; empty bytes send lParam 0.
    static bool SendDeviceChange(HWND window, WPARAM event, const std::vector<std::uint8_t>& broadcastBytes);
    static std::vector<std::uint8_t> InterfaceBroadcast(const std::string& name);
    // "\\?\HID#VID_0471&PID_0110[&MI_01]#<serial>#{4d1e55b2-f16f-11cf-88cb-001111000030}"
    std::string BroadcastName(SimulatedDeviceId id) const;
    // As SetupAPI lists it: "\\.\pipe\hid#vid_0471&pid_0110[&mi_01]#<serial>#{...}"
    std::string DevicePath(SimulatedDeviceId id) const;
    // The first count enumeration indices fail with error, before any device.
    void SetLeadingEnumerationErrors(std::uint32_t count, std::uint32_t error);

    // Keys. Press first pokes keyParameter (if any) at ModuleMap::KeyParameter
    // in the module, then writes one input report: report id 0, the code in
    // byte 2, zeros, inputReportLength bytes (1 if that is 0). Each report
    // goes to every connection of the device; false when there is none (or
    // the poke failed).
    bool Press(SimulatedDeviceId id, std::uint8_t code, const std::vector<std::uint8_t>& keyParameter = {});
    // repeats reports with the code, as a held key sends them, handed to the
    // pipes at once.
    bool Hold(SimulatedDeviceId id, std::uint8_t code, unsigned repeats);
    // The report with code 0.
    bool Release(SimulatedDeviceId id);
    bool SendReport(SimulatedDeviceId id, const std::vector<std::uint8_t>& report);
    // When the latest report was written to its device's pipes: the
    // performance counter in microseconds, as every process reads it (for
    // latency measurements; a call's hand-over to the serving thread comes
    // before it).
    double LastReportMicroseconds() const;

    // Faults.
    // Disconnects every open: its outstanding read completes with
    // ERROR_PIPE_NOT_CONNECTED and later reads on that handle fail at once;
    // new opens still succeed.
    void BreakConnections(SimulatedDeviceId id);
    // New opens fail while set (open ones stay).
    void RefuseOpens(SimulatedDeviceId id, bool refuse);
    // Reports are held back, in order, until unstalled.
    void Stall(SimulatedDeviceId id, bool stall);
    // While set, every read on the device completes at once with a single
    // byte instead of a report, as reads of a failing device complete without
    // one; the connections stay, and new ones fail their reads too.
    void FailReads(SimulatedDeviceId id, bool fail);
    // Reads that completed so since the device was plugged.
    std::size_t FailedReads(SimulatedDeviceId id) const;
    // Reports written to the pipes and not yet read by their client (those
    // held back by Stall not counted).
    std::size_t UnreadReports(SimulatedDeviceId id) const;

    // What a program did on the device side.
    struct DeviceHandle
    {
        SimulatedDeviceId device;
        bool canRead;     // opened with GENERIC_READ, not query-only
        bool overlapped;  // opened with FILE_FLAG_OVERLAPPED
    };
    // The process's open handles on this simulator's devices, plugged or not.
    // Wine does not tell which pipe a handle is on once its device broke or
    // was unplugged: such a handle has device kUnknownDevice (as would any
    // other pipe client handle whose server went away).
    static constexpr SimulatedDeviceId kUnknownDevice = 0;
    std::vector<DeviceHandle> OpenHandles(DWORD processId) const;
    // Connected pipe instances now, one per open handle of any process (a
    // handle just closed counts until the simulator notices, within moments).
    std::size_t Connections(SimulatedDeviceId id) const;
    // Device-information sets made by setupapi.dll and not yet destroyed, and
    // hid.dll's preparsed-data blocks not yet freed, in every process.
    int LiveDeviceInfoSets() const;
    int LivePreparsedData() const;

private:
    struct Device
    {
        SimulatedDeviceSpec spec;
        DeviceNames names;
    };

    const Device& Find(SimulatedDeviceId id) const;
    HidSim::DeviceTable& Table() const;
    std::vector<std::uint8_t> KeyReport(SimulatedDeviceId id, std::uint8_t code) const;

    std::unique_ptr<SharedSection> m_section;
    DeviceClassKeys m_keys;
    mutable PipeServer m_server;
    mutable std::mutex m_mutex;
    std::map<SimulatedDeviceId, Device> m_devices;
    SimulatedDeviceId m_lastId = 0;
    std::string m_serialPrefix;
};
