#include "LocalServer.h"

#include "ClassFactory.h"
#include "ClassRegistration.h"
#include "ComApartment.h"
#include "ComRef.h"
#include "ServerClasses.h"
#include "ServerContext.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace
{

// Dispatches messages until the time is up; false as soon as the server is
// in use again.
bool StaysIdleFor(const CServerLifetime& lifetime, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!lifetime.IsIdle())
            return false;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

// Incoming calls reach this single-threaded apartment as window messages, so
// this loop is what serves them.
void ServeUntilIdle(const CServerLifetime& lifetime)
{
    // A client that lets go and connects again at once (one test after
    // another) would otherwise race the server's exit and be refused.
    constexpr DWORD kIdleGrace = 3000;
    MSG message;
    for (;;)
    {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            return;
        if (got == 0)
        {
            // The quit was posted when the count reached zero, but a client
            // that already held a class object may have created an object
            // since; quitting now would cut it off.
            if (lifetime.IsIdle() && StaysIdleFor(lifetime, kIdleGrace))
                return;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int RunLocalServer()
{
    // Declared first so that it outlives the apartment: objects still alive
    // when the apartment ends are released then and journal their release.
    ServerContext context([] { PostQuitMessage(0); });

    CComApartment apartment;
    if (FAILED(apartment.Result()))
        return 1;

    std::vector<CComRef<CClassFactory>> factories;
    std::vector<CClassRegistration> registrations;
    for (const ServerClass& serverClass : ServerClasses())
    {
        CComRef<CClassFactory> factory(new CClassFactory(context, serverClass.create));
        factories.push_back(std::move(factory));
        registrations.emplace_back();
        if (FAILED(registrations.back().Register(serverClass.clsid, factories.back().Get())))
            return 1;
    }

    ServeUntilIdle(context.lifetime);

    // Revoke before the apartment ends, so a client arriving now starts a
    // fresh server instead of reaching this one on its way out.
    registrations.clear();
    return 0;
}
