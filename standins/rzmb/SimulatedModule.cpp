#include "standins/rzmb/SimulatedModule.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kLargestCount = 0xFF;

bool InRange(std::uint32_t address, std::uint32_t length)
{
    return address <= ModuleMap::kMemorySize && length <= ModuleMap::kMemorySize - address;
}

bool Covers(std::uint32_t address, std::uint32_t length, std::uint32_t spot)
{
    return spot >= address && spot - address < length;
}

// Bad arguments fail the call rather than touch anything outside the module.
bool Acceptable(std::uint32_t address, std::uint32_t length, const void* buffer)
{
    return InRange(address, length) && (buffer != nullptr || length == 0);
}

}  // namespace

bool SimulatedModule::FailurePlan::NextFails()
{
    if (after > 0) {
        --after;
        return false;
    }
    if (count > 0) {
        --count;
        return true;
    }
    return false;
}

bool SimulatedModule::RandomFailures::NextFails()
{
    if (perMille == 0)
        return false;
    // xorshift32; a zero state would stay zero.
    state = state != 0 ? state : 0x9E3779B9u;
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state % 1000 < perMille;
}

bool SimulatedModule::NextFails(FailurePlan& plan)
{
    const bool fails = plan.NextFails() || randomFailures.NextFails();
    if (fails)
        ++injectedFailures;
    return fails;
}

bool SimulatedModule::GetMem(std::uint32_t address, std::uint32_t length, void* buffer)
{
    const bool succeeded = !NextFails(readFailures) && Acceptable(address, length, buffer);
    getMemJournal.Append(RzmbGetMemEntry{address, length, succeeded ? 1u : 0u});
    if (!succeeded)
        return false;
    if (outboxMode == RzmbOutboxStep && Covers(address, length, ModuleMap::OutboxCount))
        AdvanceOutbox(outboxStep);
    if (length > 0)
        std::memcpy(buffer, &memory[address], length);
    return true;
}

bool SimulatedModule::SetMem(std::uint32_t address, std::uint32_t length, const void* bytes)
{
    const bool succeeded = !NextFails(writeFailures) && Acceptable(address, length, bytes);
    RzmbSetMemEntry entry{address, length, succeeded ? 1u : 0u, {}};
    if (bytes != nullptr)
        std::memcpy(entry.bytes, bytes, std::min<std::uint32_t>(length, RZMB_RECORDED_BYTES));
    setMemJournal.Append(entry);
    if (!succeeded)
        return false;
    if (address == ModuleMap::OutboxData && blockPending != 0) {
        overwrittenAges.Append(clockMicroseconds - doorbellAt);
        blockPending = 0;
    }
    if (length > 0)
        std::memcpy(&memory[address], bytes, length);
    if (address == ModuleMap::OutboxData)
        lastOutboxLength = length;
    if (Covers(address, length, ModuleMap::OutboxDoorbell) &&
        memory[ModuleMap::OutboxDoorbell] == ModuleMap::kDoorbellRing)
        RingDoorbell();
    return true;
}

void SimulatedModule::RingDoorbell()
{
    RzmbBlockEntry block{lastOutboxLength, {}};
    std::memcpy(block.bytes, &memory[ModuleMap::OutboxData], std::min<std::uint32_t>(lastOutboxLength, RZMB_RECORDED_BYTES));
    blockJournal.Append(block);
    outboxTarget = std::min(lastOutboxLength, kLargestCount);
    blockPending = 1;
    doorbellAt = clockMicroseconds;
    takeAt = clockMicroseconds + std::uint64_t{outboxStep} * 1000;
    if (outboxMode == RzmbOutboxImmediate)
        SetCount(outboxTarget);
}

void SimulatedModule::SetCount(std::uint32_t count)
{
    memory[ModuleMap::OutboxCount] = static_cast<std::uint8_t>(count);
    if (count >= outboxTarget)
        blockPending = 0;
}

bool SimulatedModule::Peek(std::uint32_t address, std::uint32_t length, void* buffer) const
{
    if (!Acceptable(address, length, buffer))
        return false;
    if (length > 0)
        std::memcpy(buffer, &memory[address], length);
    return true;
}

bool SimulatedModule::Poke(std::uint32_t address, std::uint32_t length, const void* bytes)
{
    if (!Acceptable(address, length, bytes))
        return false;
    if (length > 0)
        std::memcpy(&memory[address], bytes, length);
    return true;
}

void SimulatedModule::FailReads(std::uint32_t after, std::uint32_t count)
{
    readFailures = FailurePlan{after, count};
}

void SimulatedModule::FailWrites(std::uint32_t after, std::uint32_t count)
{
    writeFailures = FailurePlan{after, count};
}

void SimulatedModule::FailAtRandom(std::uint32_t perMille, std::uint32_t seed)
{
    randomFailures = RandomFailures{perMille > 1000 ? 1000 : perMille, seed};
}

bool SimulatedModule::SetOutboxMode(std::uint32_t mode, std::uint32_t step)
{
    if (mode != RzmbOutboxImmediate && mode != RzmbOutboxHold && mode != RzmbOutboxStep && mode != RzmbOutboxDelayed)
        return false;
    outboxMode = mode;
    outboxStep = step;
    takeAt = clockMicroseconds + std::uint64_t{step} * 1000;
    CatchUp(clockMicroseconds);
    return true;
}

void SimulatedModule::AdvanceOutbox(std::uint32_t steps)
{
    const std::uint32_t count = memory[ModuleMap::OutboxCount];
    if (count >= outboxTarget)
        return;
    SetCount(std::min(outboxTarget, count + std::min(steps, kLargestCount)));
}

void SimulatedModule::CatchUp(std::uint64_t nowMicroseconds)
{
    clockMicroseconds = std::max(clockMicroseconds, nowMicroseconds);
    if (outboxMode == RzmbOutboxDelayed && blockPending != 0 && clockMicroseconds >= takeAt)
        SetCount(outboxTarget);
}

std::uint32_t SimulatedModule::OverwrittenWithin(std::uint64_t microseconds) const
{
    std::uint32_t count = 0;
    std::uint64_t age = 0;
    for (std::uint32_t index = 0; index < overwrittenAges.total; ++index) {
        if (overwrittenAges.At(index, age) && age < microseconds)
            ++count;
    }
    return count;
}

void SimulatedModule::TrapNextWrite(std::uint32_t address, std::uint32_t trap)
{
    writeTrap = trap;
    writeTrapAddress = address;
    callsReleased = 0;
}

std::uint32_t SimulatedModule::TakeWriteTrap(std::uint32_t address)
{
    if (writeTrap == RzmbTrapNone || address != writeTrapAddress)
        return RzmbTrapNone;
    const std::uint32_t trap = writeTrap;
    writeTrap = RzmbTrapNone;
    if (trap == RzmbTrapHold)
        ++heldCalls;
    return trap;
}

void SimulatedModule::ClearJournals()
{
    setMemJournal.Clear();
    getMemJournal.Clear();
    blockJournal.Clear();
}

void SimulatedModule::Reset()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
}
