#include "LinkObject.h"

#include "Bstr.h"
#include "ComGuard.h"
#include "ComRef.h"

#include <utility>

CLinkObject::CLinkObject(ServerContext& context)
    : CServerObject(context, L"CreateJukeboxLink", L"ReleaseJukeboxLink")
{
}

HRESULT CLinkObject::Create(ServerContext& context, REFIID iid, void** object)
{
    CComRef<CLinkObject> created(new CLinkObject(context));
    return created->QueryInterface(iid, object);
}

STDMETHODIMP CLinkObject::RegisterWindow(LONG windowHandle, LONG* result)
{
    return GuardComCall([&] {
        m_context.journal.Record(L"RegisterWindow", windowHandle);
        // A restarted program registers its new window; events follow it.
        m_context.window.Set(windowHandle);
        m_context.player.WindowRegistered();
        if (result)
            *result = 1;
        return S_OK;
    });
}

STDMETHODIMP CLinkObject::SendCommand(LONG windowHandle, LONG command, LONG* result)
{
    return GuardComCall([&] {
        m_context.journal.Record(L"SendCommand", windowHandle, command);
        const long handled = m_context.player.HandleCommand(windowHandle, command, std::nullopt);
        if (result)
            *result = handled;
        return S_OK;
    });
}

STDMETHODIMP CLinkObject::SendCommandWithData(LONG windowHandle, LONG command, BSTR data,
                                              LONG* result)
{
    return GuardComCall([&] {
        JournalEntry entry;
        entry.operation = L"SendCommandWithData";
        entry.windowHandle = windowHandle;
        entry.number = command;
        entry.text = NullableTextOf(data);
        m_context.journal.Record(entry);
        const long handled = m_context.player.HandleCommand(windowHandle, command, entry.text);
        if (result)
            *result = handled;
        return S_OK;
    });
}

STDMETHODIMP CLinkObject::GetEventData(LONG eventKey, BSTR* data, LONG* result)
{
    if (!data || !result)
        return E_POINTER;
    *data = nullptr;
    *result = 0;
    return GuardComCall([&] {
        m_context.journal.Record(L"GetEventData", 0, eventKey);
        const std::optional<std::wstring>* text = m_context.events.Find(eventKey);
        if (!text)
            return S_OK;
        *data = CBstr::Copy(*text).Detach();
        *result = 1;
        return S_OK;
    });
}
