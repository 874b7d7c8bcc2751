// Any bytes as a device-change broadcast, whose size word never claims more
// than the bytes there are: the name reading must stay inside that size.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "device/DeviceBroadcast.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    std::vector<unsigned char> broadcast(data, data + size);
    std::uint32_t claimed = 0;
    std::memcpy(&claimed, broadcast.data(), 4);
    claimed = std::max<std::uint32_t>(4, claimed % static_cast<std::uint32_t>(size + 1));
    std::memcpy(broadcast.data(), &claimed, 4);
    broadcast.resize(claimed);
    const auto name = InterfaceNameFromBroadcast(broadcast.data());
    if (name && (name->empty() || name->size() + kBroadcastNameOffset >= claimed))
        std::abort();
    return 0;
}
