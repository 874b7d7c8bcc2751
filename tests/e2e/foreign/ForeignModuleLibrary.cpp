// A module library from another maker, as far as the program can tell: the
// contract's functions and nothing of our stand-in's. Its module answers every
// read with 0xFF (the device's switch on, an outbox count beyond any block)
// and takes every write.
#include <cstring>

#include "module/RzmbExports.h"

int __stdcall RzmaGetMem(DWORD, DWORD length, void* buffer)
{
    std::memset(buffer, 0xFF, length);
    return 1;
}

int __stdcall RzmaSetMem(DWORD, DWORD, void*)
{
    return 1;
}
