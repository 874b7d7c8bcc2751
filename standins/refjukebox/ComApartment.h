#pragma once
#include <objbase.h>

// The process's single-threaded apartment, for as long as this object lives.
// Every incoming call is then dispatched on this thread by its message loop,
// which is why the server's state needs no locks.
class CComApartment
{
public:
    CComApartment() noexcept : m_result(CoInitialize(nullptr)) {}
    ~CComApartment()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    HRESULT Result() const noexcept { return m_result; }

private:
    HRESULT m_result;
};
