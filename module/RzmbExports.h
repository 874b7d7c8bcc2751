// What a module library exports, as the libraries built here declare it (our
// stand-in, and the tests' library from another maker): these two functions
// under their plain names, stdcall on 32-bit Windows. The program never calls
// them by these declarations; it loads whichever rzmb.dll it finds and calls
// through module/rzmb.h.
#pragma once

#include <windows.h>

extern "C" {

int __stdcall RzmaGetMem(DWORD address, DWORD length, void* buffer);
int __stdcall RzmaSetMem(DWORD address, DWORD length, void* buffer);

}
