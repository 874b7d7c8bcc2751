// Texts are ANSI (system code page) everywhere in the program; they become
// BSTRs only at the COM boundary.
#pragma once

#include <windows.h>
#include <oleauto.h>

// A new BSTR holding every character of text (which must not be null), or
// null if it cannot be allocated. The caller frees it.
BSTR AnsiToBstr(const char* text);
