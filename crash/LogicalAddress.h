// Where an address lies in the process: the file name of the module that
// holds it, and the section and offset within that module.
#pragma once

#include <windows.h>

// Fills `name` (length bytes) with the file name of the module holding
// address and returns true with section (1-based) and offset set. Returns
// false when the address is in no module (name left empty) or in none of the
// module's sections (name filled; section and offset keep their values).
bool FindLogicalAddress(const void* address, char* name, DWORD length, DWORD& section, DWORD& offset);
