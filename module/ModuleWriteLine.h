// The event-log line of one write to the device module.
#pragma once

#include <cstdint>
#include <string>

// "RzmaSetMem: <address>, <length> :" in lower-case hexadecimal, then each
// byte as two hexadecimal digits and a blank. The line carries every byte
// written, so it ends with a blank whenever there is one.
std::string FormatModuleWriteLine(std::uint32_t address, std::uint32_t length, const unsigned char* bytes);

// Each byte as two lower-case hexadecimal digits and a blank.
std::string FormatModuleBytes(std::uint32_t length, const unsigned char* bytes);
