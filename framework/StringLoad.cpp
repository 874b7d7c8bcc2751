// The Windows half of CString: loading string resources.
#include "framework/String.h"

#include <vector>

#include "framework/WinApp.h"

bool CString::LoadString(unsigned int id)
{
    // Asked for zero characters, LoadStringW returns a read-only pointer to the
    // resource text and its length, so texts of any length load whole; they
    // are then converted to the ANSI code page, as LoadStringA would.
    const wchar_t* resource = nullptr;
    const int length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<wchar_t*>(&resource), 0);
    Empty();
    if (length <= 0 || resource == nullptr)
        return false;
    const int size = ::WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return false;
    std::vector<char> text(static_cast<size_t>(size));
    ::WideCharToMultiByte(CP_ACP, 0, resource, length, text.data(), size, nullptr, nullptr);
    *this = CString(text.data(), size);
    return true;
}
