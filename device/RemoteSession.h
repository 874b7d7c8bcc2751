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

// Ends the session and waits for the writes that had passed their gate. True
// once they are made: from then on no write through a RemoteSessionGate
// reaches the module. False when one has not returned within a bound that a
// library call takes only if it never returns (its thread ended inside the
// library, or the library hangs): the stop must not wait for it forever.
bool EndRemoteSession() noexcept;

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
