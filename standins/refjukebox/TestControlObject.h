#pragma once
#include "ServerObject.h"

#include <JukeboxTestControl.h>

// The test control: reads the journal and raises events for tests and the
// demo. Its own calls and lifetime are not journaled, so reading the journal
// never changes it.
class CTestControlObject final : public CServerObject<IJukeboxTestControl>
{
public:
    static HRESULT Create(ServerContext& context, REFIID iid, void** object);

    STDMETHODIMP GetJournalCount(LONG* count) override;
    STDMETHODIMP GetJournalEntry(LONG index, BSTR* operation, LONG* windowHandle, LONG* number,
                                 BSTR* text, LONG* textIsNull) override;
    STDMETHODIMP ClearJournal() override;
    STDMETHODIMP GetJournalTime(LONG index, double* microseconds) override;
    STDMETHODIMP PostEvent(LONG eventNumber, BSTR text, LONG withoutText, LONG* posted) override;
    STDMETHODIMP GetRegisteredWindow(LONG* windowHandle) override;
    STDMETHODIMP RestartPlayer() override;
    STDMETHODIMP DescribePlayer(BSTR* description) override;
    STDMETHODIMP RunPlayerCommand(LONG command, LONG* done) override;
    STDMETHODIMP HoldCompanionCreation(LONG hold) override;
    STDMETHODIMP GetHeldCompanionCreations(LONG* count) override;

private:
    explicit CTestControlObject(ServerContext& context);
};
