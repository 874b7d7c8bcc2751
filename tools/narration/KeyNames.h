// The remote's keys by the names a person would give them, after what the
// reference jukebox does with each key's command. The program itself knows
// keys only by their codes; these names are for the demo and the console.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a key's parameter (the bytes the remote leaves in the module before
// the report) means to the person pressing it.
enum class KeyArgument
{
    None,
    Level,      // 0..255, the second parameter byte (the first stays 0)
    Number,     // 0..255, one byte
    Text,       // the length byte, then the text
    OnOff,      // 1 or 0
    StateCode,  // a state code such as a2
};

struct KeyName
{
    std::uint8_t code;
    const char* name;
    KeyArgument argument;
    const char* meaning;
};

// Every named key, in code order.
const std::vector<KeyName>& NamedKeys();
const KeyName* FindKeyByName(const std::string& name);
const KeyName* FindKeyByCode(std::uint8_t code);
// "play (1)" for a named key, "key 25" otherwise.
std::string KeyLabel(std::uint8_t code);
