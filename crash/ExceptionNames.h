// The names the crash report gives to exception codes, and the codes that are
// ours or the C++ runtime's. No Windows headers: the table is plain data.
#pragma once

#include <cstdint>

// Raised by the terminate handler for a C++ exception that nothing caught
// ("CPP" in its low bytes, customer bit set).
constexpr std::uint32_t kUncaughtCppExceptionCode = 0xE0435050;

// The name of a well-known exception code, or null for any other code (the
// report then asks the system for its text).
const char* KnownExceptionName(std::uint32_t code);

// True for the structured exception the 64-bit C++ runtime raises while it
// searches for a catch clause ("GCC" in its low bytes). When it reaches the
// unhandled-exception filter nothing has failed yet: execution must go on so
// that the runtime sees there is no handler and calls std::terminate, which
// then raises kUncaughtCppExceptionCode.
bool IsCppHandlerSearch(std::uint32_t code, std::uint32_t flags);
