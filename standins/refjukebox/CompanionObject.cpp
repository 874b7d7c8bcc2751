#include "CompanionObject.h"

#include "Bstr.h"
#include "ComGuard.h"
#include "ComRef.h"

#include <utility>

CCompanionObject::CCompanionObject(ServerContext& context)
    : CServerObject(context, L"CreateJukeboxCompanion", L"ReleaseJukeboxCompanion")
{
}

HRESULT CCompanionObject::Create(ServerContext& context, REFIID iid, void** object)
{
    context.companionHold.WaitWhileHeld();
    CComRef<CCompanionObject> created(new CCompanionObject(context));
    return created->QueryInterface(iid, object);
}

STDMETHODIMP CCompanionObject::GetServerVersion(LONG* version)
{
    return GuardComCall([&] {
        m_context.journal.Record(L"GetServerVersion");
        if (!version)
            return E_POINTER;
        *version = ServerVersion;
        return S_OK;
    });
}

STDMETHODIMP CCompanionObject::GetPlayerState(LONG* state)
{
    return GuardComCall([&] {
        m_context.journal.Record(L"GetPlayerState");
        if (!state)
            return E_POINTER;
        *state = m_context.player.State();
        return S_OK;
    });
}

STDMETHODIMP CCompanionObject::SetClientName(BSTR name)
{
    return GuardComCall([&] {
        JournalEntry entry;
        entry.operation = L"SetClientName";
        entry.text = NullableTextOf(name);
        m_context.journal.Record(std::move(entry));
        return S_OK;
    });
}

STDMETHODIMP CCompanionObject::Ping(LONG value, LONG* echo)
{
    return GuardComCall([&] {
        m_context.journal.Record(L"Ping", 0, value);
        if (!echo)
            return E_POINTER;
        *echo = value;
        return S_OK;
    });
}

STDMETHODIMP CCompanionObject::NotifyClosing()
{
    return GuardComCall([&] {
        m_context.journal.Record(L"NotifyClosing");
        return S_OK;
    });
}
