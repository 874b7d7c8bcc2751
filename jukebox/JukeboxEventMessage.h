// The registered message by which the jukebox reports its events.
#pragma once

#include <windows.h>

inline constexpr char kJukeboxEventMessageName[] = "VorirudaEventMessage_263EDFD2C5C6412a9DBEE9E7D27AF902";

// Registered during static initialisation, before any window exists; 0 if the
// registration failed.
extern const UINT WM_JUKEBOX_EVENT;
