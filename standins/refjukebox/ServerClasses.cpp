#include "ServerClasses.h"

#include "CompanionObject.h"
#include "LinkObject.h"
#include "TestControlObject.h"

const std::array<ServerClass, 3>& ServerClasses()
{
    static const std::array<ServerClass, 3> classes{{
        {__uuidof(JukeboxLink), L"Reference jukebox link", EmbeddedTypeLibrary::Contract,
         &CLinkObject::Create},
        {__uuidof(JukeboxCompanion), L"Reference jukebox companion",
         EmbeddedTypeLibrary::Contract, &CCompanionObject::Create},
        {__uuidof(JukeboxTestControl), L"Reference jukebox test control",
         EmbeddedTypeLibrary::TestControl, &CTestControlObject::Create},
    }};
    return classes;
}
