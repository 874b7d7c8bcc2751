// Guards the device-module state cache; created during static initialisation,
// before any thread but the main one exists.
#pragma once

#include "framework/CriticalSection.h"

extern CCriticalSection ModuleStateLock;
