#pragma once
#include <windows.h>
#include <string>

// Owns an open registry key.
class CRegKey
{
public:
    CRegKey() noexcept = default;
    ~CRegKey();

    CRegKey(CRegKey&& other) noexcept;
    CRegKey& operator=(CRegKey&& other) noexcept;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Opens or creates parent\path for writing, in the registry view that
    // view names (KEY_WOW64_32KEY or KEY_WOW64_64KEY; 0 for this program's
    // own); returns the Win32 error code.
    LONG Create(HKEY parent, const std::wstring& path, REGSAM view = 0);
    // Opens parent\path with the given access; returns the Win32 error code.
    LONG Open(HKEY parent, const std::wstring& path, REGSAM access);
    // Sets a REG_SZ value (the default one when name is empty); returns the
    // Win32 error code.
    LONG SetValue(const std::wstring& name, const std::wstring& value) const;

    HKEY Get() const noexcept { return m_key; }
    void Reset() noexcept;

private:
    HKEY m_key = nullptr;
};

// "{xxxxxxxx-...}", as registry keys name GUIDs.
std::wstring GuidText(const GUID& guid);
// Creates HKLM\path in view and sets its value name (the default one when
// empty) to a REG_SZ text; whether both worked.
bool WriteRegistryText(const std::wstring& path, REGSAM view, const std::wstring& name,
                       const std::wstring& value);
// Deletes HKLM\parent\subkey with all below it in view; the Win32 error code,
// ERROR_FILE_NOT_FOUND when there was nothing to delete.
LONG DeleteRegistryTree(const std::wstring& parent, const std::wstring& subkey, REGSAM view);
