#pragma once
#include <oaidl.h>
#include <optional>
#include <string>

// Owns one BSTR. Texts are copied with their full length, so characters after
// an embedded NUL survive the round trip through the journal and the events.
class CBstr
{
public:
    CBstr() noexcept = default;
    explicit CBstr(BSTR adopted) noexcept : m_text(adopted) {}
    ~CBstr();

    CBstr(CBstr&& other) noexcept;
    CBstr& operator=(CBstr&& other) noexcept;
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;

    // Throws std::bad_alloc when the system allocator fails.
    static CBstr Copy(const std::wstring& text);
    // nullopt gives a null BSTR, which COM treats as a text of its own kind.
    static CBstr Copy(const std::optional<std::wstring>& text);

    BSTR Get() const noexcept { return m_text; }
    // Hands the string to a caller that frees it, e.g. through an out parameter.
    BSTR Detach() noexcept;
    // For out parameters of API calls: frees the current string first.
    BSTR* Receive() noexcept;
    void Reset() noexcept;

private:
    BSTR m_text = nullptr;
};

// The characters of a BSTR argument; a null BSTR reads as the empty text.
std::wstring TextOf(BSTR text);
// Same, but keeps a null BSTR apart from an empty one.
std::optional<std::wstring> NullableTextOf(BSTR text);
