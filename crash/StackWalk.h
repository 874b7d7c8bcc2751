// The call-stack walk of the crash report, apart from how one frame leads to
// its caller: where it starts, when it stops, and the classic frame-pointer
// step. No Windows headers; memory is asked about through a probe.
#pragma once

#include <cstddef>
#include <cstdint>

struct StackFrame
{
    std::uintptr_t pc = 0;
    std::uintptr_t frame = 0;
};

// True if [address, address + length) may be read and written without a
// fault; the walk reads nothing that has not passed it.
using MemoryProbe = bool (*)(std::uintptr_t address, std::size_t length);

// The words of a frame that the walk reads: the saved frame pointer and the
// return address above it.
constexpr std::size_t kFrameRecordSize = 2 * sizeof(std::uintptr_t);

// The classic frame-pointer step: the frame holds the caller's frame pointer,
// and the word above it the return address into the caller.
bool StepFramePointer(const StackFrame& current, StackFrame& caller);

// Whether the walk goes on from `current` to `caller`. It stops at a caller
// frame that is not word-aligned, not strictly above the current one (so the
// walk always ends), or unusable memory, and at a zero return address (the
// end of a thread's chain).
bool ContinuesTo(const StackFrame& current, const StackFrame& caller, MemoryProbe usable);

// Walks from `first`: visits it (always); if its frame record passes the
// probe, asks `step` for the caller and visits it as long as ContinuesTo
// accepts it. Step: bool(const StackFrame& current, StackFrame& caller).
template <class Step, class Visit>
void WalkStack(const StackFrame& first, MemoryProbe usable, Step&& step, Visit&& visit)
{
    StackFrame current = first;
    visit(current);
    if (!usable(current.frame, kFrameRecordSize))
        return;
    StackFrame caller;
    while (step(current, caller) && ContinuesTo(current, caller, usable)) {
        current = caller;
        visit(current);
    }
}
