#include "standins/remotesim/DeviceClassKeys.h"

#include <windows.h>

#include "framework/UniqueResource.h"

using UniqueRegistryKey = UniqueResource<HKEY, &::RegCloseKey>;

DeviceClassKeys::~DeviceClassKeys()
{
    for (const std::string& key : m_keys)
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

bool DeviceClassKeys::Write(const std::string& key, const std::string& deviceInstance)
{
    m_keys.push_back(key);
    UniqueRegistryKey opened;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                          opened.ReleaseAndGetAddressOf(), nullptr) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(opened.Get(), "DeviceInstance", 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(deviceInstance.c_str()),
                            static_cast<DWORD>(deviceInstance.size() + 1)) == ERROR_SUCCESS;
}
