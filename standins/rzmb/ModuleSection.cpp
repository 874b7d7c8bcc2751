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

std::uint64_t ModuleClockMicroseconds()
{
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    const auto ticks = static_cast<std::uint64_t>(counter.QuadPart);
    const auto perSecond = static_cast<std::uint64_t>(frequency.QuadPart);
    // In two parts, so that a counter of many days does not overflow.
    return ticks / perSecond * 1000000 + ticks % perSecond * 1000000 / perSecond;
}
