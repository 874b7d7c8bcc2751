// How the call-stack walk gets from a frame to its caller in this build.
//
// 32-bit: along the EBP chain, since every function of ours keeps the classic
// frame (push ebp; mov ebp, esp).
//
// 64-bit: with the unwind data that every 64-bit module carries. The compiler
// keeps RBP as a frame pointer, but on 64-bit Windows it points RBP into the
// middle of the frame (lea rbp, [rsp+n] after the register saves), so the
// word at RBP is a local, not the caller's RBP: a plain RBP walk would list
// garbage after the first line. The frame address in this build is each
// frame's stack pointer.
#pragma once

#include <windows.h>

#include "crash/StackWalk.h"

// Starts a walk at the faulting pc of the context; returns the first frame.
// One walk at a time: the walk's state is static, as a 64-bit context is over
// a kilobyte and a stack overflow leaves no stack to spare.
StackFrame StartCallerSteps(const CONTEXT& context);

// The step WalkStack takes; false where the chain cannot be followed.
bool StepToCaller(const StackFrame& current, StackFrame& caller);
