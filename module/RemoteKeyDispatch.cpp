#include "module/RemoteKeyDispatch.h"

#include "module/ProgramKeyPorts.h"
#include "module/RemoteKeyActions.h"

void DispatchRemoteKey(unsigned char code)
{
    ProgramModuleAccess module;
    ProgramActionPoster poster;
    DispatchRemoteKey(code, module, poster);
}
