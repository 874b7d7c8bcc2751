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
    if (length > 0)
        std::memcpy(&memory[address], bytes, length);
    if (address == ModuleMap::OutboxData)
        lastOutboxLength = length;
    if (Covers(address, length, ModuleMap::OutboxDoorbell) &&
        memory[ModuleMap::OutboxDoorbell] == ModuleMap::kDoorbellRing)
        TakeOutbox();
    return true;
}

void SimulatedModule::TakeOutbox()
{
    RzmbBlockEntry block{lastOutboxLength, {}};
    std::memcpy(block.bytes, &memory[ModuleMap::OutboxData], std::min<std::uint32_t>(lastOutboxLength, RZMB_RECORDED_BYTES));
    blockJournal.Append(block);
    outboxTarget = std::min(lastOutboxLength, kLargestCount);
    if (outboxMode == RzmbOutboxImmediate)
        memory[ModuleMap::OutboxCount] = static_cast<std::uint8_t>(outboxTarget);
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
    if (mode != RzmbOutboxImmediate && mode != RzmbOutboxHold && mode != RzmbOutboxStep)
        return false;
    outboxMode = mode;
    outboxStep = step;
    return true;
}

void SimulatedModule::AdvanceOutbox(std::uint32_t steps)
{
    const std::uint32_t count = memory[ModuleMap::OutboxCount];
    if (count >= outboxTarget)
        return;
    memory[ModuleMap::OutboxCount] = static_cast<std::uint8_t>(std::min(outboxTarget, count + std::min(steps, kLargestCount)));
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
