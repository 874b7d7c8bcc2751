// Whether the module's outbox is free for the next block, and what becomes of
// the blocks that come while it is not. A block the module has not taken owns
// the outbox until its bound, a quarter of a second from its doorbell, has
// passed: writing over it sooner would destroy a block the module may still
// be taking. A block that misses its bound marks the module as stalled until
// it is seen taking one. Meanwhile blocks are held, and each time the block
// in flight is taken or has missed its bound the oldest goes out: the usual
// way once the module takes blocks again, else as a probe that nobody waits
// for, so that the user-interface thread is never held up by a stalled
// module. Windows-free: the caller reads the count and the clock, writes,
// and looks again while NeedsLook().
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "module/HeldModuleBlocks.h"

class OutboxWatch
{
public:
    using Clock = std::chrono::steady_clock;
    // A module takes a block in microseconds; even one that moved the largest
    // block (256 bytes) one 8-byte packet per 1 ms bus frame would be done in
    // 32 ms. A quarter of a second is therefore far beyond any live module,
    // and short enough that a dead one holds the user-interface thread only
    // briefly, once.
    static constexpr std::chrono::milliseconds kBound{250};

    enum class Step
    {
        Wait,     // nothing to write now
        Deliver,  // the oldest held block, the usual way
        Probe,    // the oldest held block, without waiting for the module
    };

    // The block in flight has just missed its bound, its count short of its
    // length.
    struct Miss
    {
        unsigned count;
        std::uint32_t length;
    };

    struct Decision
    {
        Step step = Step::Wait;
        std::optional<Miss> missed;
    };

    // Whether a block that comes now may go out the usual way at once: the
    // module takes its blocks, no block is in flight and none is held.
    bool Free() const { return !m_stalled && !m_inFlight && m_held.Empty(); }
    HeldModuleBlocks& Held() { return m_held; }

    // What became of a block delivered the usual way: taken; its bound
    // missed (the poll has said so); or rung at `at` with its take unknown
    // (a probe, or a delivery whose count could not be read).
    void Taken();
    void Missed(std::uint32_t length);
    void Rung(std::uint32_t length, Clock::time_point at);

    // Whether Next wants the module's count: a block is in flight.
    bool Watching() const { return m_inFlight.has_value(); }
    // What to do now, given the module's count (none when the read failed).
    Decision Next(std::optional<unsigned> count, Clock::time_point now);
    // Whether anything waits for a later look: a held block, or a block in
    // flight within its bound.
    bool NeedsLook() const;
    // Forgets the stall, the block in flight and the held blocks; how many
    // were held.
    std::size_t Forget();

private:
    struct InFlight
    {
        std::uint32_t length;
        Clock::time_point bound;
        bool missed;
    };

    HeldModuleBlocks m_held;
    // The last block rung while its take is not known; after a missed bound
    // it stays, so that a late take still shows the module back.
    std::optional<InFlight> m_inFlight;
    bool m_stalled = false;
};
