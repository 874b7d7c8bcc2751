// The device module as the substitute library plays it: 64 KiB of memory, the
// module's side of the mailbox, and what tests need to steer and watch it
// (failures on demand, the pace of the outbox count, journals, blocks written
// over before they were taken). Plain data, valid when zeroed, so that it can
// live in a section shared by processes; the library makes every call under
// the section's lock, after bringing the module up to the time.
#pragma once

#include <cstdint>
#include <type_traits>

#include "module/ModuleMemoryMap.h"
#include "standins/rzmb/RingJournal.h"
#include "standins/rzmb/RzmbJournal.h"

struct SimulatedModule
{
    // The library's two calls, as a module answers them: failures on demand,
    // range checks, journals, and the doorbell.
    bool GetMem(std::uint32_t address, std::uint32_t length, void* buffer);
    bool SetMem(std::uint32_t address, std::uint32_t length, const void* bytes);

    // The control side: memory without failures or journal entries.
    bool Peek(std::uint32_t address, std::uint32_t length, void* buffer) const;
    bool Poke(std::uint32_t address, std::uint32_t length, const void* bytes);
    // After the next `after` calls succeed, the `count` calls after them fail.
    void FailReads(std::uint32_t after, std::uint32_t count);
    void FailWrites(std::uint32_t after, std::uint32_t count);
    // step is the step of RzmbOutboxStep and the delay in ms of
    // RzmbOutboxDelayed; false (nothing changed) for a mode that
    // RzmbOutboxMode does not name. A block still waiting when the delay is
    // set, one that a held module never took, is taken that delay later: the
    // module starts on it when it comes back.
    bool SetOutboxMode(std::uint32_t mode, std::uint32_t step);
    // Moves the outbox count towards the length of the block last taken.
    void AdvanceOutbox(std::uint32_t steps);
    void ClearJournals();
    // Moves the module's clock on to now, in microseconds of a clock that
    // every process reads alike: a delayed block whose time has come is taken.
    void CatchUp(std::uint64_t nowMicroseconds);
    // Blocks written over before the module took them, less than the given
    // time after their doorbell (of the latest 1024 written over).
    std::uint32_t OverwrittenWithin(std::uint64_t microseconds) const;
    // Zero memory, empty journals, no failures, immediate outbox, no trap.
    void Reset();

    // The trap (enum RzmbCallTrap) that the next write at address meets, and
    // the one a write at address takes: the trap set for it, once.
    void TrapNextWrite(std::uint32_t address, std::uint32_t trap);
    std::uint32_t TakeWriteTrap(std::uint32_t address);

    // Fails each read and write with a chance of perMille in a thousand,
    // drawn from seed; 0 turns it off.
    void FailAtRandom(std::uint32_t perMille, std::uint32_t seed);

    struct FailurePlan
    {
        std::uint32_t after;
        std::uint32_t count;
        bool NextFails();
    };

    // A small generator of its own: the state lives in the shared section,
    // so every process draws from one sequence.
    struct RandomFailures
    {
        std::uint32_t perMille;
        std::uint32_t state;
        bool NextFails();
    };

    std::uint8_t memory[ModuleMap::kMemorySize];
    FailurePlan readFailures;
    FailurePlan writeFailures;
    RandomFailures randomFailures;
    // Calls failed on purpose, by plan or at random, since the last reset.
    std::uint32_t injectedFailures;
    std::uint32_t outboxMode;
    // The step, or the delay in ms (see SetOutboxMode).
    std::uint32_t outboxStep;
    // What the count works towards: the last block's length, as far as one
    // byte can count it.
    std::uint32_t outboxTarget;
    std::uint32_t lastOutboxLength;
    // Set from the doorbell until the count reaches the block's length or the
    // block is written over.
    std::uint32_t blockPending;
    std::uint64_t clockMicroseconds;
    std::uint64_t doorbellAt;
    // When a delayed module takes the pending block.
    std::uint64_t takeAt;
    // The age of each block written over, from its doorbell, in microseconds.
    RingJournal<std::uint64_t, 1024> overwrittenAges;
    RingJournal<RzmbSetMemEntry, 4096> setMemJournal;
    RingJournal<RzmbGetMemEntry, 4096> getMemJournal;
    RingJournal<RzmbBlockEntry, 1024> blockJournal;
    std::uint32_t writeTrap;
    std::uint32_t writeTrapAddress;
    // Calls held by a trap now, and whether they may go on.
    std::uint32_t heldCalls;
    std::uint32_t callsReleased;

private:
    bool NextFails(FailurePlan& plan);
    void RingDoorbell();
    void SetCount(std::uint32_t count);
};

static_assert(std::is_trivially_copyable_v<SimulatedModule> && std::is_standard_layout_v<SimulatedModule>,
              "the module lives in shared memory");
