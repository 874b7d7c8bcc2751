// The device module's library: its whole contract with the program, imported
// by name from rzmb.dll. Each call reads or writes length bytes of module
// memory starting at address; a non-zero result means success. The library
// needs no initialisation and gives no error detail.
#pragma once

#include <windows.h>

extern "C" {

int __stdcall RzmaGetMem(DWORD address, DWORD length, void* buffer);
int __stdcall RzmaSetMem(DWORD address, DWORD length, void* buffer);

}
