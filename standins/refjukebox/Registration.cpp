#include "Registration.h"

#include "RegKey.h"
#include "RegistryViews.h"
#include "ServerClasses.h"
#include "TypeLibrary.h"

#include <windows.h>

#include <string>
#include <vector>

namespace
{

// Full path of this exe, however long.
std::wstring ModulePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

std::wstring ClassKeyPath(const CLSID& clsid)
{
    return L"Software\\Classes\\CLSID\\" + GuidText(clsid);
}

bool WriteKey(const std::wstring& path, REGSAM view, const std::wstring& defaultValue)
{
    CRegKey key;
    return key.Create(HKEY_LOCAL_MACHINE, path, view) == ERROR_SUCCESS &&
           key.SetDefaultValue(defaultValue) == ERROR_SUCCESS;
}

bool WriteClass(const ServerClass& serverClass, const std::wstring& exePath, const GUID& libid)
{
    const std::wstring path = ClassKeyPath(serverClass.clsid);
    bool written = true;
    for (REGSAM view : kRegistryViews)
    {
        // Quoted, so that a path with blanks still starts this exe.
        written = written && WriteKey(path, view, serverClass.name) &&
                  WriteKey(path + L"\\LocalServer32", view, L"\"" + exePath + L"\"") &&
                  WriteKey(path + L"\\TypeLib", view, GuidText(libid));
    }
    return written;
}

} // namespace

bool RegisterServer()
{
    const std::wstring exePath = ModulePath();
    if (exePath.empty())
        return false;

    GUID contractLibid{};
    GUID controlLibid{};
    if (FAILED(RegisterEmbeddedTypeLibrary(exePath, EmbeddedTypeLibrary::Contract, contractLibid)) ||
        FAILED(RegisterEmbeddedTypeLibrary(exePath, EmbeddedTypeLibrary::TestControl,
                                           controlLibid)))
        return false;

    for (const ServerClass& serverClass : ServerClasses())
    {
        const GUID& libid = serverClass.typeLibrary == EmbeddedTypeLibrary::Contract
                                ? contractLibid
                                : controlLibid;
        if (!WriteClass(serverClass, exePath, libid))
            return false;
    }
    return true;
}

bool UnregisterServer()
{
    bool complete = true;
    for (const ServerClass& serverClass : ServerClasses())
    {
        for (REGSAM view : kRegistryViews)
        {
            CRegKey classes;
            LONG result = classes.Open(HKEY_LOCAL_MACHINE, L"Software\\Classes\\CLSID",
                                       KEY_ALL_ACCESS | view);
            if (result == ERROR_SUCCESS)
                result = RegDeleteTreeW(classes.Get(), GuidText(serverClass.clsid).c_str());
            if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
                complete = false;
        }
    }

    const std::wstring exePath = ModulePath();
    if (exePath.empty())
        return false;
    for (EmbeddedTypeLibrary library :
         {EmbeddedTypeLibrary::Contract, EmbeddedTypeLibrary::TestControl})
    {
        if (FAILED(UnregisterEmbeddedTypeLibrary(exePath, library)))
            complete = false;
    }
    return complete;
}
