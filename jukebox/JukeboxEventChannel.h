// The event channel: the jukebox posts WM_JUKEBOX_EVENT with an event number
// and a key; the main window fetches the event's text with the key, hands the
// event to its handler and logs it.
#pragma once

#include <windows.h>

#include "JukeboxContract.h"

// For one WM_JUKEBOX_EVENT on the user-interface thread: wParam is the event
// number (unsigned 32-bit), lParam the key for GetEventData. Without a link,
// or when the jukebox cannot give the text, the event has the empty text.
void ReceiveJukeboxEvent(IJukeboxLink* link, WPARAM wParam, LPARAM lParam);
