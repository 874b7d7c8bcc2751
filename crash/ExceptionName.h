// The name of an exception code in the crash report.
#pragma once

#include <cstdint>

// The fixed name of a well-known code; for any other code the system's text
// for it from NTDLL.DLL's message table (it usually ends in its own line
// break), or an empty text when there is none. The text lives in a static
// buffer until the next call.
const char* ExceptionName(std::uint32_t code);
