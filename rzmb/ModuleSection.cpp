#include "rzmb/ModuleSection.h"

#include <chrono>
#include <memory>
#include <string>

#include "rzmb/RzmbControl.h"

namespace {

// Calls hold the lock for microseconds; a wait this long means a holder that
// hangs, and the call fails instead of hanging too.
constexpr auto kLockLimit = std::chrono::seconds(10);
// How often a waiter looks whether the holder's process still exists.
constexpr auto kOwnerCheckInterval = std::chrono::milliseconds(100);

// The instance name from the environment, reduced to characters that are
// safe in an object name.
std::string InstanceName()
{
    char value[65] = {};
    const DWORD length = ::GetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, value, sizeof value);
    std::string name = (length == 0 || length >= sizeof value) ? "default" : value;
    for (char& c : name) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '.';
        if (!safe)
            c = '_';
    }
    return name;
}

std::unique_ptr<ModuleSection> OpenSection()
{
    const std::string sectionName = "Local\\VantrelRzmbModule." + InstanceName();
    // A new section is zero-filled: a free lock and the module's fresh state.
    UniqueHandle section(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedModule),
                                              sectionName.c_str()));
    if (!section)
        return nullptr;
    UniqueMappedView view(::MapViewOfFile(section.Get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedModule)));
    if (!view)
        return nullptr;
    return std::make_unique<ModuleSection>(std::move(section), std::move(view));
}

bool ProcessHasEnded(DWORD processId)
{
    UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

ModuleSection* ModuleSection::Instance()
{
    try {
        static const std::unique_ptr<ModuleSection> instance = OpenSection();
        return instance.get();
    } catch (...) {
        return nullptr;
    }
}

ModuleSection::ModuleSection(UniqueHandle section, UniqueMappedView view)
    : m_section(std::move(section)), m_view(std::move(view))
{
}

ModuleLock::ModuleLock(SharedModule& shared)
    : m_owner(shared.lockOwner), m_self(static_cast<LONG>(::GetCurrentProcessId())), m_held(false)
{
    const auto start = std::chrono::steady_clock::now();
    auto nextOwnerCheck = start + kOwnerCheckInterval;
    for (;;) {
        const LONG owner = ::InterlockedCompareExchange(&m_owner, m_self, 0);
        if (owner == 0) {
            m_held = true;
            return;
        }
        ::SwitchToThread();
        const auto now = std::chrono::steady_clock::now();
        if (now - start >= kLockLimit)
            return;
        if (now >= nextOwnerCheck) {
            nextOwnerCheck = now + kOwnerCheckInterval;
            if (owner != m_self && ProcessHasEnded(static_cast<DWORD>(owner)) &&
                ::InterlockedCompareExchange(&m_owner, m_self, owner) == owner) {
                m_held = true;
                return;
            }
        }
    }
}

ModuleLock::~ModuleLock()
{
    if (m_held)
        ::InterlockedExchange(&m_owner, 0);
}
