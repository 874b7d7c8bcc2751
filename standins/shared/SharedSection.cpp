#include "standins/shared/SharedSection.h"

namespace {

std::unique_ptr<SharedSection> MapSection(UniqueHandle section, std::size_t size)
{
    if (!section)
        return nullptr;
    UniqueMappedView view(::MapViewOfFile(section.Get(), FILE_MAP_ALL_ACCESS, 0, 0, size));
    if (!view)
        return nullptr;
    return std::make_unique<SharedSection>(std::move(section), std::move(view));
}

}  // namespace

std::string SectionInstanceName(const char* variable)
{
    char value[65] = {};
    const DWORD length = ::GetEnvironmentVariableA(variable, value, sizeof value);
    std::string name = (length == 0 || length >= sizeof value) ? "default" : value;
    for (char& c : name) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '_' || c == '.';
        if (!safe)
            c = '_';
    }
    return name;
}

std::unique_ptr<SharedSection> SharedSection::CreateOrOpen(const std::string& name, std::size_t size)
{
    // A new section is zero-filled.
    return MapSection(UniqueHandle(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                        static_cast<DWORD>(size), name.c_str())),
                      size);
}

std::unique_ptr<SharedSection> SharedSection::OpenExisting(const std::string& name, std::size_t size)
{
    return MapSection(UniqueHandle(::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str())), size);
}

SharedSection::SharedSection(UniqueHandle section, UniqueMappedView view)
    : m_section(std::move(section)), m_view(std::move(view))
{
}
