// Texts from the jukebox arrive as BSTRs; the program works with ANSI text.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "framework/String.h"

// The text in the system ANSI code page, up to the BSTR's first NUL;
// characters the code page lacks become its default character. A null BSTR
// (or one that cannot be converted) gives the empty text.
CString BstrToAnsi(BSTR text);
