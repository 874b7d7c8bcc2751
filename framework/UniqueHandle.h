// UniqueHandle owns a kernel handle for which null means none (events,
// threads, processes, file mappings); UniqueFile owns one from CreateFile,
// for which INVALID_HANDLE_VALUE means none; UniqueLibrary owns a library
// that LoadLibrary loaded.
#pragma once

#include <windows.h>

#include "framework/UniqueResource.h"

using UniqueHandle = UniqueResource<HANDLE, &::CloseHandle>;
using UniqueFile = UniqueResource<HANDLE, &::CloseHandle, -1>;
using UniqueLibrary = UniqueResource<HMODULE, &::FreeLibrary>;
