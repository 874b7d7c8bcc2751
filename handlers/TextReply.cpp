#include "handlers/TextReply.h"

#include "handlers/NumberText.h"
#include "module/ModuleBlocks.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t kExaminedBytes = 255;
constexpr std::size_t kSentBytes = 37;

}  // namespace

EventBlock TextReplyBlock(std::string_view text, unsigned char code)
{
    std::string_view examined = text.substr(0, kExaminedBytes);
    while (!examined.empty() && IsStreamWhiteSpace(examined.back()))
        examined.remove_suffix(1);
    char kept[kExaminedBytes];
    std::size_t count = 0;
    for (const char character : examined) {
        if (character != '"')
            kept[count++] = character;
    }
    count = std::min(count, kSentBytes);

    EventBlock block{static_cast<unsigned char>(count + 2), code,
                     count > 0 ? kReplyOk : kReplyUnavailable};
    for (std::size_t at = 0; at < count; ++at)
        block.Append(static_cast<unsigned char>(kept[at]));
    return block;
}

std::string_view PathReplyText(std::string_view text)
{
    if (text.substr(0, 2) == "\\\\")
        return text;
    const std::string_view rest = text.substr(std::min<std::size_t>(1, text.size()));
    return rest.substr(0, rest.find('"'));
}
