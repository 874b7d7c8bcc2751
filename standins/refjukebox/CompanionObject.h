#pragma once
#include "ServerObject.h"

#include <JukeboxContract.h>

// The jukebox companion: the program only tells it that it is closing; the
// other operations serve other clients of the jukebox and are answered
// plausibly. Every call is journaled.
class CCompanionObject final : public CServerObject<IJukeboxCompanion>
{
public:
    // Reported by GetServerVersion: major version in the high word.
    static constexpr LONG ServerVersion = 0x00010000;

    static HRESULT Create(ServerContext& context, REFIID iid, void** object);

    STDMETHODIMP GetServerVersion(LONG* version) override;
    STDMETHODIMP GetPlayerState(LONG* state) override;
    STDMETHODIMP SetClientName(BSTR name) override;
    STDMETHODIMP Ping(LONG value, LONG* echo) override;
    STDMETHODIMP NotifyClosing() override;

private:
    explicit CCompanionObject(ServerContext& context);
};
