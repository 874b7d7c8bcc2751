// The device module's library as the program calls it: the two functions of
// rzmb.dll, forwarded to the library loaded at start (module/ModuleLibrary.h).
// Each call reads or writes length bytes of module memory starting at
// address; a non-zero result means success. The library needs no
// initialisation and gives no error detail. Without a library every call
// fails.
#pragma once

#include <windows.h>

int RzmaGetMem(DWORD address, DWORD length, void* buffer);
int RzmaSetMem(DWORD address, DWORD length, void* buffer);
