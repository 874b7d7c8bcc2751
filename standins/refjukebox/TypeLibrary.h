#pragma once
#include <oaidl.h>
#include <string>

// The type libraries embedded in the exe as TYPELIB resources; the numbers
// are the resource ids in RefJukebox.rc. Each has a twin laid out for the
// other width, kOtherWidthOffset further on.
enum class EmbeddedTypeLibrary : int
{
    Contract = 1,
    TestControl = 2,
};
constexpr int kOtherWidthOffset = 2;

// Registers the library with RegisterTypeLib, which also writes the
// marshalling keys of its [oleautomation] interfaces, so that the system's
// type-library marshaller carries them; no proxy DLL is needed. Its twin is
// registered for clients of the other width. On success libid is the
// library's id, for the TypeLib key of its classes.
HRESULT RegisterEmbeddedTypeLibrary(const std::wstring& exePath, EmbeddedTypeLibrary library,
                                    GUID& libid);

// Removes the library's registration and its interfaces' keys. A library
// that is not registered counts as success, so unregistering twice is fine.
HRESULT UnregisterEmbeddedTypeLibrary(const std::wstring& exePath, EmbeddedTypeLibrary library);
