#pragma once
#include "CallJournal.h"
#include "EventStore.h"
#include "Player.h"
#include "RegisteredWindow.h"
#include "ServerLifetime.h"

#include <functional>
#include <utility>

// The state all objects of one server process share. Every client of the
// process, the program and the tests alike, sees the same journal, events and
// registered window.
struct ServerContext
{
    explicit ServerContext(std::function<void()> onIdle) : lifetime(std::move(onIdle)) {}
    ServerContext(const ServerContext&) = delete;
    ServerContext& operator=(const ServerContext&) = delete;

    CServerLifetime lifetime;
    CCallJournal journal;
    CEventStore events;
    CRegisteredWindow window;
    CPlayer player;
};
