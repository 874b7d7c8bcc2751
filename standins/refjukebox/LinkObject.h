#pragma once
#include "ServerObject.h"

#include <JukeboxContract.h>

// The jukebox link: takes the program's window and commands and hands out
// event texts. Every call is journaled before it is acted on.
class CLinkObject final : public CServerObject<IJukeboxLink>
{
public:
    static HRESULT Create(ServerContext& context, REFIID iid, void** object);

    STDMETHODIMP RegisterWindow(LONG windowHandle, LONG* result) override;
    STDMETHODIMP SendCommand(LONG windowHandle, LONG command, LONG* result) override;
    STDMETHODIMP SendCommandWithData(LONG windowHandle, LONG command, BSTR data,
                                     LONG* result) override;
    STDMETHODIMP GetEventData(LONG eventKey, BSTR* data, LONG* result) override;

private:
    explicit CLinkObject(ServerContext& context);
};
