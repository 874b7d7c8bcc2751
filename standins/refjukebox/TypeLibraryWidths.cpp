#include "TypeLibraryWidths.h"

#include "Bstr.h"
#include "ComRef.h"
#include "RegKey.h"
#include "RegistryViews.h"

#include <oleauto.h>

#include <cwchar>
#include <vector>

namespace
{

// The system's type-library marshaller.
constexpr wchar_t kUniversalMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

std::wstring Hex(unsigned long value)
{
    wchar_t text[16] = {};
    std::swprintf(text, sizeof text / sizeof text[0], L"%lx", value);
    return text;
}

std::wstring VersionText(const TLIBATTR& attributes)
{
    return Hex(attributes.wMajorVerNum) + L"." + Hex(attributes.wMinorVerNum);
}

std::wstring LibraryKey(const TLIBATTR& attributes)
{
    return L"Software\\Classes\\TypeLib\\" + GuidText(attributes.guid);
}

std::wstring InterfaceKey(const GUID& iid)
{
    return L"Software\\Classes\\Interface\\" + GuidText(iid);
}

struct MarshalledInterface
{
    GUID iid;
    std::wstring name;
};

// The interfaces the type-library marshaller carries: those marked
// [oleautomation] or dual.
std::vector<MarshalledInterface> MarshalledInterfaces(ITypeLib* library)
{
    std::vector<MarshalledInterface> found;
    for (UINT index = 0, count = library->GetTypeInfoCount(); index < count; ++index)
    {
        CComRef<ITypeInfo> info;
        if (FAILED(library->GetTypeInfo(index, info.Receive())))
            continue;
        TYPEATTR* attributes = nullptr;
        if (SUCCEEDED(info->GetTypeAttr(&attributes)))
        {
            const bool interfaceKind =
                attributes->typekind == TKIND_INTERFACE || attributes->typekind == TKIND_DISPATCH;
            if (interfaceKind &&
                (attributes->wTypeFlags & (TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDUAL)) != 0)
            {
                CBstr name;
                info->GetDocumentation(MEMBERID_NIL, name.Receive(), nullptr, nullptr, nullptr);
                found.push_back({attributes->guid, name.Get() ? name.Get() : L""});
            }
            info->ReleaseTypeAttr(attributes);
        }
    }
    return found;
}

bool WriteValue(const std::wstring& path, REGSAM view, const std::wstring& name,
                const std::wstring& value)
{
    CRegKey key;
    return key.Create(HKEY_LOCAL_MACHINE, path, view) == ERROR_SUCCESS &&
           key.SetValue(name, value) == ERROR_SUCCESS;
}

} // namespace

HRESULT RegisterForOtherWidth(ITypeLib* library, const std::wstring& otherWidthPath)
{
    TLIBATTR* attributes = nullptr;
    HRESULT result = library->GetLibAttr(&attributes);
    if (FAILED(result))
        return result;
    const TLIBATTR identity = *attributes;
    library->ReleaseTLibAttr(attributes);

    const std::wstring version = VersionText(identity);
    const std::wstring platforms =
        LibraryKey(identity) + L"\\" + version + L"\\" + Hex(identity.lcid);
    // RegisterTypeLib wrote the library's own platform and view already.
    const wchar_t* otherPlatform = identity.syskind == SYS_WIN64 ? L"\\win32" : L"\\win64";
    bool written = WriteValue(platforms + otherPlatform, 0, L"", otherWidthPath);
    for (const MarshalledInterface& marshalled : MarshalledInterfaces(library))
    {
        const std::wstring key = InterfaceKey(marshalled.iid);
        written = written && WriteValue(key, kOtherWidthView, L"", marshalled.name) &&
                  WriteValue(key + L"\\ProxyStubClsid", kOtherWidthView, L"", kUniversalMarshaller) &&
                  WriteValue(key + L"\\ProxyStubClsid32", kOtherWidthView, L"", kUniversalMarshaller) &&
                  WriteValue(key + L"\\TypeLib", kOtherWidthView, L"", GuidText(identity.guid)) &&
                  WriteValue(key + L"\\TypeLib", kOtherWidthView, L"Version", version);
    }
    return written ? S_OK : E_FAIL;
}

void UnregisterForBothWidths(ITypeLib* library)
{
    for (const MarshalledInterface& marshalled : MarshalledInterfaces(library))
    {
        for (REGSAM view : kRegistryViews)
        {
            CRegKey classes;
            if (classes.Open(HKEY_LOCAL_MACHINE, L"Software\\Classes", KEY_ALL_ACCESS | view) ==
                ERROR_SUCCESS)
                RegDeleteTreeW(classes.Get(), (L"Interface\\" + GuidText(marshalled.iid)).c_str());
        }
    }
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(library->GetLibAttr(&attributes)))
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, LibraryKey(*attributes).c_str());
        library->ReleaseTLibAttr(attributes);
    }
}
