// The remote's keys as data: what each code 0 to 255 makes the program do.
#pragma once

#include <array>

enum class KeyActionKind : unsigned char
{
    None,
    Command,          // the jukebox command, without data
    Request,          // the same, answered later by the jukebox event of that number
    Level,            // command with the second parameter byte as a percentage
    NumberParameter,  // command with the KeyParameter byte as number text
    TextParameter,    // command with KeyParameterText
    ParameterEcho,    // KeyParameter non-zero or not, written to ParameterEcho
    WritesSwitch,     // KeyParameter switches block delivery
    Reply,            // a fixed reply block
    ModuleInfo,       // the ModuleInfo bytes as a reply
    TestReply,        // the fixed 40-byte test block
    StateQuery,       // a cached state byte as a state block
};

struct KeyAction
{
    KeyActionKind kind = KeyActionKind::None;
    int command = 0;
    // A Reply's block; for NumberParameter the reply posted when the
    // parameter cannot be read (none when replyLength is 0).
    std::array<unsigned char, 4> reply{};
    unsigned char replyLength = 0;
};

// The action of a key code; codes without one give KeyActionKind::None.
const KeyAction& RemoteKeyAction(unsigned char code);
