#include "Bstr.h"

#include <new>
#include <utility>

CBstr::~CBstr()
{
    Reset();
}

CBstr::CBstr(CBstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}

CBstr& CBstr::operator=(CBstr&& other) noexcept
{
    if (this != &other)
    {
        Reset();
        m_text = std::exchange(other.m_text, nullptr);
    }
    return *this;
}

CBstr CBstr::Copy(const std::wstring& text)
{
    BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!copy)
        throw std::bad_alloc();
    return CBstr(copy);
}

CBstr CBstr::Copy(const std::optional<std::wstring>& text)
{
    return text ? Copy(*text) : CBstr();
}

BSTR CBstr::Detach() noexcept
{
    return std::exchange(m_text, nullptr);
}

BSTR* CBstr::Receive() noexcept
{
    Reset();
    return &m_text;
}

void CBstr::Reset() noexcept
{
    if (BSTR text = std::exchange(m_text, nullptr))
        SysFreeString(text);
}

std::wstring TextOf(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

std::optional<std::wstring> NullableTextOf(BSTR text)
{
    if (!text)
        return std::nullopt;
    return TextOf(text);
}
