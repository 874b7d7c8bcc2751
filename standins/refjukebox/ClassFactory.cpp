#include "ClassFactory.h"

#include "ComGuard.h"
#include "ServerContext.h"

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    return GuardComCall([&] { return m_create(m_context, iid, object); });
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock)
{
    if (lock)
        m_context.lifetime.Acquire();
    else
        m_context.lifetime.Release();
    return S_OK;
}
