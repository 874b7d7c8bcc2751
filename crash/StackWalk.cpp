#include "crash/StackWalk.h"

#include <cstring>

bool StepFramePointer(const StackFrame& current, StackFrame& caller)
{
    std::uintptr_t record[2];
    std::memcpy(record, reinterpret_cast<const void*>(current.frame), sizeof record);
    caller.frame = record[0];
    caller.pc = record[1];
    return true;
}

bool ContinuesTo(const StackFrame& current, const StackFrame& caller, MemoryProbe usable)
{
    return caller.frame % sizeof(std::uintptr_t) == 0 && caller.frame > current.frame && caller.pc != 0
        && usable(caller.frame, kFrameRecordSize);
}
