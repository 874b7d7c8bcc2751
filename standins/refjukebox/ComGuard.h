#pragma once
#include <objbase.h>
#include <new>

// Runs the body of a COM method and turns any exception into an HRESULT: an
// exception must never cross the marshaller back into the apartment's
// dispatch code, where it would take the whole server down.
template <class Body>
HRESULT GuardComCall(Body&& body) noexcept
{
    try
    {
        return body();
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
    catch (...)
    {
        return E_FAIL;
    }
}
