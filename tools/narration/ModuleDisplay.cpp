#include "tools/narration/ModuleDisplay.h"

#include <algorithm>
#include <cstring>

#include "module/ModuleMemoryMap.h"
#include "tools/narration/BlockWords.h"

std::optional<std::string> ModuleDisplay::Write(std::uint32_t address, const std::uint8_t* bytes,
                                                std::size_t length, bool succeeded)
{
    if (!succeeded || length == 0)
        return std::nullopt;
    switch (address) {
    case ModuleMap::OutboxData:
        m_outboxLength = std::min(length, sizeof m_outbox);
        std::memcpy(m_outbox, bytes, m_outboxLength);
        return std::nullopt;
    case ModuleMap::OutboxDoorbell: {
        if (bytes[0] != ModuleMap::kDoorbellRing || m_outboxLength == 0)
            return std::nullopt;
        const std::string words = DescribeBlock(m_outbox, m_outboxLength);
        Apply(m_outbox, m_outboxLength, words);
        m_outboxLength = 0;
        ++m_blocks;
        return "module took: " + words;
    }
    case ModuleMap::HostPresent:
        return "module memory: host present = " + std::to_string(bytes[0]);
    case ModuleMap::HostLinkState:
        m_host = bytes[0] == 2 ? "host attached" : bytes[0] == 0 ? "host detached" : "host link " + std::to_string(bytes[0]);
        return "module memory: " + m_host;
    case ModuleMap::ParameterEcho:
        return "module memory: parameter echo = " + std::to_string(bytes[0]);
    default:
        return std::nullopt;
    }
}

void ModuleDisplay::Apply(const std::uint8_t* block, std::size_t length, const std::string& words)
{
    if (length == 3 && block[0] == 0x02) {
        const std::uint8_t value = block[2];
        switch (block[1]) {
        case 0xA2:
            if (value == 0x00 || value == 0x01 || value == 0x04)
                m_playState = words.substr(words.find(": ") + 2);
            return;
        case 0xA3: m_sound = value == 0x01 ? "silent" : "audible"; return;
        case 0xA6: m_volume = std::to_string(PercentOfLevel(value)); return;
        case 0xA8: m_repeat = value == 0x02 ? "on" : "off"; return;
        case 0xA9:
            if (value == 0x00 || value == 0x01)
                m_shuffle = value == 0x01 ? "on" : "off";
            return;
        default:
            if (block[1] >= 0xA1 && block[1] <= 0xA9)
                return;
        }
    }
    if (length >= 3 && block[1] == 0x47) {
        m_position = block[2] == 0x82 && length == 6 ? words.substr(words.rfind(", ") + 2) : "not playing";
    }
    m_lastReply = words;
}

std::string ModuleDisplay::Render() const
{
    return m_playState + ", volume " + m_volume + ", sound " + m_sound + ", shuffle " + m_shuffle + ", repeat " +
           m_repeat + ", position " + m_position + ", " + m_host + "; last reply: " + m_lastReply;
}
