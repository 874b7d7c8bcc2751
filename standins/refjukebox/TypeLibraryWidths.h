#pragma once
#include <oaidl.h>
#include <string>

// RegisterTypeLib writes a library's path only under the key of its own
// platform (win32 or win64) and its interfaces' marshalling keys only in its
// own registry view. A client of the other width looks in the other ones, so
// these write them too, the other platform's key naming the library's twin
// laid out for that width: the jukebox's width is not its clients' to choose.
HRESULT RegisterForOtherWidth(ITypeLib* library, const TLIBATTR& identity,
                              const std::wstring& otherWidthPath);
// Removes the library's keys for both widths; missing keys are fine.
void UnregisterForBothWidths(ITypeLib* library, const TLIBATTR& identity);
