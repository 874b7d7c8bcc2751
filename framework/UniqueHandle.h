// UniqueHandle: owns a kernel handle for which null means none (events,
// threads, processes, file mappings); CreateFile's files use INVALID_HANDLE_VALUE
// and get UniqueFile.
#pragma once

#include <windows.h>

#include "framework/UniqueResource.h"

using UniqueHandle = UniqueResource<HANDLE, &::CloseHandle>;
