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

std::wstring ClassKeyPath(const CLSID& clsid)
{
    return L"Software\\Classes\\CLSID\\" + GuidText(clsid);
}

bool WriteClass(const ServerClass& serverClass, const std::wstring& exePath, const GUID& libid)
{
    const std::wstring path = ClassKeyPath(serverClass.clsid);
    bool written = true;
    for (REGSAM view : kRegistryViews)
    {
        // Quoted, so that a path with blanks still starts this exe.
        written = written && WriteRegistryText(path, view, L"", serverClass.name) &&
                  WriteRegistryText(path + L"\\LocalServer32", view, L"", L"\"" + exePath + L"\"") &&
                  WriteRegistryText(path + L"\\TypeLib", view, L"", GuidText(libid));
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
            const LONG result =
                DeleteRegistryTree(L"Software\\Classes\\CLSID", GuidText(serverClass.clsid), view);
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
