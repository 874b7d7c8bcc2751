// The handlers' outputs, recorded instead of posted: this file's definitions
// of PostEventBlock, PostWmAppcommandZero and StoreModuleState stand in for
// the program's when the handlers run outside it.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct HandlerOutput
{
    enum class Kind { Block, WmAppcommandZero, StateStore };

    Kind kind = Kind::Block;
    // A block's bytes, or {code, value} of a store.
    std::vector<unsigned char> bytes;

    friend bool operator==(const HandlerOutput& left, const HandlerOutput& right)
    {
        return left.kind == right.kind && left.bytes == right.bytes;
    }
};

HandlerOutput Block(std::vector<unsigned char> bytes);
HandlerOutput WmAppcommandZero();
HandlerOutput Store(unsigned char code, unsigned char value);

// For failure messages: "block 02 a2 01", "store a2 01", "command 203".
std::string Describe(const HandlerOutput& output);
inline void PrintTo(const HandlerOutput& output, std::ostream* stream)
{
    *stream << Describe(output);
}

// Everything the handlers sent since the last call, oldest first; clears it.
std::vector<HandlerOutput> TakeHandlerOutputs();

// Dispatches one event and returns what its handler sent.
std::vector<HandlerOutput> OutputsOfEvent(std::uint32_t eventNumber, const std::string& text);
