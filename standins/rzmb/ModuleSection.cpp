#include "standins/rzmb/ModuleSection.h"

#include <memory>

#include "standins/rzmb/RzmbControl.h"
#include "standins/shared/SharedSection.h"

SharedModule* ModuleInstance()
{
    try {
        // A new section is zero-filled: a free lock and the module's fresh
        // state. The instance is read once, at the first call.
        static const std::unique_ptr<SharedSection> section = SharedSection::CreateOrOpen(
            "Local\\VantrelRzmbModule." + SectionInstanceName(RZMB_INSTANCE_VARIABLE), sizeof(SharedModule));
        return section ? static_cast<SharedModule*>(section->View()) : nullptr;
    } catch (...) {
        return nullptr;
    }
}
