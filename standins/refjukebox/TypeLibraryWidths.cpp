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

} // namespace

HRESULT RegisterForOtherWidth(ITypeLib* library, const TLIBATTR& identity,
                              const std::wstring& otherWidthPath)
{
    const std::wstring version = VersionText(identity);
    const std::wstring platforms =
        LibraryKey(identity) + L"\\" + version + L"\\" + Hex(identity.lcid);
    // RegisterTypeLib wrote the library's own platform and view already.
    const wchar_t* otherPlatform = identity.syskind == SYS_WIN64 ? L"\\win32" : L"\\win64";
    bool written = WriteRegistryText(platforms + otherPlatform, 0, L"", otherWidthPath);
    for (const MarshalledInterface& marshalled : MarshalledInterfaces(library))
    {
        const std::wstring key = InterfaceKey(marshalled.iid);
        written = written && WriteRegistryText(key, kOtherWidthView, L"", marshalled.name) &&
                  WriteRegistryText(key + L"\\ProxyStubClsid", kOtherWidthView, L"", kUniversalMarshaller) &&
                  WriteRegistryText(key + L"\\ProxyStubClsid32", kOtherWidthView, L"", kUniversalMarshaller) &&
                  WriteRegistryText(key + L"\\TypeLib", kOtherWidthView, L"", GuidText(identity.guid)) &&
                  WriteRegistryText(key + L"\\TypeLib", kOtherWidthView, L"Version", version);
    }
    return written ? S_OK : E_FAIL;
}

void UnregisterForBothWidths(ITypeLib* library, const TLIBATTR& identity)
{
    for (const MarshalledInterface& marshalled : MarshalledInterfaces(library))
    {
        for (REGSAM view : kRegistryViews)
            DeleteRegistryTree(L"Software\\Classes\\Interface", GuidText(marshalled.iid), view);
    }
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, LibraryKey(identity).c_str());
}
