// The device module's memory as the program uses it: module addresses as the
// module library takes them, all below 0x10000.
#pragma once

#include <cstdint>

namespace ModuleMap {

constexpr std::uint32_t kMemorySize = 0x10000;

// Four bytes that describe the module, answered unchanged to key 79.
constexpr std::uint32_t ModuleInfo = 0x1C4B;
constexpr std::uint32_t kModuleInfoLength = 4;
// The parameter that the device leaves with the key code it just sent.
constexpr std::uint32_t KeyParameter = 0xA4C1;
// The text of key 32 (its length is the KeyParameter byte); for key 8, the
// second parameter byte.
constexpr std::uint32_t KeyParameterText = 0xA4C2;
constexpr std::uint32_t HostPresent = 0xA4EF;
constexpr std::uint32_t HostLinkState = 0xA4F0;
// Zeroed before each block; then the module's progress through it.
constexpr std::uint32_t OutboxCount = 0xA4F2;
constexpr std::uint32_t ParameterEcho = 0xA4F3;
constexpr std::uint32_t OutboxData = 0xA4F4;
// Ringing it tells the module that a block waits in the outbox.
constexpr std::uint32_t OutboxDoorbell = 0xB0A0;
constexpr unsigned char kDoorbellRing = 0xC0;

}  // namespace ModuleMap
