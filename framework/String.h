// CString: the framework's ANSI byte string (system code page), a small value
// type over std::string with the members the program uses.
#pragma once

#include <cstdarg>
#include <string>

#if defined(_WIN32)
// Included first so that its LoadString macro can be retired for good: the
// member below keeps the framework's name.
#include <windows.h>
#undef LoadString
#endif

class CString
{
public:
    CString() = default;
    CString(const char* text);  // NOLINT: implicit, as in the framework
    CString(const char* text, int length);
    CString(std::string text) : m_text(std::move(text)) {}

    // printf-style formatting of any length; a null format gives the empty text.
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void FormatV(const char* format, va_list arguments);

    // Loads a string resource of the program; false (and empty) if there is none.
    // Defined only in the Windows build.
    bool LoadString(unsigned int id);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const std::string& Str() const { return m_text; }

    operator const char*() const { return m_text.c_str(); }  // NOLINT: implicit, as in the framework

    CString& operator+=(const CString& other)
    {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(const char* text);
    friend CString operator+(CString left, const CString& right) { return left += right; }
    friend bool operator==(const CString& left, const CString& right) { return left.m_text == right.m_text; }
    friend bool operator!=(const CString& left, const CString& right) { return !(left == right); }

private:
    std::string m_text;
};
