// The blocks the program sends to the device module. Byte 0 counts the bytes
// after it, byte 1 is a state code or the code of the key being answered; a
// reply's byte 2 is its status.
#pragma once

#include <array>
#include <cstdint>

enum ReplyStatus : unsigned char
{
    kReplyUnavailable = 0x81,
    kReplyOk = 0x82,
    kReplyError = 0x83,
};

// The code of the key that asks for the module information (key 79).
constexpr unsigned char kModuleInfoKey = 0x4F;

using StateBlock = std::array<unsigned char, 3>;
using UnavailableReplyBlock = std::array<unsigned char, 3>;
using ModuleInfoReplyBlock = std::array<unsigned char, 7>;
using TestReplyBlock = std::array<unsigned char, 40>;

// {0x02, code, value}.
StateBlock MakeStateBlock(unsigned char code, unsigned char value);

// {0x02, key code, 0x81}: the request cannot be served.
UnavailableReplyBlock MakeUnavailableReply(unsigned char keyCode);

// Key 79's answer: {0x06, 0x4F, 0x82, the four module bytes as read}.
ModuleInfoReplyBlock MakeModuleInfoReply(const unsigned char (&info)[4]);

// Key 80's fixed test block: 29 50 82, "random-data", then zeros. Its count
// byte says 41 although 39 bytes follow; the device expects it that way.
TestReplyBlock MakeTestReply();
