#include "crash/CallerStep.h"

#include <cstring>

#include "crash/MemoryProbe.h"

#ifdef _WIN64

namespace {

CONTEXT walkContext;
bool atFirstFrame;

}  // namespace

StackFrame StartCallerSteps(const CONTEXT& context)
{
    walkContext = context;
    atFirstFrame = true;
    return StackFrame{context.Rip, context.Rsp};
}

bool StepToCaller(const StackFrame& current, StackFrame& caller)
{
    DWORD64 imageBase = 0;
    PRUNTIME_FUNCTION function = ::RtlLookupFunctionEntry(walkContext.Rip, &imageBase, nullptr);
    if (function != nullptr) {
        PVOID handlerData = nullptr;
        DWORD64 establisherFrame = 0;
        ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, walkContext.Rip, function, &walkContext, &handlerData,
                           &establisherFrame, nullptr);
    } else if (atFirstFrame && IsWritableMemory(current.frame, sizeof(DWORD64))) {
        // A function without unwind data has no frame: the fault is in a leaf
        // function and the return address is on top of the stack. Only the
        // faulting frame can be one; a return address always lies in a caller.
        std::memcpy(&walkContext.Rip, reinterpret_cast<const void*>(walkContext.Rsp), sizeof walkContext.Rip);
        walkContext.Rsp += sizeof(DWORD64);
    } else {
        return false;
    }
    atFirstFrame = false;
    caller.pc = walkContext.Rip;
    caller.frame = walkContext.Rsp;
    return true;
}

#else

StackFrame StartCallerSteps(const CONTEXT& context)
{
    return StackFrame{context.Eip, context.Ebp};
}

bool StepToCaller(const StackFrame& current, StackFrame& caller)
{
    return StepFramePointer(current, caller);
}

#endif
