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
    // Fixed at boot; every call of the library asks for the time.
    static const auto perSecond = [] {
        LARGE_INTEGER frequency{};
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<std::uint64_t>(frequency.QuadPart);
    }();
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    const auto ticks = static_cast<std::uint64_t>(counter.QuadPart);
    // In two parts, so that a counter of many days does not overflow.
    return ticks / perSecond * 1000000 + ticks % perSecond * 1000000 / perSecond;
}
