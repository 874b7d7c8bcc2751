#include "handlers/NumberText.h"

#include <limits>

namespace {

bool IsDigit(char character)
{
    return character >= '0' && character <= '9';
}

// The magnitude and sign of the number at the start of text; the magnitude
// stops growing once it passes every limit of interest, so no digit count can
// overflow it.
struct ReadNumber
{
    bool found = false;
    bool negative = false;
    std::uint64_t magnitude = 0;
};

ReadNumber Read(std::string_view text)
{
    constexpr std::uint64_t kBeyondAnyLimit = std::uint64_t{1} << 33;
    ReadNumber number;
    std::size_t at = 0;
    while (at < text.size() && IsStreamWhiteSpace(text[at]))
        ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        ++at;
    }
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        number.found = true;
        if (number.magnitude < kBeyondAnyLimit)
            number.magnitude = number.magnitude * 10 + static_cast<std::uint64_t>(text[at] - '0');
    }
    return number;
}

}  // namespace

std::int32_t ReadSigned32(std::string_view text)
{
    const ReadNumber number = Read(text);
    if (!number.found)
        return 0;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const auto magnitude = static_cast<std::int64_t>(number.magnitude);
    const std::int64_t value = number.negative ? -magnitude : magnitude;
    if (value < kMin)
        return std::numeric_limits<std::int32_t>::min();
    if (value > kMax)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::uint32_t ReadUnsigned32(std::string_view text)
{
    const ReadNumber number = Read(text);
    if (!number.found || number.negative)
        return 0;
    if (number.magnitude > std::numeric_limits<std::uint32_t>::max())
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(number.magnitude);
}
