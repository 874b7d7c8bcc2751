// The program's event log as every subsystem reaches it: a room of its own,
// below them all, into which the main dialog plugs the list that shows the
// lines while that list exists. A line with no list plugged is dropped.
#pragma once

#include <memory>

// Where the lines go. Called from any thread, also after it was unplugged by
// a call that had already started: it must not outlive what it touches.
class EventLogList
{
public:
    virtual ~EventLogList() = default;
    virtual void AppendLine(const char* text) = 0;
};

// Appends one line to the plugged list; callable from any thread.
void AppendLogLine(const char* text);

// Plugs list in, in place of any other. Unplugging drops the room's hold on
// it; calls already under way finish on it, which is why it is shared.
void PlugEventLogList(std::shared_ptr<EventLogList> list);
void UnplugEventLogList();
