#pragma once
#include "CallJournal.h"
#include "CreationHold.h"
#include "EventStore.h"
#include "Player.h"
#include "RegisteredWindow.h"
#include "ServerLifetime.h"

#include <functional>
#include <string>
#include <utility>

// The state all objects of one server process share. Every client of the
// process, the program and the tests alike, sees the same journal, events,
// registered window and player.
struct ServerContext
{
    explicit ServerContext(std::function<void()> onIdle)
        : lifetime(std::move(onIdle)),
          player([this](long toWindow, long eventNumber, const std::wstring& text)
                 { RaiseEvent(toWindow, eventNumber, text); })
    {
    }
    ServerContext(const ServerContext&) = delete;
    ServerContext& operator=(const ServerContext&) = delete;

    CServerLifetime lifetime;
    CCallJournal journal;
    CEventStore events;
    CRegisteredWindow window;
    CPlayer player;
    CCreationHold companionHold;

private:
    // The player's events travel like those a test posts: the text is kept
    // under a fresh key and the message carries the key.
    void RaiseEvent(long toWindow, long eventNumber, const std::wstring& text)
    {
        const long key = events.Store(text);
        if (toWindow == 0)
            window.PostEvent(eventNumber, key);
        else
            PostJukeboxEvent(toWindow, eventNumber, key);
    }
};
