#pragma once
#include <windows.h>

// On 64-bit Windows the class and interface keys have a view for each width
// (the 32-bit one under Wow6432Node). The jukebox's clients may be of either
// width whatever its own is, so its keys go into both; on 32-bit Windows both
// flags are ignored and the one view is written twice.
constexpr REGSAM kRegistryViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

// The view of the other width, the one RegisterTypeLib does not write.
constexpr REGSAM kOtherWidthView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
