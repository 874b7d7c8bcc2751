#include "standins/remotesim/RemoteSimulator.h"

#include <dbt.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "module/ModuleMemoryMap.h"
#include "standins/remotesim/DeviceBroadcast.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

constexpr auto kDrainLimit = std::chrono::seconds(5);
constexpr auto kDrainPoll = std::chrono::milliseconds(1);

// Unique among the serials of every simulator in this Wine session: the
// process, this process's simulator count, and the device.
std::string SerialPrefix()
{
    static std::atomic<unsigned> simulators{0};
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "7&%lx&%x&", ::GetCurrentProcessId(), ++simulators);
    return prefix;
}

class TableLock
{
public:
    explicit TableLock(HidSim::DeviceTable& table) : m_lock(table.lockOwner)
    {
        if (!m_lock.Held())
            throw std::runtime_error("the device table's lock is held too long");
    }

private:
    SectionLock m_lock;
};

HidSim::DeviceRecord MakeRecord(SimulatedDeviceId id, const SimulatedDeviceSpec& spec, const DeviceNames& names)
{
    HidSim::DeviceRecord record = {};
    if (names.pipeName.size() >= sizeof record.pipeName)
        throw std::invalid_argument("interface tag too long");
    record.id = id;
    record.vendorId = spec.vendorId;
    record.productId = spec.productId;
    record.versionNumber = spec.versionNumber;
    record.inputReportLength = spec.inputReportLength;
    record.infoFailure = spec.infoFailure;
    record.enumerationError = spec.enumerationError;
    std::memcpy(record.pipeName, names.pipeName.c_str(), names.pipeName.size() + 1);
    return record;
}

}  // namespace

RemoteSimulator::RemoteSimulator(const std::string& instance) : m_serialPrefix(SerialPrefix())
{
    if (!::SetEnvironmentVariableA(HIDSIM_INSTANCE_VARIABLE, instance.c_str()))
        throw std::runtime_error("cannot set " HIDSIM_INSTANCE_VARIABLE);
    m_section = SharedSection::CreateOrOpen(HidSim::kSectionPrefix + SectionInstanceName(HIDSIM_INSTANCE_VARIABLE),
                                            sizeof(HidSim::DeviceTable));
    if (!m_section)
        throw std::runtime_error("cannot create the device table");
    // A table left by an earlier simulator keeps its counts: they count
    // objects that still live in programs.
    HidSim::DeviceTable& table = Table();
    TableLock lock(table);
    table.deviceCount = 0;
    table.leadingErrorCount = 0;
    table.leadingError = 0;
}

RemoteSimulator::~RemoteSimulator()
{
    // Unlisted here; the pipes close with the server, the keys go with theirs.
    HidSim::DeviceTable& table = Table();
    SectionLock lock(table.lockOwner);
    if (lock.Held()) {
        table.deviceCount = 0;
        table.leadingErrorCount = 0;
    }
}

HidSim::DeviceTable& RemoteSimulator::Table() const
{
    return *static_cast<HidSim::DeviceTable*>(m_section->View());
}

const RemoteSimulator::Device& RemoteSimulator::Find(SimulatedDeviceId id) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_devices.find(id);
    if (found == m_devices.end())
        throw std::invalid_argument("no simulated device " + std::to_string(id));
    return found->second;
}

SimulatedDeviceId RemoteSimulator::Plug(const SimulatedDeviceSpec& spec)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const SimulatedDeviceId id = ++m_lastId;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%04x", id);
    Device device{spec, MakeDeviceNames(spec, m_serialPrefix + serial)};
    const HidSim::DeviceRecord record = MakeRecord(id, spec, device.names);
    if (!m_keys.Write(device.names.registryKey, device.names.deviceInstance))
        throw std::runtime_error("cannot write " + device.names.registryKey);
    // Served before it is listed: a program never finds it without its pipe.
    m_server.AddDevice(id, device.names.devicePath, spec.opens);
    HidSim::DeviceTable& table = Table();
    bool listed = false;
    {
        TableLock tableLock(table);
        if (table.deviceCount < HidSim::kMaxDevices) {
            table.devices[table.deviceCount++] = record;
            listed = true;
        }
    }
    if (!listed) {
        m_server.RemoveDevice(id);
        throw std::length_error("device table full");
    }
    m_devices.emplace(id, std::move(device));
    return id;
}

