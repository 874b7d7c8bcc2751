// Creating the jukebox's two objects in its out-of-process server.
#pragma once

#include "JukeboxContract.h"
#include "framework/ComPtr.h"

// Both throw ComException when the object cannot be created, which is how a
// missing or unregistered jukebox shows itself.
ComPtr<IJukeboxLink> CreateJukeboxLink();
ComPtr<IJukeboxCompanion> CreateJukeboxCompanion();
