#include "WineAppDefaults.h"

#include <windows.h>

ProgramWindowsVersion::ProgramWindowsVersion(const std::string& program, const std::string& version)
    : m_key("Software\\Wine\\AppDefaults\\" + program)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                     static_cast<DWORD>(version.size() + 1));
    ::RegCloseKey(key);
}

ProgramWindowsVersion::~ProgramWindowsVersion()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueA(key, "Version");
    ::RegCloseKey(key);
}