void RemoteSimulator::Unplug(SimulatedDeviceId id, bool drain)
{
    Find(id);
    if (drain) {
        const auto limit = std::chrono::steady_clock::now() + kDrainLimit;
        while (m_server.UnreadReports(id) != 0 && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(kDrainPoll);
    }
    {
        HidSim::DeviceTable& table = Table();
        TableLock tableLock(table);
        HidSim::DeviceRecord* const end = table.devices + table.deviceCount;
        HidSim::DeviceRecord* const found =
            std::find_if(table.devices, end, [id](const HidSim::DeviceRecord& record) { return record.id == id; });
        if (found != end) {
            std::copy(found + 1, end, found);
            --table.deviceCount;
        }
    }
    m_server.RemoveDevice(id);
}

bool RemoteSimulator::AnnounceArrival(HWND window, SimulatedDeviceId id) const
{
    return SendDeviceChange(window, DBT_DEVICEARRIVAL, InterfaceBroadcast(BroadcastName(id)));
}

bool RemoteSimulator::AnnounceRemoval(HWND window, SimulatedDeviceId id) const
{
    return SendDeviceChange(window, DBT_DEVICEREMOVECOMPLETE, InterfaceBroadcast(BroadcastName(id)));
}

bool RemoteSimulator::SendDeviceChange(HWND window, WPARAM event, const std::vector<std::uint8_t>& broadcastBytes)
{
    return ::SendDeviceChange(window, event, broadcastBytes);
}

std::vector<std::uint8_t> RemoteSimulator::InterfaceBroadcast(const std::string& name)
{
    return ::InterfaceBroadcast(name);
}

std::string RemoteSimulator::BroadcastName(SimulatedDeviceId id) const
{
    return Find(id).names.broadcastName;
}

std::string RemoteSimulator::DevicePath(SimulatedDeviceId id) const
{
    return Find(id).names.devicePath;
}

void RemoteSimulator::SetLeadingEnumerationErrors(std::uint32_t count, std::uint32_t error)
{
    if (count != 0 && error == 0)
        throw std::invalid_argument("a failing index needs an error");
    HidSim::DeviceTable& table = Table();
    TableLock lock(table);
    table.leadingErrorCount = count;
    table.leadingError = error;
}

std::vector<std::uint8_t> RemoteSimulator::KeyReport(SimulatedDeviceId id, std::uint8_t code) const
{
    std::vector<std::uint8_t> report(std::max<std::uint16_t>(Find(id).spec.inputReportLength, 1));
    if (report.size() > 2)
        report[2] = code;
    return report;
}

bool RemoteSimulator::Press(SimulatedDeviceId id, std::uint8_t code, const std::vector<std::uint8_t>& keyParameter)
{
    const std::vector<std::uint8_t> report = KeyReport(id, code);
    if (!keyParameter.empty() &&
        !RzmbPokeMemory(ModuleMap::KeyParameter, static_cast<std::uint32_t>(keyParameter.size()), keyParameter.data()))
        return false;
    return SendReport(id, report);
}

bool RemoteSimulator::Hold(SimulatedDeviceId id, std::uint8_t code, unsigned repeats)
{
    return m_server.Write(id, KeyReport(id, code), repeats);
}

bool RemoteSimulator::Release(SimulatedDeviceId id)
{
    return SendReport(id, KeyReport(id, 0));
}

bool RemoteSimulator::SendReport(SimulatedDeviceId id, const std::vector<std::uint8_t>& report)
{
    Find(id);
    return m_server.Write(id, report);
}

double RemoteSimulator::LastReportMicroseconds() const
{
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(m_server.LastWriteTicks()) * 1e6 / static_cast<double>(frequency.QuadPart);
}

void RemoteSimulator::BreakConnections(SimulatedDeviceId id)
{
    Find(id);
    m_server.BreakConnections(id);
}

void RemoteSimulator::RefuseOpens(SimulatedDeviceId id, bool refuse)
{
    Find(id);
    m_server.RefuseOpens(id, refuse);
}

void RemoteSimulator::Stall(SimulatedDeviceId id, bool stall)
{
    Find(id);
    m_server.Stall(id, stall);
}

void RemoteSimulator::FailReads(SimulatedDeviceId id, bool fail)
{
    Find(id);
    m_server.FailReads(id, fail);
}

std::size_t RemoteSimulator::FailedReads(SimulatedDeviceId id) const
{
    Find(id);
    return m_server.FailedReads(id);
}

std::size_t RemoteSimulator::UnreadReports(SimulatedDeviceId id) const
{
    Find(id);
    return m_server.UnreadReports(id);
}

std::vector<RemoteSimulator::DeviceHandle> RemoteSimulator::OpenHandles(DWORD processId) const
{
    const std::vector<PipeClientHandle> pipes = PipeClientHandles(processId);
    std::vector<DeviceHandle> handles;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const PipeClientHandle& pipe : pipes) {
        if (pipe.pipeName.empty())
            handles.push_back({kUnknownDevice, pipe.canRead, pipe.overlapped});
        for (const auto& device : m_devices) {
            if (device.second.names.pipeName == pipe.pipeName)
                handles.push_back({device.first, pipe.canRead, pipe.overlapped});
        }
    }
    return handles;
}

std::size_t RemoteSimulator::Connections(SimulatedDeviceId id) const
{
    Find(id);
    return m_server.Connections(id);
}

int RemoteSimulator::LiveDeviceInfoSets() const
{
    return ::InterlockedCompareExchange(&Table().liveDeviceInfoSets, 0, 0);
}

int RemoteSimulator::LivePreparsedData() const
{
    return ::InterlockedCompareExchange(&Table().livePreparsedData, 0, 0);
}
