#include "jukebox/JukeboxObjects.h"

#include "common/FatalErrors.h"

namespace {

template <class Interface, class Class>
ComPtr<Interface> CreateLocalObject()
{
    ComPtr<Interface> object;
    if (FAILED(::CoCreateInstance(__uuidof(Class), nullptr, CLSCTX_LOCAL_SERVER, __uuidof(Interface),
                                  object.ReleaseAndGetAddressOf())))
        throw ComException();
    return object;
}

}  // namespace

ComPtr<IJukeboxLink> CreateJukeboxLink()
{
    return CreateLocalObject<IJukeboxLink, JukeboxLink>();
}

ComPtr<IJukeboxCompanion> CreateJukeboxCompanion()
{
    return CreateLocalObject<IJukeboxCompanion, JukeboxCompanion>();
}
