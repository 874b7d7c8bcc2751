// What the program has told the module so far, as the module's "display"
// would show it, built from the module's memory writes in the order they
// were made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class ModuleDisplay
{
public:
    // One write to module memory. Returns the line that tells what it meant to
    // the module (a block taken at the doorbell, the host coming or going, a
    // parameter echo); nothing for the mailbox's own bookkeeping.
    std::optional<std::string> Write(std::uint32_t address, const std::uint8_t* bytes, std::size_t length,
                                     bool succeeded);

    // "playing, volume 55, sound audible, shuffle off, repeat off, position
    // 0:01:23, host attached; last reply: ...", with "?" for what was never
    // sent.
    std::string Render() const;

    std::size_t BlocksTaken() const { return m_blocks; }

private:
    void Apply(const std::uint8_t* block, std::size_t length, const std::string& words);

    std::uint8_t m_outbox[256] = {};
    std::size_t m_outboxLength = 0;
    std::size_t m_blocks = 0;

    std::string m_playState = "?";
    std::string m_volume = "?";
    std::string m_sound = "?";
    std::string m_shuffle = "?";
    std::string m_repeat = "?";
    std::string m_position = "?";
    std::string m_host = "host ?";
    std::string m_lastReply = "none";
};
