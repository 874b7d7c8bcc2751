// From jukebox event number to handler: the registry of the 17 events the
// program acts on, and the dispatch of one event.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "framework/String.h"
#include "handlers/MsgHandler.h"

// Makes the handler of one event number from the event's text.
using MsgHandlerFactory = std::unique_ptr<BaseMsgHandler> (*)(const char* text);
using MsgHandlerRegistry = std::map<std::uint32_t, MsgHandlerFactory>;

// The one registry, built and filled on the first call and never changed.
// Only the user-interface thread uses it.
const MsgHandlerRegistry& GetMsgHandlerRegistry();

// Hands the event to a fresh handler of its number, which handles it and is
// deleted again; an event number without a handler does nothing.
void DispatchJukeboxEvent(std::uint32_t eventNumber, CString text);
