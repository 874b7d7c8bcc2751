// The remote's key actions over the ports of KeyActionPorts.h, so that they
// run the same against the module library and against test doubles.
#pragma once

#include "module/KeyActionPorts.h"

// Runs the action of one key code to its end. Failed module reads make the
// action do nothing, except for keys 24 and 79, which reply "unavailable".
void DispatchRemoteKey(unsigned char code, ModuleAccess& module, ActionPoster& poster);

// Reads KeyParameter: non-zero switches block delivery on, zero off; a failed
// read leaves the switch alone.
void UpdateModuleWritesEnabled(ModuleAccess& module);

// Reads the state code asked for from KeyParameter and posts its state block
// (nothing for 0xA4 or when the read fails).
void AnswerStateQuery(ModuleAccess& module, ActionPoster& poster);
