#pragma once

// Holds creations of an object back while set, as a jukebox that takes its
// time to start would, and serves the apartment's other calls meanwhile, so
// that a test can see the creation wait and then lift the hold. Only ever
// touched on the apartment's thread.
class CCreationHold
{
public:
    void Set(bool held) noexcept { m_held = held; }
    long Waiting() const noexcept { return m_waiting; }

    // Returns once the hold is lifted, or after a limit that keeps a hold a
    // test forgot from keeping the server for good.
    void WaitWhileHeld();

private:
    bool m_held = false;
    long m_waiting = 0;
};
