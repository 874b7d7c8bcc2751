// Which section of an executable image holds an address: the logical address
// of the crash report. Works on the image's bytes as they lie in memory, so it
// needs no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>

struct ImageSectionOffset
{
    unsigned section = 0;       // 1-based index in the section table
    std::uint32_t offset = 0;   // from the start of that section
};

// Looks up rva (address minus image base) in the section table of the image
// whose first `readable` bytes lie at `image`. A section holds rva from its
// start up to and including its start plus the larger of its raw and virtual
// sizes; the first such section in table order wins. Returns false, leaving
// `where` untouched, when no section holds rva or when the headers are not a
// PE image within the readable bytes.
bool FindImageSection(const unsigned char* image, std::size_t readable, std::uint64_t rva, ImageSectionOffset& where);
