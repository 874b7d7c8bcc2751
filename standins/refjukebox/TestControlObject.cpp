#include "TestControlObject.h"

#include "Bstr.h"
#include "ComGuard.h"
#include "ComRef.h"

#include <climits>

CTestControlObject::CTestControlObject(ServerContext& context)
    : CServerObject(context, std::wstring(), std::wstring())
{
    context.player.KeepLaunchQuiet();
}

HRESULT CTestControlObject::Create(ServerContext& context, REFIID iid, void** object)
{
    CComRef<CTestControlObject> created(new CTestControlObject(context));
    return created->QueryInterface(iid, object);
}

STDMETHODIMP CTestControlObject::GetJournalCount(LONG* count)
{
    if (!count)
        return E_POINTER;
    const std::size_t entries = m_context.journal.Count();
    *count = entries > LONG_MAX ? LONG_MAX : static_cast<LONG>(entries);
    return S_OK;
}

STDMETHODIMP CTestControlObject::GetJournalEntry(LONG index, BSTR* operation, LONG* windowHandle,
                                                 LONG* number, BSTR* text, LONG* textIsNull)
{
    if (!operation || !windowHandle || !number || !text || !textIsNull)
        return E_POINTER;
    *operation = nullptr;
    *windowHandle = 0;
    *number = 0;
    *text = nullptr;
    *textIsNull = 0;
    return GuardComCall([&] {
        const JournalEntry* entry = m_context.journal.At(index);
        if (!entry)
            return E_INVALIDARG;
        // Both strings are made before either is handed out, so a failed
        // allocation leaves the caller nothing to free.
        CBstr operationCopy = CBstr::Copy(entry->operation);
        CBstr textCopy = CBstr::Copy(entry->text);
        *operation = operationCopy.Detach();
        *text = textCopy.Detach();
        *windowHandle = entry->windowHandle;
        *number = entry->number;
        *textIsNull = entry->text ? 0 : 1;
        return S_OK;
    });
}

STDMETHODIMP CTestControlObject::ClearJournal()
{
    m_context.journal.Clear();
    return S_OK;
}

STDMETHODIMP CTestControlObject::GetJournalTime(LONG index, double* microseconds)
{
    if (!microseconds)
        return E_POINTER;
    *microseconds = 0;
    const JournalEntry* entry = m_context.journal.At(index);
    if (!entry)
        return E_INVALIDARG;
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    *microseconds = static_cast<double>(entry->receivedTicks) * 1e6 / static_cast<double>(frequency.QuadPart);
    return S_OK;
}

STDMETHODIMP CTestControlObject::PostEvent(LONG eventNumber, BSTR text, LONG withoutText,
                                           LONG* posted)
{
    if (!posted)
        return E_POINTER;
    *posted = 0;
    return GuardComCall([&] {
        // A null BSTR is COM's empty text; only withoutText asks for an event
        // whose text GetEventData reports as null.
        std::optional<std::wstring> stored;
        if (!withoutText)
            stored = TextOf(text);
        const long key = m_context.events.Store(std::move(stored));
        *posted = m_context.window.PostEvent(eventNumber, key) ? 1 : 0;
        return S_OK;
    });
}

STDMETHODIMP CTestControlObject::RestartPlayer()
{
    return GuardComCall([&] {
        m_context.player.Restart();
        return S_OK;
    });
}

STDMETHODIMP CTestControlObject::DescribePlayer(BSTR* description)
{
    if (!description)
        return E_POINTER;
    *description = nullptr;
    return GuardComCall([&] {
        *description = CBstr::Copy(m_context.player.Describe()).Detach();
        return S_OK;
    });
}

STDMETHODIMP CTestControlObject::RunPlayerCommand(LONG command, LONG* done)
{
    if (!done)
        return E_POINTER;
    *done = 0;
    return GuardComCall([&] {
        *done = m_context.player.HandleCommand(0, command, std::nullopt);
        return S_OK;
    });
}

STDMETHODIMP CTestControlObject::GetRegisteredWindow(LONG* windowHandle)
{
    if (!windowHandle)
        return E_POINTER;
    *windowHandle = m_context.window.Get();
    return S_OK;
}

STDMETHODIMP CTestControlObject::HoldCompanionCreation(LONG hold)
{
    m_context.companionHold.Set(hold != 0);
    return S_OK;
}

STDMETHODIMP CTestControlObject::GetHeldCompanionCreations(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = m_context.companionHold.Waiting();
    return S_OK;
}
