#include "TypeLibrary.h"

#include "Bstr.h"
#include "ComRef.h"
#include "TypeLibraryWidths.h"

#include <oleauto.h>

namespace
{

// The attributes of a loaded type library, given back on destruction.
class CLibraryAttributes
{
public:
    explicit CLibraryAttributes(ITypeLib* library) : m_library(library)
    {
        m_result = m_library->GetLibAttr(&m_attributes);
    }
    ~CLibraryAttributes()
    {
        if (m_attributes)
            m_library->ReleaseTLibAttr(m_attributes);
    }
    CLibraryAttributes(const CLibraryAttributes&) = delete;
    CLibraryAttributes& operator=(const CLibraryAttributes&) = delete;

    HRESULT Result() const noexcept { return m_result; }
    const TLIBATTR& Get() const noexcept { return *m_attributes; }

private:
    ITypeLib* m_library;
    TLIBATTR* m_attributes = nullptr;
    HRESULT m_result;
};

// "C:\dir\RefJukebox.exe\2" names resource 2 of the exe.
std::wstring ResourcePath(const std::wstring& exePath, EmbeddedTypeLibrary library)
{
    return exePath + L"\\" + std::to_wstring(static_cast<int>(library));
}

} // namespace

HRESULT RegisterEmbeddedTypeLibrary(const std::wstring& exePath, EmbeddedTypeLibrary library,
                                    GUID& libid)
{
    // Registered explicitly with the resource number in the path: letting
    // LoadTypeLibEx register (REGKIND_REGISTER) writes the bare exe path under
    // Wine, which then always finds resource 1, so the marshaller would look
    // for the test control's interface in the contract's library.
    const std::wstring path = ResourcePath(exePath, library);
    CComRef<ITypeLib> loaded;
    HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, loaded.Receive());
    if (FAILED(result))
        return result;
    // RegisterTypeLib takes non-const strings, hence the copies.
    std::wstring registeredPath = path;
    std::wstring helpDirectory = exePath.substr(0, exePath.find_last_of(L'\\'));
    result = RegisterTypeLib(loaded.Get(), &registeredPath[0], &helpDirectory[0]);
    if (FAILED(result))
        return result;
    CLibraryAttributes attributes(loaded.Get());
    if (FAILED(attributes.Result()))
        return attributes.Result();
    result = RegisterForOtherWidth(loaded.Get(), attributes.Get(),
                                   exePath + L"\\" + std::to_wstring(static_cast<int>(library) + kOtherWidthOffset));
    if (FAILED(result))
        return result;
    libid = attributes.Get().guid;
    return S_OK;
}

HRESULT UnregisterEmbeddedTypeLibrary(const std::wstring& exePath, EmbeddedTypeLibrary library)
{
    // The identity to unregister comes from the embedded library itself, so
    // it always matches what registration wrote.
    CComRef<ITypeLib> loaded;
    HRESULT result =
        LoadTypeLibEx(ResourcePath(exePath, library).c_str(), REGKIND_NONE, loaded.Receive());
    if (FAILED(result))
        return result;
    CLibraryAttributes attributes(loaded.Get());
    if (FAILED(attributes.Result()))
        return attributes.Result();
    const TLIBATTR& identity = attributes.Get();
    // Ask first instead of interpreting UnRegisterTypeLib's error: for a
    // library that is not registered Wine answers E_INVALIDARG, which would
    // also hide a real mistake.
    CBstr registeredPath;
    result = S_OK;
    if (SUCCEEDED(QueryPathOfRegTypeLib(identity.guid, identity.wMajorVerNum, identity.wMinorVerNum,
                                        identity.lcid, registeredPath.Receive())))
        result = UnRegisterTypeLib(identity.guid, identity.wMajorVerNum, identity.wMinorVerNum,
                                   identity.lcid, identity.syskind);
    UnregisterForBothWidths(loaded.Get(), identity);
    return result;
}
