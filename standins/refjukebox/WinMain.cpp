// RefJukebox.exe: the reference jukebox server. See README.md.
#include "CommandLine.h"
#include "ComApartment.h"
#include "LocalServer.h"
#include "Registration.h"

#include <windows.h>

namespace
{

int RegisterOrUnregister(ServerMode mode)
{
    // Loading type libraries goes through COM's allocator.
    CComApartment apartment;
    if (FAILED(apartment.Result()))
        return 1;
    const bool done = mode == ServerMode::Register ? RegisterServer() : UnregisterServer();
    return done ? 0 : 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    try
    {
        const ServerMode mode = ParseServerMode(commandLine);
        switch (mode)
        {
        case ServerMode::Run:
            return RunLocalServer();
        case ServerMode::Register:
        case ServerMode::Unregister:
            return RegisterOrUnregister(mode);
        case ServerMode::Invalid:
            break;
        }
        // Unknown option: distinct from a failed registration.
        return 2;
    }
    catch (...)
    {
        return 1;
    }
}
