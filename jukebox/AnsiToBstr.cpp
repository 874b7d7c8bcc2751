#include "jukebox/AnsiToBstr.h"

BSTR AnsiToBstr(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return nullptr;
    BSTR converted = ::SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (converted != nullptr)
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, converted, length);
    return converted;
}
