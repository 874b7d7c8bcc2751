// The number reading against the standard library's stream extraction: the
// signed read must agree with extracting a 32-bit integer (starting from 0)
// for every text; the unsigned read must be that number's nearest value in
// 0 .. UINT32_MAX.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string>

#include "handlers/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::int32_t extracted = 0;
    std::istringstream(text) >> extracted;
    if (ReadSigned32(text) != extracted)
        std::abort();

    long long wide = 0;
    std::istringstream(text) >> wide;
    std::uint32_t nearest = 0;
    if (wide > static_cast<long long>(std::numeric_limits<std::uint32_t>::max()))
        nearest = std::numeric_limits<std::uint32_t>::max();
    else if (wide > 0)
        nearest = static_cast<std::uint32_t>(wide);
    if (ReadUnsigned32(text) != nearest)
        std::abort();
    return 0;
}
