#include "module/ModuleStateCache.h"

#include "module/ModuleStateLock.h"
#include "module/ModuleStateTable.h"
#include "module/ProgramKeyPorts.h"
#include "module/RemoteKeyActions.h"

namespace {

// Zero until the first store; nothing resets it while the process runs, so a
// reconnected device is answered with the latest state.
ModuleStateTable& ModuleStateCache()
{
    static ModuleStateTable cache;
    return cache;
}

}  // namespace

void StoreModuleState(unsigned char code, unsigned char value)
{
    CSingleLock lock(ModuleStateLock);
    ModuleStateCache().Store(code, value);
}

std::optional<unsigned char> CachedStateAnswer(unsigned char code)
{
    CSingleLock lock(ModuleStateLock);
    return ModuleStateCache().Answer(code);
}

void AnswerStateQuery()
{
    ProgramModuleAccess module;
    ProgramActionPoster poster;
    AnswerStateQuery(module, poster);
}
