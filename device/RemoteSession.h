// The device side's session: from InitRemoteDevice to the start of the stop
// sequence. Outside it nothing enters the remote record, a reader thread
// serves only the session it was started for, and nothing the reader does by
// itself reaches the module.
#pragma once

#include <atomic>

#include "module/ModuleMemoryWrites.h"

// A new number at each InitRemoteDevice, 0 once the session has ended.
extern std::atomic<unsigned> RemoteSession;

// Opens a new session; its number.
unsigned BeginRemoteSession();

// Ends the session. Once this returns, no write through a RemoteSessionGate
// reaches the module: one that had passed its gate has been made.
void EndRemoteSession() noexcept;

// Lets module writes pass while one session lives, under the session's lock,
// so that a write cannot slip in after the session's end.
class RemoteSessionGate final : public ModuleWriteGate
{
public:
    explicit RemoteSessionGate(unsigned session) : m_session(session) {}

    bool EnterIfOpen() noexcept override;
    void Leave() noexcept override;

private:
    const unsigned m_session;
};
