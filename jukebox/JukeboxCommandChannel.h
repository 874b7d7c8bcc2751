// The command channel: any thread asks for a jukebox command; the main window
// sends it to the jukebox on the user-interface thread and logs it.
#pragma once

#include <windows.h>

#include "JukeboxContract.h"

// Wakes the main window for queued commands. wParam is the command number
// (informational only); lParam is the token of the command's queue entry.
constexpr UINT WM_JUKEBOX_COMMAND = WM_APP + 1;

// Queues command (with a copy of text, or without text when text is null)
// for the application's main window. Callable from any thread; without a main
// window the command is dropped silently.
void PostJukeboxCommand(int command, const char* text);

// On the user-interface thread, for one WM_JUKEBOX_COMMAND: sends the commands
// that the token releases to the jukebox link, in order, and logs each one.
// A token the program did not issue releases nothing.
void DeliverJukeboxCommands(LPARAM token, IJukeboxLink* link, HWND mainWindow);
