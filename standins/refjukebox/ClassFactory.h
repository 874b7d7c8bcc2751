#pragma once
#include "ComObject.h"

#include <objbase.h>

struct ServerContext;

// Creates one object of a server class and queries it for iid.
using ObjectCreator = HRESULT (*)(ServerContext& context, REFIID iid, void** object);

// The class object COM hands to clients. It does not keep the server alive by
// itself, only through LockServer, as COM expects of a local server.
class CClassFactory final : public CComObject<IClassFactory>
{
public:
    CClassFactory(ServerContext& context, ObjectCreator create) noexcept
        : m_context(context), m_create(create)
    {
    }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    ServerContext& m_context;
    ObjectCreator m_create;
};
