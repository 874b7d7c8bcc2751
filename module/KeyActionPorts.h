// What the remote's key actions reach, as two small interfaces: the program
// binds them to the module library, the mailbox and the jukebox command
// channel; tests bind them to fakes.
#pragma once

#include <cstdint>
#include <optional>

// The device module: its memory, the switch for block delivery and the cache
// of state bytes.
class ModuleAccess
{
public:
    virtual ~ModuleAccess() = default;
    // Reads module memory; false when the library reports failure.
    virtual bool Read(std::uint32_t address, std::uint32_t length, unsigned char* buffer) = 0;
    // A logged immediate write, made whether or not block delivery is on.
    virtual bool Write(std::uint32_t address, std::uint32_t length, const unsigned char* bytes) = 0;
    virtual void SetWritesEnabled(bool enabled) = 0;
    // The cached answer to a state query (see ModuleStateTable::Answer).
    virtual std::optional<unsigned char> StateAnswer(unsigned char code) = 0;
};

// Hands work to the user-interface thread; both calls return at once.
class ActionPoster
{
public:
    virtual ~ActionPoster() = default;
    // A jukebox command, with a text or (text null) without.
    virtual void PostCommand(int command, const char* text) = 0;
    // A block for the module's mailbox.
    virtual void PostBlock(std::uint32_t length, const unsigned char* data) = 0;
};
