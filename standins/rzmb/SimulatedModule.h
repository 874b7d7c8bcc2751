// The device module as the substitute library plays it: 64 KiB of memory, the
// module's side of the mailbox, and what tests need to steer and watch it
// (failures on demand, the pace of the outbox count, journals). Plain data,
// valid when zeroed, so that it can live in a section shared by processes;
// the library makes every call under the section's lock.
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
    // step is used by RzmbOutboxStep only; false (nothing changed) for a mode
    // that RzmbOutboxMode does not name.
    bool SetOutboxMode(std::uint32_t mode, std::uint32_t step);
    // Moves the outbox count towards the length of the block last taken.
    void AdvanceOutbox(std::uint32_t steps);
    void ClearJournals();
    // Zero memory, empty journals, no failures, immediate outbox.
    void Reset();

    struct FailurePlan
    {
        std::uint32_t after;
        std::uint32_t count;
        bool NextFails();
    };

    std::uint8_t memory[ModuleMap::kMemorySize];
    FailurePlan readFailures;
    FailurePlan writeFailures;
    std::uint32_t outboxMode;
    std::uint32_t outboxStep;
    // What the count works towards: the last block's length, as far as one
    // byte can count it.
    std::uint32_t outboxTarget;
    std::uint32_t lastOutboxLength;
    RingJournal<RzmbSetMemEntry, 4096> setMemJournal;
    RingJournal<RzmbGetMemEntry, 4096> getMemJournal;
    RingJournal<RzmbBlockEntry, 1024> blockJournal;

private:
    void TakeOutbox();
};

static_assert(std::is_trivially_copyable_v<SimulatedModule> && std::is_standard_layout_v<SimulatedModule>,
              "the module lives in shared memory");
