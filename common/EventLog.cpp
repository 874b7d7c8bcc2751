#include "common/EventLog.h"

#include <mutex>
#include <utility>

#include "common/SlimLock.h"

namespace {

struct PluggedList
{
    SlimMutex mutex;
    std::shared_ptr<EventLogList> list;
};

PluggedList& Plugged()
{
    static PluggedList plugged;
    return plugged;
}

std::shared_ptr<EventLogList> CurrentList()
{
    PluggedList& plugged = Plugged();
    std::lock_guard<SlimMutex> lock(plugged.mutex);
    return plugged.list;
}

}  // namespace

void AppendLogLine(const char* text)
{
    // Called outside the room's lock: a list may wait for another thread,
    // which may itself be appending or unplugging.
    if (const std::shared_ptr<EventLogList> list = CurrentList())
        list->AppendLine(text);
}

void PlugEventLogList(std::shared_ptr<EventLogList> list)
{
    PluggedList& plugged = Plugged();
    std::lock_guard<SlimMutex> lock(plugged.mutex);
    // The list replaced is released after the lock, with the argument.
    plugged.list.swap(list);
}

void UnplugEventLogList()
{
    PlugEventLogList(nullptr);
}
