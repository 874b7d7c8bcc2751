// The functions our rzmb.dll exports: the module library's contract and the
// control side, each one call on the shared module under its lock.
#include "module/RzmbExports.h"
#include "standins/rzmb/ModuleSection.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

int AsResult(bool succeeded)
{
    return succeeded ? 1 : 0;
}

}  // namespace

int __stdcall RzmaGetMem(DWORD address, DWORD length, void* buffer)
{
    return WithModule(0, [&](SimulatedModule& module) { return AsResult(module.GetMem(address, length, buffer)); });
}

namespace {

// Outside the module's lock, so that the other callers go on meanwhile.
void MeetWriteTrap(DWORD address)
{
    const std::uint32_t trap = WithModule(0u, [&](SimulatedModule& module) { return module.TakeWriteTrap(address); });
    if (trap == RzmbTrapEndThread)
        ::ExitThread(0);
    if (trap != RzmbTrapHold)
        return;
    while (!WithModule(1u, [](SimulatedModule& module) { return module.callsReleased; }))
        ::Sleep(1);
    WithModule(0, [](SimulatedModule& module) {
        --module.heldCalls;
        return 0;
    });
}

}  // namespace

int __stdcall RzmaSetMem(DWORD address, DWORD length, void* buffer)
{
    MeetWriteTrap(address);
    return WithModule(0, [&](SimulatedModule& module) { return AsResult(module.SetMem(address, length, buffer)); });
}

int RzmbPeekMemory(uint32_t address, uint32_t length, void* buffer)
{
    return WithModule(0, [&](SimulatedModule& module) { return AsResult(module.Peek(address, length, buffer)); });
}

int RzmbPokeMemory(uint32_t address, uint32_t length, const void* bytes)
{
    return WithModule(0, [&](SimulatedModule& module) { return AsResult(module.Poke(address, length, bytes)); });
}

int RzmbFailReads(uint32_t after, uint32_t count)
{
    return WithModule(0, [&](SimulatedModule& module) {
        module.FailReads(after, count);
        return 1;
    });
}

int RzmbFailWrites(uint32_t after, uint32_t count)
{
    return WithModule(0, [&](SimulatedModule& module) {
        module.FailWrites(after, count);
        return 1;
    });
}

int RzmbFailAtRandom(uint32_t perMille, uint32_t seed)
{
    return WithModule(0, [&](SimulatedModule& module) {
        module.FailAtRandom(perMille, seed);
        return 1;
    });
}

uint32_t RzmbInjectedFailures(void)
{
    return WithModule(0u, [](SimulatedModule& module) { return module.injectedFailures; });
}

int RzmbSetOutboxMode(uint32_t mode, uint32_t step)
{
    return WithModule(0, [&](SimulatedModule& module) { return AsResult(module.SetOutboxMode(mode, step)); });
}

int RzmbAdvanceOutbox(uint32_t steps)
{
    return WithModule(0, [&](SimulatedModule& module) {
        module.AdvanceOutbox(steps);
        return 1;
    });
}

int RzmbTrapNextWrite(uint32_t address, uint32_t trap)
{
    if (trap > RzmbTrapEndThread)
        return 0;
    return WithModule(0, [&](SimulatedModule& module) {
        module.TrapNextWrite(address, trap);
        return 1;
    });
}

int RzmbReleaseCalls(void)
{
    return WithModule(0, [](SimulatedModule& module) {
        module.callsReleased = 1;
        return 1;
    });
}

uint32_t RzmbHeldCalls(void)
{
    return WithModule(0u, [](SimulatedModule& module) { return module.heldCalls; });
}

uint32_t RzmbOverwrittenBlocks(uint32_t withinMs)
{
    return WithModule(0u, [&](SimulatedModule& module) { return module.OverwrittenWithin(std::uint64_t{withinMs} * 1000); });
}

uint32_t RzmbSetMemCount(void)
{
    return WithModule(0u, [](SimulatedModule& module) { return module.setMemJournal.total; });
}

int RzmbSetMemAt(uint32_t index, RzmbSetMemEntry* entry)
{
    return WithModule(0, [&](SimulatedModule& module) {
        return AsResult(entry != nullptr && module.setMemJournal.At(index, *entry));
    });
}

uint32_t RzmbGetMemCount(void)
{
    return WithModule(0u, [](SimulatedModule& module) { return module.getMemJournal.total; });
}

int RzmbGetMemAt(uint32_t index, RzmbGetMemEntry* entry)
{
    return WithModule(0, [&](SimulatedModule& module) {
        return AsResult(entry != nullptr && module.getMemJournal.At(index, *entry));
    });
}

uint32_t RzmbBlockCount(void)
{
    return WithModule(0u, [](SimulatedModule& module) { return module.blockJournal.total; });
}

int RzmbBlockAt(uint32_t index, RzmbBlockEntry* entry)
{
    return WithModule(0, [&](SimulatedModule& module) {
        return AsResult(entry != nullptr && module.blockJournal.At(index, *entry));
    });
}

int RzmbClearJournals(void)
{
    return WithModule(0, [](SimulatedModule& module) {
        module.ClearJournals();
        return 1;
    });
}

int RzmbReset(void)
{
    return WithModule(0, [](SimulatedModule& module) {
        module.Reset();
        return 1;
    });
}
