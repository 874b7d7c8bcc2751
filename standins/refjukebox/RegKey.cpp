#include "RegKey.h"

#include <objbase.h>

#include <utility>

CRegKey::~CRegKey()
{
    Reset();
}

CRegKey::CRegKey(CRegKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}

CRegKey& CRegKey::operator=(CRegKey&& other) noexcept
{
    if (this != &other)
    {
        Reset();
        m_key = std::exchange(other.m_key, nullptr);
    }
    return *this;
}

LONG CRegKey::Create(HKEY parent, const std::wstring& path, REGSAM view)
{
    Reset();
    return RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_WRITE | view, nullptr, &m_key, nullptr);
}

LONG CRegKey::Open(HKEY parent, const std::wstring& path, REGSAM access)
{
    Reset();
    return RegOpenKeyExW(parent, path.c_str(), 0, access, &m_key);
}

LONG CRegKey::SetValue(const std::wstring& name, const std::wstring& value) const
{
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(m_key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

void CRegKey::Reset() noexcept
{
    if (HKEY key = std::exchange(m_key, nullptr))
        RegCloseKey(key);
}

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

bool WriteRegistryText(const std::wstring& path, REGSAM view, const std::wstring& name,
                       const std::wstring& value)
{
    CRegKey key;
    return key.Create(HKEY_LOCAL_MACHINE, path, view) == ERROR_SUCCESS &&
           key.SetValue(name, value) == ERROR_SUCCESS;
}

LONG DeleteRegistryTree(const std::wstring& parent, const std::wstring& subkey, REGSAM view)
{
    CRegKey key;
    const LONG opened = key.Open(HKEY_LOCAL_MACHINE, parent, KEY_ALL_ACCESS | view);
    return opened == ERROR_SUCCESS ? RegDeleteTreeW(key.Get(), subkey.c_str()) : opened;
}
