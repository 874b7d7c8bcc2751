// The last value sent to the device module for each of the five cached state
// codes (0xA1, 0xA2, 0xA3, 0xA6, 0xA8), guarded by ModuleStateLock: stored by
// the jukebox event handlers on the user-interface thread, read by the
// device's state query on the reader thread.
#pragma once

#include <optional>

// Stores value as the cached byte of code; codes outside the five are ignored.
void StoreModuleState(unsigned char code, unsigned char value);

// The device asked for one state code (the KeyParameter byte): posts the
// StateBlock {0x02, code, cached value}; nothing for 0xA4 or when the read
// fails, value 0 for codes that are not cached.
void AnswerStateQuery();

// The answer for code as AnswerStateQuery chooses it: none for 0xA4.
std::optional<unsigned char> CachedStateAnswer(unsigned char code);
