#pragma once
#include "ComObject.h"
#include "ServerContext.h"

#include <string>
#include <utility>

// An object served to clients: keeps the server alive while it lives and
// journals its creation and final release under the given names, so tests can
// check when the program made and dropped it. Empty names journal nothing
// (the test control must not show up in the journal it reports).
template <class Interface>
class CServerObject : public CComObject<Interface>
{
protected:
    CServerObject(ServerContext& context, std::wstring createdName, std::wstring releasedName)
        : m_context(context), m_token(context.lifetime), m_releasedName(std::move(releasedName))
    {
        if (!createdName.empty())
            m_context.journal.Record(std::move(createdName));
    }

    ~CServerObject() override
    {
        if (m_releasedName.empty())
            return;
        try
        {
            m_context.journal.Record(std::move(m_releasedName));
        }
        catch (...)
        {
            // Out of memory while recording: the entry is lost, the release
            // itself must still complete.
        }
    }

    ServerContext& m_context;

private:
    CLifetimeToken m_token;
    std::wstring m_releasedName;
};
