#include "handlers/StateValues.h"

#include <cstdint>

#include "handlers/NumberText.h"
#include "module/ModuleBlocks.h"

namespace {

bool Contains(std::string_view text, char letter)
{
    return text.find(letter) != std::string_view::npos;
}

}  // namespace

unsigned char FlagLettersValue(std::string_view text)
{
    unsigned char value = 0x00;
    if (Contains(text, 't'))
        value |= 0x01;
    if (Contains(text, '#'))
        value |= 0x02;
    if (Contains(text, 'n'))
        value |= 0x04;
    if (Contains(text, 'a'))
        value |= 0x08;
    return value;
}

unsigned char PlayStateValue(std::string_view text)
{
    if (text == "playing")
        return 0x01;
    if (text == "paused")
        return 0x04;
    return 0x00;  // "stopped" and every other text
}

unsigned char LetterRValue(std::string_view text)
{
    return Contains(text, 'r') ? 0x02 : 0x00;
}

unsigned char ZeroNumberValue(std::string_view text)
{
    return ReadSigned32(text) == 0 ? 0x01 : 0x00;
}

unsigned char PercentageValue(std::string_view text)
{
    // The product wraps as signed 32-bit arithmetic would, computed in
    // unsigned arithmetic where wrapping is defined.
    const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(ReadSigned32(text)) * 255u);
    return static_cast<unsigned char>(static_cast<std::uint32_t>(product / 100) & 0xFF);
}

unsigned char LaunchStateValue(std::string_view text)
{
    if (text == "launched")
        return 0x20;
    if (text == "closed")
        return 0x21;
    return 0x00;
}

unsigned char TransportModeValue(std::string_view text)
{
    if (text == "seek_forward")
        return 0x02;
    if (text == "seek_backward")
        return 0x03;
    if (text == "shuffle")
        return 0x01;
    return 0x00;
}

EventBlock StateEventBlock(unsigned char code, unsigned char value)
{
    return EventBlock(MakeStateBlock(code, value));
}
