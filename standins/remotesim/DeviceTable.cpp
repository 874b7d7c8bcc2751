#include "standins/remotesim/DeviceTable.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "standins/shared/SharedSection.h"

namespace HidSim {

DeviceTable* CurrentDeviceTable() noexcept
{
    try {
        // Read the instance at every call: a test process may run one
        // simulator after another, each under a name of its own. Tables found
        // stay mapped, as the counts in them are kept through pointers.
        static std::mutex mutex;
        static std::map<std::string, std::unique_ptr<SharedSection>> tables;
        const std::string instance = SectionInstanceName(HIDSIM_INSTANCE_VARIABLE);
        std::lock_guard<std::mutex> lock(mutex);
        std::unique_ptr<SharedSection>& section = tables[instance];
        if (!section)
            section = SharedSection::OpenExisting(kSectionPrefix + instance, sizeof(DeviceTable));
        return section ? static_cast<DeviceTable*>(section->View()) : nullptr;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace HidSim
