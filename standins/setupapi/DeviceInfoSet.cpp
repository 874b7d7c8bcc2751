#include "standins/setupapi/DeviceInfoSet.h"

#include <new>

#include "standins/remotesim/DeviceTable.h"

std::shared_ptr<DeviceInfoSet> DeviceInfoSet::Snapshot(bool listsHid)
{
    enum class Outcome { NoTable, Taken, OutOfMemory };
    std::shared_ptr<DeviceInfoSet> set(new DeviceInfoSet());
    const Outcome outcome = HidSim::WithDeviceTable(Outcome::NoTable, [&](HidSim::DeviceTable& table) {
        try {
            if (listsHid) {
                set->m_leadingErrorCount = table.leadingErrorCount;
                set->m_leadingError = table.leadingError;
                for (std::uint32_t i = 0; i < table.deviceCount; ++i) {
                    const HidSim::DeviceRecord& device = table.devices[i];
                    set->m_interfaces.push_back(
                        {std::string("\\\\.\\pipe\\") + device.pipeName, device.enumerationError});
                }
            }
        } catch (...) {
            return Outcome::OutOfMemory;
        }
        set->m_liveCount = &table.liveDeviceInfoSets;
        ::InterlockedIncrement(set->m_liveCount);
        return Outcome::Taken;
    });
    if (outcome == Outcome::OutOfMemory)
        throw std::bad_alloc();
    return set;
}

DeviceInfoSet::~DeviceInfoSet()
{
    if (m_liveCount != nullptr)
        ::InterlockedDecrement(m_liveCount);
}

DWORD DeviceInfoSet::InterfaceAt(DWORD index, const DeviceInterface*& found) const
{
    if (index < m_leadingErrorCount)
        return m_leadingError != 0 ? m_leadingError : ERROR_GEN_FAILURE;
    const DWORD position = index - m_leadingErrorCount;
    if (position >= m_interfaces.size())
        return ERROR_NO_MORE_ITEMS;
    found = &m_interfaces[position];
    return found->enumerationError;
}

const DeviceInterface* DeviceInfoSet::FromToken(ULONG_PTR token) const
{
    if (token <= m_leadingErrorCount || token - 1 - m_leadingErrorCount >= m_interfaces.size())
        return nullptr;
    return &m_interfaces[token - 1 - m_leadingErrorCount];
}
