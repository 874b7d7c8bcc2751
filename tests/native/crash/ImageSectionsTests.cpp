#include "crash/ImageSections.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Section
{
    std::uint32_t start;
    std::uint32_t virtualSize;
    std::uint32_t rawSize;
};

constexpr std::uint32_t kNtHeaders = 0x80;

void Put16(std::vector<unsigned char>& image, std::size_t at, std::uint16_t value)
{
    image[at] = static_cast<unsigned char>(value);
    image[at + 1] = static_cast<unsigned char>(value >> 8);
}

void Put32(std::vector<unsigned char>& image, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// The headers of a PE image as they lie in memory at its base.
std::vector<unsigned char> MakeHeaders(const std::vector<Section>& sections, std::uint16_t optionalHeaderSize = 0xF0)
{
    const std::size_t table = kNtHeaders + 24 + optionalHeaderSize;
    std::vector<unsigned char> image(table + 40 * sections.size());
    image[0] = 'M';
    image[1] = 'Z';
    Put32(image, 0x3C, kNtHeaders);
    std::memcpy(&image[kNtHeaders], "PE\0\0", 4);
    Put16(image, kNtHeaders + 6, static_cast<std::uint16_t>(sections.size()));
    Put16(image, kNtHeaders + 20, optionalHeaderSize);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::size_t header = table + 40 * i;
        std::memcpy(&image[header], ".sect\0\0\0", 8);
        Put32(image, header + 8, sections[i].virtualSize);
        Put32(image, header + 12, sections[i].start);
        Put32(image, header + 16, sections[i].rawSize);
    }
    return image;
}

// The 1-based section and offset, or {0, 0} when the lookup fails.
ImageSectionOffset Find(const std::vector<unsigned char>& image, std::uint64_t rva)
{
    ImageSectionOffset where;
    if (!FindImageSection(image.data(), image.size(), rva, where))
        return ImageSectionOffset{};
    return where;
}

bool Same(const ImageSectionOffset& found, unsigned section, std::uint32_t offset)
{
    return found.section == section && found.offset == offset;
}

}  // namespace

TEST(ImageSectionsTest, FindsTheSectionAndOffsetWithBothBoundsInclusive)
{
    // .text: raw size larger; .data: virtual size larger; a gap before .rsrc.
    const auto image = MakeHeaders({{0x1000, 0x0F10, 0x1000}, {0x2000, 0x0800, 0x0200}, {0x4000, 0x10, 0x200}});
    const struct
    {
        std::uint64_t rva;
        unsigned section;
        std::uint32_t offset;
    } cases[] = {
        {0x1000, 1, 0},        // first byte
        {0x1234, 1, 0x234},
        {0x1F10, 1, 0xF10},    // past the virtual size, within the raw size
        {0x2000, 1, 0x1000},   // the end of .text: the first section in table order
        {0x2001, 2, 0x1},
        {0x2800, 2, 0x800},    // the end of .data, by its virtual size
        {0x4200, 3, 0x200},
        {0x0FFF, 0, 0},        // in the headers
        {0x2801, 0, 0},        // in the gap
        {0x4201, 0, 0},        // after the last section
        {0x100001000, 0, 0},   // beyond 32 bits
    };
    for (const auto& entry : cases)
        EXPECT_TRUE(Same(Find(image, entry.rva), entry.section, entry.offset)) << std::hex << entry.rva;
}

TEST(ImageSectionsTest, AFailedLookupLeavesSectionAndOffsetAsTheyWere)
{
    const auto image = MakeHeaders({{0x1000, 0x100, 0x200}});
    ImageSectionOffset where{7, 0x77};
    EXPECT_FALSE(FindImageSection(image.data(), image.size(), 0x5000, where));
    EXPECT_TRUE(Same(where, 7, 0x77));
}

TEST(ImageSectionsTest, FindsTheTableAfterAnOptionalHeaderOfAnySize)
{
    const auto image32 = MakeHeaders({{0x1000, 0x100, 0x200}, {0x2000, 0x100, 0x200}}, 0xE0);
    EXPECT_TRUE(Same(Find(image32, 0x2010), 2, 0x10));
}

TEST(ImageSectionsTest, RejectsHeadersThatAreNotAnImageWithinTheReadableBytes)
{
    const auto good = MakeHeaders({{0x1000, 0x100, 0x200}});
    auto noDosSignature = good;
    noDosSignature[0] = 'X';
    auto noPeSignature = good;
    noPeSignature[kNtHeaders + 1] = 'X';
    auto headersOutside = good;
    Put32(headersOutside, 0x3C, 0xFFFFFFF0);
    std::vector<unsigned char> tooShort(good.begin(), good.end() - 40 + 18);  // the table is cut off

    for (const auto* image : {&noDosSignature, &noPeSignature, &headersOutside, &tooShort})
        EXPECT_TRUE(Same(Find(*image, 0x1010), 0, 0));
    ImageSectionOffset where;
    EXPECT_FALSE(FindImageSection(nullptr, 0, 0x1010, where));
    EXPECT_FALSE(FindImageSection(good.data(), 0x3E, 0x1010, where));
}
