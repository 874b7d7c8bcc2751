#include "jukebox/BstrToAnsi.h"

#include <string>

#include "jukebox/AnsiConversionFlags.h"

static_assert(kNoBestFitChars == WC_NO_BEST_FIT_CHARS);

CString BstrToAnsi(BSTR text)
{
    if (text == nullptr)
        return CString();
    // Length -1 makes the conversion stop at the first NUL, terminator included.
    // A character that the code page lacks becomes its default character, not
    // a look-alike: "\u0101" must not arrive as "a". Code pages that take no
    // flags would refuse the conversion outright.
    const DWORD flags = AnsiConversionFlags(::GetACP());
    const int size = ::WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return CString();
    std::string converted(static_cast<std::size_t>(size), '\0');
    if (::WideCharToMultiByte(CP_ACP, flags, text, -1, converted.data(), size, nullptr, nullptr) != size)
        return CString();
    converted.resize(static_cast<std::size_t>(size) - 1);
    return CString(std::move(converted));
}
