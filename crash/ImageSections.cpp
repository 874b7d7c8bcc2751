#include "crash/ImageSections.h"

#include <algorithm>
#include <cstring>

namespace {

// Offsets in the PE format.
constexpr std::size_t kNewHeaderOffsetField = 0x3C;   // e_lfanew in the DOS header
constexpr std::size_t kSectionCountField = 4 + 2;     // NumberOfSections, after Signature and Machine
constexpr std::size_t kOptionalHeaderSizeField = 4 + 16;  // SizeOfOptionalHeader
constexpr std::size_t kOptionalHeaderStart = 4 + 20;  // after Signature and the file header
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kVirtualSizeField = 8;
constexpr std::size_t kVirtualAddressField = 12;
constexpr std::size_t kRawSizeField = 16;

// Reads a little-endian field that must lie wholly within the readable bytes.
template <class Value>
bool ReadField(const unsigned char* image, std::size_t readable, std::uint64_t at, Value& value)
{
    if (at > readable || readable - at < sizeof(Value))
        return false;
    unsigned char bytes[sizeof(Value)];
    std::memcpy(bytes, image + at, sizeof(Value));
    value = 0;
    for (std::size_t i = sizeof(Value); i-- > 0;)
        value = static_cast<Value>((value << 8) | bytes[i]);
    return true;
}

}  // namespace

bool FindImageSection(const unsigned char* image, std::size_t readable, std::uint64_t rva, ImageSectionOffset& where)
{
    std::uint16_t dosSignature = 0;
    std::uint32_t ntHeaders = 0;
    if (image == nullptr || !ReadField(image, readable, 0, dosSignature) || dosSignature != 0x5A4D
        || !ReadField(image, readable, kNewHeaderOffsetField, ntHeaders))
        return false;
    std::uint32_t ntSignature = 0;
    std::uint16_t sectionCount = 0;
    std::uint16_t optionalHeaderSize = 0;
    if (!ReadField(image, readable, ntHeaders, ntSignature) || ntSignature != 0x00004550
        || !ReadField(image, readable, std::uint64_t{ntHeaders} + kSectionCountField, sectionCount)
        || !ReadField(image, readable, std::uint64_t{ntHeaders} + kOptionalHeaderSizeField, optionalHeaderSize))
        return false;

    const std::uint64_t table = std::uint64_t{ntHeaders} + kOptionalHeaderStart + optionalHeaderSize;
    for (unsigned index = 0; index < sectionCount; ++index) {
        const std::uint64_t header = table + std::uint64_t{index} * kSectionHeaderSize;
        std::uint32_t virtualSize = 0;
        std::uint32_t start = 0;
        std::uint32_t rawSize = 0;
        if (!ReadField(image, readable, header + kVirtualSizeField, virtualSize)
            || !ReadField(image, readable, header + kVirtualAddressField, start)
            || !ReadField(image, readable, header + kRawSizeField, rawSize))
            return false;
        const std::uint64_t end = std::uint64_t{start} + std::max(virtualSize, rawSize);
        if (start <= rva && rva <= end) {
            where.section = index + 1;
            where.offset = static_cast<std::uint32_t>(rva - start);
            return true;
        }
    }
    return false;
}
