// A named section of memory mapped into this process, for substitutes whose
// state every process using them shares. The section's name carries an
// instance taken from an environment variable, so that runs side by side each
// have their own.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "framework/UniqueHandle.h"
#include "framework/UniqueResource.h"

using UniqueMappedView = UniqueResource<void*, &::UnmapViewOfFile>;

// The environment variable's value reduced to characters that are safe in an
// object name; "default" when it is unset or too long.
std::string SectionInstanceName(const char* variable);

class SharedSection
{
public:
    // Creates the section, zero-filled, or maps the one that exists; null on
    // failure.
    static std::unique_ptr<SharedSection> CreateOrOpen(const std::string& name, std::size_t size);
    // Maps the section only when some process has created it; else null.
    static std::unique_ptr<SharedSection> OpenExisting(const std::string& name, std::size_t size);

    SharedSection(UniqueHandle section, UniqueMappedView view);

    void* View() const { return m_view.Get(); }

private:
    UniqueHandle m_section;
    UniqueMappedView m_view;
};
