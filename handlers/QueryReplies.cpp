#include "handlers/QueryReplies.h"

#include <cstdint>

#include "handlers/NumberText.h"
#include "handlers/PackedDecimal.h"
#include "module/ModuleBlocks.h"
#include "handlers/ReplyCodes.h"

namespace {

unsigned char LowByte(std::int32_t value)
{
    return static_cast<unsigned char>(static_cast<std::uint32_t>(value) & 0xFF);
}

}  // namespace

EventBlock PercentageReplyBlock(std::string_view text)
{
    const std::uint32_t scaled = ReadUnsigned32(text) * 255u / 100u;
    return EventBlock{0x04, ReplyCode::kPercentage, kReplyOk, 0x00, static_cast<unsigned char>(scaled & 0xFF)};
}

EventBlock DottedNumbersReplyBlock(std::string_view text)
{
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
    const std::size_t first = text.find('.');
    const std::size_t second = first == std::string_view::npos ? first : text.find('.', first + 1);
    if (second != std::string_view::npos) {
        a = ReadSigned32(text.substr(0, first));
        b = ReadSigned32(text.substr(first + 1, second - first - 1));
        c = ReadSigned32(text.substr(second + 1));
    }
    return EventBlock{0x06,
                      ReplyCode::kDottedNumbers,
                      kReplyOk,
                      PackedDecimal(LowByte(a)),
                      PackedDecimal(LowByte(b)),
                      PackedDecimal(LowByte(c / 100)),
                      PackedDecimal(LowByte(c % 100))};
}

EventBlock StatusWordReplyBlock(std::string_view text)
{
    unsigned char status = kReplyUnavailable;
    if (text == "ok")
        status = kReplyOk;
    else if (text == "error")
        status = kReplyError;
    return EventBlock{0x02, ReplyCode::kStatusWord, status};
}

EventBlock PlayingTimeReplyBlock(std::string_view text)
{
    if (text == "not_playing")
        return EventBlock{0x05, ReplyCode::kPlayingTime, kReplyUnavailable, 0x00, 0x00, 0x00};
    const std::int32_t seconds = ReadSigned32(text) / 1000;
    const std::int32_t hours = seconds / 3600;
    const std::int32_t minutes = seconds % 3600 / 60;
    return EventBlock{0x05,
                      ReplyCode::kPlayingTime,
                      kReplyOk,
                      PackedDecimal(hours),
                      PackedDecimal(minutes),
                      PackedDecimal(seconds % 60)};
}
