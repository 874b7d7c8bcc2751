#include "jukebox/BstrToAnsi.h"

#include <string>

CString BstrToAnsi(BSTR text)
{
    if (text == nullptr)
        return CString();
    // Length -1 makes the conversion stop at the first NUL, terminator included.
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return CString();
    std::string converted(static_cast<std::size_t>(size), '\0');
    if (::WideCharToMultiByte(CP_ACP, 0, text, -1, converted.data(), size, nullptr, nullptr) != size)
        return CString();
    converted.resize(static_cast<std::size_t>(size) - 1);
    return CString(std::move(converted));
}
