#include "crash/LogicalAddress.h"

#include <cstdint>

#include "crash/ImageSections.h"
#include "crash/MemoryProbe.h"

namespace {

// GetModuleFileNameA takes heap memory for the wide name it converts; the
// wide name and our own conversion need none.
WCHAR wideName[MAX_PATH];

bool ModuleFileName(HMODULE module, char* name, DWORD length)
{
    const DWORD wideLength = ::GetModuleFileNameW(module, wideName, MAX_PATH);
    if (wideLength == 0 || wideLength >= MAX_PATH)
        return false;
    const UINT codePage = ::AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    return ::WideCharToMultiByte(codePage, 0, wideName, -1, name, static_cast<int>(length), nullptr, nullptr) != 0;
}

}  // namespace

bool FindLogicalAddress(const void* address, char* name, DWORD length, DWORD& section, DWORD& offset)
{
    if (name == nullptr || length == 0)
        return false;
    name[0] = '\0';
    MEMORY_BASIC_INFORMATION region;
    if (::VirtualQuery(address, &region, sizeof region) == 0 || region.AllocationBase == nullptr)
        return false;
    // A module's allocation begins with its image headers.
    const auto module = static_cast<HMODULE>(region.AllocationBase);
    if (!ModuleFileName(module, name, length)) {
        name[0] = '\0';
        return false;
    }

    const auto* image = reinterpret_cast<const unsigned char*>(module);
    const std::uint64_t rva = reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(image);
    ImageSectionOffset where;
    if (!FindImageSection(image, ReadableLength(image), rva, where))
        return false;
    section = where.section;
    offset = where.offset;
    return true;
}
